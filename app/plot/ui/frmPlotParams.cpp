#include "plot/ui/frmPlotParams.h"

#include "common/controls/TextBoxRoutines.h"
#include "common/modFunctions.h"
#include "platform/services/MessageBox.h"
#include "platform/text/Numbers.h"
#include "platform/text/Strings.h"
#include "platform/ui/Twips.h"
#include "shell/model/ModelVariables.h"

#include <QFontMetrics>
#include <QLabel>

#include <algorithm>
#include <cmath>
#include <exception>
#include <limits>
#include <string>

namespace {

constexpr int kXBits = 3, kYBits = 12, kYTicsLow = 64, kXTicsLow = 128;
// The mode bits of options 0 "Auto-Zoom", 1 "Manual Scaling", 2 "Scale by Run Type".
constexpr std::uint8_t kXModeOf[] = {3, 1, 2};
constexpr std::uint8_t kYModeOf[] = {12, 4, 8};
constexpr const char* kChoices[] = {"Auto-Zoom", "Manual Scaling", "Scale by Run Type"};
constexpr const char* kFlightItems[] = {"0 - None",
                                        "1 - Constant Radius",
                                        "2 - Linear Cut",
                                        "3 - Pattern A",
                                        "4 - Pattern B",
                                        "5 - Pattern B, 2\xB0-3\xB0",
                                        "6 - Pattern A, 0-10,000 ft.",
                                        "7 - Pattern C"};
constexpr float kFeetPerNmi = 6076;

int Tw(int pixels) {
    return plat::PixelsToTwips(pixels);
}

// A box's number as the plot keeps it: any text that is no finite number of a Single gives 0.
float BoxValue(const plat::TextBox& box) {
    double v = 0;
    try {
        v = plat::Val(box.Text());
    } catch (const std::exception&) {
        return 0;
    }
    if (!std::isfinite(v) || std::fabs(v) > std::numeric_limits<float>::max())
        return 0;
    return static_cast<float>(v);
}

// The shown X value per stored foot (or degree).
float XFactor(int unit) {
    return unit == 1 ? 1.0F / kFeetPerNmi : 1.0F;
}

// A shown X value in feet, by the boxes' rule: one whose feet are no finite Single gives 0.
float InFeet(float shown, float factor) {
    const float feet = shown / factor;
    return std::isfinite(feet) ? feet : 0;
}

plot::PlotSettings& Settings() {
    return shell::Model().PlotSettings;
}

} // namespace

frmPlotParams::frmPlotParams() : plat::Form("frmPlotParams") {
    SetCaption("Plot Parameters");
    BuildXAxis();
    BuildYAxis();
    BuildAnalysis();
    BuildOther();
    Command1 = std::make_unique<plat::CommandButton>(*this, "Command1");
    Command1->SetCaption("Exit");
    Command1->Move(Tw(251), Tw(286), Tw(80), Tw(26));
    Command1->Click = [this] { Command1_Click(); };
    SetClientSize(Frame4->Left() + Frame4->Width() + Tw(8), Tw(320));
    Load = [this] { Form_Load(); };
}

void frmPlotParams::AddLabel(plat::Container& in, const char* name, const char* caption, int left, int top,
                             int width) {
    auto& label = labels_.emplace_back(std::make_unique<plat::Label>(in, name));
    label->SetCaption(caption);
    label->Move(Tw(left), Tw(top), Tw(width), Tw(16));
}

