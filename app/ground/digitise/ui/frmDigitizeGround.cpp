#include "ground/digitise/ui/frmDigitizeGround.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include <QApplication>
#include <QStyle>

#include "ground/digitise/logic/PointsGrid.h"
#include "ground/digitise/ui/PromptPictures.h"
#include "platform/draw/ImageFile.h"
#include "platform/draw/PixelBlit.h"
#include "platform/services/Clipboard.h"
#include "platform/services/MessageBox.h"
#include "platform/ui/Keys.h"
#include "platform/ui/QtText.h"
#include "platform/ui/Twips.h"

namespace {

constexpr int kMargin = 60;
constexpr int kGridWidth = 2600;
constexpr int kStripHeight = 600; // buttons and prompt below the picture
constexpr plat::Colour kMarkColour = 0x4444FF;
constexpr double kMarkRadius = 50;
constexpr const char* kFont = "MS Sans Serif";

struct Place {
    int left, top, width, height;
};

void Put(plat::Control& c, Place p) {
    c.Move(p.left, p.top, p.width, p.height);
}

int ScrollBarTwips() {
    return plat::PixelsToTwips(QApplication::style()->pixelMetric(QStyle::PM_ScrollBarExtent));
}

} // namespace

frmDigitizeGround::frmDigitizeGround() : plat::Form("frmDigitizeGround") {
    SetCaption("Digitize Ground");
    BuildControls();
    SetClientSize(kClientWidth, kClientHeight);
    Load = [this] { Form_Load(); };
    Resize = [this] { Form_Resize(); };
}

frmDigitizeGround::~frmDigitizeGround() = default;

void frmDigitizeGround::BuildControls() {
    grdDigGround = std::make_unique<plat::FlexGrid>(*this, "grdDigGround");
    Put(*grdDigGround, {kMargin, kMargin, kGridWidth, kClientHeight - 2 * kMargin});
    txtData = std::make_unique<plat::TextBox>(*this, "txtData");
    txtData->SetBorderStyle(0);
    txtData->SetVisible(false);
    Plotter = std::make_unique<plat::PictureBox>(*this, "Plotter");
    for (int i = 1; i <= 4; ++i) {
        linScale[i] = std::make_unique<plat::LineControl>(*Plotter, "linScale", i);
        linScale[i]->SetVisible(false);
    }
    const auto button = [this](std::unique_ptr<plat::CommandButton>& b, const char* name,
                               const char* caption) {
        b = std::make_unique<plat::CommandButton>(*this, name);
        b->SetCaption(caption);
    };
    button(cmdDigitize, "cmdDigitize", "Digitize");
    button(cmdLoadImage, "cmdLoadImage", "Load Img");
    button(cmdXfer, "cmdXfer", "Transfer");
    imgMessage = std::make_unique<plat::PictureBox>(*this, "imgMessage");
    imgMessage->SetVisible(false);
    lblMessage = std::make_unique<plat::Label>(*this, "lblMessage");
    lblMessage->SetFont(kFont, 9.75, true);
    BuildParamsFrame();
    BuildXferFrame();

    cmdDigitize->Click = [this] { cmdDigitize_Click(); };
    cmdLoadImage->Click = [this] { cmdLoadImage_Click(); };
    Plotter->MouseUp = [this](int, int, double x, double y) { Plotter_MouseUp(x, y); };
    Plotter->MouseMove = [this](int button, int, double x, double y) { Plotter_MouseMove(button, x, y); };
    grdDigGround->KeyPress = [this](int& keyAscii) { grdDigGround_KeyPress(keyAscii); };
    grdDigGround->Click = [this] { grdDigGround_Click(); };
    txtData->KeyPress = [this](int& keyAscii) {
        if (keyAscii == plat::key::Return) {
            keyAscii = 0;
            CommitEditor(digitise::CommitKey::Enter);
        } else if (keyAscii == plat::key::Escape) {
            keyAscii = 0;
            CloseEditor();
            grdDigGround->SetFocus();
        }
    };
    txtData->KeyDown = [this](int& keyCode, int) {
        static constexpr std::array<std::pair<int, digitise::CommitKey>, 4> kArrows{
            {{plat::key::Left, digitise::CommitKey::Left},
             {plat::key::Up, digitise::CommitKey::Up},
             {plat::key::Right, digitise::CommitKey::Right},
             {plat::key::Down, digitise::CommitKey::Down}}};
        for (auto [code, key] : kArrows) {
            if (keyCode == code) {
                keyCode = 0;
                CommitEditor(key);
                return;
            }
        }
    };
}

