import time
import unittest

from harness import Game


class StartupTest(unittest.TestCase):
    def test_missing_settings_uses_defaults_and_opens_the_window(self):
        with Game(settings=False) as game:
            game.wait_for_window()
            self.assertIn("ERROR: Failed to load 'assets/settings.ini'. Using default values instead.",
                          game.output())
            self.assertEqual(game.title(), "Zelvira")
            self.assertEqual(game.size(), (800, 800))

    def test_escape_closes_the_game_normally(self):
        with Game() as game:
            game.wait_for_window()
            game.key("Escape")
            self.assertEqual(game.wait_for_exit(timeout=60), 0)

    def test_a_window_size_the_system_rejects_fails_promptly_without_waiting_for_a_key(self):
        started = time.monotonic()
        with Game(settings="[window]\nwidth = 0\n") as game:
            self.assertEqual(game.wait_for_exit(timeout=30), 1)
            self.assertIn("ERROR: Failed to create window", game.output())
        self.assertLess(time.monotonic() - started, 30)


if __name__ == "__main__":
    unittest.main()
