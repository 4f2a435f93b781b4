// A presets file under which a folder, a FIFO, an endless device or a file that fails to read lies:
// loading gives the default presets and the reason at once; storing a preset over it says why it
// cannot, and writes nothing anywhere else.
#include "viewer/logic/ViewPresets.h"

#include "platform/text/testing/SpecialFiles.h"

#include <gtest/gtest.h>

#include <chrono>

namespace {

TEST(ViewPresetsSpecialFiles, EachGivesTheDefaultsAtOnceAndAStoreSaysWhy) {
    const auto folder = std::filesystem::path(TEST_OUTPUT_DIR) / "presets_special_files";
    for (const plat::testing::SpecialKind& kind : plat::testing::SpecialKinds()) {
        SCOPED_TRACE(kind.kind);
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
        plat::testing::MakeSpecialFile(kind, folder / viewer::kPresetsFileName);
        const auto start = std::chrono::steady_clock::now();
        viewer::ViewPresets presets = viewer::LoadViewPresets(folder);
        EXPECT_NE(presets.ReadProblem, "");
        EXPECT_EQ(presets.Names()[12], "User Eye");
        const plat::FileWriteResult stored =
            viewer::WriteViewPresets(folder, "User Eye", "1", "2", "3", presets);
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
        EXPECT_FALSE(stored);
        EXPECT_NE(stored.reason, "");
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 1);
    }
}

} // namespace
