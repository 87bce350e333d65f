import tempfile
import unittest

import harness
import wave_output
from harness import Game
from test_hud import bar_fill

# The jump sweeps through this band; the thuds of turrets and peas stay below it.
JUMP_BAND = (800, 1900)


class AudioTest(unittest.TestCase):
    def test_without_a_sound_device_the_game_says_so_once_and_plays(self):
        # No driver at all, and a driver whose library fails loudly: either way the game's one line
        # is all the console shows of it.
        for name, environment in (("no driver", wave_output.no_device_environment),
                                  ("failing ALSA", wave_output.failing_alsa_environment)):
            with self.subTest(name), tempfile.TemporaryDirectory() as folder, \
                    Game(environment=environment(folder)) as game:
                picture = game.start_scene()
                game.next_frame(picture)
                game.key("Escape")
                self.assertEqual(game.wait_for_exit(timeout=120), 0)
                lines = [line for line in game.output()
                         if "sound" in line.lower() or line.startswith(("ALSA lib", "AL lib"))]
                self.assertEqual(lines, ["ERROR: No sound device could be opened; playing without sound"])

    def test_releasing_a_charged_jump_plays_the_jump_sound(self):
        with tempfile.TemporaryDirectory() as folder:
            environment, wav = wave_output.environment(folder)
            with Game(environment=environment) as game:
                # Charging starts once the player has landed from the spawn; the jump must come well
                # before the countdown runs out, which at these frame rates leaves no time to spare.
                empty = bar_fill(game.start_scene())
                pressed = wave_output.frames_written(wav)
                charged = game.hold_until("space", lambda image: bar_fill(image) > empty + 200, timeout=300,
                                          what="the charge bar to fill")
                released = wave_output.frames_written(wav)
                game.wait_for_picture(lambda image: harness.difference(charged, image, harness.FLOOR) > harness.MOVED,
                                      timeout=180, what="the jump to move the view")
                game.key("Escape")
                self.assertEqual(game.wait_for_exit(timeout=120), 0)
            samples = wave_output.read(wav)

        # The sound follows the release within a few frames; before it, only the thuds of turrets and
        # peas play, which stay out of the jump's band.
        levels = wave_output.band_levels(samples, *JUMP_BAND)
        window = 1024
        while_charging = levels[pressed // window:released // window].max()
        after_release = levels[released // window:].max()
        print(f"jump band RMS: {while_charging:.2e} at most while charging, {after_release:.2e} after the release")
        self.assertGreater(after_release, 0.005)
        self.assertLess(while_charging, after_release / 10)

if __name__ == "__main__":
    unittest.main()
