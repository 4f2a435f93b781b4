// A window's Activate comes when it becomes the program's active window after another of its
// windows; a message box or dialog closing over it hands the activation back
// without one, as the platform's message boxes do.
#include <gtest/gtest.h>

#include <QDialog>

#include "platform/services/Clock.h"
#include "platform/ui/Form.h"
#include "platform/ui/testing/GuiTest.h"

namespace {

struct Counted : plat::Form {
    explicit Counted(const std::string& name) : plat::Form(name) {
        Activate = [this] { ++activations; };
    }
    int activations = 0;
};

// Handles events until the window is the active one (or about a second has passed).
void ActivateAndWait(QWidget& window) {
    window.activateWindow();
    for (int i = 0; i < 100 && !window.isActiveWindow(); ++i)
        plat::DoEvents(10);
    plat::DoEvents(10);
}

TEST(Activation, ABoxClosingOverAWindowDoesNotActivateItAgain) {
    plat::testing::Application();
    Counted plot("frmPlot");
    plot.Show();
    ActivateAndWait(*plot.Window());
    ASSERT_EQ(plot.activations, 1);

    QDialog box;
    box.show();
    ActivateAndWait(box);
    box.hide();
    ActivateAndWait(*plot.Window());
    EXPECT_EQ(plot.activations, 1);

    Counted other("frmOther");
    other.Show();
    ActivateAndWait(*other.Window());
    EXPECT_EQ(other.activations, 1);
    ActivateAndWait(*plot.Window());
    EXPECT_EQ(plot.activations, 2);
    plat::Unload(plot);
    plat::Unload(other);
}

} // namespace
