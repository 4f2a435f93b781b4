// Annotation mode of the viewer: the picture is frozen and the right button draws lines, arrow
// heads, text and text boxes on it, with the settings of the annotation frame.

#include <QImage>

#include <cmath>
#include <string>

#include "imaging/BmpWriter.h"
#include "platform/draw/FontFaces.h"
#include "platform/engine/EngineBinding.h"
#include "platform/text/Numbers.h"
#include "platform/text/Strings.h"
#include "platform/ui/ControlRoutines.h"
#include "viewer/logic/Annotation.h"
#include "viewer/ui/frmViewGround.h"
#include "viewer/ui/ControlPlace.h"

namespace {

constexpr int kRightButton = 2;
constexpr int kFrameLeft = 1500;
constexpr int kFrameTop = 7530;
constexpr int kFrameWidth = 9660;
constexpr int kFrameHeight = 1980;
constexpr plat::Colour kBlack = 0x000000;
constexpr plat::Colour kWhite = 0xFFFFFF;
constexpr char kStartFont[] = "Sans Serif";
constexpr char kStartSize[] = "8";

} // namespace

using viewer::Place;
using viewer::Put;


void frmViewGround::BuildAnnotateControls() {
    Command2 = std::make_unique<plat::CommandButton>(*this, "Command2");
    // Below the presets, at the foot of the right-hand panel.
    Put(*Command2, {lblHT->Left(), lblHT->Top() + lblHT->Height() + 120, 1300, 375});
    Command2->SetCaption("Annotate On");
    Command2->Click = [this] { Command2_Click(); };

    fraAnnotate = std::make_unique<plat::Frame>(*this, "fraAnnotate");
    Put(*fraAnnotate, {kFrameLeft, kFrameTop, kFrameWidth, kFrameHeight});
    fraAnnotate->SetCaption("Frame2");
    fraAnnotate->SetVisible(false);

    const auto group = [this](std::unique_ptr<plat::Frame>& f, const char* name, const char* caption,
                              int left, int width) {
        f = std::make_unique<plat::Frame>(*fraAnnotate, name);
        Put(*f, {left, 240, width, 1620});
        f->SetCaption(caption);
    };
    group(fraLine, "fraLine", "Line", 120, 2760);
    group(fraText, "fraText", "Text", 3000, 3900);
    group(fraBox, "fraBox", "Box", 7020, 2520);

    const auto label = [](std::unique_ptr<plat::Label>& l, plat::Container& in, const char* name,
                          const char* caption, Place p) {
        l = std::make_unique<plat::Label>(in, name);
        Put(*l, p);
        l->SetCaption(caption);
    };
    const auto swatch = [](std::unique_ptr<plat::Label>& l, plat::Container& in, const char* name, Place p) {
        l = std::make_unique<plat::Label>(in, name);
        Put(*l, p);
        l->SetCaption("");
        l->SetBackStyle(1);
    };
    const auto button = [](std::unique_ptr<plat::CommandButton>& b, plat::Container& in, const char* name,
                           const char* caption, Place p) {
        b = std::make_unique<plat::CommandButton>(in, name);
        Put(*b, p);
        b->SetCaption(caption);
    };
    const auto check = [](std::unique_ptr<plat::CheckBox>& c, plat::Container& in, const char* name,
                          const char* caption, int value, Place p) {
        c = std::make_unique<plat::CheckBox>(in, name);
        Put(*c, p);
        c->SetCaption(caption);
        c->SetValue(value);
    };

    label(lblLineColorCaption, *fraLine, "lblLineColorCaption", "Color:", {120, 390, 600, 240});
    swatch(lblLineColor, *fraLine, "lblLineColor", {720, 360, 600, 285});
    button(cmdLineColor, *fraLine, "cmdLineColor", "...", {1380, 360, 450, 285});
    check(chkArrow, *fraLine, "chkArrow", "Add Arrow Head to Line", 1, {120, 900, 2580, 255});

    label(lblTextCaption, *fraText, "lblTextCaption", "Text:", {120, 330, 600, 240});
    txtText = std::make_unique<plat::TextBox>(*fraText, "txtText");
    Put(*txtText, {720, 300, 3060, 285});
    txtText->SetText("");
    label(lblTextFontCaption, *fraText, "lblTextFontCaption", " Font:", {120, 750, 600, 240});
    label(lblTextFont, *fraText, "lblTextFont", "", {720, 720, 1560, 285});
    button(cmdTextFont, *fraText, "cmdTextFont", "...", {2340, 720, 400, 285});
    label(lblTextSizeCaption, *fraText, "lblTextSizeCaption", "Size:", {2820, 750, 480, 240});
    label(lblNewTextSize, *fraText, "lblNewTextSize", "", {3300, 750, 480, 240});
    label(lblTextColorCaption, *fraText, "lblTextColorCaption", "Color:", {120, 1170, 600, 240});
    swatch(lblTextColor, *fraText, "lblTextColor", {720, 1140, 600, 285});
    button(cmdTextColor, *fraText, "cmdTextColor", "...", {1380, 1140, 450, 285});

    check(chkBox, *fraBox, "chkBox", "Show Background Box", 0, {120, 360, 2340, 255});
    label(lblBoxColorCaption, *fraBox, "lblBoxColorCaption", "Color:", {120, 780, 600, 240});
    swatch(lblBoxColor, *fraBox, "lblBoxColor", {720, 750, 600, 285});
    button(cmdBoxColor, *fraBox, "cmdBoxColor", "...", {1380, 750, 450, 285});

    // Measures the stroke text in the chosen font; never shown.
    lblTextSize = std::make_unique<plat::Label>(*this, "lblTextSize");
    lblTextSize->SetWordWrap(false);
    lblTextSize->SetAutoSize(true);
    lblTextSize->SetVisible(false);

    for (std::size_t i = 1; i < linFlyOut.size(); ++i) {
        linFlyOut[i] = std::make_unique<plat::LineControl>(*Plotter, "linFlyOut", static_cast<int>(i));
        linFlyOut[i]->SetVisible(false);
    }
    for (std::size_t i = 0; i < linArrowHead.size(); ++i) {
        linArrowHead[i] = std::make_unique<plat::LineControl>(*Plotter, "linArrowHead", static_cast<int>(i));
        linArrowHead[i]->SetVisible(false);
    }

    cmdLineColor->Click = [this] { cmdLineColor_Click(); };
    cmdTextColor->Click = [this] { cmdTextColor_Click(); };
    cmdBoxColor->Click = [this] { cmdBoxColor_Click(); };
    cmdTextFont->Click = [this] { cmdTextFont_Click(); };
}


