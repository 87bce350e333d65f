import subprocess
import unittest

from harness import Game, is_rendered, wait_until


def screen_size():
    """The test display's size, as the X server reports it."""
    info = subprocess.run(["xdpyinfo"], capture_output=True, text=True, timeout=30).stdout
    dimensions = next(line for line in info.splitlines() if "dimensions:" in line)
    width, height = dimensions.split()[1].split("x")
    return int(width), int(height)


def fills(picture, width, height):
    """The scene reaches the window's far edges: its right and top strips are a real picture, not the
    black of a window whose image stayed at the configured size in the lower-left corner."""
    right_strip = picture.crop((width - 200, height // 4, width, 3 * height // 4))
    top_strip = picture.crop((width // 4, 60, 3 * width // 4, 160))
    return is_rendered(right_strip) and is_rendered(top_strip)


class FullScreenTest(unittest.TestCase):
    def test_the_picture_fills_a_full_screen_larger_than_the_window(self):
        screen = screen_size()
        if screen[0] <= 800 or screen[1] <= 800:
            self.skipTest(f"the display ({screen[0]} x {screen[1]}) is not larger than the window")
        with Game() as game:
            game.start_scene()
            game.key("F11")
            wait_until(lambda: game.size() == screen, 120, "the window to take the screen's size")
            game.wait_for_picture(lambda image: image.size == screen and fills(image, *screen), timeout=240,
                                  what="the scene filling the whole screen")
            game.key("F11")
            wait_until(lambda: game.size() == (800, 800), 120, "the window to return to 800 x 800")
            game.wait_for_picture(lambda image: image.size == (800, 800) and fills(image, 800, 800),
                                  timeout=240, what="the scene filling the window again")
            self.assertFalse([line for line in game.output() if "ERROR" in line or "Error" in line],
                             game.output())


if __name__ == "__main__":
    unittest.main()
