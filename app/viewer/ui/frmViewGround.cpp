#include "viewer/ui/frmViewGround.h"
#include "viewer/ui/ControlPlace.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "common/Constants.h"
#include "platform/text/Numbers.h"
#include "platform/text/Strings.h"
#include "platform/ui/ControlRoutines.h"
#include "platform/ui/Twips.h"
#include "plot/mm/modPlot_mm.h"
#include "shell/model/ModelVariables.h"
#include "viewer/logic/BoxValue.h"
#include "viewer/ui/scene/GlScene.h"
#include "viewer/ui/scene/SoftwareScene.h"

namespace {

constexpr char kNoPoints[] = "Plot Error: Number of Points = 0";
constexpr char kLengthFormat[] = "#####0.00";
constexpr char kAngleFormat[] = "##0.00";
constexpr int kPanelLeft = 11250;
// The right-hand panel's boxes hold the widest texts their formats give: a length of "#####0.00"
// with its sign ("-20000.00"), an angle of "##0.00" ("-90.00").
constexpr int kLengthBoxWidth = 1150;
constexpr int kAngleBoxWidth = 1050;
constexpr int kCheckWidth = 2600;

// The message goes at the picture's top-left corner, however often the view is redrawn.
void PrintNoPoints(plat::PictureBox& picture) {
    plat::Canvas& s = picture.Surface();
    s.SetCurrentX(s.ScaleLeft());
    s.SetCurrentY(s.ScaleTop());
    picture.Print(kNoPoints);
}

} // namespace

using viewer::Place;
using viewer::Put;

frmViewGround::SurfaceFactory& frmViewGround::MakeSurface() {
    static SurfaceFactory factory = [](int width, int height) {
        auto surface = std::make_unique<plat::GlSurface>();
        if (!surface->Create(width, height)) {
            surface.reset();
        }
        return surface;
    };
    return factory;
}

ViewGroundHost& frmViewGround::DefaultHost() {
    static ViewGroundHost host;
    return host;
}

frmViewGround::frmViewGround() : plat::Form("frmViewGround"), host_(DefaultHost()) {
    SetCaption("View Ground Data");
    SetClientSize(kClientWidth, 7470);
    BuildControls();
    Load = [this] { Form_Load(); };
    Activate = [this] { Form_Activate(); };
    Paint = [this] { Form_Paint(); };
    Unload = [this](int&) { Form_Unload(); };
}

frmViewGround::~frmViewGround() = default;

