// A .3D ground file name under which a folder, a FIFO, an endless device or a file that fails to read
// lies: the reader refuses it at once and says why, leaving nothing read.
#include "ground/logic/GroundFile.h"
#include "platform/text/testing/SpecialFiles.h"

#include <gtest/gtest.h>

#include <chrono>

namespace {

TEST(GroundFileSpecialFiles, EachIsRefusedAtOnceWithItsReason) {
    const auto stem = std::filesystem::path(TEST_OUTPUT_DIR) / "ground_special_files" / "site.3D";
    for (const plat::testing::SpecialFile& special : plat::testing::SpecialFiles(stem)) {
        SCOPED_TRACE(special.kind);
        const auto start = std::chrono::steady_clock::now();
        const ground::GroundReadResult read = ground::Read3DFile(special.path, false);
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
        EXPECT_FALSE(read.data);
        EXPECT_NE(read.error, "");
    }
}

} // namespace
