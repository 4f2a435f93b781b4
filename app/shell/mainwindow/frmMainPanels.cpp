// The main window's panels: every control of the editing panels under its own name, laid out in frames.
// What the controls do is the editors' business; here they are created, captioned and placed.

#include "shell/mainwindow/frmMain.h"

#include <utility>

#include "editors/panels/PanelControls.h"
#include "platform/ui/PictureBox.h"
#include "platform/ui/Twips.h"
#include "shell/mainwindow/ToolbarIcons.h"

using namespace editors;

namespace {

constexpr int kRow = 24;     // pixels from one row of boxes to the next
constexpr int kBoxW = 64;
constexpr int kBoxH = 20;
// The antenna columns are wide enough for a length with a sign, four integer digits and the six
// decimals the unit switch leaves; the panels right of the antenna frame stand beside it.
constexpr int kAntBoxW = 94;
constexpr int kAntennaFrameW = 540;
constexpr int kMiddleX = kAntennaFrameW + 12;
constexpr int kGroundX = kMiddleX + 308;
// The flight profile's point columns: a length in metres with six decimals.
constexpr int kFltBoxW = 100;

void Place(plat::Control& c, int x, int y, int w, int h = kBoxH) {
    c.Move(plat::PixelsToTwips(x), plat::PixelsToTwips(y), plat::PixelsToTwips(w), plat::PixelsToTwips(h));
}

template <class T>
std::unique_ptr<T> Make(plat::Container& parent, const std::string& name, int x, int y, int w, int h = kBoxH) {
    auto c = std::make_unique<T>(parent, name);
    Place(*c, x, y, w, h);
    return c;
}

std::unique_ptr<plat::Frame> MakeFrame(plat::Container& parent, const std::string& name, const std::string& caption,
                                       int x, int y, int w, int h) {
    auto f = Make<plat::Frame>(parent, name, x, y, w, h);
    f->SetCaption(caption);
    return f;
}

// A panel's title in its top left corner.
std::unique_ptr<plat::Label> MakeTitle(plat::Container& parent, const std::string& name, const std::string& caption,
                                       int w) {
    auto t = Make<plat::Label>(parent, name, 8, 4, w, 18);
    t->SetCaption(caption);
    t->SetFont("Liberation Sans", 9, true);
    return t;
}

std::unique_ptr<plat::TextBox> MakeBox(plat::Container& parent, const std::string& name, const std::string& text,
                                       int x, int y, int w = kBoxW) {
    auto t = Make<plat::TextBox>(parent, name, x, y, w);
    t->SetText(text);
    return t;
}

// Loads the items first..last of a control array into one frame.
template <class T> void LoadIn(plat::ControlArray<T>& array, plat::Container& parent, int first, int last) {
    for (int i = first; i <= last; ++i)
        array.LoadIn(parent, i);
}

void PlaceRow(plat::ControlArray<plat::TextBox>& boxes, const std::string& text, int x0, int dx, int y,
              int w = kBoxW) {
    boxes.ForEach([&](int i, plat::TextBox& box) {
        Place(box, x0 + (i - boxes.LBound()) * dx, y, w);
        box.SetText(text);
    });
}

} // namespace

plat::Label& frmMain::AddCaption(plat::Container& parent, const std::string& text, int x, int y, int w, int align) {
    auto label = std::make_unique<plat::Label>(parent, "");
    label->SetCaption(text);
    label->SetAlignment(align);
    label->SetWordWrap(false);
    Place(*label, x, y + 2, w, kBoxH - 2);
    captions_.push_back(std::move(label));
    return *captions_.back();
}

void frmMain::UnitLabel(int index, plat::Container& parent, int x, int y) {
    Label37.LoadIn(parent, index);
    Label37(index).SetCaption("ft");
    Place(Label37(index), x, y + 2, 22, kBoxH - 2);
}

