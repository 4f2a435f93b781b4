#include "FakeShellHost.h"
#include "platform/text/testing/FileSizeLimit.h"

#include <cerrno>
#include <optional>
#include <system_error>

using namespace shell;

namespace fs = std::filesystem;

using ShellSettingsWrite = InScratchFolder;

// A settings file that cannot be written is said in a message box naming the file and the reason;
// Exit still ends the program, and an old file stays whole. Both cases stop root as well.
TEST_F(ShellSettingsWrite, FailureIsShownAndTheOldFileKept) {
    const struct {
        const char* name;
        int error;
        bool diskFull;
    } cases[] = {
        {"Pellic.ini is a folder", EISDIR, false},
        {"disk full (file-size limit)", EFBIG, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove_all(dir_ / "Pellic.ini");
        if (c.diskFull)
            Put("Pellic.ini", "old\r\n");
        else
            fs::create_directory(dir_ / "Pellic.ini");
        ModelVariables m;
        m.InFile = (dir_ / "site.inp").string();
        FakeShellHost host(m);
        const ShellState state;
        std::optional<plat::testing::FileSizeLimit> limit;
        if (c.diskFull)
            limit.emplace(4);
        EXPECT_TRUE(ExitProgram(host, m, state));
        limit.reset();
        EXPECT_EQ(host.messages, std::vector<std::string>{
                                     "File Error|File Error: " + (dir_ / "Pellic.ini").string() +
                                     " cannot be written.\r\n" + std::generic_category().message(c.error) +
                                     "\r\nThe settings were not saved.|critical"});
        if (c.diskFull) {
            EXPECT_EQ(Read("Pellic.ini"), "old\r\n");
        }
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(dir_))
            names.push_back(e.path().filename().string());
        EXPECT_EQ(names, std::vector<std::string>{"Pellic.ini"});
    }
}
