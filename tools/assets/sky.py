#!/usr/bin/python3
"""Equirectangular sky panorama: gradient, sun glow, clouds, a rim of distant hills and, below the
horizon, the plain the quarry lies in.

Column u is the azimuth (u = 0 and u = 1 meet without a seam behind the player's start
view, u = 0.5 looks along -z, u = 0.75 along +x), row v the elevation from +90 degrees
at the top to -90 degrees at the bottom, as the sky shader and the level's sky sphere
map it. The sun sits where the level's directional light comes from. The lower half shows a
plain of scrub and sand seen from above the quarry, so that the view over the arena wall after a
high jump, or from the free camera, meets land fading into the haze of the horizon.

Usage: sky.py OUTPUT.jpg
"""

import sys

import numpy as np
from PIL import Image

WIDTH, HEIGHT = 2048, 1024
# Where the sun light comes from, in the level's y-up coordinates (the light shines the other way).
SUN_FROM = np.array([-0.3, 1.0, 0.15])
# The plain lies this far below the viewer, in metres; its patches are PATCH metres across, and
# its haze takes HAZE metres to reach two thirds.
EYE_HEIGHT = 25.0
PATCH = 25.0
HAZE = 700.0
HAZE_COLOUR = np.array([0.66, 0.70, 0.70])


def periodic_noise(rng, height, width, exponent):
    fx = np.fft.fftfreq(width)[None, :] * width
    fy = np.fft.fftfreq(height)[:, None] * height
    radius = np.sqrt(fx * fx + fy * fy)
    radius[0, 0] = 1.0
    spectrum = np.fft.fft2(rng.standard_normal((height, width))) * radius ** -exponent
    spectrum[0, 0] = 0.0
    field = np.real(np.fft.ifft2(spectrum))
    return (field - field.min()) / (field.max() - field.min())


def directions():
    """Unit view direction of every pixel, matching the sphere's UV mapping."""
    v, u = np.mgrid[0:HEIGHT, 0:WIDTH]
    azimuth = (u + 0.5) / WIDTH * 2 * np.pi - np.pi
    elevation = np.pi / 2 - (v + 0.5) / HEIGHT * np.pi
    x = np.cos(elevation) * np.sin(azimuth)
    z = -np.cos(elevation) * np.cos(azimuth)
    return np.stack([x, np.sin(elevation), z], axis=-1), elevation, azimuth


def sky_gradient(elevation):
    zenith = np.array([0.16, 0.34, 0.72])
    horizon = np.array([0.72, 0.83, 0.93])
    t = np.clip(elevation / (np.pi / 2), 0, 1)[..., None] ** 0.45
    return horizon + (zenith - horizon) * t


def sun_glow(direction):
    sun = SUN_FROM / np.linalg.norm(SUN_FROM)
    cosine = np.clip(direction @ sun, -1, 1)
    angle = np.arccos(cosine)
    disc = np.clip((0.03 - angle) / 0.006, 0, 1)
    halo = np.exp(-angle / 0.12) * 0.55 + np.exp(-angle / 0.5) * 0.2
    return (disc + halo)[..., None] * np.array([1.0, 0.93, 0.78])


def clouds(rng, elevation):
    base = periodic_noise(rng, HEIGHT, WIDTH, 1.5)
    detail = periodic_noise(rng, HEIGHT, WIDTH, 1.0)
    density = np.clip((0.65 * base + 0.35 * detail - 0.5) * 3.5, 0, 1)
    band = np.clip(elevation / 0.15, 0, 1) * np.clip((1.2 - elevation) / 0.5, 0, 1)
    return density * band


