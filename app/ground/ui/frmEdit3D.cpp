#include "ground/ui/frmEdit3D.h"

#include <cmath>
#include <filesystem>

#include "common/Constants.h"
#include "common/modFunctions.h"
#include "editors/ground/TextBoxCellEditor.h"
#include "ground/logic/GroundOperations.h"
#include "platform/services/Clipboard.h"
#include "platform/services/MessageBox.h"
#include "platform/text/AtomicFile.h"
#include "platform/text/Numbers.h"
#include "platform/text/Strings.h"
#include "shell/dialogs/frmOriginHelp.h"
#include "shell/model/ModelVariables.h"
#include "viewer/ui/frmViewGround.h"

using namespace ground;
using shell::Model;

namespace {

constexpr plat::Colour kBackColour = 0x7A3F42;
constexpr plat::Colour kNoteRed = 0x0000FF;
constexpr plat::Colour kNoteColour = 0xFFFFFF;
constexpr plat::Colour kNoteBack = 0xFFFFFF;
constexpr int kNotesTop = 6450;
constexpr int kNotePitch = 210;
constexpr int kNoteHeight = 210;
constexpr int kFileTop = kNotesTop + 5 * kNotePitch;
constexpr char kFont[] = "Liberation Sans"; // Arial's metrics
constexpr char kCountFormat[] = "##0";
constexpr char kSaveFilter[] = "3D files(*.3D)|*.3D|Text Files (*.txt)|*.txt|All Files(*.*)|*.*";
constexpr char kOpenFilter[] =
    "3D Ground Files(*.3D), Text Files(*.txt)|*.3D;*.txt|Text Files (*.txt)|*.txt|All Files(*.*)|*.*";
constexpr char kMismatch[] =
    "There is a difference between data grid dimensions, and the values in the fields!  Please correct..";
constexpr char kExitPrompt[] =
    "This data has been changed since it was last saved.  Would you like to save now before exiting?";
constexpr char kLoadPrompt[] = "This data has been changed since it was last saved.  Would you like to save "
                               "now before loading another file?";

struct Place {
    int left, top, width, height;
};

template <class C> void Put(C& control, Place p) {
    control.Move(p.left, p.top, p.width, p.height);
}

// A count box's value: its leading number rounded, an empty box 0.
int BoxValue(const plat::TextBox& box) {
    try {
        const double v = plat::Val(box.Text());
        return v < -32768.0 || v > 32767.0 ? 0 : plat::CInt(v);
    } catch (const plat::OverflowError&) {
        return 0;
    }
}

float BoxAmount(const plat::TextBox& box) {
    try {
        const double v = plat::Val(box.Text());
        return std::fabs(v) > 3.4e38 ? 0.0f : static_cast<float>(v);
    } catch (const plat::OverflowError&) {
        return 0.0f;
    }
}

int Clamped(int count) {
    return count < kMinCount ? kMinCount : (count > kMaxCount ? kMaxCount : count);
}

} // namespace

frmEdit3D::frmEdit3D() : plat::Form("frmEdit3D") {
    SetCaption("Edit 3D Ground File");
    SetClientSize(kClientWidth, kClientHeight);
    SetBackColor(kBackColour);
    BuildControls();
    BuildMenu();
    Load = [this] { Form_Load(); };
    // The close box leaves as "Exit" does, so that it cannot drop unsaved changes unasked.
    Unload = [this](int& cancel) {
        if (!leaving_ && !Leave())
            cancel = 1;
    };
}

frmEdit3D::~frmEdit3D() = default;

