#include "editors/arrayedit/frmArrayEdit.h"

#include "editors/arrayedit/ArrayGridRules.h"
#include "platform/text/KeyCodes.h"
#include "platform/ui/Twips.h"
#include "platform/ui/Form.h"
#include "shell/model/ModelVariables.h"

using namespace editors;
using namespace shell;

namespace {

// The floating box stores into columns up to this one (the localizer grid's last).
constexpr int kLastEditColumn = 11;

int Tw(int pixels) {
    return plat::PixelsToTwips(pixels);
}

} // namespace

frmArrayEdit::frmArrayEdit() : plat::Form("frmArrayEdit") {
    SetCaption("Edit Localizer Array");
    // The second grid stands clear of the first grid's row of controls.
    for (int i = 1; i <= 2; ++i)
        grdArray.Load(i).Move(Tw(8), Tw(i == 1 ? 150 : 418), Tw(884), Tw(i == 1 ? 240 : 220));
    grdArray.KeyPress = [this](int i, int& keyAscii) { grdArray_KeyPress(i, keyAscii); };
    grdArray.KeyDown = [this](int i, int& keyCode, int shift) { grdArray_KeyDown(i, keyCode, shift); };
    grdArray.Click = [this](int i) { grdArray_Click(i); };
    txtData = std::make_unique<plat::TextBox>(*this, "txtData");
    txtData->SetVisible(false);
    txtData->KeyPress = [this](int& keyAscii) { txtData_KeyPress(keyAscii); };

    const char* captions[] = {
        "Angle :",           "Rotation :",     "Elevation :",          "Offset :", "Setback :",
        "Clearance Desc. :", "Course Desc. :", "CLR/CRS Separation :", "Width :"};
    const char* values[] = {"0.00",   "-99999.999", "-99999.999", "-99999.999", "-99999.999",
                            "(none)", "(none)",     "-14.00",     "6.00"};
    for (int i = 0; i < 9; ++i) {
        const int x = 8 + (i % 3) * 300, y = 8 + (i / 3) * 26;
        AddLabel(captions[i], x, y + 3, 130);
        txtInData.Load(i).Move(Tw(x + 134), Tw(y), Tw(150), Tw(22));
        txtInData(i).SetText(values[i]);
    }

    AddLabel("Working Units :", 8, 92, 100);
    const char* units[] = {"Feet", "Wavelengths", "Meters"};
    for (int i = 1; i <= 3; ++i) {
        optunit.Load(i).Move(Tw(110 + (i - 1) * 114), Tw(90), Tw(110), Tw(22)); // room for "Wavelengths"
        optunit(i).SetCaption(units[i - 1]);
    }
    optunit(1).SetValue(true);

    cmdCalculate = std::make_unique<plat::CommandButton>(*this, "cmdCalculate");
    cmdCalculate->SetCaption("Calculate");
    cmdCalculate->Move(Tw(792), Tw(118), Tw(100), Tw(26));
    lblCalculate = std::make_unique<plat::Label>(*this, "lblCalculate");
    lblCalculate->SetCaption("Calculate Antenna Heights / Set Element Rotation");
    lblCalculate->Move(Tw(440), Tw(123), Tw(340), Tw(18));
    for (int i = 1; i <= 2; ++i) {
        Line.Load(i).Move(Tw(440), Tw(i == 1 ? 118 : 144), Tw(452), Tw(1));
        Line(i).SetBackStyle(1);
        Line(i).SetBackColor(0x000000);
    }

    AddLabel("Presets:", 8, 122, 60);
    cmbPresets = std::make_unique<plat::ComboBox>(*this, "cmbPresets");
    cmbPresets->Move(Tw(70), Tw(118), Tw(200), Tw(22));
    cmdFacility = std::make_unique<plat::CommandButton>(*this, "cmdFacility");
    cmdFacility->SetCaption("Glide Slope");
    cmdFacility->Move(Tw(280), Tw(118), Tw(100), Tw(26));

    for (int i = 1; i <= 2; ++i) {
        chkClearFirst.Load(i).SetCaption("Clear grid before pulling");
        chkClearFirst(i).Move(Tw(8), Tw(i == 1 ? 392 : 642), Tw(200), Tw(20));
    }
    optPullAll.Load(0);
    optPullAll.Load(1);
    optPullAll(0).SetCaption("Spacing");
    optPullAll(1).SetCaption("Distribution");
    optPullAll(0).Move(Tw(220), Tw(392), Tw(90), Tw(20));
    optPullAll(1).Move(Tw(310), Tw(392), Tw(100), Tw(20));
    cmdPullFromFile = std::make_unique<plat::CommandButton>(*this, "cmdPullFromFile");
    Command1 = std::make_unique<plat::CommandButton>(*this, "Command1");
    cmdPullFromFile->SetCaption("Pull From File");
    Command1->SetCaption("Pull From File");
    cmdPullFromFile->Move(Tw(420), Tw(390), Tw(110), Tw(24));
    Command1->Move(Tw(420), Tw(640), Tw(110), Tw(24));
    chkShowRWYLoc = std::make_unique<plat::CheckBox>(*this, "chkShowRWYLoc");
    chkShowRWYLoc->SetCaption("RWY/ LLZ");
    chkShowRWYLoc->Move(Tw(540), Tw(392), Tw(100), Tw(20));
    chkIncludeCLR = std::make_unique<plat::CheckBox>(*this, "chkIncludeCLR");
    chkIncludeCLR->SetCaption("Include CLR Array");
    chkIncludeCLR->Move(Tw(540), Tw(642), Tw(140), Tw(20));

    std::unique_ptr<plat::CommandButton>* buttons[] = {&cmdNew, &cmdLoad, &cmdSave, &cmdOK, &cmdCancel};
    const char* names[] = {"cmdNew", "cmdLoad", "cmdSave", "cmdOK", "cmdCancel"};
    const char* texts[] = {"New", "Load", "Save", "OK", "Cancel"};
    for (int i = 0; i < 5; ++i) {
        *buttons[i] = std::make_unique<plat::CommandButton>(*this, names[i]);
        (*buttons[i])->SetCaption(texts[i]);
        (*buttons[i])->Move(Tw(8 + i * 110), Tw(672), Tw(100), Tw(26));
    }

    mnuEdit = &AddMenu("mnuEdit", "Edit");
    mnuEdit->Add("mnuPaste", "Paste");
    mnuEdit->Add("mnuUndo", "Undo").SetEnabled(false);
    mnuEdit->SetVisible(false);
    mnuEdit->SetEnabled(false);

    SetClientSize(Tw(900), Tw(706));
    Load = [this] { Form_Load(); };
}

