"""Builds the level and exports it as assets/scene.fbx.

Run with: blender -b --factory-startup --python tools/level/make_level.py [-- ASSETS_DIR]

The material maps must exist first (tools/make_assets.sh generates them). Everything
below is written in the game's coordinates: y is up, the player starts at (-5, 2, 0)
looking along -z. `to_blender` turns them into Blender's z-up space, and the exporter
bakes the axis change back into the mesh data, so the file holds y-up meshes.

Conventions the game reads from the file:
- "skybox..."      the sky sphere, first node of the file, seen from inside;
- "screen..."      the video screen (RMA in the specular slot, normal map in the emissive slot);
- "peashooter..."  a turret barrel; its origin is the muzzle where peas are born;
- "finish_box..."  touching it wins (the box and the beacon standing on it);
- custom float properties "weight" (mass, 0 = static) and "friction" (default 1.0).
Every other mesh has albedo (diffuse slot), RMA (specular slot) and normal map (emissive slot).
"""

import math
import sys
from pathlib import Path

import bpy
from mathutils import Vector

ARGUMENTS = sys.argv[sys.argv.index("--") + 1:] if "--" in sys.argv else []
# `--without-turrets FILE` writes the same course without its turrets to FILE instead: a test level on
# which nothing but the player moves, so that a reset to the origin (where every turret aims) is exact.
WITHOUT_TURRETS = ARGUMENTS[ARGUMENTS.index("--without-turrets") + 1] if "--without-turrets" in ARGUMENTS else None
ASSETS = Path(ARGUMENTS[0]) if ARGUMENTS and ARGUMENTS[0] != "--without-turrets" else Path(__file__).resolve().parents[2] / "assets"
TEXTURES = ASSETS / "textures"

GROUND_TOP = -1.0
PILLAR_FOOT = -1.2  # platforms reach a little into the ground so no seam shows
SUN_DIRECTION = (0.3, -1.0, -0.15)  # the way the sun light travels
ICE_FRICTION = 0.05
RAMP_FRICTION = 0.6
CRATE_SIZE = 1.2


def to_blender(p):
    x, y, z = p
    return Vector((x, -z, y))


# --- materials -------------------------------------------------------------------


def load_image(file_name):
    path = TEXTURES / file_name
    if not path.is_file():
        raise SystemExit(f"missing texture {path}; run tools/make_assets.sh")
    return bpy.data.images.load(str(path), check_existing=True)


def make_material(name, maps):
    """Principled material whose Base Color, Specular and Emission inputs carry the maps.

    The exporter writes them as the diffuse, specular and emissive textures."""
    material = bpy.data.materials.new(name)
    material.use_nodes = True
    nodes = material.node_tree.nodes
    shader = nodes["Principled BSDF"]
    for socket, file_name in maps:
        node = nodes.new("ShaderNodeTexImage")
        node.image = load_image(file_name)
        material.node_tree.links.new(node.outputs["Color"], shader.inputs[socket])
    return material


def surface(name):
    return make_material(name, (("Base Color", f"{name}_albedo.png"), ("Specular", f"{name}_rma.png"),
                                ("Emission", f"{name}_normal.png")))


# Texture repeat length in metres per material.
TILE = {"ground": 4.0, "rock": 6.0, "platform": 4.0, "crate": CRATE_SIZE, "ice": 4.0, "turret": 2.0, "finish": 2.0,
        "beacon": 2.0}


# --- meshes ----------------------------------------------------------------------


def planar_uv(point, normal, corner, tile):
    """World-aligned projection, upright on walls, so neighbouring blocks share texel size."""
    d = [point[i] - corner[i] for i in range(3)]
    nx, ny, nz = normal
    if abs(ny) >= abs(nx) and abs(ny) >= abs(nz):
        u, v = d[0], -d[2] if ny > 0 else d[2]
    elif abs(nx) >= abs(nz):
        u, v = (-d[2] if nx > 0 else d[2]), d[1]
    else:
        u, v = (d[0] if nz > 0 else -d[0]), d[1]
    return u / tile, v / tile


