#pragma once
// The plot window: the run's plot file drawn on the plot page in a white picture box of 719 x 555
// pixels, redrawn whenever it is activated; the results window beside it.
#include "platform/ui/Form.h"
#include "platform/ui/Menu.h"
#include "platform/ui/PictureBox.h"
#include "plot/ui/PlotPage.h"

#include <memory>
#include <string>

class frmPlot : public plat::Form {
public:
    frmPlot();

    // Redraws the page from the plot file (the name is not used).
    void RefreshPlot(const std::string& name = "");
    plat::MenuItem& Menu(const std::string& name) const;

    std::unique_ptr<plat::PictureBox> Plotter;

private:
    void BuildMenus();
    void Form_Load();
    void Form_Activate();
    void Form_KeyDown(int& keyCode, int shift);
    void mnuResults_Click();

    plat::MenuItem* mnuPlotParameters_ = nullptr;
    plat::MenuItem* mnuPlot_ = nullptr;
    plat::MenuItem* mnuExit_ = nullptr;
    PlotView view_;
};

// The plot window, created on first use.
frmPlot& frmPlot();
bool frmPlotLoaded();

// The main window's plot step: with a plot file of at least one byte named by OutFile, shows the
// plot window modeless (an open one is brought up and redrawn); otherwise nothing, silently.
void ShowPlotWindow();