void frmViewGround::BuildControls() {
    Plotter = std::make_unique<plat::PictureBox>(*this, "Plotter");
    Put(*Plotter, {-15, -15, 11145, 7500});
    Plotter->SetBackColor(plat::RGB(255, 255, 255));

    int top = 60;
    const auto check = [&](std::unique_ptr<plat::CheckBox>& c, const char* name, const char* caption,
                           int value) {
        c = std::make_unique<plat::CheckBox>(*this, name);
        Put(*c, {kPanelLeft, top, kCheckWidth, 255});
        c->SetCaption(caption);
        c->SetValue(value);
        top += 270;
    };
    check(chkShowRunway, "chkShowRunway", "Show Runway", 1);
    check(chkShowGS, "chkShowGS", "Show Array", 1);
    check(chkShowGrids, "chkShowGrids", "Show Ground Grid", 1);
    check(chkShowTerrainLines, "chkShowTerrainLines", "Show Terrain Lines", 1);
    check(chkShowElevGrid, "chkShowElevGrid", "Show Elevation Grid", 0);
    check(chkShowLegend, "chkShowLegend", "Show Legend", 0);
    check(chkExpandMesh, "chkExpandMesh", "Use Delauney Mesh", 1);
    check(chkAutoElev, "chkAutoElev", "AutoElev", 1);
    check(Check1, "Check1", "Check1", 0);

    const auto label = [&](std::unique_ptr<plat::Label>& l, const char* name, const char* caption, Place p) {
        l = std::make_unique<plat::Label>(*this, name);
        Put(*l, p);
        l->SetCaption(caption);
    };
    const auto slider = [&](std::unique_ptr<plat::Slider>& s, const char* name, int min, int max, int value,
                            int large, int tick) {
        s = std::make_unique<plat::Slider>(*this, name);
        Put(*s, {kPanelLeft, top + 240, 2900, 330});
        s->SetMin(min);
        s->SetMax(max);
        s->SetValue(value);
        s->SetLargeChange(large);
        s->SetSmallChange(1);
        s->SetTickFrequency(tick);
    };
    top += 60;
    label(Label20, "Label20", "Expand Z Axis", {kPanelLeft, top, 1500, 240});
    slider(Slider2, "Slider2", 1, 50, 1, 5, 10);
    label(Label21, "Label21", "1x", {kPanelLeft, top + 570, 400, 240});
    label(Label22, "Label22", "50x", {kPanelLeft + 2500, top + 570, 400, 240});
    top += 840;
    label(Label16, "Label16", "Color Sensitivity", {kPanelLeft, top, 1500, 240});
    slider(Slider3, "Slider3", 1, 100, 20, 10, 10);
    label(Label17, "Label17", "0.3x", {kPanelLeft, top + 570, 400, 240});
    label(Label18, "Label18", "1x", {kPanelLeft + 1250, top + 570, 400, 240});
    label(Label19, "Label19", "3x", {kPanelLeft + 2500, top + 570, 400, 240});
    // The zoom slider and its labels share the colour slider's place: only one of them shows.
    label(Label3, "Label3", "Zoom", {kPanelLeft, top, 1500, 240});
    slider(Slider1, "Slider1", 0, 1000, 100, 100, 100);
    label(Label4, "Label4", "Out", {kPanelLeft, top + 570, 400, 240});
    label(Label5, "Label5", "In", {kPanelLeft + 2500, top + 570, 400, 240});
    label(Label6, "Label6", "1:1", {kPanelLeft + 1250, top + 570, 400, 240});
    top += 840;

    const auto box = [&](std::unique_ptr<plat::TextBox>& t, const char* name, const char* text, Place p) {
        t = std::make_unique<plat::TextBox>(*this, name);
        Put(*t, p);
        t->SetText(text);
    };
    label(Label23, "Label23", "Elev. Angle", {kPanelLeft, top, 1000, 240});
    box(txtElevAngle, "txtElevAngle", "30", {kPanelLeft + 1050, top, kAngleBoxWidth, 285});
    top += 300;
    label(Label24, "Label24", "Lat. Angle", {kPanelLeft, top, 1000, 240});
    box(txtLatAngle, "txtLatAngle", "270", {kPanelLeft + 1050, top, kAngleBoxWidth, 285});
    top += 300;
    label(Label25, "Label25", "Distance", {kPanelLeft, top, 1000, 240});
    box(txtDist, "txtDist", "3000", {kPanelLeft + 1050, top, kAngleBoxWidth, 285});
    top += 330;
    label(Label26, "Label26", "Look-At Point", {kPanelLeft, top, 1500, 240});
    top += 255;
    box(txtX0, "txtX0", "0", {kPanelLeft, top, kLengthBoxWidth, 285});
    box(txtY0, "txtY0", "0", {kPanelLeft + kLengthBoxWidth + 50, top, kLengthBoxWidth, 285});
    box(txtZ0, "txtZ0", "0", {kPanelLeft + 2 * (kLengthBoxWidth + 50), top, kLengthBoxWidth, 285});
    // Room under the X/Y/Z boxes for their step buttons.
    top += 330 + 270;
    label(Label27, "Label27", "TH Elev(ft):", {kPanelLeft, top, 1200, 240});
    box(txtTHElev, "txtTHElev", "0", {kPanelLeft + 1250, top, kLengthBoxWidth, 285});
    top += 330;

    // Each pair of option buttons sits in a frame of its own, so that the pairs choose apart.
    const auto option = [&](std::unique_ptr<plat::OptionButton>& o, plat::Frame& frame, const char* name,
                            int index, const char* caption, int left) {
        o = std::make_unique<plat::OptionButton>(frame, name, index);
        Put(*o, {left + 60, 60, 1300, 255});
        o->SetCaption(caption);
    };
    fraViewMode = std::make_unique<plat::Frame>(*this, "fraViewMode");
    Put(*fraViewMode, {kPanelLeft, top, 2800, 330});
    fraViewMode->SetCaption("");
    option(opt3D0, *fraViewMode, "opt3D", 0, "Side View", 0);
    option(opt3D1, *fraViewMode, "opt3D", 1, "Free View", 1400);
    opt3D1->SetValue(true);
    top += 360;
    fraTargetEye = std::make_unique<plat::Frame>(*this, "fraTargetEye");
    Put(*fraTargetEye, {kPanelLeft, top, 2800, 330});
    fraTargetEye->SetCaption("");
    option(optTargetEye0, *fraTargetEye, "optTargetEye", 0, "Target", 0);
    option(optTargetEye1, *fraTargetEye, "optTargetEye", 1, "Eye", 1400);
    optTargetEye0->SetValue(true);
    top += 330;

    cmdRefresh = std::make_unique<plat::CommandButton>(*this, "cmdRefresh");
    Put(*cmdRefresh, {kPanelLeft, top, 1300, 375});
    cmdRefresh->SetCaption("Refresh");
    // Nothing else opens the colour dialog.
    cmdColors = std::make_unique<plat::CommandButton>(*this, "cmdColors");
    Put(*cmdColors, {kPanelLeft + 1400, top, 1300, 375});
    cmdColors->SetCaption("Colors...");
    cmdColors->Click = [this] { ShowGroundColors(); };

    // Every scene switch, slider movement and "Refresh" only redraws; the scene reads the controls.
    for (plat::CheckBox* c :
         {chkExpandMesh.get(), chkShowTerrainLines.get(), chkShowElevGrid.get(), chkShowGrids.get(),
          chkShowGS.get(), chkShowLegend.get(), chkShowRunway.get()}) {
        c->Click = [this] { RedrawView(); };
    }
    cmdRefresh->Click = [this] { RedrawView(); };
    Slider1->Change = [this] { RedrawView(); };
    Slider2->Change = [this] { RedrawView(); };
    Slider3->Scroll = [this] { RedrawView(); };
    Slider3->Change = [this] { RedrawView(); };
    BuildCaptureControls();
    BuildPresetsControls();
    BuildCameraControls();
    BuildAnnotateControls();
}

