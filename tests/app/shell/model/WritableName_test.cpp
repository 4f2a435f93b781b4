// Whether a save can put a whole new file under a name, asked before it writes anything.
#include "shell/model/WritableName.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>

#include <sys/stat.h>

using namespace shell;

namespace fs = std::filesystem;

TEST(WhyNotWritable, NamesAFileCanBeWrittenUnder) {
    const fs::path dir = fs::path(TEST_OUTPUT_DIR) / "WritableName";
    fs::remove_all(dir);
    fs::create_directories(dir / "folder");
    std::ofstream(dir / "plain.inp") << "x";
    ASSERT_EQ(mkfifo((dir / "pipe.inp").c_str(), 0600), 0);
    const auto reason = [](int error) { return std::string(std::strerror(error)); };
    const struct {
        fs::path path;
        std::string why;
    } cases[] = {
        {dir / "new.inp", ""},
        {dir / "plain.inp", ""},
        {dir / std::string(255, 'n'), ""},
        {dir / std::string(256, 'n'), reason(ENAMETOOLONG)},
        {dir / "missing" / "site.inp", reason(ENOENT)},
        {dir / "plain.inp" / "site.inp", reason(ENOTDIR)},
        {dir / "folder", reason(EISDIR)},
        {dir / "pipe.inp", reason(EINVAL)},
        {"", reason(ENOENT)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path.string());
        EXPECT_EQ(WhyNotWritable(c.path.string()), c.why);
    }
}
