#include "app/LevelChecksum.h"

#include <fstream>
#include <iterator>

namespace {

constexpr std::uint64_t kFnvOffsetBasis = 14695981039346656037ull;
constexpr std::uint64_t kFnvPrime = 1099511628211ull;

} // namespace

std::optional<std::uint64_t> levelChecksum(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        return std::nullopt;
    }
    std::uint64_t hash = kFnvOffsetBasis;
    for (auto byte = std::istreambuf_iterator<char>(file); byte != std::istreambuf_iterator<char>(); ++byte) {
        hash ^= static_cast<unsigned char>(*byte);
        hash *= kFnvPrime;
    }
    if (file.bad()) {
        return std::nullopt;
    }
    return hash;
}
