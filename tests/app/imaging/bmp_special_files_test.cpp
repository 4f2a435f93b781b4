// A bitmap name under which a folder, a FIFO, an endless device or a file that fails to read lies:
// the reader refuses it at once, leaving no image.
#include "imaging/BmpReader.h"
#include "platform/text/testing/SpecialFiles.h"

#include <gtest/gtest.h>

#include <chrono>

namespace {

TEST(BmpSpecialFiles, EachIsRefusedAtOnce) {
    const auto stem = std::filesystem::path(TEST_OUTPUT_DIR) / "bmp_special_files" / "map.bmp";
    for (const plat::testing::SpecialFile& special : plat::testing::SpecialFiles(stem)) {
        SCOPED_TRACE(special.kind);
        const auto start = std::chrono::steady_clock::now();
        plat::PixelBuffer image;
        EXPECT_FALSE(imaging::ReadBmpFile(special.path.string(), image));
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
        EXPECT_EQ(image.Width(), 0);
    }
}

} // namespace
