#!/usr/bin/python3
"""Procedural material maps of the level: albedo, RMA and normal map per material.

Every map tiles seamlessly (all noise is periodic and every filter wraps around).
The RMA map holds roughness in red, metalness in green and ambient occlusion in blue.
Normal maps are tangent-space maps: red leans towards the image's right edge, green
towards its top edge, blue points out of the surface.

Usage: textures.py OUTPUT_DIR
"""

import sys
from pathlib import Path

import numpy as np
from PIL import Image

SIZE = 512


def fractal_noise(rng, size, exponent):
    """Periodic noise with a 1/f^exponent spectrum, scaled to [0, 1]."""
    fx = np.fft.fftfreq(size)[None, :] * size
    fy = np.fft.fftfreq(size)[:, None] * size
    radius = np.sqrt(fx * fx + fy * fy)
    radius[0, 0] = 1.0
    spectrum = np.fft.fft2(rng.standard_normal((size, size)))
    spectrum *= radius ** -exponent
    field = np.real(np.fft.ifft2(spectrum))
    return (field - field.min()) / (field.max() - field.min())


def blur(field, radius):
    """Wrapping box blur, applied twice for a softer falloff."""
    for _ in range(2):
        acc = np.zeros_like(field)
        for dy in range(-radius, radius + 1):
            acc += np.roll(field, dy, axis=0)
        field = acc / (2 * radius + 1)
        acc = np.zeros_like(field)
        for dx in range(-radius, radius + 1):
            acc += np.roll(field, dx, axis=1)
        field = acc / (2 * radius + 1)
    return field


def coords(size=SIZE):
    v, u = np.mgrid[0:size, 0:size] / size
    return u, v


def cell_edges(u, v, cells_x, cells_y, bevel, stagger=0.0):
    """Height 1 inside each tile, falling to 0 over `bevel` (in tile units) at its edges."""
    row = np.floor(v * cells_y)
    fu = (u * cells_x + stagger * (row % 2)) % 1.0
    fv = (v * cells_y) % 1.0
    dist = np.minimum(np.minimum(fu, 1 - fu), np.minimum(fv, 1 - fv))
    return np.clip(dist / bevel, 0.0, 1.0), row, np.floor(u * cells_x + stagger * (row % 2))


def tile_variation(rng, rows, cols, count, spread):
    table = 1.0 + rng.uniform(-spread, spread, count)
    return table[((rows * 7 + cols * 13) % count).astype(int)]


def normal_map(height, strength):
    dx = (np.roll(height, -1, axis=1) - np.roll(height, 1, axis=1)) * 0.5 * strength
    dy = (np.roll(height, -1, axis=0) - np.roll(height, 1, axis=0)) * 0.5 * strength
    # Rows run down the image, so the slope towards its top edge is +dy.
    n = np.stack([-dx, dy, np.ones_like(height)], axis=-1)
    return n / np.linalg.norm(n, axis=-1, keepdims=True)


def occlusion(height, radius, strength):
    cavity = np.clip(blur(height, radius) - height, 0.0, None)
    return np.clip(1.0 - strength * cavity, 0.0, 1.0)


def colorize(t, dark, light):
    dark, light = np.array(dark, float), np.array(light, float)
    return dark + (light - dark) * t[..., None]


def to_bytes(values):
    return np.clip(values * 255.0 + 0.5, 0, 255).astype(np.uint8)


def save_material(out, name, albedo, roughness, metalness, ao, normals):
    """Writes the material's maps; without an albedo (the screen shows the video) only RMA and normals."""
    if albedo is not None:
        Image.fromarray(to_bytes(albedo), "RGB").save(out / f"{name}_albedo.png", optimize=True)
    rma = np.stack([roughness, metalness, ao], axis=-1)
    Image.fromarray(to_bytes(rma), "RGB").save(out / f"{name}_rma.png", optimize=True)
    Image.fromarray(to_bytes(normals * 0.5 + 0.5), "RGB").save(out / f"{name}_normal.png", optimize=True)