void frmEdit3D::BuildControls() {
    grdGround = std::make_unique<plat::FlexGrid>(*this, "grdGround");
    Put(*grdGround, {0, 90, 4425, 6030});
    grdGround->SetFont(kFont, 8.25);
    txtData = std::make_unique<plat::TextBox>(*this, "txtData");
    txtData->SetBorderStyle(0);
    txtData->SetFont(kFont, 8.25); // the grid's, as it edits the grid's text
    txtData->SetVisible(false);

    const auto label = [this](std::unique_ptr<plat::Label>& l, const char* name, const std::string& caption,
                              Place p, plat::Colour colour = kNoteColour) {
        l = std::make_unique<plat::Label>(*this, name);
        Put(*l, p);
        l->SetCaption(caption);
        l->SetBackStyle(0);
        l->SetForeColor(colour);
        l->SetFont(kFont, 8);
    };
    const auto box = [this](std::unique_ptr<plat::TextBox>& t, const char* name, const char* text, Place p) {
        t = std::make_unique<plat::TextBox>(*this, name);
        Put(*t, p);
        t->SetText(text);
        plat::TextBox* self = t.get();
        t->GotFocus = [self] {
            self->SetSelStart(0);
            self->SetSelLength(static_cast<int>(self->Text().size()));
        };
    };
    const auto button = [this](std::unique_ptr<plat::CommandButton>& b, const char* name, const char* caption,
                               Place p) {
        b = std::make_unique<plat::CommandButton>(*this, name);
        Put(*b, p);
        b->SetCaption(caption);
        b->SetFont(kFont, 9.75, true);
    };

    label(Label2, "Label2", "Number of lateral cuts:", {4650, 150, 2175, 285});
    box(txtNumY, "txtNumY", "20", {6855, 120, 435, 285});
    label(Label1, "Label1", "Samples per lateral cut:", {4650, 615, 2175, 285});
    box(txtNumX, "txtNumX", "10", {6855, 585, 435, 285});
    label(Label3, "Label3", "Units are in feet", {5085, 1065, 1845, 345});
    button(Command1, "Command1", "Resize Grid", {4650, 1560, 1365, 510});
    button(cmdInit, "cmdInit", "Clear Grid", {6090, 1560, 1365, 510});
    button(Command2, "Command2", "View Ground Profile", {5010, 2280, 2205, 510});
    // The column headings stand over their columns, under the heading and clear of each other.
    label(Label6, "Label6", "Translate All Data", {4935, 2985, 2085, 210});
    label(Label8, "Label8", "New", {6195, 3210, 495, 210});
    label(Label9, "Label9", "Current", {6825, 3210, 735, 210});
    label(Label5, "Label5", "Setback:", {4935, 3465, 1095, 285});
    box(txtSetback, "txtSetback", "0", {6075, 3435, 735, 285});
    label(Label4, "Label4", "Offset:", {4935, 3825, 1095, 285});
    box(txtOffset, "txtOffset", "0", {6075, 3795, 735, 285});
    label(Label7, "Label7", "Elevation:", {4935, 4185, 1095, 285});
    box(txtElevation, "txtElevation", "0", {6060, 4155, 735, 285});
    box(txtSB, "txtSB", "0", {6885, 3525, 615, 255});
    box(txtOS, "txtOS", "0", {6885, 3885, 615, 255});
    box(txtElev, "txtElev", "0", {6870, 4245, 615, 255});
    for (plat::TextBox* t : {txtSB.get(), txtOS.get(), txtElev.get()})
        t->SetBorderStyle(0);
    button(Command3, "Command3", "Translate", {5475, 4665, 1200, 390});
    button(cmdSaveAs, "cmdSaveAs", "Save As...", {6105, 5250, 1365, 390});
    button(cmdSaveExit, "cmdSaveExit", "Save", {4650, 5250, 1365, 390});
    button(cmdLoad, "cmdLoad", "Load File", {6105, 5700, 1365, 390});
    button(cmdExit, "cmdExit", "Exit", {4650, 5700, 1365, 390});
    button(cmdFixX, "cmdFixX", "Swap X", {5175, 6180, 1080, 240});
    button(cmdFixY, "cmdFixY", "Swap Y", {6360, 6180, 1080, 240});
    button(Command4, "Command4", "Help", {6750, 6480, 675, 240});
    // The notes, one line each, start under the swap buttons and end left of "Help"; the red one
    // stands on white, where it reads.
    label(Label13, "Label13", "- X and Y data must be from most negative to most positive",
          {180, kNotesTop, 4900, kNoteHeight}, kNoteRed);
    Label13->SetBackStyle(1);
    Label13->SetBackColor(kNoteBack);
    label(Label11, "Label11", "- The X and Y axes are referenced to the Runway Centerline abeam the mast",
          {180, kNotesTop + kNotePitch, 6500, kNoteHeight});
    label(Label12, "Label12", "- The Z Axis is referenced to the elevation at the base of the mast",
          {180, kNotesTop + 2 * kNotePitch, 6500, kNoteHeight});
    label(Label10, "Label10", "- All Y's in a cut must be the same. X's can differ by cut",
          {180, kNotesTop + 3 * kNotePitch, 6500, kNoteHeight});
    label(Label14, "Label14", "- Pasting from Quattro Pro or Excel Spreadsheet: Press CTRL-V ",
          {180, kNotesTop + 4 * kNotePitch, 7300, kNoteHeight});
    // Two lines for a long file name.
    label(Label16, "Label16", "Filename:", {255, kFileTop, 900, 240});
    label(lbl3DFile, "lbl3DFile", "none", {1215, kFileTop, 6300, 480});

    editor_ = std::make_unique<editors::TextBoxCellEditor>(*txtData);
    editors::GroundGridWindow window{[this] { grdGround->SetFocus(); },
                                     [this] {
                                         return editors::CellPlace{grdGround->Left() + grdGround->CellLeft(),
                                                                   grdGround->Top() + grdGround->CellTop(),
                                                                   grdGround->CellWidth(),
                                                                   grdGround->CellHeight()};
                                     }};
    editors::GridClipboard clipboard{[] { return plat::Clipboard().GetText(); },
                                     [](const std::string& text) {
                                         plat::Clipboard().Clear();
                                         plat::Clipboard().SetText(text);
                                     }};
    rules_ =
        std::make_unique<GroundCellRules>(*grdGround, *editor_, std::move(window), std::move(clipboard),
                                          Model().LengthUnit, [this] { Apply(GroundEvent::DataChanged); });

    grdGround->KeyPress = [this](int& keyAscii) { rules_->GridKeyPress(keyAscii); };
    grdGround->Click = [this] { rules_->GridClick(); };
    grdGround->MouseUp = [this](int buttonPressed, int, int, int) {
        if (buttonPressed == 2)
            PopupMenu(*mnuNodes);
    };
    txtData->KeyPress = [this](int& keyAscii) { rules_->EditorKeyPress(keyAscii); };
    txtData->KeyDown = [this](int& keyCode, int shift) { rules_->EditorKeyDown(keyCode, shift); };
    txtData->LostFocus = [this] { rules_->EditorLostFocus(); };

    for (plat::TextBox* t : {txtNumX.get(), txtNumY.get()}) {
        t->KeyPress = [t](int& keyAscii) {
            if (keyAscii == 13)
                t->SetText(common::ConvertedBoxText(t->Text(), Model().LengthUnit));
        };
        t->LostFocus = [t] {
            const double v = plat::Val(t->Text());
            if (v < kMinCount)
                t->SetText(std::to_string(kMinCount));
            else if (v > kMaxCount)
                t->SetText(std::to_string(kMaxCount));
        };
    }

    Command1->Click = [this] { ResizeGrid(); };
    cmdInit->Click = [this] { ClearGrid(); };
    Command2->Click = [] { ShowViewGroundModal(); };
    Command3->Click = [this] { Translate(); };
    cmdSaveAs->Click = [this] { SaveAs(); };
    cmdSaveExit->Click = [this] { Save(); };
    cmdLoad->Click = [this] { LoadFile(); };
    cmdExit->Click = [this] { Exit(); };
    cmdFixX->Click = [this] { Swap(true); };
    cmdFixY->Click = [this] { Swap(false); };
    Command4->Click = [] {
        Model().HelpPicture = 2;
        frmOriginHelp().Show(plat::Form::Modality::Modal);
    };
}

