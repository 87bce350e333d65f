#version 430 core

// Shadow pass: depth only, written by the rasteriser.

void main() {
}