void frmMain::BuildArrayPanel() {
    fraArray = MakeFrame(*this, "fraArray", "Array Parameters", kMiddleX, 4, 300, 250);
    plat::Frame& f = *fraArray;
    const char* captions[] = {"Frequency (MHz) : ", "CSB/SBO Current Ratio : ", "Modulation Depth : ",
                              "CLR Modulation Depth : "};
    std::unique_ptr<plat::TextBox>* boxes[] = {&txtArrayFreq, &txtArrayARatio, &txtArrayModDepth,
                                               &txtArrayCLRModDepth};
    const char* names[] = {"txtArrayFreq", "txtArrayARatio", "txtArrayModDepth", "txtArrayCLRModDepth"};
    for (int r = 0; r < 4; ++r) {
        AddCaption(f, captions[r], 6, 20 + r * kRow, 170);
        *boxes[r] = MakeBox(f, names[r], "0", 180, 20 + r * kRow);
    }
    AddCaption(f, "Number of Antennas : ", 6, 20 + 4 * kRow, 170);
    fraNumAnts = Make<plat::Frame>(f, "fraNumAnts", 176, 16 + 4 * kRow, 116, 26);
    LoadIn(optNumAnts, *fraNumAnts, 0, 2);
    for (int i = 0; i < 3; ++i) {
        Place(optNumAnts(i), 6 + i * 36, 4, 34);
        optNumAnts(i).SetCaption(std::to_string(i + 1));
    }
    optNumAnts(2).SetValue(true);
    AddCaption(f, "Antenna Orientation : ", 6, 20 + 5 * kRow, 170, 0);
    cmbAntOrient = Make<plat::ComboBox>(f, "cmbAntOrient", 6, 20 + 6 * kRow, 286, 22);
    for (const char* item : {"Single-Horizontal, perpendicular to R/W", "Single- Horizontal, parallel to R/W",
                             "Array-Horizontal, perpendicular to R/W", "Array-Horizontal, parallel to R/W"})
        cmbAntOrient->AddItem(item);
    AddCaption(f, "Array Presets: ", 6, 24 + 7 * kRow, 94, 0);
    cmbPresets = Make<plat::ComboBox>(f, "cmbPresets", 100, 24 + 7 * kRow, 90, 22);
    for (const char* item : {"Null Ref.", "SB Ref.", "CEGS", "none"})
        cmbPresets->AddItem(item);
    chkIncludeCurPhase = Make<plat::CheckBox>(f, "chkIncludeCurPhase", 194, 24 + 7 * kRow, 18);
    chkIncludeCurPhase->SetValue(1);
    AddCaption(f, "Include Dist.", 212, 24 + 7 * kRow, 84, 0);

    fraXmtr = MakeFrame(*this, "fraXmtr", "Transmitter Modifications", kMiddleX, 258, 300, 96);
    const char* xmtrCaptions[] = {"SBO Atten: ", "CLR Atten: ", "CSB-SBO Phase : "};
    const char* xmtrNames[] = {"txtSBOPowerAdj", "txtCLRPowerAdjust", "txtCSBSBOPhase"};
    std::unique_ptr<plat::TextBox>* xmtrBoxes[] = {&txtSBOPowerAdj, &txtCLRPowerAdjust, &txtCSBSBOPhase};
    const char* xmtrUnits[] = {"dB", "dB", "deg"};
    for (int r = 0; r < 3; ++r) {
        AddCaption(*fraXmtr, xmtrCaptions[r], 6, 20 + r * kRow, 170);
        *xmtrBoxes[r] = MakeBox(*fraXmtr, xmtrNames[r], "0", 180, 20 + r * kRow);
        AddCaption(*fraXmtr, xmtrUnits[r], 248, 20 + r * kRow, 30, 0);
    }
}