def ground(rng):
    """Sandy quarry flagstones, staggered, with grit in the joints."""
    u, v = coords()
    tiles, rows, cols = cell_edges(u, v, 4, 4, 0.06, stagger=0.5)
    grit = fractal_noise(rng, SIZE, 1.2)
    height = 0.8 * np.sqrt(tiles) + 0.2 * grit
    shade = tile_variation(rng, rows, cols, 17, 0.12)
    albedo = colorize(0.35 + 0.65 * grit, (0.42, 0.36, 0.28), (0.72, 0.64, 0.50)) * shade[..., None]
    albedo *= (0.55 + 0.45 * tiles)[..., None]
    roughness = 0.85 + 0.1 * grit
    return albedo, roughness, np.zeros_like(u), occlusion(height, 6, 2.5), normal_map(height, 14.0)


def rock(rng):
    """Layered quarry rock for the boundary walls."""
    u, v = coords()
    warp = fractal_noise(rng, SIZE, 1.6)
    strata = 0.5 + 0.5 * np.sin(2 * np.pi * (v * 6 + 0.6 * warp))
    detail = fractal_noise(rng, SIZE, 1.1)
    height = 0.55 * strata + 0.45 * detail
    albedo = colorize(height, (0.26, 0.23, 0.21), (0.58, 0.52, 0.45))
    roughness = 0.9 - 0.1 * detail
    return albedo, roughness, np.zeros_like(u), occlusion(height, 8, 2.0), normal_map(height, 18.0)


def platform(rng):
    """Bevelled concrete panels with bolts in their corners."""
    u, v = coords()
    panels, rows, cols = cell_edges(u, v, 2, 2, 0.04)
    speckle = fractal_noise(rng, SIZE, 0.9)
    fu, fv = (u * 2) % 1.0, (v * 2) % 1.0
    bolts = np.zeros_like(u)
    for cx in (0.1, 0.9):
        for cy in (0.1, 0.9):
            d = np.sqrt((fu - cx) ** 2 + (fv - cy) ** 2)
            bolts = np.maximum(bolts, np.clip(1 - d / 0.035, 0, 1))
    height = 0.75 * np.sqrt(panels) + 0.1 * speckle + 0.35 * np.sqrt(bolts)
    shade = tile_variation(rng, rows, cols, 11, 0.06)
    albedo = colorize(speckle, (0.38, 0.40, 0.44), (0.62, 0.64, 0.68)) * shade[..., None]
    albedo = np.where(bolts[..., None] > 0, albedo * 0.6 + np.array([0.25, 0.22, 0.18]), albedo)
    roughness = np.where(bolts > 0, 0.35, 0.75 + 0.15 * speckle)
    metalness = np.where(bolts > 0, 1.0, 0.0)
    return albedo, roughness, metalness, occlusion(height, 5, 2.5), normal_map(height, 10.0)


def crate(rng):
    """Wooden planks with a frame and a diagonal brace."""
    u, v = coords()
    grain = fractal_noise(rng, SIZE, 1.0)
    stretched = blur(grain, 1)
    fibres = 0.5 + 0.5 * np.sin(2 * np.pi * (v * 40 + 3.0 * stretched))
    planks, rows, _ = cell_edges(u, v, 1, 5, 0.03)
    frame = np.clip((np.minimum(np.minimum(u, 1 - u), np.minimum(v, 1 - v)) - 0.09) / 0.01, 0, 1)
    brace = np.clip((0.07 - np.abs(u - v)) / 0.01, 0, 1)
    raised = np.maximum(1 - frame, brace)
    height = 0.5 * planks + 0.15 * fibres + 0.45 * raised
    shade = tile_variation(rng, rows, np.zeros_like(rows), 5, 0.1)
    albedo = colorize(0.6 * fibres + 0.4 * grain, (0.36, 0.22, 0.11), (0.66, 0.46, 0.26)) * shade[..., None]
    albedo *= (0.85 + 0.15 * raised)[..., None]
    roughness = 0.7 + 0.2 * grain
    return albedo, roughness, np.zeros_like(u), occlusion(height, 5, 2.5), normal_map(height, 9.0)