void frmViewGround::Form_Load() {
    Plotter->Surface().SetForeColor(0);
    const bool sideView = host_.openedByView2D && host_.openedByView2D();
    const viewer::StartUpView start = viewer::StartUpCamera(sideView);
    View = start.View;
    // The start-up values go in without redrawing: the window is not shown yet.
    const auto redrawSlider2 = std::move(Slider2->Change);
    Slider2->SetValue(start.ZExpansion);
    Slider2->Change = redrawSlider2;
    ShowBoxes(start.Boxes);
    if (sideView) {
        opt3D0->SetValue(true);
    }
    Plotter->Scale(10000, 10000, -20000, -20000);
    BackgroundColor = 0xFFFFFF;
    GridColor = 0xC000;
    RunwayColor = 0x606061;
    GroundColor = 0;
    Grid2Color = 0xC0C000;
    Grid3Color = 7976159.0F;
    StartAnnotateLabels();
    surface_ = MakeSurface()(plat::TwipsToPixels(Plotter->Width()), plat::TwipsToPixels(Plotter->Height()));
    UseOpenGL = surface_ != nullptr;
    txtDist->SetVisible(UseOpenGL);
    Label25->SetVisible(UseOpenGL);
    for (plat::Control* c :
         {static_cast<plat::Control*>(Slider3.get()), static_cast<plat::Control*>(Label16.get()),
          static_cast<plat::Control*>(Label17.get()), static_cast<plat::Control*>(Label18.get()),
          static_cast<plat::Control*>(Label19.get())}) {
        c->SetVisible(UseOpenGL);
    }
    for (plat::Control* c :
         {static_cast<plat::Control*>(Slider1.get()), static_cast<plat::Control*>(Label3.get()),
          static_cast<plat::Control*>(Label4.get()), static_cast<plat::Control*>(Label5.get()),
          static_cast<plat::Control*>(Label6.get())}) {
        c->SetVisible(!UseOpenGL);
    }
    ShowCameraControls();
    LoadViewPresets();
}

