#include "plot/ui/frmPlot.h"

#include "platform/services/MessageBox.h"
#include "platform/text/AtomicFile.h"
#include "platform/ui/Keys.h"
#include "platform/ui/Twips.h"
#include "plot/mm/modPlot_mm.h"
#include "plot/ui/PlotCapture.h"
#include "plot/ui/PlotLinks.h"
#include "plot/ui/PlotTestFile.h"
#include "plot/ui/PlotZoom.h"
#include "plot/ui/frmPlotParams.h"
#include "plot/ui/frmResults.h"
#include "shell/model/ModelVariables.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <stdexcept>

namespace {

constexpr plat::Colour kWhite = 0xFFFFFF;
constexpr const char* kTraceFilter =
    "Output Files(*.prn), Text Files(*.txt)|*.prn;*.txt|Text Files (*.txt)|*.txt|All Files(*.*)|*.*";

// Places a dialog centred over a window.
void CentreOver(plat::Form& dialog, const plat::Form& over) {
    plat::Load(dialog);
    dialog.SetLeft(over.Left() + (over.Width() - dialog.Width()) / 2);
    dialog.SetTop(over.Top() + (over.Height() - dialog.Height()) / 2);
}

} // namespace

frmPlot::frmPlot() : plat::Form("frmPlot") {
    SetCaption("Plot");
    SetKeyPreview(true);
    Plotter = std::make_unique<plat::PictureBox>(*this, "Plotter");
    Plotter->Move(0, 0, plat::PixelsToTwips(plot::kPagePixelsX), plat::PixelsToTwips(plot::kPagePixelsY));
    Plotter->SetBackColor(kWhite);
    Plotter->Scale(0, 0, plot::kPagePixelsX, plot::kPagePixelsY);
    Plotter->Cls();
    shpBox = std::make_unique<plat::Shape>(*Plotter, "shpBox");
    shpBox->SetVisible(false);
    lblTag = std::make_unique<plat::Label>(*Plotter, "lblTag");
    lblTag->SetFont("Small Fonts", 6);
    lblTag->SetWordWrap(false);
    lblTag->SetAutoSize(true);
    lblTag->SetBackColor(kWhite);
    lblTag->SetVisible(false);
    BuildMenus();
    SetClientSize(plat::PixelsToTwips(plot::kPagePixelsX), plat::PixelsToTwips(plot::kPagePixelsY));
    Load = [this] { Form_Load(); };
    Activate = [this] { Form_Activate(); };
    KeyDown = [this](int& keyCode, int shift) { Form_KeyDown(keyCode, shift); };
    Unload = [](int& /*cancel*/) {
        if (frmResultsLoaded())
            plat::Unload(frmResults());
    };
    Plotter->MouseDown = [this](int button, int, double x, double y) { Plotter_MouseDown(button, x, y); };
    Plotter->MouseMove = [this](int, int, double x, double y) { Plotter_MouseMove(x, y); };
    Plotter->MouseUp = [this](int button, int, double, double) { Plotter_MouseUp(button); };
    Plotter->Click = [this] { Plotter_Click(); };
    Plotter->DblClick = [this] { Plotter_DblClick(); };
}

void frmPlot::BuildMenus() {
    mnuPlotParameters_ = &AddMenu("mnuPlotParameters", "&Parameters");
    mnuPlotParameters_->Click = [this] { mnuPlotParameters_Click(); };
    mnuPlot_ = &AddMenu("mnuPlot", "Plot");
    mnuPlot_->Add("mnuRefresh", "Refresh").Click = [this] { RefreshPlot(); };
    mnuPlot_->Add("mnuTestFile", "Test File").Click = [this] { mnuTestFile_Click(); };
    mnuPlot_->Add("mnuSep1", "-");
    mnuPlot_->Add("mnuAddTrace", "Add Trace").Click = [this] { mnuAddTrace_Click(); };
    mnuPlot_->Add("mnuRemoveTrace", "Remove Trace").Click = [this] { mnuRemoveTrace_Click(); };
    mnuPlot_->Add("mnuSep2", "-");
    mnuPlot_->Add("mnuResults", "Results").Click = [this] { mnuResults_Click(); };
    mnuPlot_->Add("mnuSep3", "-");
    mnuPlot_->Add("mnuPlotSend", "&Send to File").Click = [this] { SendPlotToFile(); };
    mnuExit_ = &AddMenu("mnuExit", "E&xit");
    mnuExit_->Click = [this] { plat::Unload(*this); };
    Menu("mnuRemoveTrace").SetEnabled(false);
}

plat::MenuItem& frmPlot::Menu(const std::string& name) const {
    for (plat::MenuItem* top : {mnuPlotParameters_, mnuPlot_, mnuExit_}) {
        if (plat::MenuItem* item = top->Find(name))
            return *item;
    }
    throw std::out_of_range("no menu item " + name);
}

