import os
import unittest

from harness import FLOOR, MOVED, Game, difference

# The shipped course without its turrets: every turret aims at the origin, where F9 puts the player,
# so on the shipped level a pea knocks the player off the reset point within a frame or two.
COURSE_WITHOUT_TURRETS = os.path.join(os.path.dirname(os.path.abspath(__file__)), "fixtures",
                                      "course_without_turrets.fbx")


class MovementTest(unittest.TestCase):
    def test_walking_moves_the_view_and_f9_brings_it_back(self):
        with Game(level=COURSE_WITHOUT_TURRETS) as game:
            game.start_scene()
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
            game.start_scene()
            before = game.wait_until_still()
            game.move_mouse(300, 0)
            game.wait_for_picture(lambda image: difference(before, image) > 20, timeout=120,
                                  what="the view to turn")

    def test_free_camera_flies_with_w(self):
        with Game() as game:
            game.start_scene()
            game.key("F4")
            hovering = game.wait_until_still()
            game.hold_until("w", lambda image: difference(hovering, image) > 20,
                            what="the camera to fly forward")


if __name__ == "__main__":
    unittest.main()
