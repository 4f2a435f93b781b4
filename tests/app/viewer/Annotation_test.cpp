// The annotation geometry checked on screen, in pixels: for lines in every direction, under the
// viewer's scale (x to the left, y up) with equal and with unequal units across and down.

#include "viewer/logic/Annotation.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using namespace viewer;

constexpr double kPi = 3.14159265358979323846;

struct PixelVector {
    double x;
    double y; // down the screen
};

PixelVector OnScreen(const PictureScale& s, float dx, float dy) {
    return {s.ScaleXToPixels(dx), s.ScaleYToPixels(dy)};
}

// The signed angle from a to b in degrees.
double Turn(PixelVector a, PixelVector b) {
    return std::remainder(std::atan2(b.y, b.x) - std::atan2(a.y, a.x), 2 * kPi) * 180 / kPi;
}

PictureScale Scale(bool square) {
    PictureScale s;
    s.WidthPixels = 743;
    s.HeightPixels = 500;
    if (square) {
        s.ScaleLeft = 743;
        s.ScaleTop = 500;
        s.ScaleWidth = -1486;
        s.ScaleHeight = -1000;
    }
    return s;
}

TEST(AnnotationOnScreen, HeadsAt35DegreesEach3PercentOfThePictureHeightInEveryDirection) {
    for (bool square : {true, false}) {
        const PictureScale s = Scale(square);
        const double headPixels = 0.03 * s.HeightPixels;
        for (double degrees = 0; degrees < 360; degrees += 22.5) {
            const double a = (degrees + 7) * kPi / 180;
            const PixelVector line{200 * std::cos(a), 200 * std::sin(a)};
            const float x1 = s.CentreX();
            const float y1 = s.CentreY();
            const float x2 =
                x1 + static_cast<float>(line.x) * s.ScaleWidth / static_cast<float>(s.WidthPixels);
            const float y2 =
                y1 + static_cast<float>(line.y) * s.ScaleHeight / static_cast<float>(s.HeightPixels);
            const PixelVector back{-line.x, -line.y};

            // The rubber band: heads at the cursor, pointing back along the line.
            const AnnotationLine band = PlaceAnnotationLine(x1, y1, x2, y2, true, s);
            double sides[2];
            for (int i = 0; i < 2; ++i) {
                ASSERT_TRUE(band.Heads[i].has_value());
                const ScreenSegment& h = *band.Heads[i];
                EXPECT_FLOAT_EQ(h.X1, x2);
                EXPECT_FLOAT_EQ(h.Y1, y2);
                const PixelVector v = OnScreen(s, h.X2 - h.X1, h.Y2 - h.Y1);
                EXPECT_NEAR(std::hypot(v.x, v.y), headPixels, 1e-2) << degrees << (square ? " square" : "");
                sides[i] = Turn(back, v);
                EXPECT_NEAR(std::fabs(sides[i]), 35, 1e-2) << degrees << (square ? " square" : "");
            }
            EXPECT_LT(sides[0] * sides[1], 0);

            // The finished stroke: heads at the press point, pointing along the line; the text
            // beyond its end.
            const Stroke stroke = StrokeGeometry(x1, y1, x2, y2, true, std::fabs(s.ScaleWidth) / 20,
                                                 std::fabs(s.ScaleHeight) / 40, s);
            for (int i = 0; i < 2; ++i) {
                ASSERT_TRUE(stroke.Heads[i].has_value());
                const ScreenSegment& h = *stroke.Heads[i];
                EXPECT_FLOAT_EQ(h.X1, x1);
                EXPECT_FLOAT_EQ(h.Y1, y1);
                const PixelVector v = OnScreen(s, h.X2 - h.X1, h.Y2 - h.Y1);
                EXPECT_NEAR(std::hypot(v.x, v.y), headPixels, 1e-2) << degrees;
                sides[i] = Turn(line, v);
                EXPECT_NEAR(std::fabs(sides[i]), 35, 1e-2) << degrees << (square ? " square" : "");
            }
            EXPECT_LT(sides[0] * sides[1], 0);
            const PixelVector text = OnScreen(s, stroke.TextX - x2, stroke.TextY - y2);
            EXPECT_GT(text.x * line.x + text.y * line.y, 0) << degrees << (square ? " square" : "");
        }
    }
}

} // namespace