void frmMain::BuildAntennaPanel() {
    fraAntenna = Make<plat::Frame>(*this, "fraAntenna", 8, 4, kAntennaFrameW, 300);
    plat::Frame& f = *fraAntenna;
    Label66 = MakeTitle(f, "Label66", "Antenna Parameters", 300);
    const int x0 = 112;
    const int dx = kAntBoxW + 28; // a box, its height row's step button and a gap
    const int unitX = x0 + 2 * dx + kAntBoxW + 30;
    LoadIn(Label2, f, 3, 5);
    const char* columns[] = {"Lower Antenna", "Middle Antenna(*)", "Upper Antenna"};
    for (int i = 3; i <= 5; ++i) {
        Place(Label2(i), x0 + (i - 3) * dx - 16, 24, dx);
        Label2(i).SetFont("Liberation Sans", 8);
        Label2(i).SetWordWrap(false);
        Label2(i).SetCaption(columns[i - 3]);
        Label2(i).SetAlignment(2);
    }
    struct Row {
        const char* caption;
        plat::ControlArray<plat::TextBox>* boxes;
        const char* unit;
    };
    const Row rows[] = {
        {"Offset : ", &txtAntX, nullptr},          {"Setback : ", &txtAntY, nullptr},
        {"Height : ", &txtAntZ, nullptr},          {"Rotation : ", &txtAntRot, "(CCW +)"},
        {"CSB Current : ", &txtAntCSBMag, nullptr}, {"CSB Phase : ", &txtAntCSBPhase, "deg"},
        {"SBO Current : ", &txtAntSBOMag, nullptr}, {"SBO Phase : ", &txtAntSBOPhase, "deg"},
        {"CLR Current : ", &txtAntCLRMag, nullptr}, {"CLR Phase : ", &txtAntCLRPhase, "deg"},
    };
    for (int r = 0; r < 10; ++r) {
        const int y = 46 + r * kRow;
        AddCaption(f, rows[r].caption, 4, y, 104);
        LoadIn(*rows[r].boxes, f, 0, 2);
        PlaceRow(*rows[r].boxes, "0", x0, dx, y, kAntBoxW);
        if (rows[r].unit)
            AddCaption(f, rows[r].unit, unitX, y, 56, 0);
    }
    // Length units of the offset, setback and height rows.
    for (int i = 0; i < 3; ++i)
        UnitLabel(i, f, unitX, 46 + i * kRow);
    LoadIn(cmdProp, f, 1, 3);
    const char* props[] = {">", "<>", "<"};
    for (int i = 1; i <= 3; ++i) {
        Place(cmdProp(i), x0 + (i - 1) * dx + kAntBoxW + 2, 46 + 2 * kRow, 24);
        cmdProp(i).SetCaption(props[i - 1]);
    }
    Label2_6 = Make<plat::Label>(f, "Label2", 8, 46 + 10 * kRow, 100, 18);
    Label2_6->SetCaption("(*)=ref.");

    fraFeedMods = MakeFrame(*this, "fraFeedMods", "Antenna Feed Modifications", 8, 308, kAntennaFrameW, 74);
    AddCaption(*fraFeedMods, "Attenuate : ", 4, 20, 104);
    LoadIn(txtAntAtten, *fraFeedMods, 0, 2);
    PlaceRow(txtAntAtten, "0", x0, dx, 20, kAntBoxW);
    AddCaption(*fraFeedMods, "dB", unitX, 20, 40, 0);
    AddCaption(*fraFeedMods, "Adjust Phase : ", 4, 20 + kRow, 104);
    LoadIn(txtAntPhaseAdj, *fraFeedMods, 0, 2);
    PlaceRow(txtAntPhaseAdj, "0", x0, dx, 20 + kRow, kAntBoxW);
    AddCaption(*fraFeedMods, "deg", unitX, 20 + kRow, 40, 0);
}

