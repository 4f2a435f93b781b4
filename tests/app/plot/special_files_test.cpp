// The plot file and the run's echo file (FORT10) when a folder, a FIFO, an endless device or a file
// that fails to read lies under the name: each is refused at once, the plot draws nothing and the
// CDI filter says it is cancelled.
#include "platform/text/testing/SpecialFiles.h"
#include "plot/logic/CDIFilter.h"
#include "plot/logic/PlotFileReader.h"

#include <gtest/gtest.h>

#include <chrono>

namespace {

using Clock = std::chrono::steady_clock;

std::vector<plat::testing::SpecialFile> Specials(const char* stem) {
    return plat::testing::SpecialFiles(std::filesystem::path(TEST_OUTPUT_DIR) / "plot_special_files" / stem);
}

TEST(PlotSpecialFiles, APlotFileThatIsNoRegularFileIsRefusedAtOnceAndDrawsNothing) {
    for (const plat::testing::SpecialFile& special : Specials("run.prn")) {
        SCOPED_TRACE(special.kind);
        const auto start = Clock::now();
        plot::PlotTrace trace;
        EXPECT_EQ(plot::ReadPlotFile(special.path.string(), {}, trace), plot::PlotReadStatus::NoFile);
        std::string bytes = "left over";
        EXPECT_FALSE(plot::ReadPlotBytes(special.path.string(), bytes));
        EXPECT_LT(Clock::now() - start, std::chrono::seconds(1));
        EXPECT_EQ(bytes, "");
        EXPECT_TRUE(trace.X.empty());
    }
}

TEST(PlotSpecialFiles, AnEchoFileThatIsNoRegularFileCancelsTheFilterAtOnce) {
    for (const plat::testing::SpecialFile& special : Specials("FORT10")) {
        SCOPED_TRACE(special.kind);
        const auto start = Clock::now();
        std::vector<float> y{1, 2, 3};
        EXPECT_EQ(plot::FilterCDI(y, special.path.string(), 140), plot::kSampleRateMissing);
        EXPECT_LT(Clock::now() - start, std::chrono::seconds(1));
        EXPECT_EQ(y, (std::vector<float>{1, 2, 3}));
    }
}

} // namespace
