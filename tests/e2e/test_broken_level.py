import os
import unittest

import harness
from harness import Game

FIXTURES = os.path.join(harness.SOURCE_DIR, "tests", "scene", "fixtures")


def shows_failure(image):
    return harness.shows_text(image, harness.CENTRED_MESSAGE, "Level could not be loaded - see the console",
                              colour=harness.RED, tolerance=12)


class BrokenLevelTest(unittest.TestCase):
    def test_a_level_without_meshes_says_so_on_screen_and_the_countdown_stays_off(self):
        with Game(level=os.path.join(FIXTURES, "no_meshes.fbx")) as game:
            game.wait_for_window()
            picture = game.wait_for_picture(shows_failure, 180, "the level failure message")
            self.assertIn("ERROR::ASSIMP:: no meshes", game.output())
            self.assertFalse(harness.shows_countdown(picture))
            self.assertTrue(harness.shows_help_line(picture))
            game.key("Escape")
            self.assertEqual(game.wait_for_exit(timeout=120), 0)


if __name__ == "__main__":
    unittest.main()