void frmEdit3D::BuildMenu() {
    mnuNodes = &AddMenu("mnuNodes", "Nodes");
    mnuNodes->SetVisible(false);
    mnuNodes->Add("mnuCopyCells", "Copy Cells").Click = [this] { rules_->CopyCells(); };
    mnuNodes->Add("mnuClipPaste", "Paste Cells").Click = [this] {
        rules_->PasteCells(grdGround->Row(), grdGround->Col());
    };
    mnuNodes->Add("mnu2Dto3D", "Paste 2D to 3D").Click = [this] { Paste2DTo3D(); };
    mnuNodes->Add("mnuPasteHoriz", "Paste Horizontal Grouping").SetEnabled(false);
    mnuNodes->Add("mnuLine1", "-");
    mnuNodes->Add("mnuInsertBefore", "Insert Node Before Selected").Click = [this] { InsertCut(false); };
    mnuNodes->Add("mnuInsertAfter", "Insert Node After Selected").Click = [this] { InsertCut(true); };
    mnuNodes->Add("mnuRemoveNode", "Remove Node").Click = [this] { RemoveCut(); };
    mnuNodes->Add("mnuRemoveRow", "Remove Row from All").Click = [this] { RemoveRow(); };
}

bool frmEdit3D::UseSI() const {
    return host_.useSI && host_.useSI();
}

