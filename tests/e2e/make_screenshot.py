"""Remakes the README's screenshots.

    xvfb-run -a -s "-screen 0 1280x1024x24" /usr/bin/python3 tests/e2e/make_screenshot.py build/zelvira [--win]

writes docs/screenshot.png: the game from its start position, after the first frames, with the HUD
as a player sees it. With --win it replays the recorded route to the finish instead and writes
docs/screenshot-win.png, the win message.
"""

import os
import sys

import harness
import test_win


def start_of_course(game):
    game.start_scene()
    return game.wait_until_still()


def finish(game):
    game.start_scene()
    return game.wait_for_picture(test_win.shows_win, timeout=900, what="the win message")


def main():
    arguments = [argument for argument in sys.argv[1:] if argument != "--win"]
    win = "--win" in sys.argv[1:]
    harness.BINARY = os.path.abspath(arguments[0] if arguments else "build/zelvira")
    target = os.path.join(harness.SOURCE_DIR, "docs", "screenshot-win.png" if win else "screenshot.png")
    with harness.Game(args=test_win.ROUTE if win else ()) as game:
        picture = finish(game) if win else start_of_course(game)
        os.makedirs(os.path.dirname(target), exist_ok=True)
        picture.save(target)
        game.key("Escape")
        game.wait_for_exit(timeout=120)
    print(f"wrote {target}")


if __name__ == "__main__":
    main()