void frmPlot::Form_Load() {
    dragState_ = 0;
    addTrace_ = false;
    view_.annotationLevel = 2;
    shell::Model().ILSData.ToleranceCategory = 1;
    CopyPathGeometry();
}

void frmPlot::Form_Activate() {
    // With no second trace on the picture.
    if (!Menu("mnuRemoveTrace").Enabled())
        RefreshPlot();
}

void frmPlot::RefreshPlot(const std::string& /*name*/) {
    ++redraws_;
    // The second file is chosen before the page begins, so that a trace not added leaves the
    // picture's drawing state untouched: PlotData ends every page it is given.
    std::string traceFile;
    if (addTrace_) {
        // The second file is asked for only when there is a first one.
        const std::string& file = shell::Model().OutFile;
        std::error_code ec;
        if (file.empty() || !std::filesystem::is_regular_file(file, ec))
            return;
        plat::CommonDialog dialog;
        dialog.Filter = kTraceFilter;
        dialog.ShowOpen();
        if (dialog.FileName.empty() || !std::filesystem::is_regular_file(dialog.FileName, ec))
            return;
        traceFile = dialog.FileName;
    } else {
        Plotter->Cls();
    }
    plot::BeginPlotOnPicture(*Plotter, "");
    const PlotOutcome outcome = PlotData(Plotter->hDC(), view_, addTrace_ ? &traceFile : nullptr);
    Plotter->Refresh();
    if (outcome.results)
        frmResults().ShowResults(*outcome.results);
}

void frmPlot::Form_KeyDown(int& keyCode, int /*shift*/) {
    shell::ModelVariables& m = shell::Model();
    if (keyCode == plat::key::F3) {
        class frmResults& results = frmResults();
        if (results.Visible())
            results.Hide();
        else
            results.Show(plat::Form::Modality::Modeless);
    } else if (keyCode == plat::key::F10) {
        m.PlotSettings.UseCDIFilter = m.PlotSettings.UseCDIFilter == 0 ? 1 : 0;
        RefreshPlot();
    } else if (keyCode >= plat::key::Key0 && keyCode <= plat::key::Key0 + 3) {
        const auto digit = static_cast<std::uint8_t>(keyCode - plat::key::Key0);
        if (digit == m.ILSData.ToleranceCategory)
            view_.annotationLevel = (view_.annotationLevel + 1) % 3;
        else
            m.ILSData.ToleranceCategory = digit;
        RefreshPlot();
    }
}

void frmPlot::mnuPlotParameters_Click() {
    class frmPlotParams& dialog = frmPlotParams();
    CentreOver(dialog, *this);
    dialog.Show(plat::Form::Modality::Modal);
    RefreshPlot();
}

void frmPlot::mnuAddTrace_Click() {
    addTrace_ = true;
    RefreshPlot();
    addTrace_ = false;
    Menu("mnuRemoveTrace").SetEnabled(true);
}

void frmPlot::mnuRemoveTrace_Click() {
    RefreshPlot();
    Menu("mnuRemoveTrace").SetEnabled(false);
}

void frmPlot::mnuResults_Click() {
    if (frmResultsLoaded() && frmResults().Visible()) {
        plat::Unload(frmResults());
        return;
    }
    frmResults().Show(plat::Form::Modality::Modeless);
    RefreshPlot();
}

void frmPlot::mnuTestFile_Click() {
    const plat::FileWriteResult written = plat::WriteFileAtomically("test.txt", TestFileText());
    if (!written) {
        plat::MsgBox("test.txt could not be written: " + written.reason, plat::vbExclamation);
        return;
    }
    shell::Model().OutFile = "test.txt";
    RefreshPlot();
}

// The picture in memory goes straight to the file: no screen capture, no event-loop turn first.
void frmPlot::SendPlotToFile() {
    const std::string name = DefaultCaptureName(PlotOutFileCaption());
    OpenSave1.FileName = name + ".gif";
    OpenSave1.Filter = "*.gif|*.gif";
    if (!OpenSave1.SaveNameChosen()) {
        return;
    }
    // As the viewer's capture: an existing file is replaced only when the user agrees.
    const CaptureTargets targets = CaptureTargetsFor(OpenSave1.FileName);
    if (!imaging::ReplacingAgreed(targets, [] {
            return plat::MsgBox(imaging::kOverwriteQuestion, plat::vbYesNo, imaging::kFileExistsTitle) !=
                   plat::vbNo;
        }))
        return;
    const CaptureOutcome outcome = CapturePicture(Plotter->Pixels(), targets);
    plat::MsgBox(outcome.message, outcome.written ? plat::vbOKOnly : plat::vbExclamation);
}

