"""Winning: the recorded route is replayed to the finish, and the win message is read.

These runs need the play-through replay (`--replay FILE`) and its committed route
`assets/replays/route.zrec`.
"""

import os
import re
import tempfile
import unittest

import harness
from harness import WIN_GREEN, Game

ROUTE = ["--replay", "assets/replays/route.zrec"]

# Where the win message and the record line under it lie on the 800 x 800 window, and the
# replay indicator in the bottom-right corner.
WIN_MESSAGE = (0, 310, 800, 440)
RECORD_LINE = (260, 432, 540, 492)
REPLAY_INDICATOR = (690, 755, 797, 797)


def level_checksum(path):
    """FNV-1a 64-bit of the file's bytes, as the game keys its best times."""
    checksum = 0xcbf29ce484222325
    with open(path, "rb") as file:
        for byte in file.read():
            checksum = ((checksum ^ byte) * 0x100000001b3) & 0xFFFFFFFFFFFFFFFF
    return f"{checksum:016x}"


def shows_win(image):
    return re.search(r"FINISHED [0-2]:[0-5]\d\.\d", harness.read_text(image, WIN_MESSAGE, WIN_GREEN, 10))


class WinTest(unittest.TestCase):
    def test_replaying_the_route_shows_the_replay_and_then_the_time_taken(self):
        with Game(args=ROUTE) as game:
            game.start_scene()
            game.wait_for_picture(lambda image: harness.shows_text(image, REPLAY_INDICATOR, "REPLAY"),
                                  what="the replay indicator")
            won = game.wait_for_picture(shows_win, timeout=900, what="the win message")
            self.assertFalse(harness.shows_countdown(won), "the countdown stops at the finish")
            self.assertNotIn("BEST", harness.read_text(won, RECORD_LINE, WIN_GREEN, 10),
                             "no best time yet, and a replay sets none")
            game.key("Escape")
            self.assertEqual(game.wait_for_exit(timeout=120), 0)
            self.assertFalse(os.path.exists(os.path.join(game.workdir, "data", "zelvira", "best-times.txt")))

    def test_a_replay_shows_the_stored_best_time_and_never_writes_a_record(self):
        with tempfile.TemporaryDirectory(prefix="zelvira-data-") as data_home:
            folder = os.path.join(data_home, "zelvira")
            os.mkdir(folder)
            records = os.path.join(folder, "best-times.txt")
            # A best time slow enough that the route beats it: a live run would replace it.
            seeded = f"# seeded\n{level_checksum(os.path.join(harness.ASSETS, 'scene.fbx'))} 149.900\n"
            with open(records, "w") as file:
                file.write(seeded)
            with Game(args=ROUTE, data_home=data_home) as game:
                game.start_scene()
                won = game.wait_for_picture(shows_win, timeout=900, what="the win message")
                self.assertEqual(harness.read_text(won, RECORD_LINE, WIN_GREEN, 10), "BEST 2:29.9")
                game.key("Escape")
                self.assertEqual(game.wait_for_exit(timeout=120), 0)
            with open(records) as file:
                self.assertEqual(file.read(), seeded)
            self.assertEqual(os.listdir(folder), ["best-times.txt"])


if __name__ == "__main__":
    unittest.main()
