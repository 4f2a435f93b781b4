// The main window's two ways of reading a parameter file, Load (the menu bar clicked, the file dialog
// answered by script) and the start-up's load of the file the settings name, when a folder, a FIFO,
// an endless device or a file that fails to read lies under the name. None blocks; Load says once why
// it cannot read it and loads nothing; the start-up forgets a name that is no file, as a missing one,
// and says once why it cannot read a file.

#include "../mainwindow/GuiTest.h"

#include "platform/text/testing/SpecialFiles.h"
#include "platform/ui/testing/UserInput.h"
#include "shell/modelio/ParamFileReader.h"

#include <chrono>

using namespace shell;

namespace fs = std::filesystem;

namespace {

using Clock = std::chrono::steady_clock;
using WindowSpecialFiles = WindowTest;

TEST_F(WindowSpecialFiles, LoadTakesNoSpecialFileAndBlocksOnNone) {
    for (const plat::testing::SpecialKind& kind : plat::testing::SpecialKinds()) {
        SCOPED_TRACE(kind.kind);
        plat::DeleteWindowInstances();
        Model() = ModelVariables{};
        MainShellState() = ShellState{};
        const std::string path = (dir_ / "site.inp").string();
        plat::testing::MakeSpecialFile(kind, path);
        const std::size_t shown = boxes_->Shown().size();
        auto& w = ShowMain();
        const std::string labelBefore = w.lblInFile->Caption();
        dialogs_->ExpectFile(path);
        boxes_->Expect(LoadFailedText(path, "The file cannot be opened."), plat::vbOK);
        const auto start = Clock::now();
        ASSERT_TRUE(plat::testing::ClickMenu(w, {"&File", "&Load Param File"}));
        plat::DoEvents(20);
        EXPECT_LT(Clock::now() - start, std::chrono::seconds(2));
        EXPECT_EQ(boxes_->Shown().size() - shown, 1U);
        EXPECT_EQ(Model().InFile, "");
        EXPECT_EQ(w.lblInFile->Caption(), labelBefore);
        EXPECT_TRUE(w.Window()->isEnabled());
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    }
}

TEST_F(WindowSpecialFiles, StartUpForgetsASpecialLastFileAndBlocksOnNone) {
    for (const plat::testing::SpecialKind& kind : plat::testing::SpecialKinds()) {
        SCOPED_TRACE(kind.kind);
        plat::DeleteWindowInstances();
        Model() = ModelVariables{};
        MainShellState() = ShellState{};
        fs::current_path(dir_);
        const std::string path = (dir_ / "site.inp").string();
        plat::testing::MakeSpecialFile(kind, path);
        Put("Pellic.ini", "site.inp,,site.3D\r\n0, 1\r\n");
        const bool listedAsFile = fs::is_regular_file(path);
        const std::size_t shown = boxes_->Shown().size();
        if (listedAsFile)
            boxes_->Expect(LoadFailedText(path, "The file cannot be opened."), plat::vbOK);
        const auto start = Clock::now();
        auto& w = ShowMain();
        EXPECT_LT(Clock::now() - start, std::chrono::seconds(2));
        EXPECT_EQ(boxes_->Shown().size() - shown, listedAsFile ? 1U : 0U);
        EXPECT_EQ(Model().InFile, "");
        EXPECT_TRUE(w.Window()->isEnabled());
    }
}

} // namespace
