#!/usr/bin/env python3
"""Compares two binary PPM images of the same size: mean absolute error per channel in 8-bit
steps, the largest difference and the share of pixels that differ by more than one step.
Exit status 0 when every channel's mean error is within the limit (default 1.0), 1 otherwise.
--rows FIRST:END compares only image rows FIRST to END - 1 (counted from the top), e.g. to leave
out a HUD that differs between the builds on purpose."""
import argparse
import sys


def read_ppm(path):
    with open(path, "rb") as file:
        data = file.read()
    fields = []
    position = 0
    while len(fields) < 4:
        while data[position:position + 1].isspace():
            position += 1
        end = position
        while not data[end:end + 1].isspace():
            end += 1
        fields.append(data[position:end])
        position = end
    if fields[0] != b"P6" or fields[3] != b"255":
        sys.exit(f"{path}: not an 8-bit binary PPM")
    width, height = int(fields[1]), int(fields[2])
    return width, height, data[position + 1:position + 1 + width * height * 3]


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("a")
    parser.add_argument("b")
    parser.add_argument("limit", nargs="?", type=float, default=1.0, help="in 8-bit steps")
    parser.add_argument("--rows", help="FIRST:END, the rows compared")
    arguments = parser.parse_args()
    width_a, height_a, a = read_ppm(arguments.a)
    width_b, height_b, b = read_ppm(arguments.b)
    if (width_a, height_a) != (width_b, height_b):
        sys.exit(f"sizes differ: {width_a}x{height_a} and {width_b}x{height_b}")
    first, end = (int(row) for row in arguments.rows.split(":")) if arguments.rows else (0, height_a)
    if not 0 <= first < end <= height_a:
        sys.exit(f"rows {first}:{end} are not inside the image's {height_a}")
    sums = [0, 0, 0]
    largest = 0
    differing = 0
    for pixel in range(first * width_a, end * width_a):
        worst = 0
        for channel in range(3):
            difference = abs(a[3 * pixel + channel] - b[3 * pixel + channel])
            sums[channel] += difference
            worst = max(worst, difference)
        largest = max(largest, worst)
        differing += worst > 1
    pixels = (end - first) * width_a
    errors = [total / pixels for total in sums]
    print("mean absolute error (8-bit steps) r %.4f g %.4f b %.4f; largest %d; pixels off by more than 1: %.2f%%"
          % (*errors, largest, 100.0 * differing / pixels))
    return 0 if max(errors) <= arguments.limit else 1


if __name__ == "__main__":
    sys.exit(main())
