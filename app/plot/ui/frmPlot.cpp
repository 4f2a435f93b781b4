#include "plot/ui/frmPlot.h"

#include "platform/ui/Keys.h"
#include "platform/ui/Twips.h"
#include "plot/mm/modPlot_mm.h"
#include "plot/ui/frmResults.h"
#include "shell/model/ModelVariables.h"

#include <filesystem>
#include <stdexcept>

namespace {

constexpr plat::Colour kWhite = 0xFFFFFF;

// The items that come with the plot window's interaction (zoom, second trace, parameters, capture)
// stay disabled until it is built.
constexpr const char* kLaterItems[] = {"mnuPlotParameters", "mnuTestFile", "mnuAddTrace", "mnuRemoveTrace",
                                       "mnuPlotSend"};

} // namespace

frmPlot::frmPlot() : plat::Form("frmPlot") {
    SetCaption("Plot");
    SetKeyPreview(true);
    Plotter = std::make_unique<plat::PictureBox>(*this, "Plotter");
    Plotter->Move(0, 0, plat::PixelsToTwips(plot::kPagePixelsX), plat::PixelsToTwips(plot::kPagePixelsY));
    Plotter->SetBackColor(kWhite);
    Plotter->Cls();
    BuildMenus();
    SetClientSize(plat::PixelsToTwips(plot::kPagePixelsX), plat::PixelsToTwips(plot::kPagePixelsY));
    Load = [this] { Form_Load(); };
    Activate = [this] { Form_Activate(); };
    KeyDown = [this](int& keyCode, int shift) { Form_KeyDown(keyCode, shift); };
    Unload = [](int& /*cancel*/) {
        if (frmResultsLoaded())
            plat::Unload(frmResults());
    };
}

void frmPlot::BuildMenus() {
    mnuPlotParameters_ = &AddMenu("mnuPlotParameters", "&Parameters");
    mnuPlot_ = &AddMenu("mnuPlot", "Plot");
    mnuPlot_->Add("mnuRefresh", "Refresh").Click = [this] { RefreshPlot(); };
    mnuPlot_->Add("mnuTestFile", "Test File");
    mnuPlot_->Add("mnuSep1", "-");
    mnuPlot_->Add("mnuAddTrace", "Add Trace");
    mnuPlot_->Add("mnuRemoveTrace", "Remove Trace");
    mnuPlot_->Add("mnuSep2", "-");
    mnuPlot_->Add("mnuResults", "Results").Click = [this] { mnuResults_Click(); };
    mnuPlot_->Add("mnuSep3", "-");
    mnuPlot_->Add("mnuPlotSend", "&Send to File");
    mnuExit_ = &AddMenu("mnuExit", "E&xit");
    mnuExit_->Click = [this] { plat::Unload(*this); };
    for (const char* name : kLaterItems)
        Menu(name).SetEnabled(false);
}

plat::MenuItem& frmPlot::Menu(const std::string& name) const {
    for (plat::MenuItem* top : {mnuPlotParameters_, mnuPlot_, mnuExit_}) {
        if (plat::MenuItem* item = top->Find(name))
            return *item;
    }
    throw std::out_of_range("no menu item " + name);
}

void frmPlot::Form_Load() {
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
    Plotter->Cls();
    plot::BeginPlotOnPicture(*Plotter, "");
    const PlotOutcome outcome = PlotData(Plotter->hDC(), view_);
    Plotter->Refresh();
    if (outcome.results)
        frmResults().ShowResults(*outcome.results);
}

void frmPlot::Form_KeyDown(int& keyCode, int /*shift*/) {
    if (keyCode != plat::key::F3)
        return;
    class frmResults& results = frmResults();
    if (results.Visible())
        results.Hide();
    else
        results.Show(plat::Form::Modality::Modeless);
}

void frmPlot::mnuResults_Click() {
    if (frmResultsLoaded() && frmResults().Visible()) {
        plat::Unload(frmResults());
        return;
    }
    frmResults().Show(plat::Form::Modality::Modeless);
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
