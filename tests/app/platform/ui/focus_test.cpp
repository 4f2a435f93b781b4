// Focus events: only moves between the program's controls count.
#include <string>
#include <vector>

#include <QAbstractItemView>
#include <QComboBox>
#include <QTest>

#include "platform/ui/Buttons.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/Form.h"
#include "platform/ui/TextBox.h"
#include "platform/ui/testing/GuiTest.h"

namespace {

using plat::testing::Application;

struct TestWindow : plat::Form {
    TestWindow() : plat::Form("frmTest") {
        SetClientSize(4000, 3000);
        txtA.Move(100, 100, 1200, 300);
        txtB.Move(100, 500, 1200, 300);
        cmdGo.Move(100, 900, 1200, 400);
        cmbList.Move(100, 1500, 1200, 300);
        for (auto* box : {&txtA, &txtB}) {
            const std::string name = box->Name();
            box->GotFocus = [this, name] { log.push_back(name + ".GotFocus"); };
            box->LostFocus = [this, name] { log.push_back(name + ".LostFocus"); };
        }
        cmdGo.GotFocus = [this] { log.push_back("cmdGo.GotFocus"); };
        cmdGo.LostFocus = [this] { log.push_back("cmdGo.LostFocus"); };
        cmdGo.Click = [this] { log.push_back("cmdGo.Click"); };
        cmbList.AddItem("one");
        cmbList.AddItem("two");
        cmbList.GotFocus = [this] { log.push_back("cmbList.GotFocus"); };
        cmbList.LostFocus = [this] { log.push_back("cmbList.LostFocus"); };
    }
    plat::TextBox txtA{*this, "txtA"};
    plat::TextBox txtB{*this, "txtB"};
    plat::CommandButton cmdGo{*this, "cmdGo"};
    plat::ComboBox cmbList{*this, "cmbList"};
    std::vector<std::string> log;
};

class FocusTest : public ::testing::Test {
protected:
    void SetUp() override {
        Application();
        w = std::make_unique<TestWindow>();
        w->Show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(w->Window()));
        w->txtA.SetFocus();
        ASSERT_TRUE(plat::testing::WaitFor([&] { return w->txtA.HasFocus(); }));
        w->log.clear();
    }
    std::unique_ptr<TestWindow> w;
};

TEST_F(FocusTest, MovesBetweenControlsFireLostThenGot) {
    QTest::keyClick(w->txtA.Widget(), Qt::Key_Tab);
    w->txtA.SetFocus();
    QTest::mouseClick(w->txtB.Widget(), Qt::LeftButton);
    EXPECT_EQ(w->log, (std::vector<std::string>{"txtA.LostFocus", "txtB.GotFocus", "txtB.LostFocus",
                                                "txtA.GotFocus", "txtA.LostFocus", "txtB.GotFocus"}));
    EXPECT_EQ(w->ActiveControl(), &w->txtB);
}

TEST_F(FocusTest, ButtonClickComesAfterTheLostFocusOfTheFocusedControl) {
    QTest::mouseClick(w->cmdGo.Widget(), Qt::LeftButton);
    EXPECT_EQ(w->log, (std::vector<std::string>{"txtA.LostFocus", "cmdGo.GotFocus", "cmdGo.Click"}));
}

TEST_F(FocusTest, AnotherWindowTakingOverFiresNothing) {
    plat::Form other("frmOther");
    other.Show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(other.Window()));
    w->Window()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w->Window()));
    EXPECT_TRUE(w->txtA.HasFocus());
    EXPECT_TRUE(w->log.empty()) << w->log.front();
}

TEST_F(FocusTest, AModalWindowTakingOverFiresNothing) {
    plat::Form dialog("frmDialog");
    bool shown = false;
    plat::testing::Queue([&] {
        shown = QTest::qWaitForWindowActive(dialog.Window());
        dialog.Hide();
    });
    dialog.Show(plat::Form::Modality::Modal);
    EXPECT_TRUE(shown);
    ASSERT_TRUE(QTest::qWaitForWindowActive(w->Window()));
    EXPECT_TRUE(w->txtA.HasFocus());
    EXPECT_TRUE(w->log.empty()) << w->log.front();
}

TEST(FocusOnShow, TheFirstControlOfAShownWindowGetsTheFocusOnce) {
    Application();
    TestWindow shown;
    shown.Show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(shown.Window()));
    plat::DoEvents(20);
    EXPECT_EQ(shown.log, (std::vector<std::string>{"txtA.GotFocus"}));
    EXPECT_EQ(shown.ActiveControl(), &shown.txtA);
}

TEST_F(FocusTest, AListOpeningItsPopUpFiresNothing) {
    w->cmbList.SetFocus();
    w->log.clear();
    w->cmbList.Inner()->showPopup();
    plat::testing::WaitFor([&] { return w->cmbList.Inner()->view()->isVisible(); });
    w->cmbList.Inner()->hidePopup();
    w->Window()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w->Window()));
    EXPECT_TRUE(w->cmbList.HasFocus());
    EXPECT_TRUE(w->log.empty()) << w->log.front();
}

} // namespace
