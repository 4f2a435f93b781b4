#include "platform/ui/Slider.h"

#include <QSlider>

#include "platform/ui/Dispatch.h"

namespace plat {

Slider::Slider(Container& parent, std::string name, int index)
    : Control(parent, std::move(name), index, new QSlider(Qt::Horizontal)) {
    Inner()->setRange(0, 10);
    Inner()->setTickPosition(QSlider::TicksBelow);
    QObject::connect(Inner(), &QSlider::valueChanged, Inner(), [this] {
        if (Change) {
            Dispatch(Widget(), Change);
        }
    });
    QObject::connect(Inner(), &QSlider::sliderMoved, Inner(), [this] {
        if (Scroll) {
            Dispatch(Widget(), Scroll);
        }
    });
}

QSlider* Slider::Inner() const {
    return static_cast<QSlider*>(Widget());
}
int Slider::Min() const {
    return Inner()->minimum();
}
void Slider::SetMin(int value) {
    Inner()->setMinimum(value);
}
int Slider::Max() const {
    return Inner()->maximum();
}
void Slider::SetMax(int value) {
    Inner()->setMaximum(value);
}
int Slider::Value() const {
    return Inner()->value();
}
void Slider::SetValue(int value) {
    Inner()->setValue(value);
}
void Slider::SetSmallChange(int step) {
    Inner()->setSingleStep(step);
}
void Slider::SetLargeChange(int step) {
    Inner()->setPageStep(step);
}
void Slider::SetTickFrequency(int ticks) {
    Inner()->setTickInterval(ticks);
}
void Slider::SetVertical(bool vertical) {
    Inner()->setOrientation(vertical ? Qt::Vertical : Qt::Horizontal);
}

} // namespace plat
