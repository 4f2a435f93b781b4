// Every window of the program, opened from the main window as a user opens it, can be read: its
// captions fit, its controls do not cover each other, its boxes show their whole values.
#include "../shell/mainwindow/GuiTest.h"

#include <QImage>
#include <QTest>

#include <fstream>
#include <iterator>

#include "ReadableWindow.h"
#include "editors/arrayedit/frmArrayEdit.h"
#include "editors/elemparm/frmElemParm.h"
#include "ground/digitise/ui/frmDigitizeGround.h"
#include "ground/ui/frmEdit3D.h"
#include "platform/services/Clock.h"
#include "plot/ui/frmPlot.h"
#include "plot/ui/frmPlotParams.h"
#include "plot/ui/frmResults.h"
#include "shell/dialogs/frmNewAbout.h"
#include "shell/dialogs/frmOriginHelp.h"
#include "shell/run/frmGeneric.h"
#include "shell/run/frmMulOutputs.h"
#include "shell/run/frmOutput.h"
#include "viewer/ui/frmGroundColors.h"
#include "viewer/ui/frmViewGround.h"

using layout::ExpectReadable;

namespace {

class ReadableWindows : public WindowTest {
protected:
    // The shipped example in the scratch folder (saved in metres if asked), the main window shown with it.
    class frmMain& MainWithExample(bool metres = false) {
        PutExample(PELLON_EXAMPLES_DIR);
        if (metres) {
            std::string model = Read("cegs_site.inp");
            const std::string feet = "'*' 'cegs_site INPUT A' 0";
            model.replace(model.find(feet), feet.size(), "'*' 'cegs_site INPUT A' 1");
            Put("cegs_site.inp", model);
        }
        return ShowMain();
    }