void frmViewGround::StartAnnotateLabels() {
    lblLineColor->SetBackColor(kBlack);
    lblTextColor->SetBackColor(kBlack);
    lblBoxColor->SetBackColor(kWhite);
    lblTextFont->SetCaption(kStartFont);
    lblTextFont->SetFont(kStartFont, 8);
    lblNewTextSize->SetCaption(kStartSize);
}

void frmViewGround::Command2_Click() {
    if (Annotating == 0) {
        EnterAnnotation();
    } else {
        LeaveAnnotation();
    }
}

// The picture is frozen in memory as the plotter's background picture; temp.bmp is only a copy
// of it, so a folder that refuses the file does not stop annotation.
void frmViewGround::EnterAnnotation() {
    Command2->SetCaption("Annotate Off");
    Annotating = 1;
    const QImage frozen = Plotter->Picture();
    WriteFrozenPicture();
    Plotter->SetAutoRedraw(true);
    Plotter->SetPicture(frozen);
    Plotter->Cls();
    Put(*fraAnnotate, {kFrameLeft, kFrameTop, kFrameWidth, kFrameHeight});
    fraAnnotate->SetVisible(true);
}

void frmViewGround::WriteFrozenPicture() {
    static_cast<void>(CopyPlotterToFile((ProgramFolder() / "temp.bmp").generic_string()));
}

void frmViewGround::LeaveAnnotation() {
    Command2->SetCaption("Annotate On");
    Annotating = 0;
    fraAnnotate->SetVisible(false);
    for (auto* line : {linFlyOut[1].get(), linArrowHead[0].get(), linArrowHead[1].get()}) {
        line->SetVisible(false);
    }
    Plotter->Cls();
    Plotter->SetPicture(QImage());
    Plotter->SetAutoRedraw(false);
    RedrawView();
}

// Unloading leaves annotation mode without drawing: the surface is about to go.
void frmViewGround::LeaveAnnotationOnUnload() {
    if (!fraAnnotate->Visible()) {
        return;
    }
    Annotating = 0;
    fraAnnotate->SetVisible(false);
    Plotter->SetPicture(QImage());
    Plotter->SetAutoRedraw(false);
    Plotter->Refresh();
}

void frmViewGround::ChooseSwatchColour(plat::Label& swatch) {
    CommonDialog1.Color = swatch.BackColor();
    CommonDialog1.ShowColor();
    swatch.SetBackColor(CommonDialog1.Color);
}

void frmViewGround::cmdLineColor_Click() {
    ChooseSwatchColour(*lblLineColor);
}
void frmViewGround::cmdTextColor_Click() {
    ChooseSwatchColour(*lblTextColor);
}
void frmViewGround::cmdBoxColor_Click() {
    ChooseSwatchColour(*lblBoxColor);
}

void frmViewGround::cmdTextFont_Click() {
    CommonDialog1.FontSize = plat::Val(lblNewTextSize->Caption());
    CommonDialog1.FontName = lblTextFont->Caption();
    CommonDialog1.Flags = plat::cdlCFBoth;
    CommonDialog1.ShowFont();
    lblTextFont->SetFont(CommonDialog1.FontName, CommonDialog1.FontSize > 0 ? CommonDialog1.FontSize : 8);
    lblTextFont->SetCaption(CommonDialog1.FontName);
    lblNewTextSize->SetCaption(plat::Trim(plat::Str(static_cast<float>(CommonDialog1.FontSize))));
}