void frmDigitizeGround::BuildParamsFrame() {
    fraDigParms = std::make_unique<plat::Frame>(*this, "fraDigParms");
    Put(*fraDigParms, {0, 0, 3600, 2580});
    fraDigParms->SetVisible(false);
    plat::Frame& f = *fraDigParms;
    const auto label = [&f](std::unique_ptr<plat::Label>& l, const char* name, const char* caption, Place p) {
        l = std::make_unique<plat::Label>(f, name);
        Put(*l, p);
        l->SetCaption(caption);
    };
    const auto box = [&f](std::unique_ptr<plat::TextBox>& t, const char* name, const char* text, Place p) {
        t = std::make_unique<plat::TextBox>(f, name);
        Put(*t, p);
        t->SetText(text);
        plat::TextBox* self = t.get();
        t->GotFocus = [self] {
            self->SetSelStart(0);
            self->SetSelLength(static_cast<int>(self->Text().size()));
        };
    };
    label(lblParmsTitle, "lblParmsTitle", "Digit. Params", {120, 60, 3360, 255});
    label(lblMin, "lblMin", "Min", {600, 360, 1000, 255});
    label(lblMax, "lblMax", "Max", {1800, 360, 1000, 255});
    label(lblX, "lblX", "X:", {120, 660, 400, 255});
    box(txtXMin, "txtXMin", "0", {600, 630, 1000, 285});
    box(txtXMax, "txtXMax", "1", {1800, 630, 1000, 285});
    label(lblY, "lblY", "Y:", {120, 1020, 400, 255});
    box(txtYMin, "txtYMin", "0", {600, 990, 1000, 285});
    box(txtYMax, "txtYMax", "1", {1800, 990, 1000, 285});
    label(lblType, "lblType", "Type:", {120, 1380, 480, 255});
    for (int i = 1; i <= 2; ++i) {
        optType[i] = std::make_unique<plat::OptionButton>(f, "optType", i);
        Put(*optType[i], {600 + (i - 1) * 800, 1350, 700, 285});
        optType[i]->SetCaption(i == 1 ? "2D" : "3D");
    }
    optType[1]->SetValue(true);
    chkZeroOnly = std::make_unique<plat::CheckBox>(f, "chkZeroOnly");
    // The check box has the frame's width; "Go" stands under it.
    Put(*chkZeroOnly, {120, 1710, 3360, 285});
    chkZeroOnly->SetCaption("Only Show Lights on Centerline");
    cmdUpdate = std::make_unique<plat::CommandButton>(f, "cmdUpdate");
    Put(*cmdUpdate, {2880, 2070, 600, 400});
    cmdUpdate->SetCaption("Go");
    cmdUpdate->Click = [this] { cmdUpdate_Click(); };
}