void frmMain::BuildPathPanels() {
    fraSimulation = MakeFrame(*this, "fraSimulation", "Simulation Parameters", kMiddleX, 358, 300, 70);
    AddCaption(*fraSimulation, "Path Angle : ", 6, 20, 170);
    txtThPathAngle = MakeBox(*fraSimulation, "txtThPathAngle", "3.00", 180, 20);
    AddCaption(*fraSimulation, "\xB0", 248, 20, 20, 0);
    AddCaption(*fraSimulation, "Path Width : ", 6, 20 + kRow, 170);
    txtThPathWidth = MakeBox(*fraSimulation, "txtThPathWidth", "0.70", 180, 20 + kRow);
    AddCaption(*fraSimulation, "\xB0", 248, 20 + kRow, 20, 0);

    fraTheodolite = Make<plat::Frame>(*this, "fraTheodolite", kMiddleX, 432, 300, 104);
    Label63 = MakeTitle(*fraTheodolite, "Label63", "Theodolite", 200);
    const char* captions[] = {"Offset : ", "Setback : ", "Height : "};
    const char* names[] = {"txtThX", "txtThY", "txtThZ"};
    std::unique_ptr<plat::TextBox>* boxes[] = {&txtThX, &txtThY, &txtThZ};
    for (int r = 0; r < 3; ++r) {
        AddCaption(*fraTheodolite, captions[r], 6, 24 + r * kRow, 100);
        *boxes[r] = MakeBox(*fraTheodolite, names[r], "0", 110, 24 + r * kRow, 80); // "-12345.67"
        UnitLabel(3 + r, *fraTheodolite, 194, 24 + r * kRow);
    }
    cmdFindTheod = Make<plat::CommandButton>(*fraTheodolite, "cmdFindTheod", 220, 48, 76, 24);
    cmdFindTheod->SetCaption("Calculate");
}

void frmMain::BuildFlightPanel() {
    fraFlight = Make<plat::Frame>(*this, "fraFlight", 8, 540, kGroundX - 16, 108);
    plat::Frame& f = *fraFlight;
    Label67 = MakeTitle(f, "Label67", "Flight Profile", 170);
    cmbFlight = Make<plat::ComboBox>(f, "cmbFlight", 8, 26, 170, 22);
    for (const char* item : {"1 - Constant Radius", "2 - Linear Cut", "3 - Pattern A/Approach", "4 - Pattern B/Level",
                             "7 - Pattern C/Orbit"})
        cmbFlight->AddItem(item);
    chkUseDefaults = Make<plat::CheckBox>(f, "chkUseDefaults", 8, 54, 120);
    chkUseDefaults->SetCaption("Use Defaults");
    chkUseDefaults->SetValue(1);
    AddCaption(f, "Points: ", 8, 80, 50, 0);
    txtFltNumPoints = MakeBox(f, "txtFltNumPoints", "200", 60, 80, 50);

    const int tx = 250;
    const int tdx = kFltBoxW + 8;
    LoadIn(lblX, f, 1, 1);
    LoadIn(lblY, f, 1, 1);
    LoadIn(lblZ, f, 1, 1);
    plat::Label* heads[] = {&lblX(1), &lblY(1), &lblZ(1)};
    const char* headText[] = {"X", "Y", "Z"};
    // Each heading as wide as its boxes; the column's unit under the end box, clear of the heading.
    for (int c = 0; c < 3; ++c) {
        Place(*heads[c], tx + c * tdx - 4, 8, kFltBoxW, 18);
        heads[c]->SetCaption(headText[c]);
        heads[c]->SetAlignment(2);
        UnitLabel(6 + c, f, tx + c * tdx + 20, 82);
        Label37(6 + c).SetWidth(plat::PixelsToTwips(32)); // room for "deg"
    }
    AddCaption(f, "Start: ", tx - 56, 30, 52);
    AddCaption(f, "End: ", tx - 56, 30 + kRow + 4, 52);
    plat::ControlArray<plat::TextBox>* points[] = {&txtFltX, &txtFltY, &txtFltZ};
    for (int c = 0; c < 3; ++c) {
        LoadIn(*points[c], f, 0, 1);
        for (int i = 0; i < 2; ++i) {
            Place((*points[c])(i), tx + c * tdx - 4, 30 + i * (kRow + 4), kFltBoxW);
            (*points[c])(i).SetText("0.00");
        }
    }
    const int cx = tx + 3 * tdx + 20;
    const int cdx = 50;
    plat::ControlArray<plat::TextBox>* conv[] = {&txtFltAz, &txtFltEl, &txtFltRange, &txtFltAlt};
    const char* convHeads[] = {"Az", "El", "Range", "Alt."};
    for (int c = 0; c < 4; ++c) {
        AddCaption(f, convHeads[c], cx + c * cdx, 8, 46, 2);
        LoadIn(*conv[c], f, 0, 1);
        for (int i = 0; i < 2; ++i)
            Place((*conv[c])(i), cx + c * cdx, 30 + i * (kRow + 4), 46);
    }
    UnitLabel(9, f, cx + 2 * cdx + 14, 84);
    UnitLabel(10, f, cx + 3 * cdx + 14, 84);
    LoadIn(cmdConvertPoint, f, 0, 1);
    for (int i = 0; i < 2; ++i) {
        Place(cmdConvertPoint(i), cx + 4 * cdx + 2, 29 + i * (kRow + 4), 24, 22);
        cmdConvertPoint(i).SetCaption("<");
        cmdConvertPoint(i).SetToolTipText(i == 0 ? "Convert to the start point" : "Convert to the end point");
    }
}

