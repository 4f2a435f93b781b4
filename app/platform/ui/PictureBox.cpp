#include "platform/ui/PictureBox.h"

#include <QMouseEvent>
#include <QPainter>

#include <utility>

#include "platform/draw/ImageView.h"
#include "platform/ui/Dispatch.h"
#include "platform/ui/Keys.h"

namespace plat {

class PictureView : public QWidget {
public:
    void SetBox(PictureBox* box) { box_ = box; }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.drawImage(0, 0, ConstImageView(box_->Pixels()));
    }
    void resizeEvent(QResizeEvent*) override { box_->SizeChanged(); }
    void mousePressEvent(QMouseEvent* e) override { Report(box_->MouseDown, MouseButtonsOf(e->button()), *e); }
    void mouseMoveEvent(QMouseEvent* e) override { Report(box_->MouseMove, MouseButtonsOf(e->buttons()), *e); }
    void mouseReleaseEvent(QMouseEvent* e) override {
        Report(box_->MouseUp, MouseButtonsOf(e->button()), *e);
        // The release that ends a double click is no click of its own.
        const bool afterDouble = std::exchange(doubleClicked_, false);
        if (!afterDouble && e->button() == Qt::LeftButton && rect().contains(e->position().toPoint()) &&
            box_->Click) {
            Dispatch(this, box_->Click);
        }
    }
    // Follows the second press of a double click (left button only).
    void mouseDoubleClickEvent(QMouseEvent* e) override {
        if (e->button() != Qt::LeftButton) {
            return;
        }
        doubleClicked_ = true;
        if (box_->DblClick) {
            Dispatch(this, box_->DblClick);
        }
    }

private:
    void Report(const std::function<void(int, int, double, double)>& handler, int button,
                const QMouseEvent& e) {
        if (handler) {
            const Canvas& c = box_->Surface();
            Dispatch(this, [&] {
                handler(button, ShiftStateOf(e.modifiers()), c.FromPixelX(e.position().x()),
                        c.FromPixelY(e.position().y()));
            });
        }
    }
    PictureBox* box_ = nullptr;
    bool doubleClicked_ = false;
};

PictureBox::PictureBox(Container& parent, std::string name, int index)
    : Control(parent, std::move(name), index, new PictureView) {
    static_cast<PictureView*>(Widget())->SetBox(this);
    Widget()->setFocusPolicy(Qt::NoFocus);
    Widget()->setMouseTracking(true);
}

void PictureBox::SizeChanged() {
    canvas_.ResizePixels(Widget()->width(), Widget()->height());
    Refresh();
}

QImage PictureBox::Picture() const {
    return ToQImage(buffer_);
}

void PictureBox::Refresh() {
    Widget()->update();
}

void PictureBox::Scale(double left, double top, double width, double height) {
    Surface().Scale(left, top, width, height);
}

void PictureBox::Cls() {
    Surface().Cls();
    Refresh();
}

void PictureBox::Line(double x1, double y1, double x2, double y2, Canvas::BoxStyle style) {
    Surface().Line(x1, y1, x2, y2, style);
    Refresh();
}

void PictureBox::Line(double x1, double y1, double x2, double y2, Colour colour, Canvas::BoxStyle style) {
    Surface().Line(x1, y1, x2, y2, colour, style);
    Refresh();
}

void PictureBox::Circle(double x, double y, double r) {
    Surface().Circle(x, y, r);
    Refresh();
}

void PictureBox::Circle(double x, double y, double r, Colour colour) {
    Surface().Circle(x, y, r, colour);
    Refresh();
}

void PictureBox::PSet(double x, double y) {
    Surface().PSet(x, y);
    Refresh();
}

void PictureBox::PSet(double x, double y, Colour colour) {
    Surface().PSet(x, y, colour);
    Refresh();
}

void PictureBox::Print(const std::string& text) {
    Surface().Print(text);
    Refresh();
}

void PictureBox::SetBackColor(Colour colour) {
    // As the platform's picture box does, a new back colour clears the picture.
    Surface().SetBackColor(colour);
    Surface().Cls();
    Refresh();
}

void PictureBox::SetPicture(const QImage& picture) {
    Surface().SetPicture(picture);
    Refresh();
}

} // namespace plat