void frmDigitizeGround::BuildXferFrame() {
    fraXferData = std::make_unique<plat::Frame>(*this, "fraXferData");
    Put(*fraXferData, {0, 0, 6000, 3780});
    fraXferData->SetVisible(false);
    plat::Frame& f = *fraXferData;
    lblXferTitle = std::make_unique<plat::Label>(f, "lblXferTitle");
    Put(*lblXferTitle, {120, 60, 5760, 255});
    lblXferTitle->SetCaption("Transfer Data to Grid");
    lblMethod = std::make_unique<plat::Label>(f, "lblMethod");
    Put(*lblMethod, {120, 360, 1000, 255});
    lblMethod->SetCaption("Method:");
    static constexpr std::array<const char*, 4> kMethods{"Reset -", "2D -", "3D X -", "3D Y -"};
    static constexpr std::array<const char*, 4> kExplanations{
        "Reset the Digitizing Process", "Transfer to the 2D Ground Grid",
        "Transfer to the 3D Ground Grid such that 'X' values are placed in the 'X' fields, and 'Y' Fields "
        "are set "
        "to -6076 and 24304",
        "Transfer to the 3D Ground Grid such that the 'X' values are placed in the 'Y' fields, and 'X' "
        "Fields are "
        "set to -5000 and 5000"};
    // Each explanation has three lines, up to the frame's right edge; "Go" stands under them.
    for (int i = 0; i < 4; ++i) {
        const int top = 660 + i * 660;
        optXferMethod[i] = std::make_unique<plat::OptionButton>(f, "optXferMethod", i);
        Put(*optXferMethod[i], {120, top, 1000, 285});
        optXferMethod[i]->SetCaption(kMethods[i]);
        lblXfer[i] = std::make_unique<plat::Label>(f, "lblXfer", i);
        Put(*lblXfer[i], {1140, top, 4740, 630});
        lblXfer[i]->SetCaption(kExplanations[i]);
        lblXfer[i]->Click = [this, i] { optXferMethod[i]->SetValue(true); };
    }
    cmdGoXfer = std::make_unique<plat::CommandButton>(f, "cmdGoXfer");
    Put(*cmdGoXfer, {5280, 3300, 600, 400});
    cmdGoXfer->SetCaption("Go");
    cmdGoXfer->Click = [this] { cmdGoXfer_Click(); };
}

void frmDigitizeGround::Form_Load() {
    ImageZoom = 1.0;
    ImageLeft = 0;
    ImageTop = 0;
    SizeGridColumns();
}

void frmDigitizeGround::SizeGridColumns() {
    // The grid's inside width: its frame takes a little of the control's width.
    const QWidget* view = grdDigGround->Widget();
    const int frame = plat::PixelsToTwips(view->width() - view->contentsRect().width());
    digitise::SizeGridColumns(*grdDigGround, grdDigGround->Width() - frame, ScrollBarTwips());
}

void frmDigitizeGround::Form_Resize() {
    if (WindowState() == 1)
        return;
    const int width = ScaleWidth();
    const int height = ScaleHeight();
    grdDigGround->Move(kMargin, kMargin, kGridWidth, std::max(height - 2 * kMargin, 0));
    const int left = 2 * kMargin + kGridWidth;
    const int plotWidth = std::max(width - left - kMargin, 300);
    const int plotHeight = std::max(height - 3 * kMargin - kStripHeight, 300);
    Plotter->Move(left, kMargin, plotWidth, plotHeight);
    const int stripTop = 2 * kMargin + plotHeight;
    cmdDigitize->Move(left, stripTop, 1200, kStripHeight);
    cmdLoadImage->Move(left + 1260, stripTop, 1200, kStripHeight);
    cmdXfer->Move(left + 2520, stripTop, 1200, kStripHeight);
    const int picture = plat::PixelsToTwips(digitise::kPromptPictureSize);
    imgMessage->Move(left + 3840, stripTop + (kStripHeight - picture) / 2, picture, picture);
    lblMessage->Move(left + 3900 + picture, stripTop + 150, std::max(plotWidth - 3900 - picture, 300), 300);
    Plotter->Scale(0, 0, 10000, 10000.0 * Plotter->Height() / Plotter->Width());
    if (session_.DigState() != 0)
        DrawGuideLines(session_.DigState());
}

bool frmDigitizeGround::LoadImageFile(const std::string& path) {
    plat::ImageFileRead read = plat::ReadImageFile(path, kMaxImagePixels, {"bmp", "gif", "jpeg"});
    if (!read.image) {
        plat::MsgBox(read.problem, plat::vbExclamation);
        return false;
    }
    image_ = std::make_unique<plat::PixelBuffer>(std::move(*read.image));
    imageDC_ = std::make_unique<plat::DeviceContext>(*image_);
    ImageFile = path;
    // The image fits the box with its aspect kept.
    ImageZoom = std::min(static_cast<double>(Plotter->Pixels().Width()) / image_->Width(),
                         static_cast<double>(Plotter->Pixels().Height()) / image_->Height());
    // Corners belong to the picture they were clicked on.
    HideGuideLines();
    return true;
}