void frmMain::BuildGroundPanel() {
    fraGround = Make<plat::Frame>(*this, "fraGround", kGroundX, 4, 250, 532);
    plat::Frame& f = *fraGround;
    Label62 = MakeTitle(f, "Label62", "Ground Plane", 200);
    UnitLabel(11, f, 210, 2);
    grdGround = Make<plat::FlexGrid>(f, "grdGround", 8, 26, 180, 390);
    grdGround->SetFont("Liberation Sans", 7.5);
    txtData = Make<plat::TextBox>(f, "txtData", 8, 26, 60);
    txtData->SetFont("Liberation Sans", 7.5); // the grid's, as it edits the grid's text
    txtData->SetVisible(false);
    cmdFlat = Make<plat::CommandButton>(f, "cmdFlat", 8, 424, 113, 26);
    cmdFlat->SetCaption("Flatten Terrain");
    cmdRestoreGnd = Make<plat::CommandButton>(f, "cmdRestoreGnd", 129, 424, 113, 26);
    cmdRestoreGnd->SetCaption("Restore Terrain");
    cmdView2D = Make<plat::CommandButton>(f, "cmdView2D", 8, 456, 113, 26);
    cmdView2D->SetCaption("View 2D");
    cmdDigi2D = Make<plat::CommandButton>(f, "cmdDigi2D", 129, 456, 113, 26);
    cmdDigi2D->SetCaption("Digi 2D");
    Command2 = Make<plat::CommandButton>(f, "Command2", 8, 488, 234, 26);
    Command2->SetCaption("Edit 3D");
    for (plat::CommandButton* b : {cmdFlat.get(), cmdRestoreGnd.get(), cmdView2D.get(), cmdDigi2D.get(), Command2.get()})
        b->SetEnabled(false);
}

