#include "viewer/logic/Annotation.h"

#include "common/modFunctions.h"
#include "viewer/logic/Camera.h"

#include <cmath>

namespace viewer {
namespace {

constexpr double kHeadAngle = 35;
constexpr double kHeadDegToRad = 0.017453292516666667;

// The arrow head legs: Ly 3 % of the picture's height (with its sign), Lx the same screen length in
// horizontal units.
void HeadLengths(const PictureScale& scale, float& lx, float& ly) {
    ly = 0.03F * scale.ScaleHeight;
    lx = scale.PixelsToScaleX(scale.ScaleYToPixels(std::fabs(ly)));
}

ScreenSegment Head(float x, float y, double angle, float lx, float ly) {
    const double r = angle * kHeadDegToRad;
    return {x, y, static_cast<float>(x - lx * std::cos(r)), static_cast<float>(y - ly * std::sin(r))};
}

} // namespace

AnnotationLine PlaceAnnotationLine(float x1, float y1, float x2, float y2, bool arrow, const PictureScale& scale) {
    AnnotationLine result;
    result.Line = {x1, y1, x2, y2};
    if (!arrow)
        return result;
    const float dxp = scale.ScaleXToPixels(x2 - x1);
    const float dyp = scale.ScaleYToPixels(y2 - y1);
    const double theta = common::Atan2Pos(-dxp, dyp) * kRadToDeg;
    float lx = 0;
    float ly = 0;
    HeadLengths(scale, lx, ly);
    result.Heads[0] = Head(x2, y2, theta - kHeadAngle, lx, ly);
    result.Heads[1] = Head(x2, y2, theta + kHeadAngle, lx, ly);
    return result;
}

Stroke StrokeGeometry(float startX, float startY, float x, float y, bool arrow, float w, float h,
                      const PictureScale& scale) {
    Stroke stroke;
    stroke.TextX = x;
    stroke.TextY = y;
    if (x != startX || y != startY) {
        const float dxp = scale.ScaleXToPixels(x - startX);
        const float dyp = -scale.ScaleYToPixels(y - startY);
        const double g = common::Atan2Pos(dxp, dyp) * kRadToDeg;
        stroke.Line = ScreenSegment{startX, startY, x, y};
        if (arrow) {
            float lx = 0;
            float ly = 0;
            HeadLengths(scale, lx, ly);
            stroke.Heads[0] = Head(startX, startY, g - kHeadAngle, lx, ly);
            stroke.Heads[1] = Head(startX, startY, g + kHeadAngle, lx, ly);
        }
        const double gr = g * kHeadDegToRad;
        const double ax = 0.65 * w * std::cos(gr);
        const double ay = 0.65 * h * std::sin(gr);
        stroke.TextX = static_cast<float>(scale.ScaleWidth > 0 ? x + ax : x - ax);
        stroke.TextY = static_cast<float>(scale.ScaleHeight > 0 ? y - ay : y + ay);
    }
    stroke.Box = {stroke.TextX - 0.65F * w, stroke.TextY - 0.6F * h, stroke.TextX + 0.65F * w,
                  stroke.TextY + 0.6F * h};
    return stroke;
}

} // namespace viewer
