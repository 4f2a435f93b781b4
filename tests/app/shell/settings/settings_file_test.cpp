#include "shell/settings/SettingsFile.h"
#include "platform/text/testing/FileSizeLimit.h"
#include "platform/text/testing/SpecialFiles.h"
#include "platform/ui/testing/ScratchFolder.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

using namespace shell;

namespace fs = std::filesystem;

namespace {

fs::path Golden(const char* name) { return fs::path(TEST_DATA_DIR) / name; }

fs::path Scratch(const char* name) {
    const fs::path dir = fs::path(TEST_OUTPUT_DIR) / "shell_settings";
    fs::create_directories(dir);
    return dir / name;
}

struct WriteCase {
    const char* golden;
    SettingsWrite kind;
    SettingsValues values;
};

} // namespace

TEST(SettingsFileWrite, MatchesGoldenFilesByteForByte) {
    const WriteCase cases[] = {
        {"full_empty_names.ini", SettingsWrite::Full, {"", "", "", false, 1, {}}},
        {"short_3d_po.ini", SettingsWrite::Short,
         {"/runs/cegs/site.inp", "/runs/cegs/site.prn", "/runs/cegs/site.3D", true, 2, {"lost", "", "", "", ""}}},
        {"short_2d_ray.ini", SettingsWrite::Short, {"site.inp", "site.prn", "ground.3D", false, 0, {}}},
        {"full_recent_3d_po.ini", SettingsWrite::Full,
         {"/runs/a.inp", "/runs/a.prn", "/runs/a.3D", true, 2,
          {"/old/one.inp", "", "/old/three.inp", "", "/old/five.inp"}}},
    };
    for (const WriteCase& c : cases) {
        SCOPED_TRACE(c.golden);
        const std::string expected = plat::testing::FileBytes(Golden(c.golden));
        ASSERT_FALSE(expected.empty());
        EXPECT_EQ(SettingsText(c.values, c.kind), expected);
        const fs::path out = Scratch(c.golden);
        ASSERT_TRUE(WriteSettingsFile(out, c.values, c.kind));
        EXPECT_EQ(plat::testing::FileBytes(out), expected);
    }
}

TEST(SettingsFileWrite, ShortWriteReplacesTheWholeFile) {
    const fs::path out = Scratch("replaced.ini");
    SettingsValues v{"a.inp", "a.prn", "a.3D", false, 1, {"1", "2", "3", "4", "5"}};
    ASSERT_TRUE(WriteSettingsFile(out, v, SettingsWrite::Full));
    ASSERT_TRUE(WriteSettingsFile(out, v, SettingsWrite::Short));
    EXPECT_EQ(plat::testing::FileBytes(out), "a.inp,a.prn,a.3D\r\n, 1\r\n");
}

TEST(SettingsFileWrite, UnwritableFileIsReported) {
    const fs::path out = fs::path(TEST_OUTPUT_DIR) / "no-such-folder" / "deeper" / "Pellic.ini";
    EXPECT_FALSE(WriteSettingsFile(out, SettingsValues{}, SettingsWrite::Full));
}

// A write that cannot finish leaves the old file whole, says why, and leaves no temporary file.
class SettingsFileFailure : public plat::testing::ScratchFolderTest {
protected:
    SettingsFileFailure() : ScratchFolderTest(fs::path(TEST_OUTPUT_DIR) / "shell_settings_failure") {}
};

TEST_F(SettingsFileFailure, OldFileStaysWhole) {
    const SettingsValues v{"/runs/a.inp", "/runs/a.prn", "/runs/a.3D", true, 2, {"1", "2", "3", "4", "5"}};
    const struct {
        const char* name;
        int error;
        bool diskFull;
    } cases[] = {
        {"disk full (file-size limit)", EFBIG, true},
        {"read-only folder", EACCES, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const bool readOnlyFolder = !c.diskFull;
        if (readOnlyFolder && ::geteuid() == 0)
            continue; // root writes into any folder: the disk-full case stands for it
        const std::string old = "old.inp,old.prn,old.3D\r\n1, 1\r\n,,,,\r\n";
        Put("home/Pellic.ini", old);
        std::optional<plat::testing::FileSizeLimit> limit;
        if (c.diskFull)
            limit.emplace(16);
        if (readOnlyFolder) {
            ASSERT_EQ(::chmod("home", 0555), 0);
        }
        const plat::FileWriteResult result = WriteSettingsFile("home/Pellic.ini", v, SettingsWrite::Full);
        limit.reset();
        ::chmod("home", 0755);
        EXPECT_FALSE(result);
        EXPECT_EQ(result.reason, std::generic_category().message(c.error));
        EXPECT_EQ(Read("home/Pellic.ini"), old);
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator("home"))
            names.push_back(e.path().filename().string());
        EXPECT_EQ(names, std::vector<std::string>{"Pellic.ini"});
    }
}

struct ReadCase {
    const char* text;
    const char* inFile;
    const char* outFile;
    const char* file3D;
    std::optional<bool> use3D;
    std::optional<std::uint8_t> model;
    RecentFileList recent;
};