def face_normal(points):
    a, b, c = (Vector(p) for p in points[:3])
    return tuple((b - a).cross(c - a).normalized())


def orient_outward(points, faces):
    """Winds every face of a convex solid counter-clockwise seen from outside."""
    centre = sum((Vector(p) for p in points), Vector()) / len(points)
    oriented = []
    for face in faces:
        corners = [points[i] for i in face]
        outward = Vector(corners[0]) - centre
        oriented.append(face if Vector(face_normal(corners)).dot(outward) > 0 else tuple(reversed(face)))
    return oriented


def add_object(name, points, faces, origin, material, uvs, smooth=False, props=None):
    """Mesh object from world-space points (game axes); faces wind counter-clockwise outside."""
    local = [to_blender(tuple(p[i] - origin[i] for i in range(3))) for p in points]
    mesh = bpy.data.meshes.new(name)
    mesh.from_pydata(local, [], faces)
    layer = mesh.uv_layers.new(name="UVMap")
    for polygon in mesh.polygons:
        polygon.use_smooth = smooth
        for loop_index, corner_uv in zip(polygon.loop_indices, uvs(polygon.index, faces[polygon.index])):
            layer.data[loop_index].uv = corner_uv
    if smooth:
        mesh.use_auto_smooth = True
        mesh.auto_smooth_angle = math.radians(40)
    mesh.materials.append(material)
    obj = bpy.data.objects.new(name, mesh)
    obj.location = to_blender(origin)
    for key, value in (props or {}).items():
        obj[key] = float(value)
    bpy.context.scene.collection.objects.link(obj)
    return obj


def add_solid(name, points, faces, material, tile, origin=None, props=None):
    """Convex solid with planar UVs; its origin is its bounding-box centre unless given."""
    lo = [min(p[i] for p in points) for i in range(3)]
    hi = [max(p[i] for p in points) for i in range(3)]
    origin = origin or tuple((lo[i] + hi[i]) / 2 for i in range(3))
    faces = orient_outward(points, faces)

    def uvs(_, face):
        corners = [points[i] for i in face]
        normal = face_normal(corners)
        return [planar_uv(p, normal, lo, tile) for p in corners]

    return add_object(name, points, faces, origin, material, uvs, props=props)


BOX_FACES = [(0, 1, 2, 3), (4, 5, 6, 7), (0, 1, 5, 4), (1, 2, 6, 5), (2, 3, 7, 6), (3, 0, 4, 7)]


def box_points(lo, hi):
    (x0, y0, z0), (x1, y1, z1) = lo, hi
    return [(x0, y0, z0), (x1, y0, z0), (x1, y0, z1), (x0, y0, z1),
            (x0, y1, z0), (x1, y1, z0), (x1, y1, z1), (x0, y1, z1)]


def add_box(name, lo, hi, material, tile, props=None):
    return add_solid(name, box_points(lo, hi), BOX_FACES, material, tile, props=props)


def add_pillar(name, x, z, top, material, tile, props=None):
    """Block standing on the ground: x and z are (min, max) ranges, top is the walking height."""
    return add_box(name, (x[0], PILLAR_FOOT, z[0]), (x[1], top, z[1]), material, tile, props)


def add_ramp(name, start, end, half_width, material, tile):
    """Wedge rising from `start` (x, top y, z) to `end`, standing on the ground."""
    s, e = Vector(start), Vector(end)
    run = Vector((e.x - s.x, 0, e.z - s.z)).normalized()
    side = Vector((-run.z, 0, run.x)) * half_width
    foot = PILLAR_FOOT
    points = [(s.x - side.x, foot, s.z - side.z), (e.x - side.x, foot, e.z - side.z),
              (e.x + side.x, foot, e.z + side.z), (s.x + side.x, foot, s.z + side.z),
              (s.x - side.x, s.y, s.z - side.z), (e.x - side.x, e.y, e.z - side.z),
              (e.x + side.x, e.y, e.z + side.z), (s.x + side.x, s.y, s.z + side.z)]
    return add_solid(name, points, BOX_FACES, material, tile, props={"friction": RAMP_FRICTION})


