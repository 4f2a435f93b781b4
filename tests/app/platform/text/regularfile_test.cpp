#include "platform/text/RegularFile.h"
#include "platform/text/TextFile.h"
#include "platform/text/testing/SpecialFiles.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>

#include <unistd.h>

using namespace plat;

namespace {

std::filesystem::path OutPath(const std::string& name) {
    const auto dir = std::filesystem::path(TEST_OUTPUT_DIR) / "regularfile";
    std::filesystem::create_directories(dir);
    return dir / name;
}

void Put(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

TEST(ReadRegularFile, ReadsTheBytesOfARegularFileWithinTheLimit) {
    const auto path = OutPath("plain.txt");
    Put(path, std::string("a\r\nb\0c", 6));
    const FileReadResult r = ReadRegularFile(path, 6);
    ASSERT_TRUE(r);
    EXPECT_EQ(r.bytes, std::string("a\r\nb\0c", 6));
    Put(path, "");
    EXPECT_TRUE(ReadRegularFile(path, 0));
}

TEST(ReadRegularFile, RefusesAFileAboveTheLimitUnread) {
    const auto path = OutPath("big.txt");
    Put(path, "1234567");
    const FileReadResult r = ReadRegularFile(path, 6);
    EXPECT_FALSE(r);
    EXPECT_TRUE(r.tooLarge);
    EXPECT_EQ(r.reason, "larger than 6 bytes");
    EXPECT_EQ(r.bytes, "");
}

TEST(ReadRegularFile, AMissingFileIsToldApart) {
    const FileReadResult r = ReadRegularFile(OutPath("never-made.txt"));
    EXPECT_FALSE(r);
    EXPECT_TRUE(r.missing);
    EXPECT_EQ(r.reason, "No such file or directory");
}

// Each special file is refused at once: none blocks, none is read without end.
TEST(ReadRegularFile, RefusesEverySpecialFileAtOnce) {
    for (const plat::testing::SpecialFile& special : plat::testing::SpecialFiles(OutPath("special"))) {
        SCOPED_TRACE(special.kind);
        const auto start = std::chrono::steady_clock::now();
        const FileReadResult r = ReadRegularFile(special.path);
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
        EXPECT_FALSE(r);
        EXPECT_FALSE(r.missing);
        EXPECT_NE(r.reason, "");
    }
}

TEST(ReadRegularFile, TellsWhyASpecialFileIsRefused) {
    const auto files = plat::testing::SpecialFiles(OutPath("why"));
    EXPECT_EQ(ReadRegularFile(files[0].path).reason, "not a regular file");
    EXPECT_EQ(ReadRegularFile(files[1].path).reason, "not a regular file");
    EXPECT_EQ(ReadRegularFile(files[2].path).reason, "not a regular file");
    EXPECT_EQ(ReadRegularFile(files[3].path).reason, "Input/output error");
    // The open alone refuses what is no regular file, without waiting for a FIFO's writer.
    for (std::size_t i = 0; i < 3; ++i) {
        std::string reason;
        EXPECT_EQ(OpenRegularFile(files[i].path, reason), -1) << files[i].kind;
        EXPECT_EQ(reason, "not a regular file");
    }
}

TEST(OpenRegularFile, OpensARegularFileForReading) {
    const auto path = OutPath("open.txt");
    Put(path, "xyz");
    std::string reason;
    const int fd = OpenRegularFile(path, reason);
    ASSERT_GE(fd, 0);
    char buffer[4] = {};
    EXPECT_EQ(::read(fd, buffer, sizeof buffer), 3);
    ::close(fd);
    EXPECT_EQ(reason, "");
}

TEST(FreeReader, ASpecialFileIsAFileError) {
    for (const plat::testing::SpecialFile& special : plat::testing::SpecialFiles(OutPath("free"))) {
        SCOPED_TRACE(special.kind);
        EXPECT_THROW(FreeReader{special.path}, FileError);
    }
}

} // namespace