// Reloads the nodes and redraws once; no events are let run inside (the redraw raises none).
void frmViewGround::Form_Activate() {
    if (Annotating != 0) {
        return;
    }
    LoadGroundNodes();
    RedrawView();
}

// One redraw for the exposes that came before it, with no events let run inside; while annotating
// the frozen picture stays.
void frmViewGround::Form_Paint() {
    if (Annotating != 0) {
        return;
    }
    RedrawView();
}

void frmViewGround::Form_Unload() {
    StopCameraMotion();
    LeaveAnnotationOnUnload();
    surface_.reset();
    View.Motion = viewer::MotionState::Idle;
}

void frmViewGround::LoadGroundNodes() {
    const plat::GridModel* grid = host_.groundGrid ? host_.groundGrid() : nullptr;
    if (grid == nullptr) {
        nodes_ = {};
        return;
    }
    nodes_ = viewer::LoadGroundNodes(*grid, shell::Model().ViewGroundSource != 0);
    if (host_.useSI && host_.useSI()) {
        for (auto* values : {&nodes_.NodeX, &nodes_.NodeY, &nodes_.NodeZ}) {
            for (float& v : *values) {
                v *= common::kFeetPerMetreSingle;
            }
        }
    }
}

void frmViewGround::ShowGroundColors() {
    auto& dialog = frmGroundColors();
    dialog.Start({BackgroundColor, GridColor, GroundColor, RunwayColor, Grid2Color, Grid3Color},
                 host_.commonDialog);
    dialog.Show(plat::Form::Modality::Modal);
    TakeGroundColors(dialog.Colours);
}

void frmViewGround::TakeGroundColors(const GroundColourSet& colours) {
    Plotter->SetBackColor(static_cast<plat::Colour>(colours.BackgroundColor));
    BackgroundColor = colours.BackgroundColor;
    GridColor = colours.GridColor;
    RunwayColor = colours.RunwayColor;
    GroundColor = colours.GroundColor;
    Grid2Color = colours.Grid2Color;
    Grid3Color = colours.Grid3Color;
}

void frmViewGround::RedrawView() {
    ++redraws_;
    if (UseOpenGL && surface_ != nullptr) {
        DrawGLView();
    } else {
        DrawSoftwareView();
    }
}

float frmViewGround::ThresholdElevation() {
    const auto typed = [this] { return viewer::BoxSingle(txtTHElev->Text()); };
    if (chkAutoElev->Value() != 1) {
        return typed();
    }
    const float found = viewer::UpdateThresholdElevation(nodes_, View.Mode == viewer::ViewMode::Free);
    if (found == viewer::kThresholdNotFound) {
        return typed();
    }
    txtTHElev->SetText(plat::Format(found, kLengthFormat));
    return found;
}

viewer::ViewBoxes frmViewGround::Boxes() const {
    viewer::ViewBoxes b;
    b.LatAngle = txtLatAngle->Text();
    b.ElevAngle = txtElevAngle->Text();
    b.Dist = txtDist->Text();
    b.X0 = txtX0->Text();
    b.Y0 = txtY0->Text();
    b.Z0 = txtZ0->Text();
    b.EyeChosen = optTargetEye1->Value();
    return b;
}

void frmViewGround::ShowBoxes(const viewer::ViewBoxes& b) {
    txtLatAngle->SetText(b.LatAngle);
    txtElevAngle->SetText(b.ElevAngle);
    txtDist->SetText(b.Dist);
    txtX0->SetText(b.X0);
    txtY0->SetText(b.Y0);
    txtZ0->SetText(b.Z0);
}

