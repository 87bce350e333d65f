#include "app/LevelChecksum.h"
#include "TempDirectory.h"

#include <gtest/gtest.h>

namespace {

// Published FNV-1a 64 test vectors, and a file longer than one read chunk.
TEST(LevelChecksumTest, IsFnv1aOverTheFileBytes) {
    TempDirectory folder;
    EXPECT_EQ(levelChecksum(folder.write("empty", "")), 0xcbf29ce484222325ULL);
    EXPECT_EQ(levelChecksum(folder.write("a", "a")), 0xaf63dc4c8601ec8cULL);
    EXPECT_EQ(levelChecksum(folder.write("foobar", "foobar")), 0x85944171f73967e8ULL);

    const std::string large(200000, 'x');
    const std::string largeWithOneChange = large.substr(0, 150000) + "y" + large.substr(150001);
    EXPECT_NE(levelChecksum(folder.write("large", large)),
              levelChecksum(folder.write("changed", largeWithOneChange)));
}

TEST(LevelChecksumTest, AFileThatCannotBeReadHasNone) {
    TempDirectory folder;
    EXPECT_EQ(levelChecksum(folder.path("missing.fbx")), std::nullopt);
    EXPECT_EQ(levelChecksum(folder.path("")), std::nullopt) << "a folder is no level";
}

} // namespace
