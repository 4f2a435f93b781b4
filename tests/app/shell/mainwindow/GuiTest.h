#pragma once
// What the window tests share: the test program's one application, scripted dialogs and message boxes
// that fail the test when something unexpected shows, and a scratch folder as the current directory.

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "platform/services/Clock.h"
#include "platform/services/FileDialog.h"
#include "platform/services/MessageBox.h"
#include "platform/ui/testing/GuiTest.h"
#include "platform/ui/testing/ScratchFolder.h"
#include "platform/ui/Form.h"
#include "shell/mainwindow/frmMain.h"
#include "shell/model/ModelVariables.h"

class WindowTest : public plat::testing::ScratchFolderTest {
protected:
    WindowTest() : ScratchFolderTest(std::filesystem::path(TEST_OUTPUT_DIR) / "shell_window") {
        plat::testing::Application();
    }

    // Each test starts a fresh process state: model, once-only settings read, windows.
    void SetUp() override {
        shell::Model() = shell::ModelVariables{};
        MainShellState() = shell::ShellState{};
        services_ = std::make_unique<plat::testing::ScriptedServices>();
        boxes_ = &services_->Boxes();
        dialogs_ = &services_->Files();
    }
    void TearDown() override {
        plat::DeleteWindowInstances();
        services_.reset(); // a box or dialog expected but never shown fails the test here
    }

    // The shipped example (its model and ground file) copied from `examples` into the scratch folder
    // and named by the settings file the main window starts with.
    void PutExample(const std::filesystem::path& examples) {
        for (const char* file : {"cegs_site.inp", "cegs_site.3D"})
            std::filesystem::copy_file(examples / file, dir_ / file,
                                       std::filesystem::copy_options::overwrite_existing);
        Put("Pellic.ini", "cegs_site.inp,,cegs_site.3D\r\n0, 1\r\n");
    }
    // The main window shown, its start-up done.
    static class frmMain& ShowMain() {
        auto& w = frmMain();
        w.Show();
        plat::DoEvents(100);
        return w;
    }

    plat::ScriptedMessageBoxes* boxes_ = nullptr;
    plat::ScriptedFileDialogs* dialogs_ = nullptr;

private:
    std::unique_ptr<plat::testing::ScriptedServices> services_;
};