def add_prism(name, base_centre, axis, radius, length, sides, material, tile, origin=None):
    """Convex cylinder with `sides` facets from base_centre along axis (unit vector)."""
    axis = Vector(axis).normalized()
    helper = Vector((0, 1, 0)) if abs(axis.y) < 0.9 else Vector((1, 0, 0))
    u_dir = axis.cross(helper).normalized()
    v_dir = axis.cross(u_dir)
    base = Vector(base_centre)
    points = []
    for end in (0.0, length):
        for k in range(sides):
            a = 2 * math.pi * k / sides
            points.append(tuple(base + axis * end + (u_dir * math.cos(a) + v_dir * math.sin(a)) * radius))
    faces = [tuple(range(sides - 1, -1, -1)), tuple(range(sides, 2 * sides))]
    faces += [(k, (k + 1) % sides, sides + (k + 1) % sides, sides + k) for k in range(sides)]
    return add_solid(name, points, faces, material, tile, origin=origin)


def add_sky(radius=60.0, segments=64, rings=32):
    """Sphere seen from inside, mapped like the equirectangular sky image: u runs once round
    the horizon from +z through -x, -z (u = 0.5) and +x back to +z, where the seam vertices are
    doubled; v runs from the bottom pole to the top one."""
    points, uv_of = [], []
    for ring in range(rings + 1):
        elevation = -math.pi / 2 + math.pi * ring / rings
        for seg in range(segments + 1):
            azimuth = 2 * math.pi * seg / segments - math.pi
            points.append((radius * math.cos(elevation) * math.sin(azimuth), radius * math.sin(elevation),
                           -radius * math.cos(elevation) * math.cos(azimuth)))
            uv_of.append((seg / segments, ring / rings))
    faces = []
    for ring in range(rings):
        for seg in range(segments):
            a = ring * (segments + 1) + seg
            b = a + segments + 1
            faces.append((a, a + 1, b + 1, b))  # counter-clockwise seen from the centre
    sky = make_material("sky", ())
    return add_object("skybox", points, faces, (0.0, 0.0, 0.0), sky,
                      lambda _, face: [uv_of[i] for i in face], smooth=True)


def add_screen(material, frame_material):
    """Video screen on two posts; only the front face shows the whole video, upright."""
    x0, x1, y0, y1, z0, z1 = -10.0, 2.0, 9.0, 15.75, -40.9, -40.5
    points = box_points((x0, y0, z0), (x1, y1, z1))

    def uvs(_, face):
        corners = [points[i] for i in face]
        if face_normal(corners)[2] > 0.5:
            return [((p[0] - x0) / (x1 - x0), (p[1] - y0) / (y1 - y0)) for p in corners]
        return [(0.02, 0.02)] * len(corners)

    add_object("screen_video", points, orient_outward(points, BOX_FACES), ((x0 + x1) / 2, (y0 + y1) / 2, (z0 + z1) / 2), material, uvs)
    for name, x in (("billboard_post_left", x0 - 0.6), ("billboard_post_right", x1)):
        add_box(name, (x, PILLAR_FOOT, -41.1), (x + 0.6, y1 + 0.4, -40.3), frame_material, TILE["platform"])


def add_turret(index, muzzle, material, tile):
    """Pedestal plus barrel. Peas fly from the muzzle towards the axis x = 0, z = 0, so the
    barrel points that way and ends 0.4 short of the muzzle: no pea is born inside it."""
    muzzle = Vector(muzzle)
    aim = Vector((-muzzle.x, 0.0, -muzzle.z)).normalized()
    barrel_radius, barrel_length, clearance = 0.3, 1.4, 0.4
    back = muzzle - aim * (clearance + barrel_length)
    add_prism(f"peashooter_{index}", tuple(back), tuple(aim), barrel_radius, barrel_length, 12, material, tile,
              origin=tuple(muzzle))
    middle = muzzle - aim * (clearance + barrel_length / 2)
    base_top = muzzle.y - barrel_radius
    add_prism(f"turret_base_{index}", (middle.x, PILLAR_FOOT, middle.z), (0, 1, 0), 0.6, base_top - PILLAR_FOOT, 8,
              material, tile)