// A numeric box: Enter and leaving convert a unit suffix into the unit the box shows (none for the Y
// and tic boxes, and none for X in degrees), then put "0" for what is not a number.
std::unique_ptr<plat::TextBox> frmPlotParams::Box(plat::Container& in, const char* name, int left, int top,
                                                  int width, Units units) {
    auto box = std::make_unique<plat::TextBox>(in, name);
    box->Move(Tw(left), Tw(top), Tw(width), Tw(20));
    const plat::NumericSteps steps{units != Units::None, true};
    box->SetNumericBehaviour({steps, steps,
                              [this, units](plat::TextBox& b) {
                                  if (units == Units::Feet) {
                                      common::ConvertTextBoxUnits(b, common::UnitFeet);
                                  } else if (cmbUnits->ListIndex() == 0) {
                                      common::ConvertTextBoxUnits(b, common::UnitFeet);
                                  } else if (cmbUnits->ListIndex() == 1) {
                                      common::ConvertTextBoxUnits(b, common::UnitNauticalMiles);
                                  }
                              },
                              [](plat::TextBox& b) { common::EnsureNumericText(b); }});
    return box;
}

void frmPlotParams::BuildXAxis() {
    Frame2 = std::make_unique<plat::Frame>(*this, "Frame2");
    Frame2->SetCaption("X-Axis");
    Frame2->Move(Tw(8), Tw(8), Tw(280), Tw(150));
    for (int i = 0; i < 3; ++i)
        optXChoice.LoadIn(*Frame2, i).SetCaption(kChoices[i]);
    for (int i = 0; i < 3; ++i)
        optXChoice(i).Move(Tw(8), Tw(18 + 18 * i), Tw(150), Tw(18));
    optXChoice.Click = [this](int index) { AxisChoice_Click(true, index); };
    AddLabel(*Frame2, "lblXMax", "Xmax = ", 8, 80, 50);
    txtXMax = Box(*Frame2, "txtXMax", 62, 76, 80, Units::ByXUnit);
    AddLabel(*Frame2, "lblXMin", " Xmin = ", 8, 102, 50);
    txtXMin = Box(*Frame2, "txtXMin", 62, 98, 80, Units::ByXUnit);
    AddLabel(*Frame2, "lblXTics", "#Tics = ", 8, 124, 50);
    txtXtics = Box(*Frame2, "txtXtics", 62, 120, 40, Units::None);
    AddLabel(*Frame2, "lblUnits", " Units = ", 150, 80, 60);
    cmbUnits = std::make_unique<plat::ComboBox>(*Frame2, "cmbUnits");
    for (const char* item : {"Feet", "nmi", "Deg."})
        cmbUnits->AddItem(item);
    cmbUnits->Move(Tw(150), Tw(96), Tw(90), Tw(22));
    cmbUnits->Click = [this] { Settings().PlotXUnit = static_cast<std::uint8_t>(cmbUnits->ListIndex()); };
    chkXInvert = std::make_unique<plat::CheckBox>(*Frame2, "chkXInvert");
    chkXInvert->SetCaption("Invert Axis");
    chkXInvert->Move(Tw(150), Tw(122), Tw(110), Tw(18));
    txtXMin->LostFocus = [this] { CheckMinMax(*txtXMax, *txtXMin); };
}

void frmPlotParams::BuildYAxis() {
    Frame1 = std::make_unique<plat::Frame>(*this, "Frame1");
    Frame1->SetCaption("Y-Axis");
    Frame1->Move(Tw(294), Tw(8), Tw(280), Tw(150));
    for (int i = 0; i < 3; ++i)
        optYChoice.LoadIn(*Frame1, i).SetCaption(kChoices[i]);
    for (int i = 0; i < 3; ++i)
        optYChoice(i).Move(Tw(8), Tw(18 + 18 * i), Tw(150), Tw(18));
    optYChoice.Click = [this](int index) { AxisChoice_Click(false, index); };
    AddLabel(*Frame1, "lblYMax", "Ymax = ", 8, 80, 50);
    txtYMax = Box(*Frame1, "txtYMax", 62, 76, 80, Units::None);
    AddLabel(*Frame1, "lblYMin", " Ymin = ", 8, 102, 50);
    txtYMin = Box(*Frame1, "txtYMin", 62, 98, 80, Units::None);
    AddLabel(*Frame1, "lblYTics", "#Tics = ", 8, 124, 50);
    txtYtics = Box(*Frame1, "txtYtics", 62, 120, 40, Units::None);
    chkYInvert = std::make_unique<plat::CheckBox>(*Frame1, "chkYInvert");
    chkYInvert->SetCaption("Invert Axis");
    chkYInvert->Move(Tw(150), Tw(122), Tw(110), Tw(18));
    txtYMin->LostFocus = [this] { CheckMinMax(*txtYMax, *txtYMin); };
}

