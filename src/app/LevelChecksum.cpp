#include "app/LevelChecksum.h"

#include <array>
#include <fstream>

namespace {

constexpr std::uint64_t kFnvOffsetBasis = 0xcbf29ce484222325ULL;
constexpr std::uint64_t kFnvPrime = 0x100000001b3ULL;

} // namespace

std::optional<std::uint64_t> levelChecksum(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        return std::nullopt;
    }
    std::uint64_t hash = kFnvOffsetBasis;
    std::array<char, 65536> chunk;
    while (file.read(chunk.data(), chunk.size()) || file.gcount() > 0) {
        for (std::streamsize i = 0; i < file.gcount(); ++i) {
            hash ^= static_cast<unsigned char>(chunk[static_cast<std::size_t>(i)]);
            hash *= kFnvPrime;
        }
    }
    if (file.bad()) {
        return std::nullopt;
    }
    return hash;
}
