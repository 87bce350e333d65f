"""A short session of the sanitizer build of the game: the normal paths of a run, from start to
Escape, must end with exit code 0 and without a report of AddressSanitizer, LeakSanitizer or
UndefinedBehaviorSanitizer. Registered only in the sanitizer build, where the game is slow, so
every step waits for a frame that shows it was taken."""

import unittest

from harness import FLOOR, MOVED, Game, difference


def sanitizer_lines(output):
    return [line for line in output if "Sanitizer" in line or "runtime error" in line]


def next_frame(game, previous):
    """A newer frame than `previous`: the video on the screen ahead and the peas keep every frame
    different, and the countdown text cannot be relied on once the slow game has timed out."""
    return game.wait_for_picture(lambda image: difference(previous, image) > 0, 120, "a new frame")


class SanitizedSmokeTest(unittest.TestCase):
    def test_a_short_session_ends_cleanly(self):
        with Game() as game:
            game.wait_for_window(timeout=300)
            picture = game.wait_for_scene(timeout=300)

            picture = game.hold_until("w", lambda image: difference(picture, image, FLOOR) > MOVED,
                                      timeout=300, what="the view to move forward")
            game.keydown("space")
            try:
                picture = next_frame(game, next_frame(game, picture))
            finally:
                game.keyup("space")

            # Each switch is drawn in at least one frame (the second after the key: the first may
            # have been under way when it came); the session ends with all of them on.
            for key in ["F1", "F2", "F3", "F4", "F5", "F6", "F11", "F9"]:
                game.key(key)
                picture = next_frame(game, next_frame(game, picture))

            game.key("Escape")
            self.assertEqual(game.wait_for_exit(timeout=300), 0, game.output())
            self.assertEqual(sanitizer_lines(game.output()), [])


if __name__ == "__main__":
    unittest.main()