void frmViewGround::TakeCameraFromBoxes() {
    if (View.Motion != viewer::MotionState::Idle && View.Motion != viewer::MotionState::Orbiting) {
        return;
    }
    viewer::ViewBoxes boxes = Boxes();
    viewer::TakeChosenPoint(View, boxes);
    viewer::UpdateViewAngles(View, boxes);
    ShowBoxes(boxes);
}

viewer::ArrayLayout frmViewGround::ReadArray(bool softwareSign) {
    if (!host_.antennaBoxes) {
        return {};
    }
    viewer::AntennaBoxes boxes = host_.antennaBoxes();
    viewer::ArrayLayout array = viewer::ReadArray(boxes);
    if (host_.setAntennaBoxes) {
        host_.setAntennaBoxes(boxes);
    }
    if (host_.useSI && host_.useSI()) {
        const auto feet = [](float metres) { return viewer::HeldSingle(double{metres} * common::kFeetPerMetreSingle); };
        array.MastX = feet(array.MastX);
        array.MastY = feet(array.MastY);
        for (float& h : array.Heights) {
            h = feet(h);
        }
    }
    if (softwareSign) {
        array.MastY = -array.MastY;
    }
    return array;
}

void frmViewGround::DrawGLView() {
    viewer::GlSceneInput in;
    in.ZScale = static_cast<float>(Slider2->Value());
    View.Mode = opt3D1->Value() ? viewer::ViewMode::Free : viewer::ViewMode::Side;
    in.ThresholdElevation = ThresholdElevation();
    in.ColorScale = static_cast<float>(Slider3->Value()) / 10.0F;
    if (nodes_.NodeCount() == 0) {
        PrintNoPoints(*Plotter);
        return;
    }
    TakeCameraFromBoxes();
    in.Array = ReadArray(false);
    in.Show = {chkShowGS->Value() == 1,     chkShowRunway->Value() == 1, chkShowTerrainLines->Value() == 1,
               chkExpandMesh->Value() == 1, chkShowGrids->Value() == 1,  chkShowElevGrid->Value() == 1,
               chkShowLegend->Value() == 1};
    in.SideView = opt3D0->Value();
    in.ThreeDSource = shell::Model().ViewGroundSource != 0;
    in.RunwayLength = shell::Model().PlotSettings.RunwayLength;
    in.RunwayWidth = shell::Model().PlotSettings.RunwayWidth;
    in.Eye = View.Eye;
    in.Target = View.Target;
    in.LateralAngle = viewer::BoxSingle(txtLatAngle->Text());
    in.ElevationAngle = viewer::BoxSingle(txtElevAngle->Text());
    surface_->MakeCurrent();
    scene_.Draw(in, nodes_, mesh_, surface_->Width(), surface_->Height());
    surface_->CopyTo(Plotter->hDC().Target());
    Plotter->Refresh();
    if (in.Show.ShowLegend) {
        DrawLegend();
    }
}

void frmViewGround::DrawLegend() {
    plat::Canvas& s = Plotter->Surface();
    const plat::Colour c = plat::RGB(254, 254, 254);
    s.SetDrawWidth(2);
    s.SetForeColor(c);
    const double left = s.ScaleLeft();
    const double top = s.ScaleTop();
    const double width = s.ScaleWidth();
    const double height = s.ScaleHeight();
    const std::string text =
        viewer::LegendText(chkShowGrids->Value() == 1, opt3D0->Value(), chkShowElevGrid->Value() == 1);
    // The box keeps its right and bottom edges and grows left and up where its text needs the room.
    plat::SIZE extent{};
    Plotter->hDC().GetTextExtentPoint32(text, extent);
    const double perPixelX = width / Plotter->Pixels().Width();
    const double perPixelY = height / Plotter->Pixels().Height();
    const double x2 = left + width * 2.95 / 3;
    const double y2 = top + height * 10.9 / 11;
    // The scale's extents may be negative: sizes compare by magnitude.
    const auto smaller = [](double a, double b) { return std::abs(a) < std::abs(b); };
    const double x1 = x2 - std::max(width * 0.4 / 3, (extent.cx + 8) * perPixelX, smaller);
    const double y1 = y2 - std::max(height * 0.4 / 11, (extent.cy + 4) * perPixelY, smaller);
    Plotter->Line(x1, y1, x2, y1);
    Plotter->Line(x2, y1, x2, y2);
    Plotter->Line(x2, y2, x1, y2);
    Plotter->Line(x1, y2, x1, y1);
    const double cx = (x1 + x2) / 2;
    const double cy = (y1 + y2) / 2;
    FloodFillPicture(*Plotter, static_cast<float>(cx), static_cast<float>(cy), c, c);
    s.SetForeColor(0);
    s.SetDrawWidth(1);
    plot::PlotText(Plotter->hDC(), text, static_cast<float>(s.ToPixelX(cx)),
                   static_cast<float>(s.ToPixelY(cy)), 4, 0);
    Plotter->Refresh();
}

