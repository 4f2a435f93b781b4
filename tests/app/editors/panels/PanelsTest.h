#pragma once
// The main window started off screen in a scratch folder, with scripted message boxes and file
// dialogs, and the keystrokes the panel tests drive its boxes with.

#include <filesystem>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QTest>

#include "platform/ui/Buttons.h"
#include "platform/ui/TextBox.h"
#include "platform/ui/testing/GuiTest.h"
#include "platform/ui/testing/ScratchFolder.h"
#include "platform/ui/Form.h"
#include "shell/mainwindow/frmMain.h"
#include "shell/model/ModelVariables.h"

class PanelsTest : public plat::testing::ScratchFolderTest {
protected:
    PanelsTest() : ScratchFolderTest(std::filesystem::path(TEST_OUTPUT_DIR) / "editor_panels") {}

    void SetUp() override {
        services_ = std::make_unique<plat::testing::ScriptedServices>();
        shell::Model() = shell::ModelVariables{};
        MainShellState() = shell::ShellState{};
        w_ = &frmMain();
        w_->EndProgram = [] {};
        w_->Show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(w_->Window()));
    }
    void TearDown() override {
        plat::DeleteWindowInstances();
        services_.reset();
    }

    class frmMain& W() {
        return *w_;
    }
    plat::ScriptedMessageBoxes& Boxes() { return services_->Boxes(); }
    plat::ScriptedFileDialogs& Files() { return services_->Files(); }
    std::string Path(const std::string& name) const { return (dir_ / name).string(); }

    static void Focus(plat::TextBox& box) {
        box.SetFocus();
        ASSERT_TRUE(plat::testing::WaitFor([&] { return box.HasFocus(); })) << box.Name();
    }
    // Focus into the box, its whole text replaced by typing `typed`.
    static void Type(plat::TextBox& box, const std::string& typed) {
        Focus(box);
        box.Editor()->selectAll();
        if (typed.empty())
            QTest::keyClick(box.Editor(), Qt::Key_Delete);
        else
            QTest::keyClicks(box.Editor(), QString::fromStdString(typed));
    }
    // The focus moved on from the box by TAB, or by Enter, and its leaving handled.
    static void Tab(plat::TextBox& box) { Press(box, Qt::Key_Tab); }
    static void Enter(plat::TextBox& box) { Press(box, Qt::Key_Return); }
    static void TypeTab(plat::TextBox& box, const std::string& typed) {
        Type(box, typed);
        Tab(box);
    }
    static void TypeEnter(plat::TextBox& box, const std::string& typed) {
        Type(box, typed);
        Enter(box);
    }
    // A mouse click on the button: the box that had the focus loses it first.
    static void Click(plat::CommandButton& button) { QTest::mouseClick(button.Widget(), Qt::LeftButton); }

private:
    static void Press(plat::TextBox& box, Qt::Key key) {
        ASSERT_TRUE(box.HasFocus()) << box.Name();
        QTest::keyClick(box.Editor(), key);
        ASSERT_TRUE(plat::testing::WaitFor([&] { return !box.HasFocus(); })) << box.Name();
    }

    std::unique_ptr<plat::testing::ScriptedServices> services_;
    class frmMain* w_ = nullptr;
};