void frmViewGround::PlaceAnnotationLine(int k, float x1, float y1, float x2, float y2, int arrow) {
    const viewer::AnnotationLine placed =
        viewer::PlaceAnnotationLine(x1, y1, x2, y2, arrow == 1, PlotterScale());
    const plat::Canvas& s = Plotter->Surface();
    const auto put = [&s](plat::LineControl& line, const viewer::ScreenSegment& g) {
        line.SetEnds(s, g.X1, g.Y1, g.X2, g.Y2);
    };
    put(*linFlyOut[static_cast<std::size_t>(k) + 1], placed.Line);
    for (int i = 0; i < 2; ++i) {
        if (placed.Heads[i]) {
            put(*linArrowHead[static_cast<std::size_t>(k + i)], *placed.Heads[i]);
        }
    }
}

void frmViewGround::AnnotateMouseDown(int button, int, double x, double y) {
    if (button == kRightButton) {
        DragStartX = static_cast<float>(x);
        DragStartY = static_cast<float>(y);
    }
}

void frmViewGround::AnnotateMouseMove(int button, int, double x, double y) {
    if (button != kRightButton) {
        return;
    }
    const bool arrow = chkArrow->Value() == 1;
    PlaceAnnotationLine(0, DragStartX, DragStartY, static_cast<float>(x), static_cast<float>(y),
                        arrow ? 1 : 0);
    linFlyOut[1]->SetVisible(true);
    linArrowHead[0]->SetVisible(arrow);
    linArrowHead[1]->SetVisible(arrow);
}

void frmViewGround::AnnotateMouseUp(int button, int, double x, double y) {
    if (button != kRightButton) {
        return;
    }
    const std::string text = plat::Trim(txtText->Text());
    const std::string fontName = lblTextFont->Caption();
    const double fontSize = plat::Val(lblNewTextSize->Caption());
    lblTextSize->SetFont(plat::SubstituteFace(fontName).family, fontSize > 0 ? fontSize : 8);
    lblTextSize->SetCaption(text);
    const plat::Canvas& s = Plotter->Surface();
    const auto w = static_cast<float>(
        std::fabs(s.ScaleX(lblTextSize->Width(), plat::Canvas::Unit::Twips, plat::Canvas::Unit::User)));
    const auto h = static_cast<float>(
        std::fabs(s.ScaleY(lblTextSize->Height(), plat::Canvas::Unit::Twips, plat::Canvas::Unit::User)));
    const viewer::Stroke stroke =
        viewer::StrokeGeometry(DragStartX, DragStartY, static_cast<float>(x), static_cast<float>(y),
                               chkArrow->Value() == 1, w, h, PlotterScale());
    if (stroke.Line) {
        for (auto* line : {linFlyOut[1].get(), linArrowHead[0].get(), linArrowHead[1].get()}) {
            line->SetVisible(false);
        }
        const plat::Colour lineColour = lblLineColor->BackColor();
        Plotter->Surface().SetForeColor(lineColour);
        Plotter->Line(stroke.Line->X1, stroke.Line->Y1, stroke.Line->X2, stroke.Line->Y2);
        for (const auto& head : stroke.Heads) {
            if (head) {
                Plotter->Line(head->X1, head->Y1, head->X2, head->Y2);
            }
        }
    }
    if (chkBox->Value() == 1) {
        const plat::Colour boxColour = lblBoxColor->BackColor();
        Plotter->Line(stroke.Box.X1, stroke.Box.Y1, stroke.Box.X2, stroke.Box.Y2, boxColour,
                      plat::Canvas::BoxStyle::Box);
        FloodFillPicture(*Plotter, stroke.TextX, stroke.TextY, boxColour, boxColour);
    }
    if (!text.empty()) {
        Plotter->Surface().SetForeColor(lblTextColor->BackColor());
        Plotter->Surface().SetFont(fontName, fontSize);
        DrawStrokeText(stroke.TextX, stroke.TextY, text);
    }
}

// Prints the text centred on (cx, cy).
void frmViewGround::DrawStrokeText(float cx, float cy, const std::string& text) {
    plat::Canvas& s = Plotter->Surface();
    const double halfWidth =
        std::fabs(s.ScaleX(s.TextWidth(text), plat::Canvas::Unit::User, plat::Canvas::Unit::Pixels)) / 2;
    const double halfHeight =
        std::fabs(s.ScaleY(s.TextHeight(text), plat::Canvas::Unit::User, plat::Canvas::Unit::Pixels)) / 2;
    s.SetCurrentX(s.FromPixelX(s.ToPixelX(cx) - halfWidth));
    s.SetCurrentY(s.FromPixelY(s.ToPixelY(cy) - halfHeight));
    Plotter->Print(text);
}
