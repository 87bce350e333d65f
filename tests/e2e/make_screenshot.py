"""Remakes the README's screenshot: the game from its start position, after the first frames.

    xvfb-run -a -s "-screen 0 1280x1024x24" /usr/bin/python3 tests/e2e/make_screenshot.py build/zelvira

writes docs/screenshot.png.
"""

import os
import sys

import harness


def main():
    harness.BINARY = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else "build/zelvira")
    target = os.path.join(harness.SOURCE_DIR, "docs", "screenshot.png")
    with harness.Game() as game:
        game.start_scene()
        picture = game.wait_until_still()
        os.makedirs(os.path.dirname(target), exist_ok=True)
        picture.save(target)
        game.key("Escape")
        game.wait_for_exit(timeout=120)
    print(f"wrote {target}")


if __name__ == "__main__":
    main()
