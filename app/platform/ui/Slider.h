#ifndef PLATFORM_UI_SLIDER_H
#define PLATFORM_UI_SLIDER_H

#include <functional>
#include <string>

#include "platform/ui/Control.h"

class QSlider;

namespace plat {

// A slider. Change fires when Value changes, whoever changes it; Scroll while the user drags.
class Slider : public Control {
public:
    Slider(Container& parent, std::string name, int index = -1);
    std::string TypeName() const override { return "Slider"; }

    int Min() const;
    void SetMin(int value);
    int Max() const;
    void SetMax(int value);
    int Value() const;
    void SetValue(int value);
    void SetSmallChange(int step);
    void SetLargeChange(int step);
    void SetTickFrequency(int ticks);
    void SetVertical(bool vertical);

    QSlider* Inner() const;
    std::function<void()> Change;
    std::function<void()> Scroll;
};

} // namespace plat

#endif
