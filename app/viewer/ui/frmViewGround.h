#pragma once
// "View Ground Data": the 3D ground viewer, its scene drawn by OpenGL on an off-screen surface (or as
// a wire picture when there is none), the scene switches, the sliders and the colour properties.

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "platform/gl/GlSurface.h"
#include "platform/grid/GridModel.h"
#include "platform/services/FileDialog.h"
#include "platform/text/AtomicFile.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/ControlArray.h"
#include "platform/ui/Form.h"
#include "platform/ui/Frame.h"
#include "platform/ui/Image.h"
#include "platform/ui/Label.h"
#include "platform/ui/LineControl.h"
#include "platform/ui/PictureBox.h"
#include "platform/ui/Slider.h"
#include "platform/ui/TextBox.h"
#include "platform/ui/Timer.h"
#include "viewer/logic/Camera.h"
#include "viewer/logic/GroundNodes.h"
#include "viewer/logic/Picking.h"
#include "viewer/logic/PictureScale.h"
#include "viewer/logic/SceneRules.h"
#include "viewer/logic/ViewPresets.h"
#include "viewer/ui/scene/GlScene.h"
#include "viewer/ui/frmGroundColors.h"

// What the viewer reads of the windows that open it; the opener sets it before showing the viewer.
struct ViewGroundHost {
    // The ground grid the model's ViewGroundSource chooses (the main window's profile, or the ground
    // editor's cuts); null when there is none.
    std::function<const plat::GridModel*()> groundGrid;
    // The main window's antenna boxes, read and written back (empty boxes become "0").
    std::function<viewer::AntennaBoxes()> antennaBoxes;
    std::function<void(const viewer::AntennaBoxes&)> setAntennaBoxes;
    // Whether grid values and antenna boxes are in metres.
    std::function<bool()> useSI;
    // Whether the main window's "View 2D" button is being clicked (the viewer then opens in side view).
    std::function<bool()> openedByView2D;
    // The main window's common dialog, for the colour picker.
    plat::CommonDialog* commonDialog = nullptr;
};

class frmViewGround : public plat::Form {
public:
    frmViewGround();
    ~frmViewGround() override;

    void SetHost(ViewGroundHost host) { host_ = std::move(host); }
    // The host every new viewer starts with; the main window sets it.
    static ViewGroundHost& DefaultHost();

    // Makes the off-screen surface for a picture of the given pixels; an empty pointer when it
    // cannot be made. Tests replace it.
    using SurfaceFactory = std::function<std::unique_ptr<plat::GlSurface>(int width, int height)>;
    static SurfaceFactory& MakeSurface();

    // The one redraw of every handler: OpenGL when it draws and there is a surface, else the wire picture.
    void RedrawView();
    void DrawGLView();
    void DrawSoftwareView();
    // Reads the chosen ground grid into the nodes.
    void LoadGroundNodes();
    // Shows the colour dialog modal and takes its colours when it closes.
    void ShowGroundColors();
    // Takes the colour dialog's colours: the plotter's background, then the six properties.
    void TakeGroundColors(const GroundColourSet& colours);

    bool UseOpenGL = false;
    std::uint8_t Annotating = 0;
    viewer::Camera View;

    // Colour properties (0x00BBGGRR).
    std::optional<std::int32_t> EyeColor;
    std::int32_t BackgroundColor = 0xFFFFFF;
    std::int32_t GridColor = 0xC000;
    std::int32_t RunwayColor = 0x606061;
    std::int32_t GroundColor = 0;
    std::int32_t Grid2Color = 0xC0C000;
    float Grid3Color = 7976159.0F;

    const viewer::GroundNodes& Nodes() const { return nodes_; }
    bool SurfaceCreated() const { return surface_ != nullptr; }
    // Redraws so far (both renderers), for the window's tests.
    int RedrawCount() const { return redraws_; }
    // How many times the OpenGL scene was compiled.
    int SceneCompiles() const { return scene_.Compiles(); }

    std::unique_ptr<plat::PictureBox> Plotter;
    std::unique_ptr<plat::CheckBox> chkShowRunway, chkShowGS, chkShowGrids, chkShowTerrainLines,
        chkShowElevGrid, chkShowLegend, chkExpandMesh, chkAutoElev, Check1;
    std::unique_ptr<plat::Slider> Slider1, Slider2, Slider3;
    std::unique_ptr<plat::Label> Label3, Label4, Label5, Label6, Label16, Label17, Label18, Label19, Label20,
        Label21, Label22, Label23, Label24, Label25, Label26, Label27;
    std::unique_ptr<plat::CommandButton> cmdRefresh, cmdColors;
    std::unique_ptr<plat::TextBox> txtElevAngle, txtLatAngle, txtDist, txtX0, txtY0, txtZ0, txtTHElev;
    std::unique_ptr<plat::Frame> fraViewMode, fraTargetEye;
    std::unique_ptr<plat::OptionButton> opt3D0, opt3D1, optTargetEye0, optTargetEye1;
    // View presets: the list, the image that stores a user preset, the values of the array's tokens.
    // The program's folder holds ViewPresets.txt: the executable's, unless a test points it elsewhere.
    static std::filesystem::path& ProgramFolder();
    std::unique_ptr<plat::ComboBox> cmbPresets;
    std::unique_ptr<plat::Image> Image3;
    std::unique_ptr<plat::Label> lblViewPresets, lblSB, lblOS, lblHT, lblSBValue, lblOSValue, lblHTValue;

