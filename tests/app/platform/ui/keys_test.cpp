// Keys: KeyDown before KeyPress, swallowing, a window that previews keys, menu shortcuts, and
// the queued move of the focus as a TAB keystroke would.
#include <string>
#include <vector>

#include <QMainWindow>
#include <QTest>

#include "platform/ui/Buttons.h"
#include "platform/ui/Form.h"
#include "platform/ui/Keys.h"
#include "platform/ui/Menu.h"
#include "platform/ui/PictureBox.h"
#include "platform/ui/TextBox.h"
#include "platform/ui/testing/GuiTest.h"

namespace {

using plat::testing::Application;

struct KeyWindow : plat::Form {
    KeyWindow() : plat::Form("frmKeys") {
        SetClientSize(4000, 3000);
        txtA.Move(100, 100, 1200, 300);
        txtB.Move(100, 500, 1200, 300);
        cmdOk.Move(100, 900, 1200, 400);
        txtA.KeyDown = [this](int& code, int shift) {
            log.push_back("txtA.KeyDown " + std::to_string(code) + " " + std::to_string(shift));
            if (code == codeToCancel) {
                code = 0;
            }
        };
        txtA.KeyPress = [this](int& ascii) {
            log.push_back("txtA.KeyPress " + std::to_string(ascii));
            if (ascii == 'x') {
                ascii = 0;
            } else if (ascii == 'a') {
                ascii = 'A';
            }
        };
        KeyDown = [this](int& code, int) {
            log.push_back("Form.KeyDown " + std::to_string(code));
            if (code == plat::key::F8) {
                code = 0;
            }
        };
        KeyPress = [this](int& ascii) {
            log.push_back("Form.KeyPress " + std::to_string(ascii));
            if (ascii == 'q') {
                ascii = 0;
            }
        };
        cmdOk.Click = [this] { log.push_back("cmdOk.Click"); };
        auto& file = AddMenu("mnuFile", "&File");
        auto& run = file.Add("mnuRun", "&Run");
        run.SetShortcut(plat::key::F5);
        run.Click = [this] { log.push_back("mnuRun.Click"); };
    }
    plat::TextBox txtA{*this, "txtA"};
    plat::TextBox txtB{*this, "txtB"};
    plat::CommandButton cmdOk{*this, "cmdOk"};
    std::vector<std::string> log;
    int codeToCancel = -1;
};

class KeysTest : public ::testing::Test {
protected:
    void SetUp() override {
        Application();
        w = std::make_unique<KeyWindow>();
        w->Show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(w->Window()));
        w->txtA.SetFocus();
        ASSERT_TRUE(plat::testing::WaitFor([&] { return w->txtA.HasFocus(); }));
        w->log.clear();
    }
    std::unique_ptr<KeyWindow> w;
};

TEST_F(KeysTest, KeyDownComesBeforeKeyPressAndHandlersShapeTheText) {
    QTest::keyClicks(w->txtA.Widget(), "Bxa");
    EXPECT_EQ(w->txtA.Text(), "BA"); // 'x' swallowed, 'a' replaced
    EXPECT_EQ(w->log,
              (std::vector<std::string>{"txtA.KeyDown 66 0", "txtA.KeyPress 66", "txtA.KeyDown 88 0",
                                        "txtA.KeyPress 120", "txtA.KeyDown 65 0", "txtA.KeyPress 97"}));
}

TEST_F(KeysTest, CharacterCodesOfSpecialKeys) {
    struct Case {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        int code;
        int ascii;
    };
    const Case cases[] = {
        {Qt::Key_Return, Qt::NoModifier, 13, 13},      {Qt::Key_Enter, Qt::KeypadModifier, 13, 13},
        {Qt::Key_Escape, Qt::NoModifier, 27, 27},      {Qt::Key_Backspace, Qt::NoModifier, 8, 8},
        {Qt::Key_V, Qt::ControlModifier, 86, 22},      {Qt::Key_C, Qt::ControlModifier, 67, 3},
        {Qt::Key_Delete, Qt::NoModifier, 46, 0},       {Qt::Key_Up, Qt::NoModifier, 38, 0},
        {Qt::Key_F7, Qt::NoModifier, 118, 0},          {Qt::Key_Period, Qt::NoModifier, 190, 46},
        {Qt::Key_Minus, Qt::NoModifier, 189, 45},      {Qt::Key_5, Qt::KeypadModifier, 101, 53},
        {Qt::Key_Period, Qt::KeypadModifier, 110, 46},
    };
    for (const Case& c : cases) {
        w->log.clear();
        QTest::keyClick(w->txtA.Widget(), c.key, c.modifiers);
        std::vector<std::string> expected;
        if (c.modifiers & Qt::ControlModifier) {
            expected.push_back("txtA.KeyDown 17 2"); // the Ctrl key itself
        }
        if (c.code != 0) {
            expected.push_back("txtA.KeyDown " + std::to_string(c.code) + " " +
                               std::to_string(c.modifiers & Qt::ControlModifier ? 2 : 0));
        }
        if (c.ascii != 0) {
            expected.push_back("txtA.KeyPress " + std::to_string(c.ascii));
        }
        EXPECT_EQ(w->log, expected) << "key " << c.key;
    }
}