plat::Label& frmArrayEdit::AddLabel(const std::string& caption, int x, int y, int w) {
    labels_.push_back(std::make_unique<plat::Label>(*this, ""));
    plat::Label& l = *labels_.back();
    l.SetCaption(caption);
    l.Move(Tw(x), Tw(y), Tw(w), Tw(18));
    return l;
}

void frmArrayEdit::Form_Load() {
    loading_ = true;
    workingUnit_ = 1.0;
    selectedUnit_ = 0;
    for (int i = 1; i <= 3 && selectedUnit_ == 0; ++i)
        if (optunit(i).Value())
            selectedUnit_ = i;
    for (int i = 1; i <= 2; ++i)
        grdArray(i).SetRows(kArrayGridRows);
    grdArray(1).SetRow(0);
    grdArray(1).SetCol(1);
    const bool glideSlope = Model().Facility == 1;
    SetCaption(glideSlope ? "Edit Glideslope Array" : "Edit Localizer Array");
    cmdCalculate->SetVisible(glideSlope);
    lblCalculate->SetVisible(glideSlope);
    Line(1).SetVisible(glideSlope);
    Line(2).SetVisible(glideSlope);
    txtInData(6).SetVisible(glideSlope);
    SetArrayGridHeader(1);
    SetArrayGridHeader(2);
    loading_ = false;
}

