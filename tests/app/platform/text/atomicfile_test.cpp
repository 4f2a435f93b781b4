#include "platform/text/AtomicFile.h"
#include "platform/text/testing/FileSizeLimit.h"
#include "platform/ui/testing/ScratchFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

class AtomicFileTest : public plat::testing::ScratchFolderTest {
protected:
    AtomicFileTest() : ScratchFolderTest(fs::path(TEST_OUTPUT_DIR) / "AtomicFile") {
        previousMask_ = ::umask(022);
    }
    ~AtomicFileTest() override { ::umask(previousMask_); }

    // The names in a folder, sorted: a temporary file left behind shows here.
    static std::vector<std::string> Names(const fs::path& folder) {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(folder))
            names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    static unsigned Mode(const fs::path& file) {
        struct stat st {};
        EXPECT_EQ(::stat(file.c_str(), &st), 0) << file;
        return st.st_mode & 07777;
    }

private:
    mode_t previousMask_ = 0;
};

std::string Reason(int error) {
    return std::generic_category().message(error);
}

} // namespace

TEST_F(AtomicFileTest, NewFileTakesTheUmaskAndExistingFilesKeepTheirMode) {
    const plat::FileWriteResult made = plat::WriteFileAtomically("new.txt", "one\r\n");
    ASSERT_TRUE(made) << made.reason;
    EXPECT_TRUE(made.reason.empty());
    EXPECT_EQ(Read("new.txt"), "one\r\n");
    EXPECT_EQ(Mode("new.txt"), 0644U);

    for (const unsigned mode : {0600U, 0640U, 0755U, 02750U}) {
        SCOPED_TRACE(mode);
        Put("kept.txt", "old");
        ASSERT_EQ(::chmod("kept.txt", mode), 0);
        ASSERT_TRUE(plat::WriteFileAtomically("kept.txt", "new"));
        EXPECT_EQ(Read("kept.txt"), "new");
        EXPECT_EQ(Mode("kept.txt"), mode);
    }
    EXPECT_EQ(Names("."), (std::vector<std::string>{"kept.txt", "new.txt"}));
}

// Through a link, chains of links and a link that leads nowhere yet, relative and absolute: the link
// stays, the file it leads to gets the bytes, and no folder keeps a temporary file.
TEST_F(AtomicFileTest, SymbolicLinksAreWrittenThrough) {
    Put("real/site.inp", "old");
    ASSERT_EQ(::chmod("real/site.inp", 0600), 0);
    fs::create_directory("links");
    fs::create_symlink("../real/site.inp", "links/relative.inp");
    fs::create_symlink(dir_ / "links/relative.inp", "absolute.inp");
    fs::create_symlink("real/later.inp", "dangling.inp");

    const struct {
        const char* link;
        const char* target;
    } cases[] = {
        {"links/relative.inp", "real/site.inp"},
        {"absolute.inp", "real/site.inp"},
        {"dangling.inp", "real/later.inp"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.link);
        const std::string bytes = std::string("through ") + c.link;
        ASSERT_TRUE(plat::WriteFileAtomically(c.link, bytes));
        EXPECT_TRUE(fs::is_symlink(c.link));
        EXPECT_EQ(Read(c.target), bytes);
        EXPECT_EQ(Read(c.link), bytes);
    }
    EXPECT_EQ(Mode("real/site.inp"), 0600U);
    EXPECT_EQ(Names("real"), (std::vector<std::string>{"later.inp", "site.inp"}));
    EXPECT_EQ(Names("links"), std::vector<std::string>{"relative.inp"});
}

TEST_F(AtomicFileTest, LongestNamesAreWritten) {
    for (const std::size_t length : {250U, 255U}) {
        const std::string name = std::string(length - 4, 'n') + ".inp";
        Put(name, "old");
        ASSERT_TRUE(plat::WriteFileAtomically(name, "new")) << length;
        EXPECT_EQ(Read(name), "new");
        fs::remove(name);
    }
    EXPECT_TRUE(Names(".").empty());
}

