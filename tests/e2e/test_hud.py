import difflib
import re
import unittest

import harness
from harness import Game

# Where the layout puts the HUD's texts at three window sizes, as screenshot boxes (left, top,
# right, bottom), with the help line's lines as the layout wraps them.
LAYOUTS = {
    (800, 800): {
        "fps": (620, 4, 797, 56), "countdown": (4, 755, 299, 797), "bar": (320, 761, 480, 783),
        "help": (4, 4, 555, 91), "help_lines": [
            "F1 - Wireframe, F2 - Culling, F3 - Bullet Bounding Box,",
            "F4 - Free Camera, F5 - Info Text On/off, F6 - HUD On/Off,",
            "F7 - Mute, F9 - Reset Game, F11 - Fullscreen On/Off"]},
    (1280, 720): {
        "fps": (1120, 3, 1278, 50), "countdown": (3, 678, 275, 718), "bar": (512, 684, 768, 704),
        "help": (3, 3, 961, 58), "help_lines": [
            "F1 - Wireframe, F2 - Culling, F3 - Bullet Bounding Box, F4 - Free Camera, "
            "F5 - Info Text On/off, F6 - HUD On/Off,",
            "F7 - Mute, F9 - Reset Game, F11 - Fullscreen On/Off"]},
    (1920, 1080): {
        "fps": (1679, 7, 1914, 74), "countdown": (7, 1020, 409, 1073), "bar": (768, 1026, 1152, 1056),
        "help": (7, 7, 1411, 82), "help_lines": [
            "F1 - Wireframe, F2 - Culling, F3 - Bullet Bounding Box, F4 - Free Camera, "
            "F5 - Info Text On/off, F6 - HUD On/Off,",
            "F7 - Mute, F9 - Reset Game, F11 - Fullscreen On/Off"]},
}


def line_boxes(box, count):
    """The help box cut into its lines."""
    left, top, right, bottom = box
    step = (bottom - top) / count
    return [(left, round(top + i * step), right, round(top + (i + 1) * step)) for i in range(count)]


def reads_whole(image, box, expected):
    """OCR reads the whole expected text in the box, forgiving a misread letter here and there;
    returns whether it did and what was read."""
    readings = harness.read_outlined_text(image, box)
    whole = any(difflib.SequenceMatcher(None, expected.lower(), text.lower()).ratio() >= 0.9 for text in readings)
    return whole, readings


def reads_pattern(image, box, pattern):
    """Some OCR reading of the box matches the pattern in full."""
    return any(re.fullmatch(pattern, text) for text in harness.read_outlined_text(image, box))


COUNTDOWN = r"Remaining time: [0-2]:[0-5]\d\.\d"


def colour_count(picture, box, colour, rows):
    """Pixels of a colour (within a small tolerance) on the given rows of a box."""
    left, top, right, _ = box
    return sum(1 for y in rows for x in range(left, right)
               if all(abs(a - b) <= 3 for a, b in zip(picture.getpixel((x, top + y)), colour)))


def bar_frame_shown(picture, bar=harness.CHARGE_BAR):
    """The bar's frame: its top and bottom edges are unbroken grey lines."""
    width = bar[2] - bar[0]
    height = bar[3] - bar[1]
    return (colour_count(picture, bar, harness.HUD_GREY, [1]) > 0.9 * width
            and colour_count(picture, bar, harness.HUD_GREY, [height - 2]) > 0.9 * width)


def bar_fill(picture):
    return colour_count(picture, harness.CHARGE_BAR, harness.BAR_FILL, range(6, 17))


def press_until_gone(game, key, shown, what):
    """Presses a key and waits for a picture in which `shown` no longer holds; returns it."""
    game.key(key)
    return game.wait_for_picture(lambda image: not shown(image), what=f"{what} to disappear")


class HudTest(unittest.TestCase):
    def test_every_text_reads_whole_at_three_window_sizes(self):
        for (width, height), layout in LAYOUTS.items():
            with self.subTest(size=f"{width} x {height}"), \
                    Game(settings=f"[window]\nwidth = {width}\nheight = {height}\n") as game:
                game.start_scene()
                self.assertEqual(game.size(), (width, height))
                picture = game.wait_for_picture(lambda image: reads_pattern(image, layout["countdown"], COUNTDOWN),
                                                timeout=120, what="the countdown read whole")
                for box, expected in zip(line_boxes(layout["help"], len(layout["help_lines"])),
                                         layout["help_lines"]):
                    whole, text = reads_whole(picture, box, expected)
                    self.assertTrue(whole, f"help line read as {text!r}")
                self.assertTrue(reads_pattern(picture, layout["fps"], r"FPS: +-?\d+"))
                self.assertTrue(bar_frame_shown(picture, layout["bar"]))

    def test_f5_hides_only_the_help_line_and_f6_the_whole_hud(self):
        with Game() as game:
            picture = game.start_scene()
            self.assertTrue(harness.shows_help_line(picture))

            picture = press_until_gone(game, "F5", harness.shows_help_line, "the help line")
            self.assertTrue(harness.shows_text(picture, harness.FPS, "FPS:"))
            self.assertTrue(harness.shows_countdown(picture))

            picture = press_until_gone(game, "F6", harness.shows_countdown, "the countdown")
            self.assertFalse(harness.shows_text(picture, harness.FPS, "FPS:"))
            self.assertFalse(bar_frame_shown(picture))

    def test_holding_space_fills_the_charge_bar_in_its_own_colour(self):
        with Game() as game:
            picture = game.start_scene()
            self.assertTrue(bar_frame_shown(picture))
            empty = bar_fill(picture)
            # While the key is held the charge grows and the bar fills; letting go jumps.
            full = game.hold_until("space", lambda image: bar_fill(image) > empty + 500, timeout=300,
                                   what="the charge bar to fill")
            self.assertGreater(bar_fill(full), empty + 500)


if __name__ == "__main__":
    unittest.main()
