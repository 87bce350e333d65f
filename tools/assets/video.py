#!/usr/bin/python3
"""The screen's video: 120 RGBA frames, a seamless 4-second loop at 30 frames per second.

A turtle trots on the spot while two ridges of hills and the clouds scroll past behind
it and a marquee runs along the bottom. Everything that moves completes a whole number
of cycles in 120 frames, so frame 119 leads straight back into frame 0.

Usage: video.py OUTPUT_DIR FONT.ttf
"""

import math
import sys
from pathlib import Path

from PIL import Image, ImageDraw, ImageFont

WIDTH, HEIGHT = 640, 360
FRAMES = 120
MARQUEE = "ZELVIRA  *  REACH THE GOLDEN BOX BEFORE THE CLOCK RUNS OUT  *  MIND THE PEAS  *  "


def loop_phase(frame, cycles=1):
    """Angle that runs through `cycles` full turns over the loop."""
    return 2 * math.pi * cycles * frame / FRAMES


def draw_sky(draw):
    top, bottom = (40, 90, 170), (150, 200, 235)
    for y in range(HEIGHT):
        t = y / HEIGHT
        draw.line([(0, y), (WIDTH, y)], fill=tuple(int(a + (b - a) * t) for a, b in zip(top, bottom)))


def draw_ridge(draw, frame, base, amplitude, wavelengths, colour, cycles):
    """A hill outline of whole wavelengths across the width, scrolled by whole widths."""
    shift = WIDTH * cycles * frame / FRAMES
    points = [(0, HEIGHT)]
    for x in range(0, WIDTH + 1, 4):
        phase = 2 * math.pi * (x + shift) / WIDTH
        y = base - amplitude * (0.6 * math.sin(wavelengths * phase) + 0.4 * math.sin(2 * wavelengths * phase + 1.3))
        points.append((x, y))
    points.append((WIDTH, HEIGHT))
    draw.polygon(points, fill=colour)


def draw_clouds(draw, frame):
    for index, (y, size) in enumerate(((60, 46), (95, 34), (45, 28))):
        # The clouds travel one full lap of the screen plus their own width per loop.
        lap = WIDTH + 160
        x = (index * lap / 3 - lap * frame / FRAMES) % lap - 80
        for dx, dy, r in ((0, 0, size), (size * 0.9, 6, size * 0.75), (-size * 0.8, 8, size * 0.7)):
            draw.ellipse([x + dx - r, y + dy - r * 0.6, x + dx + r, y + dy + r * 0.6], fill=(245, 248, 252))


def draw_turtle(draw, frame):
    cx, ground = WIDTH * 0.5, 268
    bob = 4 * abs(math.sin(loop_phase(frame, 4)))
    shell_top = ground - 92 - bob
    for side, offset in ((-1, 0.0), (1, math.pi)):
        swing = 18 * math.sin(loop_phase(frame, 4) + offset)
        for lx in (cx - 46, cx + 40):
            foot = lx + side * 4 + swing
            draw.rounded_rectangle([foot - 11, ground - 36 - bob / 2, foot + 11, ground], 8, fill=(86, 160, 70))
    head_y = ground - 62 - bob + 3 * math.sin(loop_phase(frame, 2))
    draw.ellipse([cx + 62, head_y - 26, cx + 118, head_y + 22], fill=(96, 176, 80))
    draw.ellipse([cx + 96, head_y - 12, cx + 106, head_y - 2], fill=(20, 20, 20))
    draw.polygon([(cx - 80, ground - 44 - bob), (cx - 108, ground - 34 - bob), (cx - 80, ground - 30 - bob)],
                 fill=(86, 160, 70))
    draw.pieslice([cx - 92, shell_top, cx + 82, ground - 18 - bob], 180, 360, fill=(52, 110, 40))
    draw.rectangle([cx - 92, ground - 56 - bob, cx + 82, ground - 40 - bob], fill=(200, 170, 90))
    for px in (-50, -5, 40):
        draw.regular_polygon((cx + px, ground - 82 - bob, 17), 6, fill=(80, 140, 56))


def draw_marquee(draw, frame, font):
    text_width = draw.textlength(MARQUEE, font=font)
    band_top = HEIGHT - 44
    draw.rectangle([0, band_top, WIDTH, HEIGHT], fill=(20, 22, 30))
    offset = text_width * frame / FRAMES
    x = -offset
    while x < WIDTH:
        draw.text((x, band_top + 8), MARQUEE, font=font, fill=(255, 210, 60))
        x += text_width


def draw_title(draw, frame, font):
    y = 18 + 6 * math.sin(loop_phase(frame, 2))
    draw.text((WIDTH / 2, y), "ZELVIRA", font=font, fill=(255, 255, 255), anchor="mt",
              stroke_width=4, stroke_fill=(30, 60, 120))


def render(frame, fonts):
    image = Image.new("RGBA", (WIDTH, HEIGHT))
    draw = ImageDraw.Draw(image)
    draw_sky(draw)
    draw_clouds(draw, frame)
    draw_ridge(draw, frame, 215, 30, 2, (96, 130, 170), 1)
    draw_ridge(draw, frame, 250, 18, 3, (70, 140, 70), 2)
    draw.rectangle([0, 262, WIDTH, HEIGHT], fill=(150, 120, 80))
    draw_turtle(draw, frame)
    draw_title(draw, frame, fonts[0])
    draw_marquee(draw, frame, fonts[1])
    return image


def main():
    out = Path(sys.argv[1])
    out.mkdir(parents=True, exist_ok=True)
    fonts = (ImageFont.truetype(sys.argv[2], 58), ImageFont.truetype(sys.argv[2], 24))
    for frame in range(FRAMES):
        render(frame, fonts).save(out / f"video_{frame:03d}.png", optimize=True)


if __name__ == "__main__":
    main()
