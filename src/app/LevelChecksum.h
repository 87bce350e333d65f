#pragma once

#include <cstdint>
#include <optional>
#include <string>

// FNV-1a 64-bit hash of a file's bytes, which identifies a level by its content; written as 16
// lowercase hex digits. Empty when the file cannot be read.
std::optional<std::uint64_t> levelChecksum(const std::string& path);