    // Opens a modal window by `open` and checks it (and what `inside` does in it) before `close`.
    template <class Window>
    void CheckModal(const std::function<void()>& open, Window& (*window)(),
                    const std::function<void(Window&)>& inside = {}) {
        bool seen = false;
        plat::testing::Queue([&] {
            Window& d = window();
            seen = true;
            plat::DoEvents(50);
            ExpectReadable(d);
            if (inside)
                inside(d);
            plat::Unload(d);
        });
        open();
        EXPECT_TRUE(seen);
    }
};

// Antenna and theodolite positions: a setback of some thousands of feet, with the digits the unit
// switch leaves (six decimals in metres, five in feet).
const std::vector<layout::WidestValue> kMainMetres = {
    {"txtAntX", 0, "-1234.567891"}, {"txtAntY", 0, "-1234.567891"}, {"txtAntZ", 0, "-123.456789"},
    {"txtThX", -1, "-1234.57"},     {"txtThY", -1, "-12345.67"},    {"txtThZ", -1, "-123.45"},
};
const std::vector<layout::WidestValue> kMainFeet = {
    {"txtAntX", 0, "-4050.41234"},
    {"txtAntY", 0, "-4050.41234"},
    {"txtAntZ", 0, "-405.04123"},
};

// The main window for every kind of flight path, in the unit its model was saved in.
void ExpectMainWindowReadable(class frmMain& w, bool metres) {
    ASSERT_EQ(w.Menu("mnuUseSI").Checked(), metres);
    for (int item = 0; item < 5; ++item) {
        SCOPED_TRACE("flight " + std::to_string(item));
        w.cmbFlight->SetListIndex(item);
        plat::DoEvents(20);
        ExpectReadable(w);
    }
    layout::ExpectRoomFor(w, metres ? kMainMetres : kMainFeet);
}

TEST_F(ReadableWindows, MainWindowInFeet) {
    ExpectMainWindowReadable(MainWithExample(false), false);
}

TEST_F(ReadableWindows, MainWindowInMetres) {
    ExpectMainWindowReadable(MainWithExample(true), true);
}

TEST_F(ReadableWindows, DialogsOfTheMainWindowsMenus) {
    auto& w = MainWithExample();
    CheckModal<class frmNewAbout>([&] { w.Menu("frmAbout").Trigger(); }, &frmNewAbout);
    CheckModal<class frmElemParm>([&] { w.Menu("mnuElemParm").Trigger(); }, &frmElemParm);
    CheckModal<class frmOutput>([&] { w.Menu("mnuOutput").Trigger(); }, &frmOutput);
    CheckModal<class frmPlotParams>([&] { w.Menu("mnuPlotParms").Trigger(); }, &frmPlotParams);
    CheckModal<class frmMulOutputs>([&] { w.Menu("mnuGenAll").Trigger(); }, &frmMulOutputs);
    w.Menu("mnuCoorHelp").Trigger();
    plat::DoEvents(50);
    ExpectReadable(frmOriginHelp());
}

TEST_F(ReadableWindows, ArrayEditorAndWaitWindow) {
    MainWithExample();
    frmArrayEdit().Show();
    plat::DoEvents(50);
    ExpectReadable(frmArrayEdit());
    frmGeneric().Show();
    plat::DoEvents(50);
    ExpectReadable(frmGeneric());
}

TEST_F(ReadableWindows, GroundEditorWithItsCellEditor) {
    auto& w = MainWithExample();
    w.Menu("mnuUse3D").Trigger();
    boxes_->Expect(
        "This data has been changed since it was last saved.  Would you like to save now before exiting?",
        plat::vbNo);
    CheckModal<class frmEdit3D>([&] { w.Menu("mnuEdit3D").Trigger(); }, &frmEdit3D,
                                [](class frmEdit3D& e) {
                                    e.grdGround->Select(1, 1);
                                    QTest::keyClick(e.grdGround->Widget(), Qt::Key_5);
                                    plat::DoEvents(20);
                                    ASSERT_TRUE(e.txtData->Visible());
                                    e.txtData->SetText("-12345.678");
                                    ExpectReadable(e);
                                });
}

// The digitiser with a chart loaded: its parameters frame, then its transfer frame, over the picture.
TEST_F(ReadableWindows, DigitiserWithAChartLoaded) {
    auto& w = MainWithExample();
    QImage chart(800, 600, QImage::Format_RGB32);
    chart.fill(Qt::darkCyan);
    ASSERT_TRUE(chart.save(QString::fromStdString((dir_ / "chart.bmp").string()), "BMP"));
    CheckModal<class frmDigitizeGround>([&] { w.cmdDigi2D->Click(); }, &frmDigitizeGround,
                                        [this](class frmDigitizeGround& d) {
                                            ASSERT_TRUE(d.LoadImageFile((dir_ / "chart.bmp").string()));
                                            d.RedrawPlot();
                                            d.cmdDigitize->Click();
                                            plat::DoEvents(20);
                                            ASSERT_TRUE(d.fraDigParms->Visible());
                                            ExpectReadable(d);
                                            d.cmdUpdate->Click();
                                            d.cmdDigitize->Click();
                                            plat::DoEvents(20);
                                            ASSERT_TRUE(d.fraXferData->Visible());
                                            ExpectReadable(d);
                                        });
}

TEST_F(ReadableWindows, ViewerInSideAndFreeViewAndItsColourDialog) {
    auto& w = MainWithExample();
    w.cmdView2D->SetValue(true);
    ASSERT_TRUE(ViewGroundLoaded());
    auto& v = frmViewGround();
    plat::DoEvents(200);
    ASSERT_TRUE(v.opt3D0->Value());
    ExpectReadable(v);
    v.opt3D1->SetValue(true);
    plat::DoEvents(100);
    v.txtX0->SetText("-1000.00");
    v.txtY0->SetText("-1000.00");
    v.txtZ0->SetText("-1000.00");
    ExpectReadable(v);
    layout::ExpectRoomFor(
        v, {{"txtDist", -1, "-100000"}, {"txtElevAngle", -1, "-90.00"}, {"txtLatAngle", -1, "360.00"}});
    v.Command2->Click();
    plat::DoEvents(50);
    ExpectReadable(v);
    v.Command2->Click();
    CheckModal<class frmGroundColors>([&] { v.cmdColors->Click(); }, &frmGroundColors);
}

TEST_F(ReadableWindows, PlotAndResultsAfterRunAndPlot) {
    auto& w = MainWithExample();
    shell::Model().YAxisVar = 1;
    boxes_->Expect("Parameter File Exists.\rOverwrite? ", plat::vbYes);
    w.Toolbar1->Click(7);
    ASSERT_TRUE(frmPlotLoaded());
    plat::DoEvents(200);
    ExpectReadable(frmPlot());
    frmResults().Show();
    plat::DoEvents(100);
    ExpectReadable(frmResults());
}

} // namespace
