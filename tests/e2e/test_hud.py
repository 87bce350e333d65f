import unittest

import harness
from harness import Game


def bar_rows(picture, rows):
    """HUD-grey pixels on the given rows of the charge bar."""
    left, top, right, _ = harness.CHARGE_BAR
    return sum(1 for y in rows for x in range(left, right) if harness.is_hud_grey(picture.getpixel((x, top + y))))


def bar_frame_shown(picture):
    """The bar's frame: its top and bottom edges are unbroken grey lines."""
    return bar_rows(picture, [1]) > 140 and bar_rows(picture, [19]) > 140


def bar_fill(picture):
    return bar_rows(picture, range(5, 16))


def press_until_gone(game, key, shown, what):
    """Presses a key and waits for a picture in which `shown` no longer holds; returns it."""
    game.key(key)
    return game.wait_for_picture(lambda image: not shown(image), what=f"{what} to disappear")


class HudTest(unittest.TestCase):
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

    def test_holding_space_fills_the_charge_bar(self):
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