void frmPlotParams::BuildAnalysis() {
    Frame3 = std::make_unique<plat::Frame>(*this, "Frame3");
    Frame3->SetCaption("Analysis");
    Frame3->Move(Tw(8), Tw(164), Tw(280), Tw(114));
    chkTolerances = std::make_unique<plat::CheckBox>(*Frame3, "chkTolerances");
    chkTolerances->SetCaption("Show Analysis:");
    chkTolerances->Move(Tw(8), Tw(18), Tw(120), Tw(18));
    AddLabel(*Frame3, "lblCategory", "Category:", 8, 42, 60);
    const char* romans[] = {"I", "II", "III"};
    for (int i = 1; i <= 3; ++i) {
        optCat.LoadIn(*Frame3, i).SetCaption(romans[i - 1]);
        optCat(i).Move(Tw(70 + 40 * (i - 1)), Tw(40), Tw(40), Tw(18));
    }
    optCat.Click = [this](int index) {
        if (!loading_)
            shell::Model().ILSData.ToleranceCategory = static_cast<std::uint8_t>(index);
    };
    chkCDISmoothing = std::make_unique<plat::CheckBox>(*Frame3, "chkCDISmoothing");
    chkCDISmoothing->SetCaption("Use CDI Smoothing Filter");
    chkCDISmoothing->Move(Tw(8), Tw(64), Tw(260), Tw(18));
    chkUseOldZ3Calc = std::make_unique<plat::CheckBox>(*Frame3, "chkUseOldZ3Calc");
    chkUseOldZ3Calc->SetCaption("Use Smoothing Method of Z3 Calc.");
    chkUseOldZ3Calc->Move(Tw(8), Tw(86), Tw(260), Tw(18));
}

void frmPlotParams::BuildOther() {
    Frame4 = std::make_unique<plat::Frame>(*this, "Frame4");
    Frame4->SetCaption("Other");
    Frame4->Move(Tw(294), Tw(164), Tw(280), Tw(114));
    chkLabel = std::make_unique<plat::CheckBox>(*Frame4, "chkLabel");
    chkLabel->SetCaption("Plot Label:");
    chkLabel->Move(Tw(8), Tw(18), Tw(95), Tw(18));
    chkLabel->Click = [this] { chkLabel_Click(); };
    txtLabel = std::make_unique<plat::TextBox>(*Frame4, "txtLabel");
    txtLabel->Move(Tw(105), Tw(16), Tw(165), Tw(20));
    // One label holds both captions, the blanks between them leaving room for the length box; the
    // boxes go where the captions end in the label's font, the frame widening if it must.
    const char* runway = "RWY Length =                              Width =";
    const QFontMetrics metrics = QLabel().fontMetrics();
    const int widthLeft = 8 + metrics.horizontalAdvance(runway) + 4;
    AddLabel(*Frame4, "lblRWY", runway, 8, 46, widthLeft - 8);
    labels_.back()->Move(Tw(8), Tw(42), Tw(widthLeft - 8), Tw(22)); // the length box lies inside it
    txtRWYLength =
        Box(*Frame4, "txtRWYLength", 8 + metrics.horizontalAdvance("RWY Length = "), 42, 70, Units::Feet);
    txtRWYWidth = Box(*Frame4, "txtRWYWidth", widthLeft, 42, 48, Units::Feet);
    Frame4->SetWidth(Tw(std::max(280, widthLeft + 56)));
    AddLabel(*Frame4, "lblFlight", "Flight Profile:", 8, 68, 100);
    cmbFlightPlot = std::make_unique<plat::ComboBox>(*Frame4, "cmbFlightPlot");
    for (const char* item : kFlightItems)
        cmbFlightPlot->AddItem(item);
    cmbFlightPlot->Move(Tw(8), Tw(84), Tw(262), Tw(22));
}

