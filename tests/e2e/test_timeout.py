import unittest

import harness
from harness import FLOOR, MOVED, RED, Game, difference


class TimeOutTest(unittest.TestCase):
    """Waits out the whole 150 s countdown."""

    def test_running_out_of_time_blocks_walking_until_f9(self):
        with Game() as game:
            game.start_scene()
            lost = game.wait_for_picture(
                lambda image: harness.shows_text(image, harness.CENTRED_MESSAGE, "YOU LOST", RED, 10),
                timeout=400, what="the time-out message")

            # The player has stood still all along; the countdown text is gone, so hold W for a
            # stretch of time that covers many frames.
            game.hold("w", 20)
            after = game.screenshot()
            self.assertLess(difference(lost, after, FLOOR), 3.0, "W moved the player after the time-out")

            game.key("F9")
            restarted = game.wait_until_still()
            self.assertFalse(harness.shows_text(restarted, harness.CENTRED_MESSAGE, "YOU LOST", RED, 10))
            self.assertTrue(harness.shows_countdown(restarted))
            game.hold_until("w", lambda image: difference(restarted, image, FLOOR) > MOVED, timeout=180,
                            what="W to move the player again")


if __name__ == "__main__":
    unittest.main()
