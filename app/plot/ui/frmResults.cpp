#include "plot/ui/frmResults.h"

#include "platform/ui/Twips.h"

#include <array>

namespace {

constexpr int kRowHeight = 20;
constexpr int kCaptionWidth = 100;
constexpr int kValueWidth = 170;

void Place(plat::Control& c, int x, int y, int w, int h) {
    c.Move(plat::PixelsToTwips(x), plat::PixelsToTwips(y), plat::PixelsToTwips(w), plat::PixelsToTwips(h));
}

} // namespace

frmResults::frmResults() : plat::Form("frmResults") {
    SetCaption("Analysis Results ");
    fraResults = std::make_unique<plat::Frame>(*this, "fraResults");
    fraResults->SetCaption("Results");
    struct Row {
        std::unique_ptr<plat::Label>* label;
        const char* name;
        const char* caption; // empty: the label has no caption of its own
    };
    const std::array<Row, 21> rows{{
        {&lblAngle, "lblAngle", "Angle / Align:"},
        {&lblAveAng, "lblAveAng", "Ave \xD8:"},
        {&lblBFSL, "lblBFSL", "BFSL:"},
        {&lblRDH, "lblRDH", "RDH:"},
        {&lblThAdjust, "lblThAdjust", "TH Adjust Hz:"},
        {&lblThVAdjust, "lblThVAdjust", "Vrt:"},
        {&lblARDH, "lblARDH", "ARDH:"},
        {&lblZone2, "lblZone2", "Zone2:"},
        {&lblZone3, "lblZone3", "Zone3:"},
        {&lblWidth, "lblWidth", "Width:"},
        {&lblSymmetry, "lblSymmetry", "Symmetry:"},
        {&lblStructure, "lblStructure", "Structure:"},
        {&lblZone4, "lblZone4", "Zone4:"},
        {&lblZone5, "lblZone5", "Zone5:"},
        {&lbl90HzCLR, "lbl90HzCLR", "90Hz CLRs:"},
        {&lbl150HzCLR, "lbl150HzCLR", "150Hz CLRs:"},
        {&lblTCH, "lblTCH", "TCH:"},
        {&lblReversal1, "lblReversal1", ""},
        {&lblReversal2, "lblReversal2", "Rvrsl Sgmnt 2:"},
        {&lblReversalRatio, "lblReversalRatio", "Rvrsl Ratio:"},
        {&lblRPI, "lblRPI", "RPI:"},
    }};
    int y = 20;
    int index = 0;
    for (const Row& r : rows) {
        plat::Label& caption = lblCaption.LoadIn(*fraResults, index++);
        caption.SetCaption(r.caption);
        Place(caption, 8, y, kCaptionWidth, kRowHeight);
        *r.label = std::make_unique<plat::Label>(*fraResults, r.name);
        Place(**r.label, 8 + kCaptionWidth, y, kValueWidth, kRowHeight);
        y += kRowHeight;
    }
    Place(*fraResults, 8, 8, kCaptionWidth + kValueWidth + 16, y + 8);
    SetClientSize(plat::PixelsToTwips(kCaptionWidth + kValueWidth + 32), plat::PixelsToTwips(y + 24));
}

void frmResults::ShowResults(const plot::ResultsLabels& l) {
    lblAngle->SetCaption(l.lblAngle);
    lblAveAng->SetCaption(l.lblAveAng);
    lblBFSL->SetCaption(l.lblBFSL);
    lblRDH->SetCaption(l.lblRDH);
    lblThAdjust->SetCaption(l.lblThAdjust);
    lblThVAdjust->SetCaption(l.lblThVAdjust);
    lblARDH->SetCaption(l.lblARDH);
    lblZone2->SetCaption(l.lblZone2);
    lblZone3->SetCaption(l.lblZone3);
}

namespace {

plat::DefaultInstance<class frmResults>& Instance() {
    static plat::DefaultInstance<class frmResults> instance;
    return instance;
}

} // namespace

class frmResults& frmResults() {
    return Instance()();
}

bool frmResultsLoaded() {
    return Instance().Exists() && Instance()().IsLoaded();
}
