#pragma once
// What the window tests share: one application per test program, scripted dialogs and message boxes
// that fail the test when something unexpected shows, and a scratch folder as the current directory.

#include <gtest/gtest.h>

#include <QApplication>

#include <cstdlib>
#include <filesystem>
#include <memory>

#include "platform/services/FileDialog.h"
#include "platform/services/MessageBox.h"
#include "platform/ui/testing/ScratchFolder.h"
#include "platform/ui/Form.h"
#include "shell/mainwindow/frmMain.h"
#include "shell/model/ModelVariables.h"

// The application lives from before the first test to after the last, and goes before the program's
// static objects do: the toolkit does not outlive them.
class QtEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        if (!std::getenv("QT_QPA_PLATFORM"))
            setenv("QT_QPA_PLATFORM", "offscreen", 1);
        app_ = std::make_unique<QApplication>(argc_, argv_);
    }
    void TearDown() override {
        plat::DeleteWindowInstances();
        app_.reset();
    }

private:
    int argc_ = 1;
    char name_[12] = "pellon-test";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<QApplication> app_;
};

inline ::testing::Environment* const kQtEnvironment = ::testing::AddGlobalTestEnvironment(new QtEnvironment);

class WindowTest : public plat::testing::ScratchFolderTest {
protected:
    WindowTest() : ScratchFolderTest(std::filesystem::path(TEST_OUTPUT_DIR) / "shell_window") {}

    // Each test starts a fresh process state: model, once-only settings read, windows.
    void SetUp() override {
        Model() = ModelVariables{};
        MainShellState() = ShellState{};
        auto boxes = std::make_unique<plat::ScriptedMessageBoxes>();
        boxes->OnUnexpected = [](const plat::MessageBoxRequest& r) { ADD_FAILURE() << "message box: " << r.prompt; };
        boxes_ = boxes.get();
        plat::SetMessageBoxService(std::move(boxes));
        auto dialogs = std::make_unique<plat::ScriptedFileDialogs>();
        dialogs->OnUnexpected = [](const std::string& what) { ADD_FAILURE() << "file dialog: " << what; };
        dialogs_ = dialogs.get();
        plat::SetFileDialogService(std::move(dialogs));
    }
    void TearDown() override {
        plat::DeleteWindowInstances();
        EXPECT_EQ(dialogs_->Unanswered(), 0);
        EXPECT_TRUE(boxes_->Unanswered().empty());
    }

    plat::ScriptedMessageBoxes* boxes_ = nullptr;
    plat::ScriptedFileDialogs* dialogs_ = nullptr;
};
