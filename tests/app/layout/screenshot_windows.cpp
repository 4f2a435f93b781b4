// Pictures of the windows that have none elsewhere, on a virtual display as a person sees them: the
// main window's dialogs, the array editor, the wait window, the ground editor with its cell editor
// open, and the digitiser's two frames over a loaded chart.
#include "../shell/mainwindow/GuiTest.h"

#include <QImage>
#include <QPixmap>
#include <QTest>

#include "editors/arrayedit/frmArrayEdit.h"
#include "editors/elemparm/frmElemParm.h"
#include "ground/digitise/ui/frmDigitizeGround.h"
#include "ground/ui/frmEdit3D.h"
#include "platform/services/Clock.h"
#include "shell/dialogs/frmOriginHelp.h"
#include "shell/run/frmGeneric.h"
#include "shell/run/frmMulOutputs.h"
#include "shell/run/frmOutput.h"

namespace {

void Save(plat::Form& form, const std::string& name) {
    plat::DoEvents(100);
    const QPixmap shot = form.Window()->grab();
    const std::filesystem::path out = std::filesystem::path(TEST_OUTPUT_DIR) / name;
    ASSERT_TRUE(shot.save(QString::fromStdString(out.string()), "PNG")) << name;
}

class WindowScreenshots : public WindowTest {
protected:
    class frmMain& Main() {
        PutExample(PELLON_EXAMPLES_DIR);
        return ShowMain();
    }
    // Opens a modal window by `open`, lets `inside` act in it and closes it.
    template <class Window>
    static void Modal(const std::function<void()>& open, Window& (*window)(),
                      const std::function<void(Window&)>& inside) {
        plat::testing::Queue([&] {
            inside(window());
            plat::Unload(window());
        });
        open();
    }
};

TEST_F(WindowScreenshots, DialogsEditorsAndTheDigitiser) {
    auto& w = Main();
    Modal<class frmElemParm>([&] { w.Menu("mnuElemParm").Trigger(); }, &frmElemParm,
                             [](class frmElemParm& d) { Save(d, "element_parameters.png"); });
    Modal<class frmOutput>([&] { w.Menu("mnuOutput").Trigger(); }, &frmOutput,
                           [](class frmOutput& d) { Save(d, "output_parameters.png"); });
    Modal<class frmMulOutputs>([&] { w.Menu("mnuGenAll").Trigger(); }, &frmMulOutputs,
                               [](class frmMulOutputs& d) { Save(d, "multiple_outputs.png"); });
    w.Menu("mnuCoorHelp").Trigger();
    Save(frmOriginHelp(), "origin_help.png");
    plat::Unload(frmOriginHelp());
    frmArrayEdit().Show();
    Save(frmArrayEdit(), "array_editor.png");
    plat::Unload(frmArrayEdit());
    frmGeneric().Show();
    Save(frmGeneric(), "wait_window.png");
    plat::Unload(frmGeneric());

    w.Menu("mnuUse3D").Trigger();
    boxes_->Expect(
        "This data has been changed since it was last saved.  Would you like to save now before exiting?",
        plat::vbNo);
    Modal<class frmEdit3D>([&] { w.Menu("mnuEdit3D").Trigger(); }, &frmEdit3D,
                           [](class frmEdit3D& e) {
                               e.grdGround->Select(2, 2);
                               QTest::keyClick(e.grdGround->Widget(), Qt::Key_Minus);
                               QTest::keyClicks(e.txtData->Widget(), "1234.567");
                               Save(e, "ground_editor_cell_editor.png");
                           });
    w.Menu("mnuUse3D").Trigger();

    QImage chart(800, 600, QImage::Format_RGB32);
    chart.fill(QColor(60, 120, 160));
    ASSERT_TRUE(chart.save(QString::fromStdString((dir_ / "chart.bmp").string()), "BMP"));
    Modal<class frmDigitizeGround>([&] { w.cmdDigi2D->Click(); }, &frmDigitizeGround,
                                   [this](class frmDigitizeGround& d) {
                                       ASSERT_TRUE(d.LoadImageFile((dir_ / "chart.bmp").string()));
                                       d.RedrawPlot();
                                       d.cmdDigitize->Click();
                                       Save(d, "digitiser_parameters_frame.png");
                                       d.cmdUpdate->Click();
                                       d.cmdDigitize->Click();
                                       Save(d, "digitiser_transfer_frame.png");
                                   });
}

} // namespace