plat::CommonDialog& frmEdit3D::Dialog() {
    return host_.commonDialog ? *host_.commonDialog : ownDialog_;
}

void frmEdit3D::Apply(GroundEvent event) {
    const SavedState state = After(event);
    saved_ = state.saved;
    cmdSaveExit->SetEnabled(state.saveEnabled);
}

void frmEdit3D::SetCounts(int numX, int numY) {
    numX_ = numX;
    numY_ = numY;
    txtNumX->SetText(plat::Format(numX, kCountFormat));
    txtNumY->SetText(plat::Format(numY, kCountFormat));
}

void frmEdit3D::Form_Load() {
    Model().ViewGroundSource = 1;
    numY_ = BoxValue(*txtNumY);
    numX_ = BoxValue(*txtNumX);
    const std::string& file = Model().File3D;
    std::error_code ec;
    const bool exists = !file.empty() && std::filesystem::is_regular_file(file, ec);
    if (exists && ReadInto(file)) {
        unreadFile_.clear();
        Apply(GroundEvent::FileRead);
    } else {
        unreadFile_ = exists ? file : std::string();
        numY_ = Clamped(numY_);
        numX_ = Clamped(numX_);
        SetupGroundGrid(*grdGround, numY_, numX_);
        Apply(GroundEvent::NoFileAtLoad);
    }
    Label3->SetCaption(UseSI() ? "Units are in meters" : "Units are in feet");
}

bool frmEdit3D::ReadInto(const std::string& path) {
    const GroundReadResult r = Read3DFile(path, UseSI());
    if (!r.data) {
        plat::MsgBox("The 3D ground file " + path + " cannot be loaded." + "\r\n" + r.error,
                     plat::vbExclamation);
        return false;
    }
    rules_->CloseEditor();
    FillGroundGrid(*grdGround, *r.data);
    SetCounts(r.data->numX, r.data->numY);
    lbl3DFile->SetCaption(path);
    return true;
}

void frmEdit3D::LoadFile() {
    rules_->CommitOpenEdit();
    if (!saved_ && !SaveBeforeLeaving(kLoadPrompt))
        return;
    std::string name = Model().File3D;
    if (Model().ViewGroundSource != 2) {
        plat::CommonDialog& dialog = Dialog();
        dialog.CancelError = true;
        dialog.Filter = kOpenFilter;
        try {
            dialog.ShowOpen();
            name = dialog.FileName;
        } catch (const plat::DialogCancelledError&) {
            name.clear();
        }
        dialog.CancelError = false;
    }
    std::error_code ec;
    if (name.empty() || !std::filesystem::is_regular_file(name, ec) || !ReadInto(name))
        return;
    Model().File3D = name;
    unreadFile_.clear();
    Apply(GroundEvent::FileRead);
    if (host_.showFileLabel)
        host_.showFileLabel(name);
    txtElevation->SetText(
        plat::Format(GroundElevationAt(*grdGround, 0.0f, BoxAmount(*txtOffset)), "#####0.000"));
}

std::optional<std::pair<int, int>> frmEdit3D::GridCounts() {
    const int numX = BoxValue(*txtNumX);
    const int numY = BoxValue(*txtNumY);
    if (!GridMatches(*grdGround, numX, numY)) {
        plat::MsgBox(kMismatch);
        return std::nullopt;
    }
    return std::make_pair(numX, numY);
}

