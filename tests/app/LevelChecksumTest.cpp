#include "app/LevelChecksum.h"

#include "TempDirectory.h"

#include <gtest/gtest.h>

namespace {

TEST(LevelChecksum, IsFnv1a64OfTheFileBytes) {
    TempDirectory temp;
    // Published FNV-1a 64-bit test vectors, and a byte above 127 and a zero byte.
    EXPECT_EQ(levelChecksum(temp.write("empty", "")), 0xcbf29ce484222325ull);
    EXPECT_EQ(levelChecksum(temp.write("a", "a")), 0xaf63dc4c8601ec8cull);
    EXPECT_EQ(levelChecksum(temp.write("foobar", "foobar")), 0x85944171f73967e8ull);
    EXPECT_NE(levelChecksum(temp.write("high", std::string("a\xff\0b", 4))),
              levelChecksum(temp.write("low", std::string("a\x7f\0b", 4))));
    EXPECT_EQ(levelChecksum(temp.path("missing")), std::nullopt);
}

} // namespace
