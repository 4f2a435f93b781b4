// The viewer redraws once when the desktop exposes it, for any number of exposes before the redraw
// runs, and not at all while annotating (the frozen picture stays).
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QExposeEvent>
#include <QWindow>

#include "platform/services/Clock.h"
#include "platform/ui/testing/GuiTest.h"
#include "shell/model/ModelVariables.h"
#include "viewer/ui/frmViewGround.h"

namespace {

void Settle() {
    for (int i = 0; i < 10; ++i) {
        plat::DoEvents(10);
    }
}

void Expose(class frmViewGround& w, int times) {
    for (int i = 0; i < times; ++i) {
        QExposeEvent event(QRegion(0, 0, 20, 20));
        QCoreApplication::sendEvent(w.Window()->windowHandle(), &event);
    }
}

class ViewGroundPaint : public ::testing::Test {
protected:
    ViewGroundPaint() { plat::testing::Application(); }
    void SetUp() override { shell::Model() = shell::ModelVariables{}; }
    void TearDown() override { plat::DeleteWindowInstances(); }
};

TEST_F(ViewGroundPaint, ExposesRedrawOnceUnlessAnnotating) {
    auto& w = frmViewGround();
    w.SetHost({});
    plat::Load(w);
    w.Annotating = 1;
    w.Show();
    Settle();
    EXPECT_EQ(w.RedrawCount(), 0) << "neither the first expose nor the activation draws while annotating";
    Expose(w, 3);
    Settle();
    EXPECT_EQ(w.RedrawCount(), 0);

    w.Annotating = 0;
    Expose(w, 3);
    EXPECT_EQ(w.RedrawCount(), 0) << "the redraw is queued, not run inside the expose";
    Settle();
    EXPECT_EQ(w.RedrawCount(), 1) << "one redraw, and the drawing raised no further paint";
    Expose(w, 1);
    Settle();
    EXPECT_EQ(w.RedrawCount(), 2);
    plat::Unload(w);
}

} // namespace