void frmDigitizeGround::cmdLoadImage_Click() {
    try {
        OpenSave1.CancelError = true;
        OpenSave1.Flags = 4096;
        OpenSave1.Filter = "*.bmp;*.gif;*.jpg|*.bmp;*.gif;*.jpg";
        OpenSave1.ShowOpen();
    } catch (const plat::DialogCancelledError&) {
        return;
    }
    if (!LoadImageFile(OpenSave1.FileName))
        return;
    RedrawPlot();
    Plotter->Scale(0, 0, 10000, 10000.0 * Plotter->Height() / Plotter->Width());
}

void frmDigitizeGround::RedrawPlot() {
    ++redraws_;
    try {
        Plotter->Scale(0, 0, 5000, 5000);
        Plotter->Cls();
        if (image_) {
            Plotter->hDC().StretchBlt(static_cast<int>(ImageLeft), static_cast<int>(ImageTop),
                                      static_cast<int>(image_->Width() * ImageZoom),
                                      static_cast<int>(image_->Height() * ImageZoom), *imageDC_, 0, 0,
                                      image_->Width(), image_->Height(), plat::SRCCOPY);
        }
        Plotter->Refresh();
    } catch (const std::exception&) {
        Plotter->Surface().SetCurrentX(Plotter->Surface().ScaleLeft());
        Plotter->Print("Plot Error");
    }
}

common::Vector3 frmDigitizeGround::ToImage(double x, double y) const {
    const plat::Canvas& s = Plotter->Surface();
    return common::MakeVector(static_cast<float>((s.ToPixelX(x) - ImageLeft) / ImageZoom),
                              static_cast<float>((s.ToPixelY(y) - ImageTop) / ImageZoom), 0);
}

double frmDigitizeGround::UserX(float imageX) const {
    return Plotter->Surface().FromPixelX(ImageLeft + imageX * ImageZoom);
}

double frmDigitizeGround::UserY(float imageY) const {
    return Plotter->Surface().FromPixelY(ImageTop + imageY * ImageZoom);
}

void frmDigitizeGround::CentreOverPlotter(plat::Frame& frame) {
    frame.SetLeft(Plotter->Width() / 2 + Plotter->Left() - frame.Width() / 2);
    frame.SetTop(Plotter->Height() / 2 + Plotter->Top() - frame.Height() / 2);
}

void frmDigitizeGround::StartCalibration() {
    if (!session_.StartCalibration())
        return;
    CentreOverPlotter(*fraDigParms);
    cmdDigitize->SetEnabled(false);
    fraDigParms->SetVisible(true);
    // No waiting here: "Go" goes on to the first corner, and closing the window simply ends it.
}

void frmDigitizeGround::HideGuideLines() {
    session_.Reset();
    for (int i = 1; i <= 4; ++i)
        linScale[i]->SetVisible(false);
    RedrawPlot();
}

void frmDigitizeGround::cmdDigitize_Click() {
    if (cmdDigitize->Caption().starts_with("D")) {
        HideGuideLines();
        StartCalibration();
        return;
    }
    cmdDigitize->SetEnabled(false);
    cmdDigitize->SetCaption("Digitize");
    CentreOverPlotter(*fraXferData);
    const bool editor = host_.editor3DVisible && host_.editor3DVisible();
    optXferMethod[2]->SetEnabled(editor);
    optXferMethod[3]->SetEnabled(editor);
    optXferMethod[1]->SetValue(true);
    fraXferData->SetVisible(true);
}

void frmDigitizeGround::cmdUpdate_Click() {
    const std::string message = session_.AcceptRange(
        {txtXMin->Text(), txtXMax->Text(), txtYMin->Text(), txtYMax->Text()}, *grdDigGround);
    cmdDigitize->SetEnabled(true);
    if (!message.empty()) {
        plat::MsgBox(message, plat::vbCritical, "Error");
        return;
    }
    fraDigParms->SetVisible(false);
    cmdDigitize->SetCaption("End/Reset");
    if (session_.DigState() == 1)
        ShowLowLeft();
}

