#include "app/BestTimes.h"

#include <cmath>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <system_error>

namespace {

constexpr std::size_t kChecksumDigits = 16;

// "<16 lowercase hex digits> <positive seconds>", nothing else on the line.
bool parseRecord(const std::string& line, std::uint64_t& level, double& seconds) {
    if (line.size() < kChecksumDigits + 2 || line[kChecksumDigits] != ' ') {
        return false;
    }
    for (std::size_t i = 0; i < kChecksumDigits; ++i) {
        const char digit = line[i];
        if (!((digit >= '0' && digit <= '9') || (digit >= 'a' && digit <= 'f'))) {
            return false;
        }
    }
    level = std::stoull(line.substr(0, kChecksumDigits), nullptr, 16);
    std::istringstream rest(line.substr(kChecksumDigits + 1));
    rest >> seconds;
    return rest && rest.peek() == std::char_traits<char>::eof() && std::isfinite(seconds) && seconds > 0.0;
}

} // namespace

BestTimes::BestTimes(std::filesystem::path folder) : folder(std::move(folder)) {
    if (!this->folder.empty()) {
        load();
    }
}

std::filesystem::path BestTimes::defaultFolder(const char* xdgDataHome, const char* home) {
    if (xdgDataHome != nullptr && std::filesystem::path(xdgDataHome).is_absolute()) {
        return std::filesystem::path(xdgDataHome) / "zelvira";
    }
    if (home != nullptr && *home != '\0') {
        return std::filesystem::path(home) / ".local" / "share" / "zelvira";
    }
    return {};
}

std::optional<double> BestTimes::best(std::uint64_t level) const {
    const auto found = records.find(level);
    return found != records.end() ? std::optional(found->second) : std::nullopt;
}

bool BestTimes::offer(std::uint64_t level, double seconds) {
    const auto previous = best(level);
    if (previous && *previous <= seconds) {
        return false;
    }
    records[level] = seconds;
    unsaved = true;
    return true;
}

void BestTimes::saveNew() {
    if (unsaved) {
        unsaved = false;
        save();
    }
}

void BestTimes::load() {
    const std::filesystem::path path = folder / kFileName;
    std::error_code error;
    if (!std::filesystem::exists(path, error) && !error) {
        return;
    }
    std::ifstream file(path);
    if (error || !std::filesystem::is_regular_file(path, error) || !file) {
        std::cout << "ERROR: Could not read the best times in '" << path.string()
                  << "'; starting without them" << std::endl;
        return;
    }
    std::string line;
    int number = 0;
    while (std::getline(file, line)) {
        ++number;
        std::uint64_t level = 0;
        double seconds = 0.0;
        if (line.empty() || line.front() == '#') {
            continue;
        }
        if (!parseRecord(line, level, seconds)) {
            std::cout << "ERROR: The best times in '" << path.string() << "' are corrupt (line " << number
                      << "); starting without them" << std::endl;
            records.clear();
            return;
        }
        records[level] = seconds;
    }
}

void BestTimes::save() const {
    if (folder.empty()) {
        std::cout << "ERROR: Could not save the best time: neither XDG_DATA_HOME nor HOME is set"
                  << std::endl;
        return;
    }
    const std::filesystem::path path = folder / kFileName;
    const std::filesystem::path temporary = folder / (std::string(kFileName) + ".tmp");
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (!error) {
        std::ofstream file(temporary, std::ios::trunc);
        file << "# Zelvira best times: <level checksum> <seconds>\n";
        for (const auto& [level, seconds] : records) {
            char line[64];
            std::snprintf(line, sizeof line, "%016llx %.3f\n", static_cast<unsigned long long>(level),
                          seconds);
            file << line;
        }
        file.close();
        if (!file) {
            error = std::make_error_code(std::errc::io_error);
        } else {
            std::filesystem::rename(temporary, path, error);
        }
    }
    if (error) {
        std::error_code ignored;
        std::filesystem::remove(temporary, ignored);
        std::cout << "ERROR: Could not save the best time in '" << folder.string() << "': " << error.message()
                  << std::endl;
    }
}