TEST(SettingsFileRead, LinesAndFields) {
    const ReadCase cases[] = {
        {"a.inp,a.prn,a.3D\r\n1, 2\r\nr1,r2,r3,r4,r5\r\n", "a.inp", "a.prn", "a.3D", true, 2,
         {"r1", "r2", "r3", "r4", "r5"}},
        {"a.inp,a.prn,a.3D\r\n1, 2\r\n", "a.inp", "a.prn", "a.3D", true, 2, {}},
        {"a.inp,a.prn,a.3D\r\n, 1\r\n", "a.inp", "a.prn", "a.3D", false, 1, {}},
        {"a.inp,a.prn,a.3D\r\n0, 0\r\n,,,,\r\n", "a.inp", "a.prn", "a.3D", false, 0, {}},
        // One line only: ground mode and field model are not given, the recent list empties.
        {"a.inp,a.prn,a.3D\r\n", "a.inp", "a.prn", "a.3D", std::nullopt, std::nullopt, {}},
        {"a.inp,a.prn,a.3D", "a.inp", "a.prn", "a.3D", std::nullopt, std::nullopt, {}},
        // LF line ends read alike.
        {"a.inp,a.prn,a.3D\n1, 1\nx,,,,y\n", "a.inp", "a.prn", "a.3D", true, 1, {"x", "", "", "", "y"}},
        // Missing fields read as empty.
        {"", "", "", "", std::nullopt, std::nullopt, {}},
        {"a.inp\r\n", "a.inp", "", "", std::nullopt, std::nullopt, {}},
        {"a.inp,a.prn\r\n1\r\nr1,r2\r\n", "a.inp", "a.prn", "", true, std::nullopt, {"r1", "r2", "", "", ""}},
        // A name with a comma is split at it.
        {"my,site.inp,a.prn,a.3D\r\n", "my", "site.inp", "a.prn", std::nullopt, std::nullopt, {}},
        // The flag is the number 1; anything else, an empty field included, is unchecked.
        {"a,b,c\r\n 1.0, 2\r\n", "a", "b", "c", true, 2, {}},
        {"a,b,c\r\n2, 2\r\n", "a", "b", "c", false, 2, {}},
        {"a,b,c\r\nx, 2\r\n", "a", "b", "c", false, 2, {}},
        // A field model other than 0, 1 or 2 is not taken.
        {"a,b,c\r\n1, 7\r\n", "a", "b", "c", true, std::nullopt, {}},
        {"a,b,c\r\n1, -1\r\n", "a", "b", "c", true, std::nullopt, {}},
        {"a,b,c\r\n1,\r\n", "a", "b", "c", true, std::nullopt, {}},
        {"a,b,c\r\n1, 1.5\r\n", "a", "b", "c", true, std::nullopt, {}},
    };
    for (const ReadCase& c : cases) {
        SCOPED_TRACE(c.text);
        const SettingsRead r = ParseSettingsText(c.text);
        EXPECT_EQ(r.InFile, c.inFile);
        EXPECT_EQ(r.OutFile, c.outFile);
        EXPECT_EQ(r.File3D, c.file3D);
        EXPECT_EQ(r.Use3D, c.use3D);
        EXPECT_EQ(r.FieldModel, c.model);
        EXPECT_EQ(r.RecentFiles, c.recent);
    }
}

TEST(SettingsFileRead, GoldenFilesReadBack) {
    const std::optional<SettingsRead> full = ReadSettingsFile(Golden("full_recent_3d_po.ini")).Settings;
    ASSERT_TRUE(full);
    EXPECT_EQ(full->InFile, "/runs/a.inp");
    EXPECT_EQ(full->Use3D, true);
    EXPECT_EQ(full->FieldModel, 2);
    EXPECT_EQ(full->RecentFiles, (RecentFileList{"/old/one.inp", "", "/old/three.inp", "", "/old/five.inp"}));

    const std::optional<SettingsRead> shortWrite = ReadSettingsFile(Golden("short_2d_ray.ini")).Settings;
    ASSERT_TRUE(shortWrite);
    EXPECT_EQ(shortWrite->File3D, "ground.3D");
    EXPECT_EQ(shortWrite->Use3D, false);
    EXPECT_EQ(shortWrite->FieldModel, 0);
    EXPECT_EQ(shortWrite->RecentFiles, RecentFileList{});
}

TEST(SettingsFileRead, MissingFileGivesNothingAndNoProblem) {
    const SettingsFileRead r = ReadSettingsFile(Scratch("never-written.ini"));
    EXPECT_FALSE(r.Settings);
    EXPECT_EQ(r.Problem, "");
}

TEST(SettingsFileRead, AFileThatIsNoRegularFileGivesNothingAndItsReason) {
    for (const plat::testing::SpecialFile& special : plat::testing::SpecialFiles(Scratch("special"))) {
        SCOPED_TRACE(special.kind);
        const SettingsFileRead r = ReadSettingsFile(special.path);
        EXPECT_FALSE(r.Settings);
        EXPECT_NE(r.Problem, "");
    }
    EXPECT_EQ(SettingsNotReadText("/w/Pellic.ini", "not a regular file"),
              "File Error: /w/Pellic.ini cannot be read.\r\nnot a regular file\r\n"
              "The program starts with the default settings.");
}

TEST(SettingsFileRead, ShortWriteThenRestartThenExitWritesFiveEmptyNames) {
    const fs::path file = Scratch("cycle.ini");
    SettingsValues v{"s.inp", "s.prn", "s.3D", true, 0, {"a", "b", "c", "d", "e"}};
    ASSERT_TRUE(WriteSettingsFile(file, v, SettingsWrite::Short));
    const std::optional<SettingsRead> r = ReadSettingsFile(file).Settings;
    ASSERT_TRUE(r);
    SettingsValues again{r->InFile, r->OutFile, r->File3D, *r->Use3D, *r->FieldModel, r->RecentFiles};
    ASSERT_TRUE(WriteSettingsFile(file, again, SettingsWrite::Full));
    EXPECT_EQ(plat::testing::FileBytes(file), "s.inp,s.prn,s.3D\r\n1, 0\r\n,,,,\r\n");
}