void frmPlot::Plotter_MouseDown(int button, double x, double y) {
    if (button != 1)
        return;
    dragState_ = 1;
    x1_ = x2_ = x;
    y1_ = y2_ = y;
    SpanBox();
    shpBox->SetVisible(true);
}

void frmPlot::Plotter_MouseMove(double x, double y) {
    if (lblTag->Visible())
        lblTag->SetVisible(false);
    if (shpBox->Visible() && dragState_ != 0) {
        x2_ = x;
        y2_ = y;
        SpanBox();
        dragState_ = 2;
    }
    const plat::Canvas& c = Plotter->Surface();
    pageX_ = c.ToPixelX(x) / plot::kPagePixelsX * 11;
    pageY_ = c.ToPixelY(y) / plot::kPagePixelsY * 8.5;
}

// The box between the two corners, in twips of the picture.
void frmPlot::SpanBox() {
    const plat::Canvas& c = Plotter->Surface();
    const double left = std::min(c.ToPixelX(x1_), c.ToPixelX(x2_));
    const double top = std::min(c.ToPixelY(y1_), c.ToPixelY(y2_));
    const double width = std::abs(c.ToPixelX(x2_) - c.ToPixelX(x1_));
    const double height = std::abs(c.ToPixelY(y2_) - c.ToPixelY(y1_));
    // The outline covers both corners' pixels; a box without extent shows nothing.
    const auto w = static_cast<int>(std::lround(width)), h = static_cast<int>(std::lround(height));
    shpBox->Move(plat::PixelsToTwips(static_cast<int>(std::lround(left))),
                 plat::PixelsToTwips(static_cast<int>(std::lround(top))),
                 plat::PixelsToTwips(w > 0 ? w + 1 : 0), plat::PixelsToTwips(h > 0 ? h + 1 : 0));
}

void frmPlot::Plotter_MouseUp(int button) {
    if (button == 2) {
        // A right click opens the parameters, as the menu does.
        mnuPlotParameters_Click();
        return;
    }
    if (button == 4) {
        // A middle click records no press, so it is the click that reads the polar plot.
        Plotter_Click();
        return;
    }
    if (dragState_ == 2 && button == 1)
        ApplyZoom();
}

void frmPlot::ApplyZoom() {
    const plat::Canvas& c = Plotter->Surface();
    plotzoom::ApplyZoom(shell::Model().PlotSettings,
                        {c.ScaleLeft(), c.ScaleTop(), c.ScaleWidth(), c.ScaleHeight()}, x1_, y1_, x2_, y2_);
    shpBox->SetVisible(false);
    RefreshPlot();
}

void frmPlot::Plotter_Click() {
    if (dragState_ != 0) {
        dragState_ = 0;
        return;
    }
    ShowPolarReadOut();
    dragState_ = 0;
}

void frmPlot::ShowPolarReadOut() {
    if (shell::Model().PlotFlightType > 5)
        return;
    const plotzoom::PolarReadOut out = plotzoom::PolarReadOutAt(pageX_, pageY_, shell::Model().PlotSettings);
    if (out.kind == plotzoom::PolarReadOut::Kind::Hide) {
        lblTag->SetVisible(false);
    } else if (out.kind == plotzoom::PolarReadOut::Kind::Show) {
        lblTag->SetCaption(out.caption);
        lblTag->SetLeft(plat::PixelsToTwips(static_cast<int>(std::lround(out.leftPixels))));
        lblTag->SetTop(plat::PixelsToTwips(static_cast<int>(std::lround(out.topPixels))));
        lblTag->SetVisible(true);
    }
}

void frmPlot::Plotter_DblClick() {
    std::uint8_t& mode = shell::Model().PlotSettings.PlotAxisMode;
    mode = static_cast<std::uint8_t>((mode & 254) | 2);
    dragState_ = 0;
    RefreshPlot();
}

namespace {

plat::DefaultInstance<class frmPlot>& Instance() {
    static plat::DefaultInstance<class frmPlot> instance;
    return instance;
}

} // namespace

class frmPlot& frmPlot() {
    return Instance()();
}

bool frmPlotLoaded() {
    return Instance().Exists() && Instance()().IsLoaded();
}

void ShowPlotWindow() {
    const std::string& file = shell::Model().OutFile;
    std::error_code ec;
    if (file.empty() || !std::filesystem::is_regular_file(file, ec) ||
        std::filesystem::file_size(file, ec) < 1 || ec)
        return;
    const bool open = frmPlotLoaded() && frmPlot().Visible();
    frmPlot().Show(plat::Form::Modality::Modeless);
    if (open)
        frmPlot().RefreshPlot();
}
