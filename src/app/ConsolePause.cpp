#include "app/ConsolePause.h"

#include <iostream>
#include <termios.h>
#include <unistd.h>

void pauseConsole() {
    if (!isatty(STDIN_FILENO)) {
        return;
    }
    std::cout << "Press any key to continue . . ." << std::flush;

    termios saved{};
    tcgetattr(STDIN_FILENO, &saved);
    termios raw = saved;
    raw.c_lflag &= static_cast<tcflag_t>(~(ICANON | ECHO));
    raw.c_cc[VMIN] = 1;
    raw.c_cc[VTIME] = 0;
    tcsetattr(STDIN_FILENO, TCSANOW, &raw);
    char key = 0;
    [[maybe_unused]] const ssize_t got = read(STDIN_FILENO, &key, 1);
    tcsetattr(STDIN_FILENO, TCSANOW, &saved);
    std::cout << std::endl;
}
