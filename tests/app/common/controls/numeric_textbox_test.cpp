// The numeric text-box behaviour with the program's routines, in a real (off-screen) window.
#include <string>
#include <vector>

#include <QTest>

#include "common/controls/TextBoxRoutines.h"
#include "platform/ui/Form.h"
#include "platform/ui/Label.h"
#include "platform/ui/TextBox.h"
#include "platform/ui/testing/GuiTest.h"

using namespace common;

namespace {

using plat::testing::Application;

struct NumericWindow : plat::Form {
    NumericWindow() : plat::Form("frmNumeric") {
        SetClientSize(4000, 3000);
        txtBox.Move(100, 100, 1200, 300);
        txtNext.Move(100, 500, 1200, 300);
        txtBox.LostFocus = [this] {
            ++ownSteps;
            ownStepSaw = txtBox.Text();
        };
        txtBox.KeyPress = [this](int& ascii) { keysSeen.push_back(ascii); };
        txtNext.GotFocus = [this] { nextGotFocusSaw = txtBox.Text(); };
    }
    void MakeNumeric(plat::NumericSteps enter, plat::NumericSteps leave) {
        txtBox.SetNumericBehaviour(NumericBoxBehaviour(enter, leave, [this] { return unit; }));
    }
    plat::TextBox txtBox{*this, "txtBox"};
    plat::TextBox txtNext{*this, "txtNext"};
    std::uint8_t unit = 0;
    int ownSteps = 0;
    std::string ownStepSaw;
    std::string nextGotFocusSaw;
    std::vector<int> keysSeen;
};

class NumericTextBoxTest : public ::testing::Test {
protected:
    void SetUp() override {
        Application();
        w = std::make_unique<NumericWindow>();
        w->Show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(w->Window()));
        w->txtNext.SetFocus();
        ASSERT_TRUE(plat::testing::WaitFor([&] { return w->txtNext.HasFocus(); }));
    }
    // Focus into the emptied box, then type `typed`.
    void Type(const std::string& typed) {
        w->txtBox.SetText("");
        w->txtBox.SetFocus();
        ASSERT_TRUE(w->txtBox.HasFocus());
        QTest::keyClicks(w->txtBox.Widget(), QString::fromStdString(typed));
        w->ownSteps = 0;
        w->keysSeen.clear();
    }
    std::unique_ptr<NumericWindow> w;
};

TEST_F(NumericTextBoxTest, FocusSelectsTheWholeText) {
    w->MakeNumeric({}, {});
    w->txtBox.SetText("1234.5");
    QTest::keyClick(w->txtNext.Widget(), Qt::Key_Backtab);
    ASSERT_TRUE(w->txtBox.HasFocus());
    EXPECT_EQ(w->txtBox.SelStart(), 0);
    EXPECT_EQ(w->txtBox.SelLength(), 6);
    EXPECT_EQ(w->txtBox.SelText(), "1234.5");
}

TEST_F(NumericTextBoxTest, EnterConvertsGuardsSwallowsTheKeyAndMovesOn) {
    struct Case {
        const char* typed;
        plat::NumericSteps enter;
        std::uint8_t unit;
        const char* afterEnter;
    };
    const Case cases[] = {
        {"100m", {true, true}, 0, "328.08"},
        {"100M", {true, true}, 0, "328.08"},
        {"1n", {true, true}, 0, "6076.0"},
        {"100f", {true, true}, 1, "30.48"},
        {"250", {true, true}, 0, "250"},
        {"abc", {true, true}, 0, "0"},
        {"", {true, true}, 0, "0.00"},
        {"100m", {false, true}, 0, "0"}, // a box that does not convert on Enter
        {"100m", {true, false}, 0, "328.08"},
        {"1e3", {false, false}, 0, "1e3"},
    };
    for (const Case& c : cases) {
        w->unit = c.unit;
        // Leaving runs nothing here, so that the text seen is what Enter made.
        w->MakeNumeric(c.enter, {false, false});
        Type(c.typed);
        QTest::keyClick(w->txtBox.Widget(), Qt::Key_Return);
        EXPECT_TRUE(w->keysSeen.empty()) << c.typed << ": Enter reached the box's handler";
        ASSERT_TRUE(plat::testing::WaitFor([&] { return w->txtNext.HasFocus(); })) << c.typed;
        EXPECT_EQ(w->txtBox.Text(), c.afterEnter) << c.typed;
        EXPECT_EQ(w->ownSteps, 1) << c.typed;
        EXPECT_EQ(w->ownStepSaw, c.afterEnter) << c.typed;
    }
}

