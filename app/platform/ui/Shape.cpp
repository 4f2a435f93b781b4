#include "platform/ui/Shape.h"

#include <QPainter>

#include "platform/ui/Colors.h"

namespace plat {

class ShapeView : public QWidget {
public:
    void SetShape(const Shape* shape) { shape_ = shape; }

protected:
    void paintEvent(QPaintEvent*) override {
        if (width() < 1 || height() < 1) {
            return;
        }
        QPainter painter(this);
        painter.setPen(QPen(ToQColor(shape_->BorderColor()), 1));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(0, 0, width() - 1, height() - 1);
    }

private:
    const Shape* shape_ = nullptr;
};

Shape::Shape(Container& parent, std::string name, int index)
    : Control(parent, std::move(name), index, new ShapeView) {
    static_cast<ShapeView*>(Widget())->SetShape(this);
    Widget()->setFocusPolicy(Qt::NoFocus);
    Widget()->setAttribute(Qt::WA_TransparentForMouseEvents);
    Widget()->setAttribute(Qt::WA_NoSystemBackground);
}

void Shape::SetBorderColor(Colour colour) {
    borderColor_ = colour;
    Widget()->update();
}

} // namespace plat