void frmDigitizeGround::cmdGoXfer_Click() {
    int method = 0;
    for (int i = 1; i <= 3; ++i)
        method += optXferMethod[i]->Value() ? i : 0;
    if (method == 1) {
        if (host_.ground != nullptr) {
            const std::string refused = digitise::TransferToProfile(*grdDigGround, *host_.ground);
            if (!refused.empty()) {
                // The window stays usable: points can be removed and the transfer tried again.
                plat::MsgBox(refused, plat::vbCritical, "Error");
                cmdDigitize->SetEnabled(true);
                return;
            }
        }
        if (host_.groundMode2D)
            host_.groundMode2D();
        plat::Unload(*this);
        return;
    }
    if (method == 0) {
        fraXferData->SetVisible(false);
        cmdDigitize->SetCaption("End/Reset");
        SizeGridColumns();
        HideGuideLines();
        StartCalibration();
    }
    cmdDigitize->SetEnabled(true);
}

void frmDigitizeGround::ShowPrompt(digitise::Prompt prompt) {
    imgMessage->SetPicture(digitise::PromptPicture(prompt));
    imgMessage->SetVisible(true);
    lblMessage->SetCaption(std::string(digitise::PromptText(prompt)));
}

void frmDigitizeGround::ShowLowLeft() {
    ShowPrompt(digitise::Prompt::LowLeft);
}
void frmDigitizeGround::ShowUpLeft() {
    ShowPrompt(digitise::Prompt::UpLeft);
}
void frmDigitizeGround::ShowLowRight() {
    ShowPrompt(digitise::Prompt::LowRight);
}
void frmDigitizeGround::ShowUpRight() {
    ShowPrompt(digitise::Prompt::UpRight);
}
void frmDigitizeGround::ShowReadyToDig() {
    ShowPrompt(digitise::Prompt::ReadyToDig);
}

void frmDigitizeGround::DrawGuideLines(int n) {
    const plat::Canvas& s = Plotter->Surface();
    const digitise::Corners& px = session_.CornerPoints();
    const auto user = [this](const common::Vector3& p) {
        return common::MakeVector(static_cast<float>(UserX(p.X)), static_cast<float>(UserY(p.Y)), 0);
    };
    const auto twips = [this](const common::Vector3& p) {
        return common::MakeVector(static_cast<float>((ImageLeft + p.X * ImageZoom) * plat::kTwipsPerPixel),
                                  static_cast<float>((ImageTop + p.Y * ImageZoom) * plat::kTwipsPerPixel), 0);
    };
    const digitise::Corners inUser{user(px.LL), user(px.UL), user(px.UR), user(px.LR)};
    const digitise::Corners inTwips{twips(px.LL), twips(px.UL), twips(px.UR), twips(px.LR)};
    const float h = static_cast<float>(0.05 * s.ScaleHeight());
    const float r = static_cast<float>(s.ScaleWidth() / s.ScaleHeight());
    const auto lines = digitise::GuideLines(n, inUser, inTwips, h, r);
    for (int i = 1; i <= 4; ++i) {
        const digitise::GuideLine& g = lines[i - 1];
        if (!g.Visible)
            continue;
        const auto tx = [&s](double x) {
            return static_cast<int>(std::lround(s.ToPixelX(x) * plat::kTwipsPerPixel));
        };
        const auto ty = [&s](double y) {
            return static_cast<int>(std::lround(s.ToPixelY(y) * plat::kTwipsPerPixel));
        };
        linScale[i]->SetEnds(tx(g.X1), ty(g.Y1), tx(g.X2), ty(g.Y2));
        linScale[i]->SetVisible(true);
    }
}

void frmDigitizeGround::Plotter_MouseMove(int button, double x, double y) {
    if (session_.MouseMove(button, ToImage(x, y)))
        DrawGuideLines(session_.DigState() + 1);
}

