#pragma once
// The plot parameters dialog: the plot's axes (mode, limits, tics, unit, direction), the analysis
// switches, the tolerance category, the title, the runway and the run type. "Exit" checks and stores
// them; the category, the X unit, the label switch and the axis modes take effect at once.
#include "platform/ui/Buttons.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/ControlArray.h"
#include "platform/ui/Form.h"
#include "platform/ui/Frame.h"
#include "platform/ui/Label.h"
#include "platform/ui/TextBox.h"

#include <cstdint>
#include <memory>
#include <vector>

class frmPlotParams : public plat::Form {
public:
    frmPlotParams();

    // 1 while the last min/max check found a minimum equal to its maximum.
    int MinMaxError() const { return minMaxError_; }

    std::unique_ptr<plat::Frame> Frame2, Frame1, Frame3, Frame4;
    plat::ControlArray<plat::OptionButton> optXChoice{*this, "optXChoice"};
    plat::ControlArray<plat::OptionButton> optYChoice{*this, "optYChoice"};
    plat::ControlArray<plat::OptionButton> optCat{*this, "optCat"};
    std::unique_ptr<plat::TextBox> txtXMax, txtXMin, txtXtics, txtYMax, txtYMin, txtYtics;
    std::unique_ptr<plat::TextBox> txtLabel, txtRWYLength, txtRWYWidth;
    std::unique_ptr<plat::ComboBox> cmbUnits, cmbFlightPlot;
    std::unique_ptr<plat::CheckBox> chkXInvert, chkYInvert, chkTolerances, chkCDISmoothing, chkUseOldZ3Calc,
        chkLabel;
    std::unique_ptr<plat::CommandButton> Command1;

private:
    enum class Units { None, ByXUnit, Feet };
    void BuildXAxis();
    void BuildYAxis();
    void BuildAnalysis();
    void BuildOther();
    std::unique_ptr<plat::TextBox> Box(plat::Container& in, const char* name, int left, int top, int width,
                                       Units units);
    void AddLabel(plat::Container& in, const char* name, const char* caption, int left, int top, int width);
    void Form_Load();
    void chkLabel_Click();
    void AxisChoice_Click(bool xAxis, int index);
    void EnableAxis(bool xAxis, bool manual);
    void CheckMinMax(plat::TextBox& maxBox, plat::TextBox& minBox);
    void Command1_Click();

    std::vector<std::unique_ptr<plat::Label>> labels_;
    bool loading_ = false; // the options set by Form_Load raise clicks that change nothing
    int minMaxError_ = 0;
};

// The dialog, created on first use.
frmPlotParams& frmPlotParams();