    // Capture: the picture to a bitmap file, and to a GIF by "Capture".
    // Writes Plotter's persistent image as a 24-bit BMP file, whole or not at all; an empty name
    // writes nothing (and reports nothing written).
    plat::FileWriteResult CopyPlotterToFile(const std::string& strtemp);
    std::unique_ptr<plat::CommandButton> cmdCapture;
    plat::CommonDialog OpenSave1;

    // Camera controls, orbit, fly-through, keys and the mouse's camera handling.
    plat::ControlArray<plat::CommandButton> cmdAngleUp{*this, "cmdAngleUp"};
    plat::ControlArray<plat::CommandButton> cmdBank{*this, "cmdBank"};
    plat::ControlArray<plat::Label> lblOrbit{*this, "lblOrbit"};
    std::unique_ptr<plat::CommandButton> Command1;
    // Timer1 drives the fly-through, tmrOrbit the orbit; both tick every kMotionTickMs.
    std::unique_ptr<plat::Timer> Timer1, tmrOrbit;
    static constexpr int kMotionTickMs = 16;
    // The client area's width in twips: the picture and the control panel right of it.
    static constexpr int kClientWidth = 15000;
    void Timer1_Timer();
    void tmrOrbit_Timer();
    void Form_KeyDown(int& keyCode, int shift);
    void Plotter_MouseDown(int button, int shift, double x, double y);
    void Plotter_MouseMove(int button, int shift, double x, double y);
    void Plotter_MouseUp(int button, int shift, double x, double y);

    // Annotation: the frozen picture, its settings frame, the rubber band and the strokes.
    void Command2_Click();
    void cmdLineColor_Click();
    void cmdTextColor_Click();
    void cmdBoxColor_Click();
    void cmdTextFont_Click();
    void PlaceAnnotationLine(int k, float x1, float y1, float x2, float y2, int arrow);
    void AnnotateMouseDown(int button, int shift, double x, double y);
    void AnnotateMouseMove(int button, int shift, double x, double y);
    void AnnotateMouseUp(int button, int shift, double x, double y);
    std::unique_ptr<plat::CommandButton> Command2, cmdLineColor, cmdTextColor, cmdBoxColor, cmdTextFont;
    std::unique_ptr<plat::Frame> fraAnnotate, fraLine, fraText, fraBox;
    std::unique_ptr<plat::CheckBox> chkArrow, chkBox;
    std::unique_ptr<plat::TextBox> txtText;
    std::unique_ptr<plat::Label> lblLineColor, lblTextColor, lblBoxColor, lblTextFont, lblNewTextSize,
        lblTextSize, lblLineColorCaption, lblTextCaption, lblTextFontCaption, lblTextSizeCaption,
        lblTextColorCaption, lblBoxColorCaption;
    std::array<std::unique_ptr<plat::LineControl>, 2> linFlyOut; // item 1
    std::array<std::unique_ptr<plat::LineControl>, 2> linArrowHead;
    plat::CommonDialog CommonDialog1;

private:
    void BuildControls();
    void Form_Load();
    void Form_Activate();
    void Form_Paint();
    void Form_Unload();
    // The threshold elevation of a redraw, shown in its box when found among the nodes.
    float ThresholdElevation();
    // Takes the camera from the position boxes and shows its distance and angles.
    void TakeCameraFromBoxes();
    viewer::ArrayLayout ReadArray(bool softwareSign);
    void DrawLegend();
    void ShowBoxes(const viewer::ViewBoxes& boxes);
    viewer::ViewBoxes Boxes() const;
    // The picture's user scale and size, as the mouse, the strokes and the wire picture use them.
    viewer::PictureScale PlotterScale() const;

    // Capture.
    void BuildCaptureControls();
    void cmdCapture_Click();

    // View presets.
    void BuildPresetsControls();
    void LoadViewPresets();
    void cmbPresets_Click();
    void Image3_Click();
    void ShowPresetTokens();
    viewer::AntennaBoxes MainAntennaBoxes() const;
    float AntennaBoxFeet() const;
    viewer::ViewPresets presets_;

    // Camera controls, orbit, fly-through, keys and the mouse's camera handling.
    void BuildCameraControls();
    // The end of the window's load: the controls that depend on the surface and the view mode.
    void ShowCameraControls();
    // Stops the fly-through and the orbit and leaves the camera idle (the window is closing).
    void StopCameraMotion();
    void cmdAngleUp_Click(int index);
    void cmdBank_Click(int index);
    void lblOrbit_Click(int index);
    void Command1_Click();
    void opt3D_Click(int index);
    void optTargetEye_MouseDown();
    void optTargetEye_Click(int index);
    void ApplyViewMode(bool freeView);
    viewer::Unproject PlotterUnproject();
    viewer::DragState drag_;
    double orbitAngle_ = 0;
    int orbitIndex_ = 0;
    bool cameraShown_ = false;
    // Annotation.
    void BuildAnnotateControls();
    void StartAnnotateLabels();
    void EnterAnnotation();
    void LeaveAnnotation();
    void LeaveAnnotationOnUnload();
    void WriteFrozenPicture();
    void ChooseSwatchColour(plat::Label& swatch);
    void DrawStrokeText(float cx, float cy, const std::string& text);
    float DragStartX = 0;
    float DragStartY = 0;

    ViewGroundHost host_;
    std::unique_ptr<plat::GlSurface> surface_;
    viewer::GroundNodes nodes_;
    viewer::GroundMesh mesh_;
    viewer::CompiledGlScene scene_;
    int redraws_ = 0;
};

// The viewer window, created on first use.
class frmViewGround& frmViewGround();
// Whether the viewer window is loaded now (creates nothing).
bool ViewGroundLoaded();
// Shows the viewer modal; a viewer already open modeless is closed first and opened anew.
void ShowViewGroundModal();
