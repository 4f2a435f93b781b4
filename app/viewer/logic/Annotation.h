#pragma once

// Where the annotation strokes go on the frozen picture: the rubber-band line with its arrow heads,
// and the finished stroke's arrow heads and text position. All in the picture's user units.

#include "viewer/logic/PictureScale.h"

#include <optional>

namespace viewer {

struct ScreenSegment {
    float X1 = 0;
    float Y1 = 0;
    float X2 = 0;
    float Y2 = 0;
};

// The rubber band from (x1, y1) to (x2, y2), and with the arrow flag its two heads at (x2, y2),
// 35 degrees either side of the line, each as long on screen as 3 % of the picture's height.
struct AnnotationLine {
    ScreenSegment Line;
    std::optional<ScreenSegment> Heads[2];
};
AnnotationLine PlaceAnnotationLine(float x1, float y1, float x2, float y2, bool arrow, const PictureScale& scale);

// A finished stroke from the press (startX, startY) to the release (x, y): the line, its arrow
// heads at the start point when asked for, and the centre of the text of width w and height h
// (user units) beyond the line's end; a release at the press point is a click: no line, the text
// centred on it. Box: the text's background rectangle around the centre.
struct Stroke {
    std::optional<ScreenSegment> Line;
    std::optional<ScreenSegment> Heads[2];
    float TextX = 0;
    float TextY = 0;
    ScreenSegment Box;
};
Stroke StrokeGeometry(float startX, float startY, float x, float y, bool arrow, float w, float h,
                      const PictureScale& scale);

} // namespace viewer