void frmPlotParams::Form_Load() {
    const plot::PlotSettings& s = Settings();
    const shell::ModelVariables& m = shell::Model();
    loading_ = true;
    minMaxError_ = 0;
    const bool labelled = !s.PlotLabel.empty();
    chkLabel->SetValue(labelled ? 1 : 0);
    txtLabel->SetEnabled(labelled);
    if (labelled)
        txtLabel->SetText(plat::Trim(s.PlotLabel));
    chkTolerances->SetValue(s.ShowAnalysis != 0 ? 1 : 0);
    chkCDISmoothing->SetValue(s.UseCDIFilter != 0 ? 1 : 0);
    chkUseOldZ3Calc->SetValue(s.UseOldZ3Calc != 0 ? 1 : 0);
    cmbUnits->SetListIndex(s.PlotXUnit <= 2 ? s.PlotXUnit : 0);
    cmbFlightPlot->SetListIndex(m.PlotFlightType <= 7 ? m.PlotFlightType : 0);
    txtYMax->SetText(plat::Str(s.PlotYMax));
    txtYMin->SetText(plat::Str(s.PlotYMin));
    txtYtics->SetText(plat::Str(s.PlotYTics));
    chkYInvert->SetValue(s.PlotYDir == -1 ? 1 : 0);
    const float f = XFactor(s.PlotXUnit);
    txtXMax->SetText(plat::Str(s.PlotXMax * f));
    txtXMin->SetText(plat::Str(s.PlotXMin * f));
    txtXtics->SetText(plat::Str(s.PlotXTics));
    chkXInvert->SetValue(s.PlotXDir == -1 ? 1 : 0);
    const int yOption = (s.PlotAxisMode & 8) == 0 ? 1 : (s.PlotAxisMode & 4) == 0 ? 2 : 0;
    const int xOption = (s.PlotAxisMode & 2) == 0 ? 1 : (s.PlotAxisMode & 1) == 0 ? 2 : 0;
    optYChoice(yOption).SetValue(true);
    EnableAxis(false, yOption == 1);
    optXChoice(xOption).SetValue(true);
    EnableAxis(true, xOption == 1);
    txtRWYLength->SetText(plat::Format(s.RunwayLength, "#####0.0#"));
    txtRWYWidth->SetText(plat::Format(s.RunwayWidth, "#####0.0#"));
    // Category 0 (no envelope) has no option: none is set until the user picks one.
    const std::uint8_t category = m.ILSData.ToleranceCategory;
    if (category >= 1 && category <= 3)
        optCat(category).SetValue(true);
    loading_ = false;
}

void frmPlotParams::chkLabel_Click() {
    if (loading_)
        return;
    if (txtLabel->Enabled()) {
        txtLabel->SetEnabled(false);
        Settings().PlotLabel.clear();
    } else {
        txtLabel->SetEnabled(true);
    }
}

void frmPlotParams::AxisChoice_Click(bool xAxis, int index) {
    if (loading_)
        return;
    EnableAxis(xAxis, index == 1);
    std::uint8_t& mode = Settings().PlotAxisMode;
    const int bits = xAxis ? kXBits : kYBits;
    const std::uint8_t value = xAxis ? kXModeOf[index] : kYModeOf[index];
    mode = static_cast<std::uint8_t>((mode & ~bits) | value);
}

void frmPlotParams::EnableAxis(bool xAxis, bool manual) {
    plat::Control* controls[] = {xAxis ? txtXMax.get() : txtYMax.get(), xAxis ? txtXMin.get() : txtYMin.get(),
                                 xAxis ? txtXtics.get() : txtYtics.get(),
                                 xAxis ? chkXInvert.get() : chkYInvert.get()};
    for (plat::Control* c : controls)
        c->SetEnabled(manual);
}

