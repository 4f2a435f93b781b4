// A window's Paint comes when the desktop exposes it, once for exposes that arrive before it runs,
// and never because the program drew into one of its picture boxes.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QExposeEvent>
#include <QWindow>

#include "platform/services/Clock.h"
#include "platform/ui/Form.h"
#include "platform/ui/PictureBox.h"
#include "platform/ui/testing/GuiTest.h"

namespace {

struct Painted : plat::Form {
    Painted() : plat::Form("frmPainted"), picture(*this, "picPainted") {
        SetClientSize(3000, 2000);
        picture.Move(0, 0, 1500, 1500);
        Paint = [this] {
            ++paints;
            // Drawing inside the handler must not raise another Paint.
            picture.Line(0, 0, 1000, 1000);
            picture.Refresh();
        };
    }
    plat::PictureBox picture;
    int paints = 0;
};

// Lets the event loop run for a while (exposes and queued work included).
void Settle() {
    for (int i = 0; i < 10; ++i) {
        plat::DoEvents(10);
    }
}

void Expose(QWindow& window) {
    QExposeEvent event(QRegion(0, 0, 10, 10));
    QCoreApplication::sendEvent(&window, &event);
}

TEST(Paint, ComesOnExposeOnlyAndOnceForExposesBeforeItRuns) {
    plat::testing::Application();
    Painted form;
    form.Show();
    ASSERT_TRUE(plat::testing::WaitFor([&] { return form.paints > 0; }));
    Settle();
    EXPECT_EQ(form.paints, 1) << "the first expose, and no Paint from the drawing inside it";

    // The program drawing into the picture box is no expose.
    for (int i = 0; i < 5; ++i) {
        form.picture.Line(0, 1000, 1000, 0);
        form.picture.Refresh();
        form.picture.Cls();
    }
    form.Window()->update();
    Settle();
    EXPECT_EQ(form.paints, 1);

    QWindow* handle = form.Window()->windowHandle();
    ASSERT_NE(handle, nullptr);
    Expose(*handle);
    Expose(*handle);
    Expose(*handle);
    EXPECT_EQ(form.paints, 1) << "Paint runs from the event loop, not inside the expose";
    Settle();
    EXPECT_EQ(form.paints, 2);

    // Shown again after hiding: exposed anew.
    form.Hide();
    Settle();
    EXPECT_EQ(form.paints, 2);
    form.Show();
    ASSERT_TRUE(plat::testing::WaitFor([&] { return form.paints > 2; }));
    Settle();
    EXPECT_EQ(form.paints, 3);
    plat::Unload(form);
}

// A window unloaded with a Paint still queued does not run it.
TEST(Paint, AQueuedPaintOfAWindowGoneDoesNotRun) {
    plat::testing::Application();
    int paints = 0;
    {
        Painted form;
        form.Paint = [&paints] { ++paints; };
        form.Show();
        Settle();
        paints = 0;
        Expose(*form.Window()->windowHandle());
        plat::Unload(form);
    }
    Settle();
    EXPECT_EQ(paints, 0);
}

} // namespace
