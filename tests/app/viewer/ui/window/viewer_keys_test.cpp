// The viewer's keys as the desktop sends them: the arrows and G act on the view once per press
// whichever button has the focus (which stays where it is), not in a text box or the presets list,
// and a click on the picture gives the window the keys again.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include "ViewerProfileGrid.h"
#include "platform/ui/testing/GuiTest.h"
#include "platform/ui/testing/UserInput.h"
#include "shell/model/ModelVariables.h"
#include "viewer/ui/frmViewGround.h"

namespace {

class ViewerKeys : public ::testing::Test {
protected:
    ViewerKeys() { plat::testing::Application(); }
    void SetUp() override { shell::Model() = shell::ModelVariables{}; }
    void TearDown() override { plat::DeleteWindowInstances(); }
    class frmViewGround& Shown() {
        auto& w = frmViewGround();
        ViewGroundHost host;
        host.groundGrid = [this]() -> const plat::GridModel* { return &grid_; };
        host.antennaBoxes = [] { return viewer::AntennaBoxes{}; };
        host.useSI = [] { return false; };
        w.SetHost(host);
        w.Show();
        EXPECT_TRUE(QTest::qWaitForWindowActive(w.Window()));
        plat::DoEvents(100); // the first paint
        return w;
    }
    ViewerProfileGrid grid_{{"0", "10", "20", "40", "30"}};
};

TEST_F(ViewerKeys, ArrowsAndGActOncePerPressAndLeaveTheFocusOnItsButton) {
    auto& w = Shown();
    for (plat::Control* button : {static_cast<plat::Control*>(w.cmdRefresh.get()), static_cast<plat::Control*>(w.Command1.get())}) {
        button->SetFocus();
        ASSERT_TRUE(plat::testing::WaitFor([&] { return button->HasFocus(); }));
        for (Qt::Key key : {Qt::Key_Left, Qt::Key_Right, Qt::Key_Up, Qt::Key_Down, Qt::Key_G, Qt::Key_G}) {
            const int redraws = w.RedrawCount();
            plat::testing::PressKey(w, key);
            EXPECT_EQ(w.RedrawCount() - redraws, 1) << button->Name() << " " << QKeySequence(key).toString().toStdString();
            EXPECT_TRUE(button->HasFocus()) << button->Name();
        }
    }
}

TEST_F(ViewerKeys, AClickOnThePictureGivesTheWindowTheKeysThatATextBoxHad) {
    auto& w = Shown();
    w.txtX0->SetFocus();
    ASSERT_TRUE(plat::testing::WaitFor([&] { return w.txtX0->HasFocus(); }));
    int redraws = w.RedrawCount();
    plat::testing::PressKey(w, Qt::Key_Left);
    EXPECT_EQ(w.RedrawCount(), redraws);
    QTest::mouseClick(w.Plotter->Widget(), Qt::LeftButton, {}, QPoint(20, 20));
    EXPECT_FALSE(w.txtX0->HasFocus());
    redraws = w.RedrawCount();
    plat::testing::PressKey(w, Qt::Key_Left);
    EXPECT_EQ(w.RedrawCount() - redraws, 1);
}

} // namespace