void frmDigitizeGround::MarkPoint(double x, double y) {
    Plotter->Circle(x, y, kMarkRadius, kMarkColour);
    Plotter->Line(x + kMarkRadius, y, x - kMarkRadius, y, kMarkColour);
    Plotter->Line(x, y - kMarkRadius, x, y + kMarkRadius, kMarkColour);
}

void frmDigitizeGround::Plotter_MouseUp(double x, double y) {
    const int state = session_.DigState();
    switch (session_.MouseUp(ToImage(x, y), *grdDigGround)) {
    case digitise::Release::Ignored:
        return;
    case digitise::Release::Point:
        MarkPoint(x, y);
        return;
    case digitise::Release::Corner:
        DrawGuideLines(state + 1);
        ShowPrompt(session_.CurrentPrompt());
        return;
    case digitise::Release::Ready:
        DrawGuideLines(5);
        ShowReadyToDig();
        return;
    case digitise::Release::NotConvex:
        DrawGuideLines(5);
        plat::MsgBox(std::string(digitise::kNotConvexMessage), plat::vbCritical, "Error");
        for (int i = 1; i <= 4; ++i)
            linScale[i]->SetVisible(false);
        ShowLowLeft();
        RedrawPlot();
        return;
    case digitise::Release::GridFull:
        plat::MsgBox(std::string(digitise::kRowsFilledMessage), plat::vbCritical, "Error");
        return;
    }
}

void frmDigitizeGround::OpenEditor(int keyAscii) {
    editRow_ = grdDigGround->Row();
    editCol_ = grdDigGround->Col();
    txtData->Move(grdDigGround->Left() + grdDigGround->CellLeft(),
                  grdDigGround->Top() + grdDigGround->CellTop(), grdDigGround->CellWidth(),
                  grdDigGround->CellHeight());
    txtData->SetVisible(true);
    txtData->SetFocus();
    if (keyAscii == plat::key::Return) {
        txtData->SetText(grdDigGround->Text());
        txtData->SetSelStart(0);
        txtData->SetSelLength(static_cast<int>(txtData->Text().size()));
    } else {
        txtData->SetText(std::string(1, static_cast<char>(keyAscii)));
        txtData->SetSelStart(1);
    }
}

void frmDigitizeGround::grdDigGround_KeyPress(int& keyAscii) {
    if (keyAscii == plat::ascii::CtrlV) {
        digitise::PasteClipboardToGrid(*grdDigGround, grdDigGround->Row(), grdDigGround->Col(),
                                       plat::Clipboard().GetText());
    } else if (keyAscii == plat::ascii::CtrlC) {
        plat::Clipboard().SetText(digitise::CopyGridToClipboard(*grdDigGround));
    } else if (txtData->Visible()) {
        txtData->SetText(txtData->Text() + static_cast<char>(keyAscii));
    } else if (grdDigGround->Row() >= 1) {
        OpenEditor(keyAscii);
    }
    keyAscii = 0;
}

void frmDigitizeGround::grdDigGround_Click() {
    if (!txtData->Visible())
        return;
    const int row = grdDigGround->Row();
    const int col = grdDigGround->Col();
    grdDigGround->SetTextMatrix(editRow_, editCol_, txtData->Text());
    CloseEditor();
    grdDigGround->Select(row, col);
}

void frmDigitizeGround::CommitEditor(digitise::CommitKey key) {
    grdDigGround->SetTextMatrix(editRow_, editCol_, digitise::CommitCellText(txtData->Text()));
    CloseEditor();
    const auto [row, col] = digitise::CellAfterCommit(key, editRow_, editCol_, grdDigGround->Rows());
    grdDigGround->Select(row, col);
    grdDigGround->SetFocus();
}

void frmDigitizeGround::CloseEditor() {
    txtData->SetVisible(false);
    txtData->SetText("");
}

class frmDigitizeGround& frmDigitizeGround() {
    static plat::DefaultInstance<class frmDigitizeGround> instance;
    return instance();
}
