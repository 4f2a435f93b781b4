#include "viewer/logic/ViewPresets.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

using namespace viewer;
namespace fs = std::filesystem;

namespace {

const std::string kDefaultFile =
    "13\r\nArray-Top, OS, SB, HT\r\nArray-6', OS, SB, 6\r\nArray-0'', OS, SB, 0\r\nAbeam-50', 0, SB, 50\r\n"
    "Abeam-6', 0, SB, 6\r\nAbeam-0', 0, SB, 0\r\nThresh-50', 0, 0, 50\r\nThresh-0', 0, 0, 0\r\n"
    "Pt.C, 0, 859, 100\r\nPt.B, 0, 3500, 238\r\nPt.A, 0, 24304, 1326\r\nUser Trg, 0, 0, 0\r\n"
    "User Eye, 0, -3500, 238\r\n";

class PresetsFile : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = fs::path(TEST_OUTPUT_DIR) / ("presets_" + std::string(
                      ::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(folder_);
        fs::create_directories(folder_);
    }
    fs::path File() const { return folder_ / kPresetsFileName; }
    std::string Read() const {
        std::ifstream in(File(), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    void Write(const std::string& bytes) const {
        std::ofstream(File(), std::ios::binary) << bytes;
    }
    fs::path folder_;
};

TEST_F(PresetsFile, DefaultFileWrittenWhenMissing) {
    const ViewPresets presets = LoadViewPresets(folder_);
    EXPECT_EQ(Read(), kDefaultFile);
    const std::vector<std::string> names = presets.Names();
    ASSERT_EQ(names.size(), 13U);
    EXPECT_EQ(names[0], "Array-Top");
    EXPECT_EQ(names[2], "Array-0''");
    EXPECT_EQ(names[12], "User Eye");
    EXPECT_EQ(presets.Table[2].size(), kPresetWidth);
    EXPECT_EQ(presets.Table[2].substr(0, 20), "Array-0'', OS, SB, 0");
}

TEST_F(PresetsFile, CountLineIsNotUsedAndLongLinesAreCut) {
    std::string text = kDefaultFile;
    text.replace(0, 2, "5");
    const std::string longLine = "Pt.A, 0, 24304, 1326" + std::string(150, 'z');
    text.replace(text.find("Pt.A, 0, 24304, 1326"), 20, longLine);
    Write(text);
    const ViewPresets presets = LoadViewPresets(folder_);
    EXPECT_EQ(presets.Names()[12], "User Eye");
    EXPECT_EQ(presets.Table[10], longLine.substr(0, 100));
}

TEST_F(PresetsFile, StoringTheUserPresets) {
    ViewPresets presets = LoadViewPresets(folder_);
    ASSERT_TRUE(WriteViewPresets(folder_, "User Eye", "100.00", "-250.50", "30.00", presets));
    std::string expected = kDefaultFile;
    expected.replace(expected.find("User Eye, 0, -3500, 238"), 23, "User Eye, -250.50, 100.00, 30.00");
    EXPECT_EQ(Read(), expected);
    EXPECT_EQ(presets.Table[12].substr(0, 33), "User Eye, -250.50, 100.00, 30.00 ");
    // "User Trg" rewrites line 13 and copies line 14 trimmed; box texts keep the four fields.
    Write("7\r\n" + expected.substr(4, expected.find("User Eye") - 4) + "   User Eye, 1, 2, 3   \n");
    ASSERT_TRUE(WriteViewPresets(folder_, "User Trg", "1,5", "abc", "", presets));
    const std::string text = Read();
    EXPECT_EQ(text.substr(0, 4), "13\r\n");
    EXPECT_NE(text.find("\r\nUser Trg, 0.00, 1.00, 0.00\r\nUser Eye, 1, 2, 3\r\n"), std::string::npos);
    EXPECT_FALSE(fs::exists(folder_ / "ViewPresets.tmp"));
}

TEST_F(PresetsFile, ShortFilesTakeTheDefaults) {
    Write("13\nMine, 1, 2, 3\n");
    ViewPresets presets = LoadViewPresets(folder_);
    EXPECT_EQ(presets.Names()[0], "Mine");
    EXPECT_EQ(presets.Names()[1], "Array-6'");
    EXPECT_EQ(presets.Names()[12], "User Eye");
    ASSERT_TRUE(WriteViewPresets(folder_, "User Eye", "1", "2", "3", presets));
    std::string expected = kDefaultFile;
    expected.replace(expected.find("Array-Top, OS, SB, HT"), 21, "Mine, 1, 2, 3");
    expected.replace(expected.find("User Eye, 0, -3500, 238"), 23, "User Eye, 2, 1, 3");
    EXPECT_EQ(Read(), expected);
}

TEST(Presets, ValuesFromTheArray) {
    ViewPresets presets;
    for (int i = 0; i < kPresetCount; ++i)
        presets.Table[static_cast<std::size_t>(i)] = kDefaultPresetLines[static_cast<std::size_t>(i + 1)];
    AntennaBoxes antennas;
    antennas.NumAntsIndex = 2;
    antennas.X[1] = "1000";
    antennas.Y[1] = "400";
    const PresetPoint top = ApplyViewPreset(presets, 1, antennas);
    EXPECT_EQ(top.X0, "-400.00");
    EXPECT_EQ(top.Y0, "-1000.00");
    EXPECT_EQ(top.Z0, "60.00");
    // Two antennas use box 2, whose empty boxes become "0".
    antennas.NumAntsIndex = 1;
    const PresetPoint abeam = ApplyViewPreset(presets, 4, antennas);
    EXPECT_EQ(abeam.X0, "0.00");
    EXPECT_EQ(abeam.Z0, "50.00");
    EXPECT_EQ(antennas.X[2], "0");
    EXPECT_EQ(antennas.Y[2], "0");
    const PresetPoint c = ApplyViewPreset(presets, 9, antennas);
    EXPECT_EQ(c.X0, "859.00");
    EXPECT_EQ(c.Y0, "0.00");
    // Tokens are exact; fewer than four fields read as 0.
    EXPECT_EQ(PresetValue("sb", antennas), 0);
    EXPECT_EQ(PresetValue(" 12.5", antennas), 12.5F);
    presets.Table[0] = "Short, 7";
    const PresetPoint shortLine = ApplyViewPreset(presets, 1, antennas);
    EXPECT_EQ(shortLine.Y0, "7.00");
    EXPECT_EQ(shortLine.X0, "0.00");
    EXPECT_EQ(shortLine.Z0, "0.00");
}

TEST(Presets, BoxesInMetresGiveTheArrayInFeet) {
    ViewPresets presets;
    for (int i = 0; i < kPresetCount; ++i)
        presets.Table[static_cast<std::size_t>(i)] = kDefaultPresetLines[static_cast<std::size_t>(i + 1)];
    AntennaBoxes antennas;
    antennas.X[0] = "100";
    antennas.Y[0] = "10";
    // Only the array's tokens are in the boxes' unit; HT and the file's numbers are feet already.
    const PresetPoint top = ApplyViewPreset(presets, 1, antennas, 3.281F);
    EXPECT_EQ(top.X0, "-32.81");
    EXPECT_EQ(top.Y0, "-328.10");
    EXPECT_EQ(top.Z0, "60.00");
    const PresetPoint c = ApplyViewPreset(presets, 9, antennas, 3.281F);
    EXPECT_EQ(c.X0, "859.00");
    EXPECT_EQ(c.Z0, "100.00");
}

TEST_F(PresetsFile, AnyBytesReadWithoutFault) {
    std::mt19937 random(5);
    const std::vector<std::string> pieces = {",", "SB", "OS", "HT", "\r", "\n", "\r\n", " ", "1e39", "-1e400",
                                             "User Eye", "13", "\0", "\xff\xfe", ",,,,"};
    for (int round = 0; round < 80; ++round) {
        std::string bytes;
        for (int k = static_cast<int>(random() % 60); k > 0; --k) {
            if (random() % 3 == 0)
                bytes += static_cast<char>(random() % 256);
            else
                bytes += pieces[random() % pieces.size()];
        }
        if (random() % 5 == 0)
            bytes += std::string(300 + random() % 400, 'a');
        Write(bytes);
        ViewPresets presets = LoadViewPresets(folder_);
        AntennaBoxes antennas;
        antennas.NumAntsIndex = static_cast<int>(random() % 5) - 1;
        antennas.X[random() % 3] = pieces[random() % pieces.size()];
        for (int n = 1; n <= kPresetCount; ++n)
            ApplyViewPreset(presets, n, antennas);
        ASSERT_EQ(presets.Names().size(), 13U);
        ASSERT_TRUE(WriteViewPresets(folder_, random() % 2 ? "User Eye" : "User Trg", bytes.substr(0, 9), "2", ",", presets));
        ASSERT_EQ(LoadViewPresets(folder_).Names()[random() % 2 ? 11 : 12].substr(0, 4), "User");
    }
}

} // namespace
