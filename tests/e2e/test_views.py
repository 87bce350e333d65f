import unittest

from harness import Game

SCENE = (0, 70, 800, 740)


def dark_share(picture):
    """Share of near-black pixels between the HUD lines: wireframe leaves most of the view unlit."""
    pixels = list(picture.crop(SCENE).convert("L").resize((100, 84)).getdata())
    return sum(1 for value in pixels if value < 20) / len(pixels)


def red_pixels(picture):
    """Pixels of a saturated red, the colour of the physics bounding boxes."""
    return sum(1 for r, g, b in picture.crop(SCENE).getdata() if r > 140 and g < 70 and b < 70)


class DebugViewTest(unittest.TestCase):
    def test_f1_switches_to_wireframe_and_back(self):
        with Game() as game:
            filled = game.start_scene()
            self.assertLess(dark_share(filled), 0.3)
            game.key("F1")
            game.wait_for_picture(lambda image: dark_share(image) > 0.6, what="the wireframe view")
            game.key("F1")
            game.wait_for_picture(lambda image: dark_share(image) < 0.3, what="the filled view again")

    def test_f3_draws_the_physics_debug_lines(self):
        with Game() as game:
            before = red_pixels(game.start_scene())
            game.key("F3")
            game.wait_for_picture(lambda image: red_pixels(image) > before + 500, what="red bounding boxes")


if __name__ == "__main__":
    unittest.main()
