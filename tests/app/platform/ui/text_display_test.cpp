// What a user sees of a control's value: a text box not being edited shows its start (the sign and
// leading digits), however long the value; a frame hides what lies under it.
#include <QImage>
#include <QLineEdit>
#include <QTest>

#include "platform/ui/Form.h"
#include "platform/ui/Frame.h"
#include "platform/ui/Label.h"
#include "platform/ui/TextBox.h"
#include "platform/ui/testing/GuiTest.h"

namespace {

class TextDisplay : public ::testing::Test {
protected:
    TextDisplay() {
        for (plat::TextBox* box : {&narrow, &other})
            box->Move(0, box == &narrow ? 0 : 600, 600, 285); // 40 pixels: room for a few digits
        form.Show();
    }
    QApplication& app = plat::testing::Application();
    plat::Form form{"frmTextDisplay"};
    plat::TextBox narrow{form, "txtNarrow"};
    plat::TextBox other{form, "txtOther"};
};

TEST_F(TextDisplay, AValueSetFromCodeShowsItsStart) {
    for (const char* value : {"-1000.00", "122.145996", "-12345.678901234", "3"}) {
        narrow.SetText(value);
        EXPECT_EQ(narrow.Editor()->cursorPosition(), 0) << value;
        EXPECT_EQ(narrow.Text(), value);
    }
}

TEST_F(TextDisplay, LeavingTheBoxShowsTheStartOfWhatWasTyped) {
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.Window()));
    narrow.SetFocus();
    ASSERT_TRUE(narrow.HasFocus());
    QTest::keyClicks(narrow.Editor(), "-9876.54321");
    // While it is edited the caret stays where the typing left it, also when code sets the text.
    EXPECT_EQ(narrow.Editor()->cursorPosition(), 11);
    narrow.SetText("-9876.543210");
    EXPECT_EQ(narrow.Editor()->cursorPosition(), 12);
    other.SetFocus();
    ASSERT_TRUE(other.HasFocus());
    EXPECT_EQ(narrow.Editor()->cursorPosition(), 0);
    EXPECT_EQ(narrow.Text(), "-9876.543210");
}

TEST(FrameDisplay, AFrameHidesWhatLiesUnderIt) {
    plat::testing::Application();
    plat::Form form{"frmFrameDisplay"};
    form.SetClientSize(3000, 3000);
    plat::Label under{form, "lblUnder"};
    under.Move(0, 0, 3000, 3000);
    under.SetBackColor(0x0000FF);
    plat::Frame frame{form, "fraOver"};
    frame.Move(750, 750, 1500, 1500);
    frame.SetCaption("Over");
    form.Show();
    plat::DoEvents(20);
    const QImage shot = form.Window()->centralWidget()->grab().toImage();
    EXPECT_EQ(shot.pixelColor(10, 10), QColor(255, 0, 0));
    EXPECT_NE(shot.pixelColor(100, 100), QColor(255, 0, 0));
}

} // namespace