def hills(rng, elevation, azimuth):
    """Two ridges of hills whose outlines repeat every full turn."""
    layers = []
    for scale, height, colour in ((1.0, 0.15, (0.40, 0.46, 0.52)), (1.7, 0.075, (0.27, 0.32, 0.27))):
        outline = np.zeros(WIDTH)
        for harmonic in range(1, 24):
            amplitude = rng.uniform(0.3, 1.0) / harmonic ** (1.1 / scale)
            outline += amplitude * np.sin(harmonic * azimuth[0] + rng.uniform(0, 2 * np.pi))
        outline = (outline - outline.min()) / (outline.max() - outline.min())
        ridge = 0.01 + height * outline
        mask = np.clip((ridge[None, :] - elevation) / 0.004, 0, 1)
        layers.append((mask, np.array(colour)))
    return layers


def sample_periodic(field, x, y):
    """Bilinear lookup of a periodic field at fractional texel coordinates."""
    height, width = field.shape
    x0, y0 = np.floor(x), np.floor(y)
    fx, fy = x - x0, y - y0
    x0, y0 = x0.astype(int) % width, y0.astype(int) % height
    x1, y1 = (x0 + 1) % width, (y0 + 1) % height
    top = field[y0, x0] * (1 - fx) + field[y0, x1] * fx
    bottom = field[y1, x0] * (1 - fx) + field[y1, x1] * fx
    return top * (1 - fy) + bottom * fy


def plain(rng, direction, elevation):
    """Colour of the ground where each downward view ray meets it: scrub and sand patches in
    perspective, their detail averaged away with distance and drowned in haze towards the horizon.
    Rows above the horizon get the haze colour, which the hills and the sky then cover."""
    scrub = periodic_noise(rng, 256, 256, 1.3)
    grain = periodic_noise(rng, 256, 256, 0.8)
    down = np.clip(-direction[..., 1], 1e-3, None)
    distance = EYE_HEIGHT / down
    ground_x, ground_z = direction[..., 0] * distance, direction[..., 2] * distance
    cover = sample_periodic(scrub, ground_x / PATCH * 16, ground_z / PATCH * 16)
    detail = sample_periodic(grain, ground_x / PATCH * 96, ground_z / PATCH * 96)
    # A pixel spans more ground the farther and flatter it looks: fade the pattern to its mean there.
    footprint = distance * (np.pi / HEIGHT) / down
    cover = np.median(scrub) + (cover - np.median(scrub)) * np.exp(-footprint / PATCH * 4)
    detail = 0.5 + (detail - 0.5) * np.exp(-footprint / PATCH * 24)
    sand = np.array([0.58, 0.50, 0.36])
    green = np.array([0.30, 0.36, 0.20])
    vegetation = np.clip((cover - np.median(scrub)) * 6 + 0.5, 0, 1)[..., None]
    colour = (sand * (1 - vegetation) + green * vegetation) * (0.8 + 0.4 * detail)[..., None]
    haze = (1 - np.exp(-distance / HAZE))[..., None]
    colour = colour * (1 - haze) + HAZE_COLOUR * haze
    return np.where((elevation < 0)[..., None], colour, HAZE_COLOUR)


def main():
    rng = np.random.default_rng(31)
    direction, elevation, azimuth = directions()
    colour = sky_gradient(elevation)
    cloud = clouds(rng, elevation)[..., None]
    colour = colour * (1 - 0.85 * cloud) + np.array([0.97, 0.97, 0.98]) * 0.85 * cloud
    colour = colour + sun_glow(direction) * (1 - 0.6 * cloud)
    haze = np.exp(-np.abs(elevation) / 0.05)[..., None]
    colour = colour * (1 - 0.5 * haze) + np.array([0.85, 0.86, 0.84]) * 0.5 * haze
    for mask, tint in hills(rng, elevation, azimuth):
        colour = colour * (1 - mask[..., None]) + tint * mask[..., None]
    below = np.clip(-elevation / 0.004, 0, 1)[..., None]
    colour = colour * (1 - below) + plain(rng, direction, elevation) * below
    image = np.clip(colour * 255 + 0.5, 0, 255).astype(np.uint8)
    Image.fromarray(image, "RGB").save(sys.argv[1], quality=90, optimize=True)


if __name__ == "__main__":
    main()