// Whatever stops the write, the old file stays whole, the reason is the system's, and no temporary
// file stays behind. Each case also runs as root, where folder permissions do not stop a write.
TEST_F(AtomicFileTest, FailuresLeaveTheOldFileWhole) {
    const std::string big(64 * 1024, 'x');
    const struct Case {
        const char* name;
        const char* path;
        int error;
        bool diskFull;
    } cases[] = {
        {"disk full (file-size limit)", "full/site.inp", EFBIG, true},
        {"folder is a file", "plain/site.inp", ENOTDIR, false},
        {"name is a folder", "folder/site.inp", EISDIR, false},
        {"link loop", "loop/site.inp", ELOOP, false},
        {"no folder", "missing/site.inp", ENOENT, false},
        {"no name", "", ENOENT, false},
    };
    Put("full/site.inp", "old\r\n");
    Put("plain", "a file, not a folder");
    fs::create_directories("folder/site.inp");
    fs::create_directory("loop");
    fs::create_symlink("site.inp", "loop/site.inp");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const fs::path folder = fs::path(c.path).parent_path();
        const std::vector<std::string> before =
            fs::is_directory(folder) ? Names(folder) : std::vector<std::string>{};
        const auto content = [&] {
            std::error_code error;
            return fs::is_regular_file(c.path, error) ? Read(c.path) : std::string();
        };
        const std::string old = content();
        std::optional<plat::testing::FileSizeLimit> limit;
        if (c.diskFull)
            limit.emplace(4096);
        const plat::FileWriteResult result = plat::WriteFileAtomically(c.path, big);
        limit.reset();
        EXPECT_FALSE(result);
        EXPECT_EQ(result.reason, Reason(c.error));
        EXPECT_EQ(content(), old);
        if (fs::is_directory(folder)) {
            EXPECT_EQ(Names(folder), before);
        }
    }
    EXPECT_EQ(Read("full/site.inp"), "old\r\n");
}

// Permissions stop a non-privileged writer only; root writes anyway (the cases above stand in).
TEST_F(AtomicFileTest, ReadOnlyFolderAndReadOnlyFileAreRefused) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "root ignores permissions";
    Put("locked/site.inp", "old");
    Put("readonly.inp", "old");
    ASSERT_EQ(::chmod("readonly.inp", 0444), 0);
    ASSERT_EQ(::chmod("locked", 0555), 0);
    for (const char* name : {"locked/site.inp", "readonly.inp"}) {
        SCOPED_TRACE(name);
        const plat::FileWriteResult result = plat::WriteFileAtomically(name, "new");
        EXPECT_FALSE(result);
        EXPECT_EQ(result.reason, Reason(EACCES));
        EXPECT_EQ(Read(name), "old");
    }
    EXPECT_EQ(Names("locked"), std::vector<std::string>{"site.inp"});
    ASSERT_EQ(::chmod("locked", 0755), 0);
}

TEST_F(AtomicFileTest, PipesAndDevicesAreNotReplaced) {
    ASSERT_EQ(::mkfifo("pipe.inp", 0644), 0);
    const plat::FileWriteResult result = plat::WriteFileAtomically("pipe.inp", "new");
    EXPECT_FALSE(result);
    EXPECT_EQ(result.reason, "Not a regular file");
    EXPECT_EQ(fs::status("pipe.inp").type(), fs::file_type::fifo);
    EXPECT_EQ(Names("."), std::vector<std::string>{"pipe.inp"});
}

// Root gives the new file back to the old file's owner and group.
TEST_F(AtomicFileTest, OwnerIsKeptWhereTheSystemAllows) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "only root can give a file away";
    Put("owned.inp", "old");
    ASSERT_EQ(::chown("owned.inp", 65534, 65534), 0);
    ASSERT_TRUE(plat::WriteFileAtomically("owned.inp", "new"));
    struct stat st {};
    ASSERT_EQ(::stat("owned.inp", &st), 0);
    EXPECT_EQ(st.st_uid, 65534U);
    EXPECT_EQ(st.st_gid, 65534U);
}
