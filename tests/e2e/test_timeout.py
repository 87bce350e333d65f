import tempfile
import unittest

import harness
import wave_output
from harness import FLOOR, MOVED, RED, REMAINING_TIME, Game, difference

# The countdown's tick is a 4 kHz blip; nothing else the game plays reaches this band.
TICK_BAND = (3800, 4200)


class TimeOutTest(unittest.TestCase):
    """Waits out the whole 150 s countdown, listening to its last seconds."""

    def test_running_out_of_time_blocks_walking_until_f9(self):
        with tempfile.TemporaryDirectory() as folder:
            environment, wav = wave_output.environment(folder)
            with Game(environment=environment) as game:
                game.start_scene()
                # In its last ten seconds the countdown turns red and goes on counting.
                hurry = game.wait_for_picture(lambda image: harness.shows_text(image, REMAINING_TIME, "Remaining time", RED),
                                              timeout=400, what="the countdown in red")
                later = game.next_frame(hurry)
                self.assertTrue(harness.shows_text(later, REMAINING_TIME, "Remaining time", RED))
                lost = game.wait_for_picture(
                    lambda image: harness.shows_text(image, harness.CENTRED_MESSAGE, "YOU LOST", RED, 10),
                    timeout=400, what="the time-out message")
                self.check_ticks(wave_output.read(wav))

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

    def check_ticks(self, samples):
        """Ticks in the last ten seconds of the countdown only, never two at once.

        The sound device opens before the countdown starts, so its last ten seconds begin at least
        140 s into the file. The game ticks in the first frame of each of those seconds; at the frame
        rates here (a frame can take more than a second) a frame that spans several seconds ticks
        once, so there are between a few and ten ticks.
        """
        ticks = wave_output.onsets(wave_output.band_levels(samples, *TICK_BAND), threshold=1e-3)
        print(f"countdown ticks at {[round(t, 2) for t in ticks]} s of {len(samples) / wave_output.RATE:.1f} s")
        self.assertTrue(3 <= len(ticks) <= 10, ticks)
        self.assertGreaterEqual(ticks[0], 139.5)
        gaps = [later - earlier for earlier, later in zip(ticks, ticks[1:])]
        self.assertGreater(min(gaps), 0.5, gaps)

if __name__ == "__main__":
    unittest.main()
