// A terrain saved by the ground editor and the same terrain written by hand, in another layout, give
// the engine the same plot file; a different terrain gives another, so the file is really read.

#include "ground/logic/GroundFile.h"
#include "platform/engine/testing/RunToEnd.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace fs = std::filesystem;

namespace {

std::string Bytes(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void Write(const fs::path& p, const std::string& bytes) {
    std::ofstream out(p, std::ios::binary);
    out << bytes;
}

} // namespace

TEST(EditorTerrainRun, EngineReadsWhatTheEditorWrites) {
    plat::DynamicEngine engine(KELVD_LIBRARY);
    const fs::path dir = fs::path(TEST_OUTPUT_DIR) / "EditorTerrainRun";
    fs::remove_all(dir);
    fs::create_directories(dir);
    fs::copy_file(fs::path(MODEL_DATA_DIR) / "ground_3d.inp", dir / "model.inp");
    const fs::path byHand = fs::path(PELLON_EXAMPLES_DIR) / "cegs_site.3D";

    // The editor's save: the file read into its grid and written back.
    const ground::GroundReadResult read = ground::Read3DFile(byHand, false);
    ASSERT_TRUE(read.data) << read.error;
    plat::GridModel grid;
    ground::FillGroundGrid(grid, *read.data);
    const ground::GroundWriteText saved = ground::Format3DText(grid, read.data->numX, read.data->numY, false);
    ASSERT_FALSE(saved.badCell);
    ASSERT_NE(saved.bytes, Bytes(byHand)); // another layout
    Write(dir / "editor.3D", saved.bytes);
    // A terrain raised by 40 feet everywhere.
    for (int r = 1; r < grid.Rows(); ++r)
        if (!ground::IsHeaderRow(grid, r))
            grid.SetTextMatrix(r, 3, "40");
    Write(dir / "raised.3D", ground::Format3DText(grid, 3, 8, false).bytes);

    const fs::path previous = fs::current_path();
    fs::current_path(dir);
    ASSERT_EQ(plat::testing::RunToEnd(engine, "model.inp", "hand.prn", byHand.string()), 100);
    ASSERT_EQ(plat::testing::RunToEnd(engine, "model.inp", "editor.prn", "editor.3D"), 100);
    ASSERT_EQ(plat::testing::RunToEnd(engine, "model.inp", "raised.prn", "raised.3D"), 100);
    fs::current_path(previous);

    const std::string hand = Bytes(dir / "hand.prn");
    ASSERT_FALSE(hand.empty());
    EXPECT_EQ(Bytes(dir / "editor.prn"), hand);
    EXPECT_NE(Bytes(dir / "raised.prn"), hand);
}
