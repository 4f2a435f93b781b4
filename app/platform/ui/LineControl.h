#ifndef PLATFORM_UI_LINECONTROL_H
#define PLATFORM_UI_LINECONTROL_H

#include <string>

#include "platform/ui/Control.h"

namespace plat {
class Canvas;
}

namespace plat {

// A line control: a one-pixel line in the border colour between two points of its container, in
// twips from the container's top-left corner, drawn over the container (a picture box shows its
// picture around it). Moving it repaints only the line's own rectangle; the container's picture
// is not redrawn, and it is no part of the picture's image. It takes no focus and no mouse: presses, moves
// and releases reach the container.
class LineControl : public Control {
public:
    LineControl(Container& parent, std::string name, int index = -1);
    std::string TypeName() const override { return "Line"; }

    int X1() const { return x1_; }
    int Y1() const { return y1_; }
    int X2() const { return x2_; }
    int Y2() const { return y2_; }
    void SetEnds(int x1, int y1, int x2, int y2);
    // The ends in the user scale of the picture box the line sits on (its Surface()), each end on
    // the pixel that point falls on, as the box's own drawing would put it.
    void SetEnds(const Canvas& scale, double x1, double y1, double x2, double y2);

    Colour BorderColor() const { return borderColor_; }
    void SetBorderColor(Colour colour);

private:
    friend class LineView;
    int x1_ = 0;
    int y1_ = 0;
    int x2_ = 0;
    int y2_ = 0;
    Colour borderColor_ = 0x000000;
};

} // namespace plat

#endif
