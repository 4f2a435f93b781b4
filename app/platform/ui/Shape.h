#ifndef PLATFORM_UI_SHAPE_H
#define PLATFORM_UI_SHAPE_H

#include <string>

#include "platform/ui/Control.h"

namespace plat {

// A rectangle shape: an outline in the border colour, hollow, drawn over its container (a picture
// box shows its picture through it). It takes no focus and no mouse: presses, moves and clicks on
// it reach the container underneath, whose coordinates they keep.
class Shape : public Control {
public:
    Shape(Container& parent, std::string name, int index = -1);
    std::string TypeName() const override { return "Shape"; }

    Colour BorderColor() const { return borderColor_; }
    void SetBorderColor(Colour colour);

private:
    friend class ShapeView;
    Colour borderColor_ = 0x000000;
};

} // namespace plat

#endif
