#pragma once

// "Digitize Ground": a chart image, its calibration by four corners, the digitised points in a
// grid, and their transfer into the main window's ground profile.

#include <array>
#include <functional>
#include <memory>
#include <string>

#include "ground/digitise/logic/DigSession.h"
#include "ground/digitise/logic/PointsGrid.h"
#include "platform/draw/DeviceContext.h"
#include "platform/draw/PixelBuffer.h"
#include "platform/services/FileDialog.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/FlexGrid.h"
#include "platform/ui/Form.h"
#include "platform/ui/Frame.h"
#include "platform/ui/Label.h"
#include "platform/ui/LineControl.h"
#include "platform/ui/PictureBox.h"
#include "platform/ui/TextBox.h"

// What the window uses of the main window, which sets it before showing the window.
struct DigitiseHost {
    // The main window's ground profile grid.
    plat::GridModel* ground = nullptr;
    // Whether the 3D ground editor window is showing.
    std::function<bool()> editor3DVisible;
    // Switches the main window to two-dimensional ground, as its 3D menu does when unchecked.
    std::function<void()> groundMode2D;
};

class frmDigitizeGround : public plat::Form {
public:
    frmDigitizeGround();
    ~frmDigitizeGround() override;

    static constexpr int kClientWidth = 10800;
    static constexpr int kClientHeight = 7200;
    // Images past this many pixels are refused before they are decoded.
    static constexpr long long kMaxImagePixels = 64LL * 1024 * 1024;

    void SetHost(DigitiseHost host) { host_ = std::move(host); }

    // Reads an image file into the window (BMP, GIF or JPEG, by content) and fits it to the picture
    // box; false, with the previous image kept, when it cannot be read or is too large, after a
    // message that says which.
    bool LoadImageFile(const std::string& path);
    bool HasImage() const { return image_ != nullptr; }
    void RedrawPlot();
    // How often the picture was redrawn: the guide lines move without a redraw.
    int RedrawCount() const { return redraws_; }
    const digitise::DigSession& Session() const { return session_; }

    // The prompt procedures.
    void ShowLowLeft();
    void ShowUpLeft();
    void ShowLowRight();
    void ShowUpRight();
    void ShowReadyToDig();

    std::unique_ptr<plat::PictureBox> Plotter;
    std::array<std::unique_ptr<plat::LineControl>, 5> linScale; // 1..4
    std::unique_ptr<plat::CommandButton> cmdDigitize, cmdLoadImage, cmdXfer;
    std::unique_ptr<plat::FlexGrid> grdDigGround;
    std::unique_ptr<plat::TextBox> txtData;
    std::unique_ptr<plat::Label> lblMessage;
    std::unique_ptr<plat::PictureBox> imgMessage;
    std::unique_ptr<plat::Frame> fraDigParms;
    std::unique_ptr<plat::Label> lblParmsTitle, lblMin, lblMax, lblX, lblY, lblType;
    std::unique_ptr<plat::TextBox> txtXMin, txtXMax, txtYMin, txtYMax;
    std::array<std::unique_ptr<plat::OptionButton>, 3> optType; // 1..2
    std::unique_ptr<plat::CheckBox> chkZeroOnly;
    std::unique_ptr<plat::CommandButton> cmdUpdate;
    std::unique_ptr<plat::Frame> fraXferData;
    std::unique_ptr<plat::Label> lblXferTitle, lblMethod;
    std::array<std::unique_ptr<plat::OptionButton>, 4> optXferMethod;
    std::array<std::unique_ptr<plat::Label>, 4> lblXfer;
    std::unique_ptr<plat::CommandButton> cmdGoXfer;
    plat::CommonDialog OpenSave1;

private:
    void BuildControls();
    void BuildParamsFrame();
    void BuildXferFrame();
    void Form_Load();
    void Form_Resize();
    void SizeGridColumns();
    void cmdLoadImage_Click();
    void cmdDigitize_Click();
    void cmdUpdate_Click();
    void cmdGoXfer_Click();
    void StartCalibration();
    void HideGuideLines();
    void CentreOverPlotter(plat::Frame& frame);
    void ShowPrompt(digitise::Prompt prompt);
    void DrawGuideLines(int n);
    void Plotter_MouseUp(double x, double y);
    void Plotter_MouseMove(int button, double x, double y);
    void MarkPoint(double x, double y);
    // Image pixels from the picture's user units and back.
    common::Vector3 ToImage(double x, double y) const;
    double UserX(float imageX) const;
    double UserY(float imageY) const;
    // The cell editor.
    void grdDigGround_KeyPress(int& keyAscii);
    void grdDigGround_Click();
    void OpenEditor(int keyAscii);
    void CommitEditor(digitise::CommitKey key);
    void CloseEditor();

    DigitiseHost host_;
    digitise::DigSession session_;
    std::unique_ptr<plat::PixelBuffer> image_;
    std::unique_ptr<plat::DeviceContext> imageDC_;
    std::string ImageFile;
    double ImageZoom = 1.0;
    double ImageLeft = 0;
    double ImageTop = 0;
    int redraws_ = 0;
    int editRow_ = 1;
    int editCol_ = 0;
};

// The window, created on first use.
class frmDigitizeGround& frmDigitizeGround();
