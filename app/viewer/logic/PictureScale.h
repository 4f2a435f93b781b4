#pragma once

// The viewer's picture box as the picking, annotation and projection maths see it: its user scale
// (ScaleLeft 10000, ScaleWidth −20000, ScaleTop 10000, ScaleHeight −20000 at start-up: centred on
// 0, x growing to the left, y upwards), its inner size in pixels and its outer size in twips.

namespace viewer {

struct PictureScale {
    float ScaleLeft = 10000;
    float ScaleTop = 10000;
    float ScaleWidth = -20000;
    float ScaleHeight = -20000;
    int WidthPixels = 800;
    int HeightPixels = 600;
    float Width = 12000;  // twips
    float Height = 9000;  // twips

    // A horizontal or vertical length in user units as pixels (signed), and back.
    float ScaleXToPixels(float dx) const { return dx * static_cast<float>(WidthPixels) / ScaleWidth; }
    float ScaleYToPixels(float dy) const { return dy * static_cast<float>(HeightPixels) / ScaleHeight; }
    float PixelsToScaleX(float px) const { return px * ScaleWidth / static_cast<float>(WidthPixels); }
    float CentreX() const { return ScaleLeft + ScaleWidth / 2; }
    float CentreY() const { return ScaleTop + ScaleHeight / 2; }
};

} // namespace viewer
