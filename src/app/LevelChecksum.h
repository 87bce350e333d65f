#pragma once

#include <cstdint>
#include <optional>
#include <string>

// FNV-1a (64 bit) over the bytes of the level file, so that records and best times can tell which
// level they belong to; none when the file cannot be read.
std::optional<std::uint64_t> levelChecksum(const std::string& path);