# --- the level ---------------------------------------------------------------------


def build_arena(mat):
    add_box("ground", (-24.0, -2.0, -42.0), (20.0, GROUND_TOP, 9.0), mat["ground"], TILE["ground"])
    wall_top = 5.0
    add_box("wall_west", (-25.0, -2.0, -43.0), (-24.0, wall_top, 10.0), mat["rock"], TILE["rock"])
    add_box("wall_east", (20.0, -2.0, -43.0), (21.0, wall_top, 10.0), mat["rock"], TILE["rock"])
    add_box("wall_north", (-24.0, -2.0, -43.0), (20.0, wall_top, -42.0), mat["rock"], TILE["rock"])
    add_box("wall_south", (-24.0, -2.0, 9.0), (20.0, wall_top, 10.0), mat["rock"], TILE["rock"])
    # Every pea flies towards the axis at the origin; those that overshoot or roll on from
    # there head south-west, past the start. This low wall beside the start stops them, and
    # stays out of the view from the start along -z.
    add_box("pea_guard", (-2.7, PILLAR_FOOT, -2.0), (-2.2, 0.5, 5.0), mat["rock"], TILE["rock"])


# The route in order. Pillars: (name, x range, z range, top).
LEFT_SIDE = [
    ("platform_01", (-8, -2), (-15, -11), 1.0),
    ("platform_02", (-8, -2), (-23, -19), 2.0),
    ("platform_03", (-22, -17), (-24, -18), 3.0),
    ("stone_01", (-21, -18), (-31, -28), 3.5),
    ("stone_02", (-21, -18), (-39, -35), 3.0),
    ("platform_04", (-14, -5), (-39, -33), 3.0),
    ("platform_05", (-1, 3), (-39, -33), 3.0),
]
RIGHT_SIDE = [
    ("platform_06", (12, 17), (-39, -33), 4.5),
    ("stone_03", (12, 15), (-28, -25), 5.5),
    ("stone_04", (12, 15), (-20, -17), 4.5),
    ("stone_05", (12, 15), (-12, -9), 5.5),
    ("platform_07", (10, 16.5), (-5, 1), 6.5),
    ("stone_06", (3, 6), (-6.5, -2.5), 7.5),
    ("stone_07", (3, 6), (-14.5, -10.5), 8.5),
]
FINISH_PLATFORM = ("platform_finish", (2, 8), (-24.5, -18.5), 9.5)
BEACON_TOP = 30.0


def add_beacon(foot, material):
    """A tall banded pole standing on the finish box, seen over the pillars from the start. It is
    part of the finish (touching it wins too), and it rises where nothing else can be reached."""
    add_prism("finish_box_beacon", foot, (0, 1, 0), 0.45, BEACON_TOP - foot[1], 8, material, TILE["beacon"])


def build_route(mat):
    tile = TILE["platform"]
    add_ramp("ramp_01", (-5.0, GROUND_TOP, -3.0), (-5.0, 1.0, -11.0), 2.0, mat["platform"], tile)
    for name, x, z, top in LEFT_SIDE[:2]:
        add_pillar(name, x, z, top, mat["platform"], tile)
    add_pillar("ice_bridge", (-17, -8), (-22.5, -19.5), 2.0, mat["ice"], TILE["ice"], {"friction": ICE_FRICTION})
    for name, x, z, top in LEFT_SIDE[2:]:
        add_pillar(name, x, z, top, mat["platform"], tile)
    add_ramp("ramp_02", (3.0, 3.0, -36.0), (9.0, 4.5, -36.0), 1.2, mat["platform"], tile)
    add_pillar("beam", (9, 12), (-36.6, -35.4), 4.5, mat["platform"], tile)
    for name, x, z, top in RIGHT_SIDE:
        add_pillar(name, x, z, top, mat["platform"], tile)
    name, x, z, top = FINISH_PLATFORM
    add_pillar(name, x, z, top, mat["platform"], tile)
    add_box("finish_box", (4.0, top, -24.0), (6.0, top + 1.0, -22.0), mat["finish"], TILE["finish"])
    add_beacon((5.0, top + 1.0, -23.0), mat["beacon"])