TEST_F(NumericTextBoxTest, LeavingConvertsAndGuardsBeforeTheBoxsOwnStepOnce) {
    struct Case {
        const char* typed;
        plat::NumericSteps leave;
        const char* seen;
    };
    const Case cases[] = {
        {"2n", {true, true}, "12152.0"},  {"100m", {true, true}, "328.08"},
        {"x1", {true, true}, "0"},        {" 12 ", {true, true}, "12"}, // the conversion trims
        {" 12 ", {false, true}, " 12 "}, // the guard alone keeps a number as it is
        {"100m", {false, false}, "100m"},
    };
    for (const Case& c : cases) {
        w->MakeNumeric({true, true}, c.leave);
        Type(c.typed);
        QTest::mouseClick(w->txtNext.Widget(), Qt::LeftButton);
        EXPECT_EQ(w->ownSteps, 1) << c.typed;
        EXPECT_EQ(w->ownStepSaw, c.seen) << c.typed;
        EXPECT_EQ(w->nextGotFocusSaw, c.seen) << c.typed;
    }
}

TEST_F(NumericTextBoxTest, EnterThenLeavingRunsTheStepsOnceEach) {
    w->MakeNumeric({true, true}, {true, true});
    Type("100m");
    QTest::keyClick(w->txtBox.Widget(), Qt::Key_Return);
    ASSERT_TRUE(plat::testing::WaitFor([&] { return w->txtNext.HasFocus(); }));
    // The conversion on leaving sees "328.08", which has no suffix left.
    EXPECT_EQ(w->txtBox.Text(), "328.08");
    EXPECT_EQ(w->ownSteps, 1);
    plat::DoEvents(20);
    EXPECT_EQ(w->ownSteps, 1);
}

TEST_F(NumericTextBoxTest, OtherKeysPassToTheBoxsHandler) {
    w->MakeNumeric({true, true}, {true, true});
    Type("");
    QTest::keyClicks(w->txtBox.Widget(), "7.5");
    EXPECT_EQ(w->keysSeen, (std::vector<int>{'7', '.', '5'}));
    EXPECT_TRUE(w->txtBox.HasFocus());
}

TEST_F(NumericTextBoxTest, ABoxThatConvertsNeedsItsUnit) {
    EXPECT_THROW(w->txtBox.SetNumericBehaviour(NumericBoxBehaviour({true, true}, {false, true}, nullptr)),
                 std::invalid_argument);
    EXPECT_NO_THROW(w->txtBox.SetNumericBehaviour(NumericBoxBehaviour({false, true}, {false, true}, nullptr)));
    // The platform's box runs no step without its routine.
    EXPECT_THROW(w->txtBox.SetNumericBehaviour({{false, true}, {false, false}, nullptr, nullptr}),
                 std::invalid_argument);
}

TEST(ControlRoutines, TheRoutinesActOnTextBoxesOnly) {
    Application();
    plat::Form form("frmRoutines");
    plat::TextBox box(form, "txtBox");
    plat::Label label(form, "lblBox");
    label.SetCaption("100m");
    ConvertTextBoxUnits(label, 0);
    EnsureNumericText(label);
    EXPECT_EQ(label.Caption(), "100m");

    int changes = 0;
    box.Change = [&] { ++changes; };
    box.SetText(" 12 ");
    changes = 0;
    EnsureNumericText(box);
    EXPECT_EQ(box.Text(), " 12 ");
    EXPECT_EQ(changes, 0);
    box.SetText("   ");
    EnsureNumericText(box);
    EXPECT_EQ(box.Text(), "0");
    box.SetText(" 100m ");
    ConvertTextBoxUnits(box, 0);
    EXPECT_EQ(box.Text(), "328.08");
}

} // namespace
