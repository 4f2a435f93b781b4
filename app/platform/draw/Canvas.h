#ifndef PLATFORM_DRAW_CANVAS_H
#define PLATFORM_DRAW_CANVAS_H

#include <cstdint>
#include <string>

#include "platform/draw/Colour.h"
#include "platform/draw/DeviceContext.h"
#include "platform/draw/GdiObjects.h"
#include "platform/draw/PixelBuffer.h"

#include <QImage>

namespace plat {

// The picture box's own drawing methods (Scale, Cls, Line, Circle, PSet, Point, Print, colours,
// DrawWidth, Font, CurrentX/Y), a thin layer over the box's device context and its pixel buffer.
//
// The user scale: ScaleLeft and ScaleTop are the user coordinates of the top-left corner,
// ScaleWidth and ScaleHeight the extents of the whole picture (negative extents turn an axis
// round, e.g. Y up). Without a user scale the unit is the twip (15 to a pixel). A point falls on
// the pixel that contains it. Colours are 0x00BBGGRR numbers or system colours.
//
// What the box's methods and its device context (hDC) share, as the platform has it:
//   pixels                one buffer: what either draws, the other sees and a capture takes
//   ForeColor             setting it sets the DC's text colour (TextOut on hDC then writes in it);
//                         the box's Line, Circle, PSet and Print draw in the box's ForeColor
//                         whatever the DC's text colour or pen has become since
//   BackColor             setting it sets the DC's background colour; Cls clears to the box's own
//   Font                  setting it selects that font into the DC; Print writes in the box's font
//   background mode       one state: the DC's (transparent for a box, the platform's
//                         FontTransparent); Print honours it
//   pen, brush            apart: Line, Circle and PSet draw with a pen of ForeColor and DrawWidth
//                         (and a brush of FillColor) made for the call; the pen and brush selected
//                         into the DC are left as they were
//   scale and mapping     apart: the box's Scale maps its methods' coordinates to pixels; the DC's
//                         mapping mode (SetMapMode, extents, origins) applies to hDC calls only
//   current point         apart: CurrentX/Y (box units) and the DC's MoveToEx point (logical units)
// Each method saves the DC's state, draws in pixels and restores it, so hDC calls see the DC as
// they left it.
class Canvas {
public:
    using Colour = plat::Colour;
    enum class BoxStyle { None, Box, FilledBox };

    // Over `dc` and the buffer it draws into, which it fills with the back colour.
    explicit Canvas(DeviceContext& dc);
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    DeviceContext& hDC() { return dc_; }
    const PixelBuffer& Pixels() const { return dc_.Target(); }
    // Makes a picture the background: it is drawn over the back colour at the top-left now and by
    // every Cls until an empty picture clears it (the buffer keeps its size).
    void SetPicture(const QImage& picture);
    const QImage& Picture() const { return picture_; }
    int PixelWidth() const { return Pixels().Width(); }
    int PixelHeight() const { return Pixels().Height(); }
    // Changes the buffer's size (at least 1 x 1), keeping what was drawn at the top-left and giving
    // the new part the back colour. The device context stays valid.
    void ResizePixels(int width, int height);

    void Scale(double left, double top, double width, double height);
    // Back to the default scale (twips from the top-left).
    void ResetScale();
    double ScaleLeft() const { return scaleLeft_; }
    double ScaleTop() const { return scaleTop_; }
    double ScaleWidth() const;
    double ScaleHeight() const;
    double ToPixelX(double x) const;
    double ToPixelY(double y) const;
    double FromPixelX(double px) const;
    double FromPixelY(double py) const;
    // The pixel a point falls on (far-off points held to a bound that drawing can take).
    int PixelX(double x) const;
    int PixelY(double y) const;
    // The units ScaleX and ScaleY convert between (the platform's vbUser, vbTwips, vbPixels).
    enum class Unit { User = 0, Twips = 1, Pixels = 3 };
    // A horizontal or vertical length (not a position) in one unit as another; user lengths carry
    // the sign of their scale's extent.
    double ScaleX(double length, Unit from, Unit to) const;
    double ScaleY(double length, Unit from, Unit to) const;

    Colour BackColor() const { return backColor_; }
    void SetBackColor(Colour colour);
    Colour ForeColor() const { return foreColor_; }
    void SetForeColor(Colour colour);
    Colour FillColor() const { return fillColor_; }
    void SetFillColor(Colour colour) { fillColor_ = colour; }
    // Whether closed figures (Circle) are filled with FillColor.
    bool FillSolid() const { return fillSolid_; }
    void SetFillSolid(bool solid) { fillSolid_ = solid; }
    int DrawWidth() const { return drawWidth_; }
    void SetDrawWidth(int pixels) { drawWidth_ = pixels < 1 ? 1 : pixels; }
    const std::string& FontName() const { return fontName_; }
    double FontSize() const { return fontSize_; }
    bool FontBold() const { return fontBold_; }
    // A face (resolved as FontFaces.h says), a size in points (96 pixels to the inch) and boldness.
    void SetFont(const std::string& name, double points, bool bold = false);
    double CurrentX() const { return currentX_; }
    double CurrentY() const { return currentY_; }
    void SetCurrentX(double x) { currentX_ = x; }
    void SetCurrentY(double y) { currentY_ = y; }

    // Clears to BackColor and the background picture; the current point goes back to (ScaleLeft, ScaleTop).
    void Cls();
    // A line (the last pixel left out, as the platform draws it), or an outlined or filled box with
    // both corners inside, from (x1, y1) to (x2, y2) in ForeColor or `colour`; the current point
    // moves to (x2, y2).
    void Line(double x1, double y1, double x2, double y2, BoxStyle style = BoxStyle::None);
    void Line(double x1, double y1, double x2, double y2, Colour colour, BoxStyle style = BoxStyle::None);
    // A circle of radius r (in units of the horizontal scale) around (x, y), filled with FillColor
    // when FillSolid.
    void Circle(double x, double y, double r);
    void Circle(double x, double y, double r, Colour colour);
    // A point DrawWidth pixels square.
    void PSet(double x, double y);
    void PSet(double x, double y, Colour colour);
    // The colour of the pixel at (x, y), or -1 outside.
    std::int64_t Point(double x, double y) const;
    // Writes text with its top-left at the current point in ForeColor; the current point moves to
    // the start of the next line.
    void Print(const std::string& text);
    double TextWidth(const std::string& text) const;
    double TextHeight(const std::string& text) const;

private:
    void ClearToBackground();
    double UnitsPerPixelX() const;
    double UnitsPerPixelY() const;
    LOGFONT FontRecord() const;
    SIZE Extent(const std::string& text) const;

    DeviceContext& dc_;
    bool userScale_ = false;
    double scaleLeft_ = 0;
    double scaleTop_ = 0;
    double scaleWidth_ = 0;
    double scaleHeight_ = 0;
    Colour backColor_ = 0xFFFFFF;
    Colour foreColor_ = 0x000000;
    Colour fillColor_ = 0x000000;
    bool fillSolid_ = false;
    int drawWidth_ = 1;
    std::string fontName_ = "MS Sans Serif";
    double fontSize_ = 8.25;
    bool fontBold_ = false;
    QImage picture_;
    double currentX_ = 0;
    double currentY_ = 0;
};

} // namespace plat

#endif
