// One command per key press and per click: a key the focused box leaves is not run again by the frame
// around it or by the window; a menu shortcut comes first also when no window is active, as after a
// message box closed; a closed message box gives the focus back; an entry of the bar without items
// is a command for its click and its access key.
#include <string>
#include <vector>

#include <QAbstractButton>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include "platform/services/MessageBox.h"
#include "platform/ui/Form.h"
#include "platform/ui/Frame.h"
#include "platform/ui/Keys.h"
#include "platform/ui/Menu.h"
#include "platform/ui/TextBox.h"
#include "platform/ui/testing/GuiTest.h"
#include "platform/ui/testing/UserInput.h"

namespace {

struct FramedWindow : plat::Form {
    FramedWindow() : plat::Form("frmFramed") {
        SetClientSize(4000, 3000);
        fra.Move(100, 500, 3000, 2000);
        txtIn.Move(100, 300, 1000, 300);
        SetKeyPreview(true);
        KeyDown = [this](int& code, int) { log.push_back("KeyDown " + std::to_string(code)); };
        auto& file = AddMenu("mnuFile", "&File");
        auto& run = file.Add("mnuRun", "&Run");
        run.SetShortcut(plat::key::F5);
        run.Click = [this] { log.push_back("mnuRun"); };
        auto& params = AddMenu("mnuParams", "&Parameters");
        params.Click = [this] { log.push_back("mnuParams"); };
    }
    plat::Frame fra{*this, "fra"};
    plat::TextBox txtIn{fra, "txtIn"};
    std::vector<std::string> log;
};

class MenuKeys : public ::testing::Test {
protected:
    void SetUp() override {
        plat::testing::Application();
        w = std::make_unique<FramedWindow>();
        w->Show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(w->Window()));
        w->txtIn.SetFocus();
        ASSERT_TRUE(plat::testing::WaitFor([&] { return w->txtIn.HasFocus(); }));
    }
    void TearDown() override { plat::SetMessageBoxService(nullptr); }
    // A box on screen, closed by its OK button once it shows.
    static void RealBoxClosed() {
        plat::SetMessageBoxService(nullptr);
        QTimer closer;
        QObject::connect(&closer, &QTimer::timeout, [] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
                box->button(QMessageBox::Ok)->click();
        });
        closer.start(20);
        plat::MsgBox("Done");
    }
    std::unique_ptr<FramedWindow> w;
};

using Log = std::vector<std::string>;

TEST_F(MenuKeys, AKeyTheFocusedBoxLeavesReachesTheWindowsHandlerOnce) {
    QTest::keyClick(w->txtIn.Editor(), Qt::Key_F3);
    plat::testing::PressKey(*w, Qt::Key_F3);
    EXPECT_EQ(w->log, (Log{"KeyDown 114", "KeyDown 114"}));
}

TEST_F(MenuKeys, AClosedMessageBoxGivesTheFocusBackAndTheShortcutRunsOnce) {
    RealBoxClosed();
    ASSERT_TRUE(plat::testing::WaitFor([&] { return w->txtIn.HasFocus() && w->Window()->isActiveWindow(); }));
    plat::testing::PressKey(*w, Qt::Key_F5);
    EXPECT_EQ(w->log, (Log{"mnuRun"}));
}

// The window is not active (a desktop may leave none so): its shortcut still comes before its keys.
TEST_F(MenuKeys, AShortcutOfAWindowThatIsNotActiveRunsOnceWhateverHasTheFocus) {
    plat::Form other("frmOther");
    other.Show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(other.Window()));
    plat::testing::PressKey(*w, Qt::Key_F5);
    w->txtIn.Widget()->clearFocus();
    plat::testing::PressKey(*w, Qt::Key_F5);
    plat::testing::PressKey(*w, Qt::Key_P, Qt::AltModifier);
    // The Alt key itself is the window's key (18); with the letter it is the menu's.
    EXPECT_EQ(w->log, (Log{"mnuRun", "mnuRun", "KeyDown 18", "mnuParams"}));
}

TEST_F(MenuKeys, AnEntryOfTheBarWithoutItemsRunsOnItsClickAndItsAccessKeyWithoutADropDown) {
    ASSERT_TRUE(plat::testing::ClickMenu(*w, {"&Parameters"}));
    plat::testing::PressKey(*w, Qt::Key_P, Qt::AltModifier);
    EXPECT_EQ(w->log, (Log{"mnuParams", "KeyDown 18", "mnuParams"}));
    for (QMenu* menu : w->Window()->findChildren<QMenu*>())
        EXPECT_FALSE(menu->isVisible());
    EXPECT_EQ(w->Window()->menuBar()->actions()[1]->menu(), nullptr);
    // An entry with items drops down and runs the item chosen.
    ASSERT_TRUE(plat::testing::ClickMenu(*w, {"&File", "&Run"}));
    ASSERT_TRUE(plat::testing::PressAccessKeys(*w, {"&File", "&Run"}));
    EXPECT_EQ(w->log, (Log{"mnuParams", "KeyDown 18", "mnuParams", "mnuRun", "KeyDown 18", "mnuRun"}));
}

} // namespace
