#pragma once
// The plot window: the run's plot file drawn on the plot page in a white picture box of 719 x 555
// pixels, redrawn whenever it is activated; the results window beside it. A box dragged on the page
// zooms, a double click gives back the run type's X range, a click reads a polar plot's value and
// bearing; keys switch the CDI filter and the tolerance category.
#include "platform/services/FileDialog.h"
#include "platform/ui/Form.h"
#include "platform/ui/Label.h"
#include "platform/ui/Menu.h"
#include "platform/ui/PictureBox.h"
#include "platform/ui/Shape.h"
#include "plot/ui/PlotPage.h"

#include <memory>
#include <string>

class frmPlot : public plat::Form {
public:
    frmPlot();

    // Redraws the page from the plot file (the name is not used).
    void RefreshPlot(const std::string& name = "");
    plat::MenuItem& Menu(const std::string& name) const;
    int DragState() const { return dragState_; }
    int AnnotationLevel() const { return view_.annotationLevel; }
    // How many times the page was redrawn since the window was made.
    int RedrawCount() const { return redraws_; }

    std::unique_ptr<plat::PictureBox> Plotter;
    std::unique_ptr<plat::Shape> shpBox;
    std::unique_ptr<plat::Label> lblTag;
    plat::CommonDialog OpenSave1;

private:
    void BuildMenus();
    void Form_Load();
    void Form_Activate();
    void Form_KeyDown(int& keyCode, int shift);
    void mnuPlotParameters_Click();
    void mnuAddTrace_Click();
    void mnuRemoveTrace_Click();
    void mnuResults_Click();
    void mnuTestFile_Click();
    void SendPlotToFile();
    void Plotter_MouseDown(int button, double x, double y);
    void Plotter_MouseMove(double x, double y);
    void Plotter_MouseUp(int button);
    void Plotter_Click();
    void Plotter_DblClick();
    void ApplyZoom();
    void ShowPolarReadOut();
    void SpanBox();

    plat::MenuItem* mnuPlotParameters_ = nullptr;
    plat::MenuItem* mnuPlot_ = nullptr;
    plat::MenuItem* mnuExit_ = nullptr;
    PlotView view_;
    bool addTrace_ = false;
    int redraws_ = 0;
    int dragState_ = 0;                        // 0 idle, 1 pressed, 2 dragged
    double x1_ = 0, y1_ = 0, x2_ = 0, y2_ = 0; // zoom corners, Plotter pixels
    double pageX_ = 0, pageY_ = 0;             // pointer, page inches
};

// The plot window, created on first use.
frmPlot& frmPlot();
bool frmPlotLoaded();

// The main window's plot step: with a plot file of at least one byte named by OutFile, shows the
// plot window modeless (an open one is brought up and redrawn); otherwise nothing, silently.
void ShowPlotWindow();