void frmArrayEdit::SetArrayGridHeader(int index) {
    plat::FlexGrid& g = grdArray(index);
    g.SetRedraw(false);
    if (chkClearFirst(index).Value() == 1)
        g.Clear();
    if (const std::optional<std::string> format = ArrayGridFormat(Model().Facility, workingUnit_)) {
        const std::vector<ArrayGridColumn> columns = FormatStringColumns(*format);
        g.SetCols(static_cast<int>(columns.size()));
        for (std::size_t c = 0; c < columns.size(); ++c) {
            const int col = static_cast<int>(c);
            g.SetTextMatrix(0, col, columns[c].header);
            // Wide enough for the heading, as the heading text sets the width.
            g.SetColWidth(col, Tw(static_cast<int>(columns[c].header.size()) * 7 + 8));
        }
    }
    g.SetColWidth(0, 0);
    g.SetRedraw(true);
}

void frmArrayEdit::grdArray_KeyPress(int index, int& keyAscii) {
    plat::FlexGrid& g = grdArray(index);
    editGrid_ = index;
    editRow_ = g.Row();
    editCol_ = g.Col();
    if (keyAscii == plat::ascii::CtrlC)
        return;
    if (txtData->Visible()) {
        if (plat::PrintableAscii(keyAscii))
            txtData->SetText(txtData->Text() + static_cast<char>(keyAscii));
        return;
    }
    if (keyAscii != plat::ascii::Enter && !plat::PrintableAscii(keyAscii))
        return;
    txtData->Move(g.Left() + g.CellLeft(), g.Top() + g.CellTop(), g.CellWidth(), g.CellHeight());
    txtData->SetVisible(true);
    txtData->SetFocus();
    txtData->SetText(keyAscii == plat::ascii::Enter ? g.Text() : std::string(1, static_cast<char>(keyAscii)));
    txtData->SetSelStart(static_cast<int>(txtData->Text().size()));
}

void frmArrayEdit::CloseEditor() {
    txtData->SetVisible(false);
    txtData->SetText("");
}

void frmArrayEdit::txtData_KeyPress(int& keyAscii) {
    plat::FlexGrid& g = grdArray(editGrid_);
    if (keyAscii == plat::ascii::Escape) {
        CloseEditor();
        g.SetFocus();
        keyAscii = 0;
        return;
    }
    if (keyAscii != plat::ascii::Enter)
        return;
    keyAscii = 0;
    if (editCol_ >= 0 && editCol_ <= kLastEditColumn && editCol_ < g.Cols()) {
        g.SetTextMatrix(editRow_, editCol_, txtData->Text());
        g.Refresh();
    }
    CloseEditor();
    const ArrayCell next = NextArrayCell(editRow_, editCol_, g.Rows(), g.Cols());
    g.SetRow(next.row);
    g.SetCol(next.col);
    g.SetFocus();
}

void frmArrayEdit::grdArray_Click(int /*index*/) {
    if (!txtData->Visible())
        return;
    grdArray(editGrid_).SetTextMatrix(editRow_, editCol_, txtData->Text());
    CloseEditor();
    grdArray(editGrid_).Refresh();
}

void frmArrayEdit::grdArray_KeyDown(int index, int& keyCode, int /*shift*/) {
    plat::FlexGrid& g = grdArray(index);
    if (keyCode == plat::key::Insert)
        InsertArrayRows(g, g.Row(), g.RowSel());
    else if (keyCode == plat::key::Delete)
        DeleteArrayRows(g, g.Row(), g.RowSel());
}

class frmArrayEdit& frmArrayEdit() {
    static plat::DefaultInstance<class frmArrayEdit> instance;
    return instance();
}