void frmEdit3D::ShowBadCell(GridCell cell) {
    grdGround->Select(cell.row, cell.col);
    plat::MsgBox(CellName(numX_, cell) + " is not a number: \"" + grdGround->TextMatrix(cell.row, cell.col) +
                     "\".  Please correct it.",
                 plat::vbExclamation);
}

void frmEdit3D::ClearGrid() {
    if (plat::MsgBox(
            "This data has been changed since it last changed.  Would you like to save now?\r\nAre you sure?",
            plat::vbYesNo + plat::vbCritical) != plat::vbYes)
        return;
    cmdInit->SetCaption("Wait");
    rules_->CloseEditor();
    numY_ = Clamped(BoxValue(*txtNumY));
    numX_ = Clamped(BoxValue(*txtNumX));
    SetCounts(numX_, numY_);
    SetupGroundGrid(*grdGround, numY_, numX_);
    cmdInit->SetCaption("Clear Grid");
    Apply(GroundEvent::Cleared);
}

bool frmEdit3D::ResizeGrid() {
    if (plat::MsgBox("All data will be lost!\r\nAre you sure?", plat::vbYesNo + plat::vbCritical) !=
        plat::vbYes)
        return false;
    cmdInit->SetCaption("Wait");
    rules_->CloseEditor();
    numY_ = Clamped(BoxValue(*txtNumY));
    numX_ = Clamped(BoxValue(*txtNumX));
    SetCounts(numX_, numY_);
    SetupGroundGrid(*grdGround, numY_, numX_);
    cmdInit->SetCaption("Clear Grid");
    Apply(GroundEvent::DataChanged);
    return true;
}

void frmEdit3D::Translate() {
    rules_->CommitOpenEdit();
    if (plat::MsgBox("This will change ALL data points!\r\nAre you sure?", plat::vbYesNo,
                     "Data Change Warning") != plat::vbYes)
        return;
    const float setback = BoxAmount(*txtSetback);
    const float offset = BoxAmount(*txtOffset);
    const float elevation = BoxAmount(*txtElevation);
    const auto counts = GridCounts();
    if (!counts)
        return;
    if (const std::optional<GridCell> bad =
            TranslateAllData(*grdGround, counts->first, counts->second, setback, offset, elevation)) {
        ShowBadCell(*bad);
        return;
    }
    Apply(GroundEvent::DataChanged);
    plat::MsgBox("Translation Completed...");
}

void frmEdit3D::Swap(bool nodes) {
    rules_->CommitOpenEdit();
    if (BoxValue(*txtNumX) == 0 || BoxValue(*txtNumY) == 0)
        return;
    const auto counts = GridCounts();
    if (!counts)
        return;
    (nodes ? SwapX : SwapY)(*grdGround, counts->first, counts->second);
    Apply(GroundEvent::DataChanged);
}

void frmEdit3D::Paste2DTo3D() {
    const std::vector<ProfileLine> lines = ProfileLines(plat::Clipboard().GetText());
    if (lines.empty())
        return;
    const std::string oldX = txtNumX->Text();
    const std::string oldY = txtNumY->Text();
    txtNumY->SetText(plat::Format(static_cast<int>(lines.size()), kCountFormat));
    txtNumX->SetText(plat::Format(3, kCountFormat));
    if (!ResizeGrid()) {
        txtNumX->SetText(oldX);
        txtNumY->SetText(oldY);
        return;
    }
    Fill2DTo3D(*grdGround, lines);
}

void frmEdit3D::InsertCut(bool after) {
    rules_->CommitOpenEdit();
    const auto counts = GridCounts();
    if (!counts)
        return;
    const int k = SelectedCut(grdGround->Row(), counts->first);
    const int numY = InsertNode(*grdGround, counts->first, counts->second, after ? k : k - 1);
    if (numY == counts->second)
        return;
    SetCounts(counts->first, numY);
    Apply(GroundEvent::DataChanged);
}