void frmMain::BuildFileLabels() {
    Image1 = Make<plat::PictureBox>(*this, "Image1", 10, 658, 20, 20);
    Image1->SetPicture(LoadPicture());
    Image1->SetToolTipText("Open Parameter File");
    const char* captions[] = {"Input File : ", "Output File : ", "3D File : "};
    std::unique_ptr<plat::Label>* labels[] = {&lblInFile, &lblOutFile, &lbl3DFile};
    const char* names[] = {"lblInFile", "lblOutFile", "lbl3DFile"};
    for (int r = 0; r < 3; ++r) {
        AddCaption(*this, captions[r], 34, 656 + r * 22, 80, 0);
        *labels[r] = Make<plat::Label>(*this, names[r], 116, 658 + r * 22, frmMain::kClientWidth - 124, 18);
        (*labels[r])->SetCaption("none");
        (*labels[r])->SetWordWrap(false);
    }
    lblChanged = Make<plat::Label>(*this, "lblChanged", kGroundX + 6, 548, 244, 18);
    lblChanged->SetCaption("( Not Modeled)");
    lblChanged->SetForeColor(0x0000C0);
    lblChanged->SetVisible(false);
    lblNote = Make<plat::Label>(*this, "lblNote", kGroundX + 6, 578, 244, 64);
    lblNote->SetCaption(
        "NOTE: Values in window are ref. to Threshold; File is ref. to point abeam the GS (exc. Theod.)");
    lblNote->SetWordWrap(true);
}

void frmMain::BuildPanelControls() {
    AntennaColumns columns{};
    const std::pair<AntBox, AntennaColumn*> byKind[] = {
        {AntBox::X, &txtAntX},           {AntBox::Y, &txtAntY},
        {AntBox::Z, &txtAntZ},           {AntBox::Rot, &txtAntRot},
        {AntBox::CSBMag, &txtAntCSBMag}, {AntBox::CSBPhase, &txtAntCSBPhase},
        {AntBox::SBOMag, &txtAntSBOMag}, {AntBox::SBOPhase, &txtAntSBOPhase},
        {AntBox::CLRMag, &txtAntCLRMag}, {AntBox::CLRPhase, &txtAntCLRPhase},
        {AntBox::Atten, &txtAntAtten},   {AntBox::PhaseAdj, &txtAntPhaseAdj},
    };
    for (const auto& [box, column] : byKind)
        columns[static_cast<std::size_t>(box)] = column;
    panels_ = std::make_unique<EditorPanelControls>(EditorPanelControls{
        .antenna = {*txtArrayFreq, *txtArrayARatio, *txtArrayModDepth, *txtArrayCLRModDepth, *cmbAntOrient,
                    columns, *txtSBOPowerAdj, *txtCLRPowerAdjust, *txtCSBSBOPhase, optNumAnts, Label2,
                    cmdProp, BaseFeedValues},
        .presets = {*cmbPresets, *chkIncludeCurPhase, cmdProp},
        .path = {*txtThPathAngle, *txtThPathWidth, *txtThX, *txtThY, *txtThZ, *cmdFindTheod},
        .flight = {*cmbFlight, *chkUseDefaults, txtFltX, txtFltY, txtFltZ, txtFltAz, txtFltEl, txtFltRange,
                   txtFltAlt, lblX, lblY, lblZ, Label37, Menu("mnuUseSI"), cmdConvertPoint, *txtFltNumPoints},
        .mnuUseSI = Menu("mnuUseSI"),
        .mnuElemParm = Menu("mnuElemParm"),
    });
}

AntennaPanelTexts frmMain::AntennaTexts() const { return ::AntennaTexts(panels_->antenna); }

void frmMain::ShowAntennaTexts(const AntennaPanelTexts& t) { ::ShowAntennaTexts(panels_->antenna, t); }

TheodoliteTexts frmMain::PathTexts() const { return ::PathTexts(panels_->path); }

void frmMain::ShowPathTexts(const TheodoliteTexts& t) { ::ShowPathTexts(panels_->path, t); }

FlightPanelTexts frmMain::FlightTexts() const { return ::FlightTexts(panels_->flight); }

void frmMain::ShowFlightTexts(const FlightPanelTexts& t) { ::ShowFlightTexts(panels_->flight, t); }

void frmMain::ShowFlightPanelState(const FlightPanelState& s) { ::ShowFlightPanelState(panels_->flight, s); }
