import unittest

import harness
from harness import Game


def shows(picture, box):
    """Whether the HUD has text or bar pixels in a box."""
    return harness.text_mask(picture, box, tolerance=12).getextrema()[0] == 0


class HudTest(unittest.TestCase):
    def test_f5_hides_only_the_help_line_and_f6_the_whole_hud(self):
        with Game() as game:
            game.wait_for_window()
            picture = game.wait_for_scene()
            self.assertIn("Culling", harness.read_text(picture, harness.HELP_LINE))

            game.key("F5")
            picture = game.wait_for_picture(
                lambda image: "Culling" not in harness.read_text(image, harness.HELP_LINE),
                what="the help line to disappear")
            self.assertIn("FPS", harness.read_text(picture, harness.FPS))
            self.assertIn("time:", harness.read_text(picture, harness.REMAINING_TIME))

            game.key("F6")
            picture = game.wait_for_picture(
                lambda image: "time" not in harness.read_text(image, harness.REMAINING_TIME),
                what="the countdown to disappear")
            self.assertNotIn("FPS", harness.read_text(picture, harness.FPS))
            self.assertFalse(shows(picture, harness.CHARGE_BAR))

    def test_holding_space_fills_the_charge_bar(self):
        def filled(picture):
            inside = picture.crop(harness.CHARGE_BAR).crop((6, 6, 150, 22))
            return sum(1 for pixel in inside.getdata() if all(abs(c - 166) <= 12 for c in pixel))

        with Game() as game:
            game.wait_for_window()
            empty = filled(game.wait_for_scene())
            # While the key is held the charge grows and the bar fills; letting go jumps.
            game.keydown("space")
            try:
                full = game.wait_for_picture(lambda image: filled(image) > empty + 500,
                                             timeout=300, what="the charge bar to fill")
            finally:
                game.keyup("space")
            self.assertGreater(filled(full), empty + 500)


if __name__ == "__main__":
    unittest.main()
