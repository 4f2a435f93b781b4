// The backstop of the event dispatch: a handler that throws is stopped, its reason is shown in a
// critical box with the window's caption, and the program goes on.
#include <stdexcept>
#include <string>

#include <QTest>

#include "platform/text/Numbers.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/Dispatch.h"
#include "platform/ui/Form.h"
#include "platform/ui/Menu.h"
#include "platform/ui/TextBox.h"
#include "platform/ui/Timer.h"
#include "platform/ui/testing/GuiTest.h"

namespace {

class DispatchTest : public ::testing::Test {
protected:
    plat::testing::ScriptedServices services;
    plat::Form form{"frmThrows"};
};

TEST_F(DispatchTest, AHandlerThatThrowsIsStoppedReportedAndTheProgramGoesOn) {
    form.SetCaption("Throwing Window");
    plat::CommandButton overflow(form, "cmdOverflow");
    plat::CommandButton plain(form, "cmdPlain");
    overflow.Move(0, 0, 1200, 400);
    plain.Move(0, 600, 1200, 400);
    int after = 0;
    int plainClicks = 0;
    overflow.Click = [&] {
        plat::CSng(1e300); // a Single cannot hold it: the platform's typed error
        ++after;
    };
    plain.Click = [&] { throw std::logic_error("plain failure"); };
    form.Show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.Window()));

    services.Boxes().Expect("overflow", plat::vbOK);
    services.Boxes().Expect("plain failure", plat::vbOK);
    const int failures = plat::HandlerFailures();
    QTest::mouseClick(overflow.Widget(), Qt::LeftButton);
    QTest::mouseClick(plain.Widget(), Qt::LeftButton);
    EXPECT_EQ(after, 0); // the handler stopped where it threw
    EXPECT_EQ(plat::HandlerFailures(), failures + 2);
    ASSERT_EQ(services.Boxes().Shown().size(), 2u);
    for (const plat::MessageBoxRequest& box : services.Boxes().Shown()) {
        EXPECT_EQ(box.title, "Throwing Window");
        EXPECT_EQ(box.buttons, plat::vbCritical);
    }
    // The window goes on working: a handler that does not throw runs.
    plain.Click = [&] { ++plainClicks; };
    QTest::mouseClick(plain.Widget(), Qt::LeftButton);
    EXPECT_EQ(plainClicks, 1);
    EXPECT_TRUE(form.Window()->isEnabled());
}

// Menus, typed text, keys and timers reach their handlers through the same dispatch; a menu's
// failure carries the caption of the window whose menu it is.
TEST_F(DispatchTest, MenusTextTimersAndKeysAreCoveredToo) {
    form.SetCaption("Menu Window");
    plat::TextBox box(form, "txtBox");
    box.Change = [] { throw std::runtime_error("change failed"); };
    box.KeyPress = [](int&) { throw std::runtime_error("key failed"); };
    plat::MenuItem& item = form.AddMenu("mnuFile", "&File").Add("mnuGo", "&Go");
    item.Click = [] { throw plat::OverflowError("menu failed"); };
    plat::Timer timer(form, "Timer1");
    timer.Tick = [&] {
        timer.SetEnabled(false);
        throw std::runtime_error("tick failed");
    };
    form.Show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.Window()));
    for (const char* prompt : {"change failed", "key failed", "menu failed", "tick failed"})
        services.Boxes().Expect(prompt, plat::vbOK);
    box.SetText("x");
    box.SetFocus();
    QTest::keyClick(box.Widget(), Qt::Key_A);
    item.Action()->trigger();
    timer.SetInterval(1);
    timer.SetEnabled(true);
    ASSERT_TRUE(plat::testing::WaitFor([&] { return services.Boxes().Shown().size() == 4; }));
    for (const plat::MessageBoxRequest& shown : services.Boxes().Shown())
        EXPECT_EQ(shown.title, "Menu Window") << shown.prompt;
}

} // namespace