def ice(rng):
    """Pale blue ice with a web of frozen cracks; smooth and glossy."""
    u, v = coords()
    cloud = fractal_noise(rng, SIZE, 1.4)
    ridges = 1.0 - np.abs(2.0 * fractal_noise(rng, SIZE, 1.3) - 1.0)
    cracks = np.clip((ridges - 0.93) / 0.07, 0, 1)
    height = 0.3 * cloud - 0.5 * cracks
    albedo = colorize(cloud, (0.55, 0.72, 0.86), (0.86, 0.94, 1.0))
    albedo = albedo * (1 - 0.35 * cracks[..., None]) + 0.35 * cracks[..., None]
    roughness = 0.08 + 0.12 * cloud + 0.3 * cracks
    return albedo, roughness, np.zeros_like(u), occlusion(height, 4, 1.0), normal_map(height, 6.0)


def turret(rng):
    """Green painted steel plates with rivet rows and worn edges."""
    u, v = coords()
    plates, rows, cols = cell_edges(u, v, 2, 4, 0.03)
    wear = fractal_noise(rng, SIZE, 1.2)
    fu, fv = (u * 2) % 1.0, (v * 4) % 1.0
    rivet_u = (np.abs(((fu * 8) % 1.0) - 0.5) * 2) ** 2
    rivet_line = np.clip(1 - np.abs(fv - 0.15) / 0.05, 0, 1)
    rivets = np.clip(1 - (rivet_u + (1 - rivet_line)) / 0.35, 0, 1)
    height = 0.6 * np.sqrt(plates) + 0.4 * np.sqrt(rivets) + 0.05 * wear
    worn = np.clip((0.25 - plates) * 4 + (wear - 0.7) * 3, 0, 1)
    paint = colorize(wear, (0.10, 0.32, 0.10), (0.22, 0.55, 0.18))
    steel = np.array([0.62, 0.62, 0.60])
    albedo = paint * (1 - worn[..., None]) + steel * worn[..., None]
    roughness = 0.45 - 0.2 * worn + 0.1 * wear
    metalness = 0.2 + 0.8 * worn
    return albedo, roughness, metalness, occlusion(height, 4, 2.0), normal_map(height, 8.0)


def finish(rng):
    """Polished gold and black chequers with raised gold squares."""
    u, v = coords()
    cells, rows, cols = cell_edges(u, v, 4, 4, 0.05)
    gold = ((rows + cols) % 2 == 0).astype(float)
    scratch = fractal_noise(rng, SIZE, 0.8)
    height = 0.6 * np.sqrt(cells) * (0.5 + 0.5 * gold) + 0.05 * scratch
    albedo = np.where(gold[..., None] > 0, np.array([1.0, 0.78, 0.22]), np.array([0.05, 0.05, 0.06]))
    albedo = albedo * (0.9 + 0.1 * scratch[..., None])
    roughness = np.where(gold > 0, 0.22, 0.5) + 0.1 * scratch
    return albedo, roughness, gold, occlusion(height, 4, 1.5), normal_map(height, 8.0)


def beacon(rng):
    """The finish beacon: broad gold and white bands, smooth paint, read from across the arena."""
    u, v = coords()
    bands, rows, _ = cell_edges(u, v, 1, 2, 0.04)
    gold = (rows % 2 == 0).astype(float)
    scratch = fractal_noise(rng, SIZE, 0.8)
    height = 0.5 * np.sqrt(bands) + 0.03 * scratch
    albedo = np.where(gold[..., None] > 0, np.array([1.0, 0.76, 0.18]), np.array([0.95, 0.95, 0.92]))
    albedo = albedo * (0.93 + 0.07 * scratch[..., None])
    roughness = 0.4 + 0.1 * scratch
    return albedo, roughness, np.zeros_like(u), occlusion(height, 4, 1.0), normal_map(height, 4.0)


def screen():
    """The video screen: a flat, slightly glossy panel (its albedo is the video)."""
    flat = np.zeros((64, 64, 3))
    flat[..., 2] = 1.0
    return None, np.full((64, 64), 0.35), np.zeros((64, 64)), np.ones((64, 64)), flat


MATERIALS = {
    "ground": ground,
    "rock": rock,
    "platform": platform,
    "crate": crate,
    "ice": ice,
    "turret": turret,
    "finish": finish,
    "beacon": beacon,
}


def main():
    out = Path(sys.argv[1])
    out.mkdir(parents=True, exist_ok=True)
    for index, (name, make) in enumerate(MATERIALS.items()):
        save_material(out, name, *make(np.random.default_rng(1000 + index)))
    save_material(out, "screen", *screen())


if __name__ == "__main__":
    main()
