#ifndef PLATFORM_DRAW_CANVAS_H
#define PLATFORM_DRAW_CANVAS_H

#include <cstdint>
#include <string>

#include <QFont>
#include <QImage>

namespace plat {

// A persistent drawing surface over a QImage with a user scale: ScaleLeft and ScaleTop are the
// user coordinates of the top-left corner, ScaleWidth and ScaleHeight the extents of the whole
// surface (negative extents flip the axis, e.g. Y up). Without a user scale the unit is the twip
// (15 to a pixel). Colours are 0x00BBGGRR. What is drawn stays in the image, which is what a
// capture takes.
class Canvas {
public:
    using Colour = std::uint32_t;
    enum class BoxStyle { None, Box, FilledBox };

    Canvas(int widthPixels, int heightPixels);

    const QImage& Image() const { return image_; }
    // Replaces the image (a picture loaded into the surface); the surface keeps its size, the
    // picture is drawn at the top-left.
    void SetPicture(const QImage& picture);
    int PixelWidth() const { return image_.width(); }
    int PixelHeight() const { return image_.height(); }
    // Changes the surface's size, keeping what was drawn at the top-left.
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

    Colour BackColor() const { return backColor_; }
    void SetBackColor(Colour colour) { backColor_ = colour; }
    Colour ForeColor() const { return foreColor_; }
    void SetForeColor(Colour colour) { foreColor_ = colour; }
    Colour FillColor() const { return fillColor_; }
    void SetFillColor(Colour colour) { fillColor_ = colour; }
    // Whether closed figures (Circle) are filled with FillColor.
    bool FillSolid() const { return fillSolid_; }
    void SetFillSolid(bool solid) { fillSolid_ = solid; }
    int DrawWidth() const { return drawWidth_; }
    void SetDrawWidth(int pixels) { drawWidth_ = pixels < 1 ? 1 : pixels; }
    const QFont& Font() const { return font_; }
    void SetFont(const QFont& font) { font_ = font; }
    double CurrentX() const { return currentX_; }
    double CurrentY() const { return currentY_; }
    void SetCurrentX(double x) { currentX_ = x; }
    void SetCurrentY(double y) { currentY_ = y; }

    // Clears to BackColor; the current point goes back to (ScaleLeft, ScaleTop).
    void Cls();
    // A line (or an outlined or filled box) from (x1, y1) to (x2, y2) in ForeColor or `colour`;
    // the current point moves to (x2, y2).
    void Line(double x1, double y1, double x2, double y2, BoxStyle style = BoxStyle::None);
    void Line(double x1, double y1, double x2, double y2, Colour colour, BoxStyle style = BoxStyle::None);
    // A circle of radius r (in units of the horizontal scale) around (x, y).
    void Circle(double x, double y, double r);
    void Circle(double x, double y, double r, Colour colour);
    void PSet(double x, double y);
    void PSet(double x, double y, Colour colour);
    // The colour of the pixel at (x, y), or -1 outside.
    std::int64_t Point(double x, double y) const;
    // Writes text at the current point in ForeColor; the current point moves to the start of the
    // next line.
    void Print(const std::string& text);
    double TextWidth(const std::string& text) const;
    double TextHeight(const std::string& text) const;

    // Fills the 4-connected area around pixel (px, py) that is not of the border colour with the
    // fill colour (a start pixel of the border colour fills nothing).
    void FloodFillPixels(int px, int py, Colour fill, Colour border);

private:
    double UnitsPerPixelX() const;
    double UnitsPerPixelY() const;

    QImage image_;
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
    QFont font_;
    double currentX_ = 0;
    double currentY_ = 0;
};

QColor CanvasColour(Canvas::Colour colour);

} // namespace plat

#endif
