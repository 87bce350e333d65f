#include "BenchOptions.h"
#include "BenchReport.h"
#include "GameBench.h"

#include <iostream>

// Times the game's start-up, every stage of its frame and its shutdown; prints a table and writes
// the same figures as JSON.
int main(int argc, char** argv) {
    const std::optional<BenchOptions> options = BenchOptions::parse(argc, argv);
    if (!options) {
        return 2;
    }
    BenchReport report;
    GameBench bench(*options);
    const int status = bench.run(report);
    if (status != 0) {
        return status;
    }
    report.print(std::cout);
    return report.writeJson(options->outputPath) ? 0 : 1;
}