TEST_F(KeysTest, ACancelledKeyDownKeepsTheKeyFromTheBox) {
    w->txtA.SetText("abc");
    w->txtA.SetSelStart(3);
    w->codeToCancel = plat::key::Back;
    QTest::keyClick(w->txtA.Widget(), Qt::Key_Left);
    QTest::keyClick(w->txtA.Widget(), Qt::Key_Delete); // deletes "c"
    w->codeToCancel = plat::key::Delete;
    QTest::keyClick(w->txtA.Widget(), Qt::Key_Left);
    QTest::keyClick(w->txtA.Widget(), Qt::Key_Delete); // cancelled
    EXPECT_EQ(w->txtA.Text(), "ab");
}

TEST_F(KeysTest, APreviewingWindowSeesKeysFirstAndCanSwallowThem) {
    w->SetKeyPreview(true);
    QTest::keyClicks(w->txtA.Widget(), "kq");
    QTest::keyClick(w->txtA.Widget(), Qt::Key_F8);
    EXPECT_EQ(w->txtA.Text(), "k");
    EXPECT_EQ(w->log, (std::vector<std::string>{"Form.KeyDown 75", "txtA.KeyDown 75 0", "Form.KeyPress 107",
                                                "txtA.KeyPress 107", "Form.KeyDown 81", "txtA.KeyDown 81 0",
                                                "Form.KeyPress 113", "Form.KeyDown 119"}));
}

TEST_F(KeysTest, AMenuShortcutIsHandledBeforeTheWindowSeesTheKey) {
    w->SetKeyPreview(true);
    QTest::keyClick(w->txtA.Widget(), Qt::Key_F5);
    EXPECT_EQ(w->log, (std::vector<std::string>{"mnuRun.Click"}));
}

TEST_F(KeysTest, EnterPressesOnlyTheFocusedButton) {
    QTest::keyClick(w->txtA.Widget(), Qt::Key_Return);
    EXPECT_EQ(std::count(w->log.begin(), w->log.end(), "cmdOk.Click"), 0);
    w->cmdOk.SetFocus();
    QTest::keyClick(w->cmdOk.Widget(), Qt::Key_Return);
    EXPECT_EQ(std::count(w->log.begin(), w->log.end(), "cmdOk.Click"), 1);
}

TEST_F(KeysTest, SendTabMovesTheFocusAfterTheHandlerReturns) {
    std::string seenByLostFocus;
    w->txtA.KeyPress = [&](int& ascii) {
        if (ascii == 13) {
            ascii = 0;
            w->SendTab();
            EXPECT_TRUE(w->txtA.HasFocus()); // not yet moved
            w->txtA.SetText("changed");
        }
    };
    w->txtA.LostFocus = [&] { seenByLostFocus = w->txtA.Text(); };
    QTest::keyClick(w->txtA.Widget(), Qt::Key_Return);
    ASSERT_TRUE(plat::testing::WaitFor([&] { return w->txtB.HasFocus(); }));
    EXPECT_EQ(seenByLostFocus, "changed");
}

} // namespace

namespace {

// A window whose only control takes no focus gets the keys itself, once each.
TEST(WindowKeys, AWindowWithNoFocusedControlGetsItsKeysOnce) {
    plat::testing::Application();
    plat::Form form("frmPicture");
    plat::PictureBox pic(form, "Plotter");
    std::vector<std::string> log;
    form.KeyDown = [&](int& code, int) { log.push_back("KeyDown " + std::to_string(code)); };
    form.KeyPress = [&](int& ascii) { log.push_back("KeyPress " + std::to_string(ascii)); };
    form.Show();
    plat::DoEvents(20);
    QTest::keyClick(form.Window(), Qt::Key_F10);
    QTest::keyClick(form.Window(), Qt::Key_1);
    EXPECT_EQ(log, (std::vector<std::string>{"KeyDown 121", "KeyDown 49", "KeyPress 49"}));
    // With a focused text box the box's pipeline has them, and the window does not see them again.
    plat::TextBox box(form, "txtA");
    form.SetKeyPreview(true);
    box.SetFocus();
    plat::DoEvents(20);
    log.clear();
    QTest::keyClick(box.Widget(), Qt::Key_F10);
    EXPECT_EQ(log, (std::vector<std::string>{"KeyDown 121"}));
}

} // namespace
