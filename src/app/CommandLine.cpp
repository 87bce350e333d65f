#include "app/CommandLine.h"

#include <string_view>

std::optional<CommandLine> CommandLine::parse(int argc, const char* const* argv, std::string& problem) {
    CommandLine options;
    for (int i = 1; i < argc; ++i) {
        const std::string_view option = argv[i];
        if (option == "--exit-when-done") {
            options.exitWhenDone = true;
            continue;
        }
        if (option != "--record" && option != "--replay") {
            problem = "unknown option " + std::string(option);
            return std::nullopt;
        }
        if (i + 1 >= argc || std::string_view(argv[i + 1]).empty()) {
            problem = std::string(option) + " needs a FILE";
            return std::nullopt;
        }
        std::string& path = option == "--record" ? options.recordPath : options.replayPath;
        if (!path.empty()) {
            problem = std::string(option) + " given twice";
            return std::nullopt;
        }
        path = argv[++i];
    }
    if (!options.recordPath.empty() && !options.replayPath.empty()) {
        problem = "--record and --replay cannot be combined";
        return std::nullopt;
    }
    if (options.exitWhenDone && options.replayPath.empty()) {
        problem = "--exit-when-done needs --replay";
        return std::nullopt;
    }
    return options;
}
