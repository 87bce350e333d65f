// Opens the game's window and takes it down again, the way every run of the game starts and ends,
// so that the sanitizer build's exit-time leak report can be checked on its own: with no argument
// it must be clean (nothing the GL driver keeps counts against the game), with --leak it must
// still name the block that the game's own code forgot.
#include "app/Application.h"

#include <iostream>
#include <string>

namespace {

constexpr int kForgottenBytes = 4242;

char* volatile block = nullptr;

// Out of line, so that no pointer to the block survives in a live stack frame.
[[gnu::noinline]] void forgetABlock() {
    block = new char[kForgottenBytes];
    block = nullptr;
}

} // namespace

int main(int argc, char** argv) {
    Application application;
    std::string failure;
    if (!application.openWindow(failure)) {
        std::cout << "ERROR: " << failure << std::endl;
        return 1;
    }
    if (argc > 1 && std::string(argv[1]) == "--leak") {
        forgetABlock();
    }
    application.shutdown();
    return 0;
}