void frmPlotParams::CheckMinMax(plat::TextBox& maxBox, plat::TextBox& minBox) {
    if (BoxValue(maxBox) == BoxValue(minBox)) {
        minBox.SetText("Error");
        minMaxError_ = 1;
    } else {
        minMaxError_ = 0;
    }
}

void frmPlotParams::Command1_Click() {
    if (minMaxError_ == 1)
        return;
    plot::PlotSettings& s = Settings();
    shell::ModelVariables& m = shell::Model();
    int mode = s.PlotAxisMode & ~(kYTicsLow | kXTicsLow);
    s.PlotLabel = chkLabel->Value() == 1 ? plat::Trim(txtLabel->Text()) : std::string();
    s.UseCDIFilter = static_cast<std::uint8_t>(chkCDISmoothing->Value());
    s.ShowAnalysis = static_cast<std::uint8_t>(chkTolerances->Value());
    s.UseOldZ3Calc = static_cast<std::uint8_t>(chkUseOldZ3Calc->Value());
    m.PlotFlightType = static_cast<std::uint8_t>(std::max(cmbFlightPlot->ListIndex(), 0));
    s.PlotXUnit = static_cast<std::uint8_t>(std::max(cmbUnits->ListIndex(), 0));
    if (optYChoice(1).Value()) {
        mode = (mode & ~kYBits) | 4;
        s.PlotYMax = BoxValue(*txtYMax);
        s.PlotYMin = BoxValue(*txtYMin) == s.PlotYMax ? s.PlotYMax - 100 : BoxValue(*txtYMin);
        s.PlotYTics = BoxValue(*txtYtics);
        if (s.PlotYTics < 4) {
            s.PlotYTics = 4;
            mode |= kYTicsLow;
        }
    } else {
        mode = (mode & ~kYBits) | (optYChoice(2).Value() ? 8 : 12);
    }
    s.PlotYDir = chkYInvert->Value() == 1 ? -1 : 1;
    s.PlotXDir = chkXInvert->Value() == 1 ? -1 : 1;
    s.RunwayLength = txtRWYLength->Text().empty() ? 10000.0F : BoxValue(*txtRWYLength);
    s.RunwayWidth = txtRWYWidth->Text().empty() ? 150.0F : BoxValue(*txtRWYWidth);
    if (optXChoice(1).Value()) {
        mode = (mode & ~kXBits) | 1;
        const float f = XFactor(s.PlotXUnit);
        const float xMax = BoxValue(*txtXMax);
        const float xMin = BoxValue(*txtXMin) == xMax ? xMax - 1 : BoxValue(*txtXMin);
        s.PlotXMax = InFeet(xMax, f);
        s.PlotXMin = InFeet(xMin, f);
        s.PlotXTics = BoxValue(*txtXtics);
        if (s.PlotXTics < 4)
            mode |= kXTicsLow;
    } else {
        mode = (mode & ~kXBits) | (optXChoice(2).Value() ? 2 : 3);
    }
    s.PlotAxisMode = static_cast<std::uint8_t>(mode);
    const bool yLow = (mode & kYTicsLow) != 0, xLow = (mode & kXTicsLow) != 0;
    if (!yLow && !xLow) {
        plat::Unload(*this);
        return;
    }
    const char* text = xLow && yLow ? "X-Axis and Y-axis tics must be greater than 4"
                       : xLow       ? "X-Axis tics must be greater than 4"
                                    : "Y-Axis tics must be greater than 4";
    plat::MsgBox(text, plat::vbExclamation);
}

namespace {

plat::DefaultInstance<class frmPlotParams>& Instance() {
    static plat::DefaultInstance<class frmPlotParams> instance;
    return instance;
}

} // namespace

class frmPlotParams& frmPlotParams() {
    return Instance()();
}
