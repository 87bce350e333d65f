#include "app/Application.h"
#include "app/CommandLine.h"

#include <iostream>

int main(int argc, char** argv) {
    constexpr int kUsageError = 2;
    std::string problem;
    std::optional<CommandLine> options = CommandLine::parse(argc, argv, problem);
    if (!options) {
        std::cout << "zelvira: " << problem << "\n" << CommandLine::kUsage << std::endl;
        return kUsageError;
    }
    Application application(std::move(*options));
    return application.run();
}