void frmEdit3D::RemoveCut() {
    rules_->CommitOpenEdit();
    const auto counts = GridCounts();
    if (!counts)
        return;
    const int numY =
        RemoveNode(*grdGround, counts->first, counts->second, SelectedCut(grdGround->Row(), counts->first));
    if (numY == counts->second)
        return;
    SetCounts(counts->first, numY);
    Apply(GroundEvent::DataChanged);
}

void frmEdit3D::RemoveRow() {
    rules_->CommitOpenEdit();
    const auto counts = GridCounts();
    if (!counts)
        return;
    const int numX = RemoveRowFromAll(*grdGround, counts->first, counts->second, grdGround->Row());
    if (numX == counts->first)
        return;
    SetCounts(numX, counts->second);
    Apply(GroundEvent::DataChanged);
}

bool frmEdit3D::WriteGrid() {
    const std::string& file = Model().File3D;
    lbl3DFile->SetCaption(file);
    const GroundWriteText text = Format3DText(*grdGround, numX_, numY_, UseSI());
    if (text.badCell) {
        ShowBadCell(*text.badCell);
        return false;
    }
    if (numY_ > common::kRunMaxCuts &&
        plat::MsgBox("The 3D ground file " + file + " will hold " + std::to_string(numY_) +
                         " lateral cuts; a run reads at most " + std::to_string(common::kRunMaxCuts) +
                         ".\r\nSave it anyway?",
                     plat::vbYesNo + plat::vbExclamation) != plat::vbYes)
        return false;
    const plat::FileWriteResult written = plat::WriteFileAtomically(file, text.bytes);
    if (!written) {
        plat::MsgBox("The 3D ground file " + file + " cannot be written." + "\r\n" + written.reason +
                         "\r\nThe file on disk is unchanged.",
                     plat::vbExclamation);
        return false;
    }
    if (file == unreadFile_)
        unreadFile_.clear();
    return true;
}

bool frmEdit3D::Save() {
    rules_->CommitOpenEdit();
    const std::string& file = Model().File3D;
    if (file.empty())
        return SaveAs();
    // The file the window refused at its load is still the user's; it is replaced only when asked.
    if (file == unreadFile_ && plat::MsgBox("The 3D ground file " + file + " could not be read. Replace it?",
                                            plat::vbYesNo + plat::vbExclamation) != plat::vbYes)
        return false;
    if (!WriteGrid())
        return false;
    Apply(GroundEvent::FileRead);
    return true;
}

bool frmEdit3D::SaveAs() {
    rules_->CommitOpenEdit();
    plat::CommonDialog& dialog = Dialog();
    dialog.FileName.clear();
    dialog.Filter = kSaveFilter;
    dialog.CancelError = false;
    dialog.ShowSave();
    if (dialog.FileName.empty())
        return false;
    const std::string previous = Model().File3D;
    Model().File3D = dialog.FileName;
    if (!WriteGrid()) {
        Model().File3D = previous;
        lbl3DFile->SetCaption(previous.empty() ? "none" : previous);
        return false;
    }
    Apply(GroundEvent::SavedAs);
    return true;
}

bool frmEdit3D::SaveBeforeLeaving(const std::string& prompt) {
    if (plat::MsgBox(prompt, plat::vbYesNo) != plat::vbYes)
        return true;
    std::error_code ec;
    return std::filesystem::exists(Model().File3D, ec) ? Save() : SaveAs();
}

bool frmEdit3D::Leave() {
    rules_->CommitOpenEdit();
    if (!saved_ && !SaveBeforeLeaving(kExitPrompt))
        return false;
    if (host_.showFileLabel)
        host_.showFileLabel(lbl3DFile->Caption());
    return true;
}

void frmEdit3D::Exit() {
    if (!Leave())
        return;
    leaving_ = true;
    plat::Unload(*this);
}

namespace {
plat::DefaultInstance<class frmEdit3D>& Edit3DInstance() {
    static plat::DefaultInstance<class frmEdit3D> instance;
    return instance;
}
} // namespace

class frmEdit3D& frmEdit3D() {
    return Edit3DInstance()();
}

bool Edit3DLoaded() {
    return Edit3DInstance().Exists() && Edit3DInstance()().IsLoaded();
}