void frmViewGround::DrawSoftwareView() {
    viewer::SoftwareSceneInput in;
    in.View.ZScale = static_cast<float>(Slider2->Value() + 1);
    in.View.Zoom = 1.0F;
    in.ThresholdElevation = ThresholdElevation();
    Plotter->Cls();
    if (nodes_.NodeCount() == 0) {
        PrintNoPoints(*Plotter);
        return;
    }
    in.ShowArray = chkShowGS->Value() == 1;
    in.ShowRunway = chkShowRunway->Value() == 1;
    in.ShowGrids = chkShowGrids->Value() == 1;
    TakeCameraFromBoxes();
    in.Array = ReadArray(true);
    in.View.Eye = View.Eye;
    in.View.Target = View.Target;
    in.View.BankAngle = View.BankAngle;
    in.RunwayLength = shell::Model().PlotSettings.RunwayLength;
    in.RunwayWidth = shell::Model().PlotSettings.RunwayWidth;
    in.Colours = {RunwayColor, GridColor, Grid2Color, static_cast<std::int32_t>(Grid3Color), GroundColor};
    plat::Canvas& s = Plotter->Surface();
    in.StartDrawWidth = s.DrawWidth();
    if (in.ShowArray) {
        EyeColor = viewer::kEyeColour;
    }
    for (const viewer::WireShape& shape : viewer::SoftwareScene(in, nodes_, PlotterScale())) {
        s.SetForeColor(static_cast<plat::Colour>(shape.Colour));
        s.SetDrawWidth(shape.DrawWidth);
        if (shape.Shape == viewer::WireShape::Kind::Circle) {
            Plotter->Circle(shape.X1, shape.Y1, shape.Radius);
        } else {
            Plotter->Line(shape.X1, shape.Y1, shape.X2, shape.Y2);
        }
    }
}

viewer::PictureScale frmViewGround::PlotterScale() const {
    const plat::Canvas& s = Plotter->Surface();
    viewer::PictureScale scale;
    scale.ScaleLeft = static_cast<float>(s.ScaleLeft());
    scale.ScaleTop = static_cast<float>(s.ScaleTop());
    scale.ScaleWidth = static_cast<float>(s.ScaleWidth());
    scale.ScaleHeight = static_cast<float>(s.ScaleHeight());
    scale.WidthPixels = Plotter->Pixels().Width();
    scale.HeightPixels = Plotter->Pixels().Height();
    scale.Width = static_cast<float>(Plotter->Width());
    scale.Height = static_cast<float>(Plotter->Height());
    return scale;
}

namespace {
plat::DefaultInstance<class frmViewGround>& Instance() {
    static plat::DefaultInstance<class frmViewGround> instance;
    return instance;
}
} // namespace

class frmViewGround& frmViewGround() {
    return Instance()();
}

bool ViewGroundLoaded() {
    return Instance().Exists() && Instance()().IsLoaded();
}

void ShowViewGroundModal() {
    if (ViewGroundLoaded() && !frmViewGround().IsModal()) {
        plat::Unload(frmViewGround());
    }
    frmViewGround().Show(plat::Form::Modality::Modal);
}
