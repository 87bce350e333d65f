"""Pictures of the course as a first-time player sees it: from the start, and from the free camera
lifted behind and above the start (an overview of the whole course).

    DISPLAY=:NN /usr/bin/python3 tests/e2e/make_course_screenshots.py build/zelvira OUT_PREFIX [WIDTHxHEIGHT]

writes OUT_PREFIX-start.png, OUT_PREFIX-start-up.png (the same view, looking up a little) and
OUT_PREFIX-overview.png. The free camera flies for one frame's wall-clock time, so the overview's
height varies from run to run; on a very slow frame it can pass the far plane (then only the sky
shows). Run it again in that case.
"""

import os
import sys
import time

import harness

# Mouse pixels per degree of turn (the game turns 0.1 degree per pixel).
PIXELS_PER_DEGREE = 10


def settings_for(width, height):
    with open(os.path.join(harness.ASSETS, "settings.ini")) as file:
        text = file.read()
    return text.replace("width = 800", f"width = {width}").replace("height = 800", f"height = {height}")


def scale_hud_boxes(width, height):
    """The HUD scales with the window: move the boxes the harness reads to where it draws them."""
    def scaled(box):
        left, top, right, bottom = box
        return (left * width // 800, top * height // 800, right * width // 800, bottom * height // 800)
    harness.REMAINING_TIME = scaled(harness.REMAINING_TIME)
    harness.FLOOR = scaled(harness.FLOOR)


def look(game, degrees_down):
    """Tilts the view in small steps so each mouse movement reaches the game as a separate event."""
    step = 5 if degrees_down > 0 else -5
    for _ in range(int(degrees_down / step)):
        game.move_mouse(0, step * PIXELS_PER_DEGREE)
        time.sleep(0.2)


def settled(game, picture):
    """The view once two frames in a row look alike: it has stopped turning or flying. Frames are
    told apart by any change at all, so this works after the countdown has run out too."""
    while True:
        newer = game.wait_for_picture(lambda image: harness.difference(image, picture) > 0.0, 120, "a frame")
        if harness.difference(newer, picture) < 1.0:
            return newer
        picture = newer


def view_after(game, before):
    """The view once it differs clearly from `before` and has stopped moving."""
    return settled(game, game.wait_for_picture(lambda image: harness.difference(image, before) > 3.0, 120,
                                               "the new view"))


def fly(game, key, frames):
    """Holds a key over whole frames: a short press between two slow frames would go unseen."""
    picture = game.screenshot()
    game.keydown(key)
    try:
        for _ in range(frames):
            picture = game.wait_for_picture(lambda image: harness.difference(image, picture) > 0.0, 120,
                                            "a frame")
    finally:
        game.keyup(key)


def start_views(settings, prefix):
    """Straight ahead once the player has landed, then looking up a little."""
    with harness.Game(settings) as game:
        game.start_scene()
        ahead = game.wait_until_still()
        ahead.save(f"{prefix}-start.png")
        look(game, -15)
        view_after(game, ahead).save(f"{prefix}-start-up.png")
        game.key("Escape")
        game.wait_for_exit(timeout=120)


def overview(settings, path):
    """The free camera rises steeply backwards from the start, then looks down the course."""
    with harness.Game(settings) as game:
        # The first frames are long (the textures load on first use): fly only once they pass.
        before = settled(game, game.start_scene())
        game.key("F4")
        look(game, 60)
        fly(game, "s", frames=1)
        look(game, -35)
        view_after(game, before).save(path)
        game.key("Escape")
        game.wait_for_exit(timeout=120)


def main():
    harness.BINARY = os.path.abspath(sys.argv[1])
    prefix = sys.argv[2]
    width, height = (int(n) for n in (sys.argv[3] if len(sys.argv) > 3 else "800x800").split("x"))
    scale_hud_boxes(width, height)
    settings = settings_for(width, height)
    start_views(settings, prefix)
    overview(settings, f"{prefix}-overview.png")
    print(f"wrote {prefix}-start.png, {prefix}-start-up.png and {prefix}-overview.png")


if __name__ == "__main__":
    main()
