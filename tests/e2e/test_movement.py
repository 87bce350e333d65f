import unittest

import harness
from harness import FLOOR, Game, difference

# Floor differences, 0 to 255: a still view stays under STILL, a walk of a few frames goes over MOVED.
STILL = 2.0
MOVED = 6.0


class MovementTest(unittest.TestCase):
    def test_walking_moves_the_view_and_f9_brings_it_back(self):
        with Game() as game:
            game.wait_for_window()
            game.wait_for_scene()
            game.wait_until_still()
            game.key("F9")
            at_reset = game.wait_until_still()

            game.hold_until("w", lambda image: difference(at_reset, image, FLOOR) > MOVED, timeout=180,
                            what="the view to move forward")
            # Once the player has come to rest, the reset puts it back exactly where it stood.
            walked = game.wait_until_still()
            game.key("F9")
            back = game.wait_until_still()
            self.assertLess(difference(at_reset, back, FLOOR), difference(at_reset, walked, FLOOR) / 2)

    def test_mouse_turns_the_view(self):
        with Game() as game:
            game.wait_for_window()
            game.wait_for_scene()
            before = game.wait_until_still()
            game.move_mouse(300, 0)
            game.wait_for_picture(lambda image: difference(before, image) > 20, timeout=120,
                                  what="the view to turn")

    def test_free_camera_flies_with_w(self):
        with Game() as game:
            game.wait_for_window()
            game.wait_for_scene()
            game.key("F4")
            hovering = game.wait_until_still()
            game.hold_until("w", lambda image: difference(hovering, image) > 20,
                            what="the camera to fly forward")


if __name__ == "__main__":
    unittest.main()
