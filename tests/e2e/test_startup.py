import re
import subprocess
import tempfile
import time
import unittest

import harness
from harness import Game


class StartupTest(unittest.TestCase):
    def test_missing_settings_uses_defaults_and_opens_the_window(self):
        with Game(settings=False) as game:
            game.wait_for_window()
            self.assertIn("ERROR: Failed to load 'assets/settings.ini'. Using default values instead.",
                          game.output())
            self.assertEqual(game.title(), "Zelvira")
            self.assertEqual(game.size(), (800, 800))

    def test_started_outside_its_folder_the_game_says_where_it_looked_and_exits(self):
        with tempfile.TemporaryDirectory() as folder:
            run = subprocess.run([harness.BINARY], cwd=folder, stdin=subprocess.DEVNULL, capture_output=True,
                                 text=True, timeout=120)
        self.assertEqual(run.returncode, 1)
        self.assertEqual(run.stdout.splitlines(),
                         [f"ERROR: No 'assets' folder in '{folder}': start the game from the folder that holds it "
                          "(tools/play.sh does)"])

    def test_escape_closes_the_game_normally(self):
        with Game() as game:
            game.wait_for_window()
            game.key("Escape")
            self.assertEqual(game.wait_for_exit(timeout=120), 0)

    def test_values_out_of_range_are_reported_and_the_defaults_used(self):
        settings = "[window]\nwidth = 0\nheight = -5\nbrightness = nan\n[camera]\nfov = 0\nnear = 50\nfar = 10\n"
        with Game(settings=settings) as game:
            picture = game.start_scene()
            self.assertEqual(game.size(), (800, 800))
            for line in ["ERROR: [window] width = 0 is out of range (at least 64 and at most 16384); using 800",
                         "ERROR: [window] height = -5 is out of range (at least 64 and at most 16384); using 800",
                         "ERROR: [window] brightness = nan is out of range (above 0 and at most 100); using 1",
                         "ERROR: [camera] fov = 0 is out of range (above 0 and below 180); using 60",
                         "ERROR: [camera] near = 50 is not less than far = 10; "
                         "using near = 0.1 and far = 100"]:
                self.assertIn(line, game.output())
            self.assertTrue(harness.shows_countdown(picture))

    def test_a_window_larger_than_the_monitor_is_made_the_default_size(self):
        with Game(settings="[window]\nwidth = 16000\n") as game:
            game.wait_for_window()
            self.assertEqual(game.size(), (800, 800))
            self.assertTrue(any(line.startswith("ERROR: [window] width = 16000 is more than the monitor allows (")
                                for line in game.output()), game.output())

    def test_renders_the_level_with_sky_and_hud_and_no_gl_errors(self):
        with Game() as game:
            picture = game.start_scene()
            # The upper middle of the view is open sky: bluish, brighter than it is red.
            sky = picture.crop((300, 60, 500, 120)).resize((1, 1)).getpixel((0, 0))
            self.assertGreater(sky[2], sky[0], f"no sky colour above the course: {sky}")

            self.assertTrue(harness.shows_text(picture, harness.HELP_LINE, "F2 - Culling, F3 - Bullet"))
            self.assertTrue(harness.shows_countdown(picture))

            # Several more seconds of frames, then a clean exit without serious GL messages.
            time.sleep(5)
            game.wait_for_picture(lambda image: harness.difference(image, picture) > 0, 60, "a newer frame")
            game.key("Escape")
            self.assertEqual(game.wait_for_exit(timeout=120), 0)
            serious = [line for line in game.output()
                       if line.startswith("OpenGL Error: ") and re.search(r"Severity = (High|Medium)", line)]
            self.assertEqual(serious, [])


if __name__ == "__main__":
    unittest.main()