def build_crates(mat):
    """Loose crates on the crate deck, resting a hair above it so they settle without a hop."""
    deck_top = 3.0 + 0.02
    for index, (x, z, weight) in enumerate(((-12.8, -34.4, 4.0), (-9.0, -37.4, 6.0), (-7.2, -34.6, 4.0),
                                             (-7.2, -37.8, 5.0)), start=1):
        half = CRATE_SIZE / 2
        add_box(f"crate_{index:02d}", (x - half, deck_top, z - half), (x + half, deck_top + CRATE_SIZE, z + half),
                mat["crate"], TILE["crate"], {"weight": weight})


# Muzzle positions: each fan of peas crosses one stretch of the route at body height.
TURRETS = [(-11.5, 4.8, -37.8), (6.6, 5.6, -40.0), (18.06, 7.6, -19.4), (8.5, 11.5, -15.9)]


def build_lights():
    sun = bpy.data.lights.new("sun", "SUN")
    sun.energy = 1.0
    sun.color = (1.0, 0.95, 0.85)
    sun_object = bpy.data.objects.new("sun", sun)
    sun_object.location = to_blender((0.0, 50.0, 0.0))
    sun_object.rotation_mode = "QUATERNION"
    sun_object.rotation_quaternion = to_blender(SUN_DIRECTION).to_track_quat("-Z", "Y")
    bpy.context.scene.collection.objects.link(sun_object)
    # Quadratic falloff: the file stores 2 / distance^2 as the quadratic coefficient.
    for name, position, colour in (("lamp_warm", (-5.0, 6.0, -16.0), (1.0, 0.55, 0.25)),
                                   ("lamp_ice", (-16.0, 7.0, -30.0), (0.3, 0.8, 1.0)),
                                   ("lamp_magenta", (13.5, 10.5, -22.0), (1.0, 0.35, 0.8)),
                                   # over the finish box, in front of the beacon: the glow of the goal
                                   ("lamp_gold", (5.0, 12.0, -22.0), (1.0, 0.85, 0.4))):
        lamp = bpy.data.lights.new(name, "POINT")
        lamp.energy = 0.6
        lamp.color = colour
        lamp.falloff_type = "INVERSE_SQUARE"
        lamp.distance = 10.0
        lamp_object = bpy.data.objects.new(name, lamp)
        lamp_object.location = to_blender(position)
        bpy.context.scene.collection.objects.link(lamp_object)


def main():
    bpy.ops.wm.read_factory_settings(use_empty=True)
    add_sky()
    mat = {name: surface(name) for name in TILE}
    build_arena(mat)
    build_route(mat)
    build_crates(mat)
    for index, muzzle in enumerate([] if WITHOUT_TURRETS else TURRETS, start=1):
        add_turret(index, muzzle, mat["turret"], TILE["turret"])
    screen = make_material("screen", (("Specular", "screen_rma.png"), ("Emission", "screen_normal.png")))
    add_screen(screen, mat["platform"])
    build_lights()
    # Written beside the textures so that its texture paths are relative to the assets folder.
    exported = ASSETS / ("scene_without_turrets.fbx" if WITHOUT_TURRETS else "scene.fbx")
    bpy.ops.export_scene.fbx(
        filepath=str(exported), object_types={"MESH", "LIGHT"}, use_custom_props=True,
        bake_space_transform=True, axis_forward="-Z", axis_up="Y", apply_scale_options="FBX_SCALE_UNITS",
        path_mode="RELATIVE", embed_textures=False, mesh_smooth_type="OFF", use_mesh_modifiers=False,
        bake_anim=False, add_leaf_bones=False)
    if WITHOUT_TURRETS:
        exported.replace(WITHOUT_TURRETS)


main()
