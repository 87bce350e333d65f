#version 430 core

// Depth only: colour writes are masked off while this program draws.

void main() {
}
