import os
import tempfile
import unittest

from harness import REMAINING_TIME, Game, is_hud_grey, shows_countdown

ROUTE = "assets/replays/route.zrec"


def countdown_gone(image):
    """Neither read by OCR nor left as a trace of the HUD's grey in the countdown's place."""
    region = image.crop(REMAINING_TIME)
    grey = sum(1 for pixel in region.getdata() if is_hud_grey(pixel))
    return grey < 20 and not shows_countdown(image)


def record_frames(path):
    with open(path) as file:
        return file.read().splitlines()[2:]


class ReplayTest(unittest.TestCase):
    def test_the_committed_route_reaches_the_finish(self):
        with Game(args=["--replay", ROUTE, "--exit-when-done"]) as game:
            self.assertTrue(shows_countdown(game.start_scene()))
            # The route stands on the finish for a few seconds before its file ends.
            game.wait_for_picture(countdown_gone, timeout=300, what="the countdown to go at the finish")
            self.assertEqual(game.wait_for_exit(timeout=300), 0)
            self.assertFalse([line for line in game.output() if line.startswith("ERROR")])

    def test_a_recording_ended_with_escape_replays_and_misses_the_finish(self):
        with tempfile.TemporaryDirectory() as folder:
            record = os.path.join(folder, "run.zrec")
            with Game(args=["--record", record]) as game:
                game.start_scene()
                game.hold("w", 3)
                game.key("F5", "Escape")
                self.assertEqual(game.wait_for_exit(timeout=120), 0)
            frames = record_frames(record)
            self.assertTrue(any(" W---- " in frame for frame in frames), "the held W is recorded")
            self.assertTrue(any(frame.endswith(" F5") for frame in frames), "the released F5 is recorded")

            with Game(args=["--replay", record, "--exit-when-done"]) as game:
                self.assertEqual(game.wait_for_exit(timeout=300), 3)

    def test_a_broken_record_or_a_wrong_command_line_ends_before_any_window(self):
        with tempfile.TemporaryDirectory() as folder:
            broken = os.path.join(folder, "broken.zrec")
            with open(broken, "w") as file:
                file.write("zelvira-input-record 1\nlevel 0000000000000000 assets/scene.fbx\n0.1 W---- 0 0 -\n0.1 W 0\n")
            for args, code, line in (
                    (["--replay", broken], 1, f"ERROR: Cannot replay '{broken}' line 4: "),
                    (["--replay"], 2, "zelvira: --replay needs a FILE"),
                    (["--record", "a.zrec", "--jump"], 2, "zelvira: unknown option --jump")):
                with self.subTest(args=args), Game(args=args) as game:
                    self.assertEqual(game.wait_for_exit(timeout=60), code)
                    self.assertTrue(game.output()[0].startswith(line), game.output())


if __name__ == "__main__":
    unittest.main()
