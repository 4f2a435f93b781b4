#include "platform/ui/PictureBox.h"

#include <QMouseEvent>
#include <QPainter>

#include "platform/ui/Keys.h"

namespace plat {

namespace {

int ButtonsOf(Qt::MouseButtons buttons)
{
    int state = 0;
    if (buttons & Qt::LeftButton) {
        state |= 1;
    }
    if (buttons & Qt::RightButton) {
        state |= 2;
    }
    if (buttons & Qt::MiddleButton) {
        state |= 4;
    }
    return state;
}

}  // namespace

class PictureView : public QWidget {
public:
    void SetBox(PictureBox* box) { box_ = box; }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.drawImage(0, 0, box_->canvas_.Image());
    }
    void resizeEvent(QResizeEvent*) override { box_->canvas_.ResizePixels(width(), height()); }
    void mousePressEvent(QMouseEvent* e) override { Report(box_->MouseDown, ButtonsOf(e->button()), *e); }
    void mouseMoveEvent(QMouseEvent* e) override { Report(box_->MouseMove, ButtonsOf(e->buttons()), *e); }
    void mouseReleaseEvent(QMouseEvent* e) override
    {
        Report(box_->MouseUp, ButtonsOf(e->button()), *e);
        if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint()) && box_->Click) {
            box_->Click();
        }
    }

private:
    void Report(const std::function<void(int, int, double, double)>& handler, int button, const QMouseEvent& e)
    {
        if (handler) {
            const Canvas& c = box_->canvas_;
            handler(button, ShiftStateOf(e.modifiers()), c.FromPixelX(e.position().x()),
                    c.FromPixelY(e.position().y()));
        }
    }
    PictureBox* box_ = nullptr;
};

PictureBox::PictureBox(Container& parent, std::string name, int index)
    : Control(parent, std::move(name), index, new PictureView), canvas_(1, 1)
{
    static_cast<PictureView*>(Widget())->SetBox(this);
    Widget()->setFocusPolicy(Qt::NoFocus);
    Widget()->setMouseTracking(true);
    canvas_.ResizePixels(std::max(1, Widget()->width()), std::max(1, Widget()->height()));
}

void PictureBox::Refresh() { Widget()->update(); }

void PictureBox::Scale(double left, double top, double width, double height)
{
    canvas_.Scale(left, top, width, height);
}

void PictureBox::Cls()
{
    canvas_.Cls();
    Refresh();
}

void PictureBox::Line(double x1, double y1, double x2, double y2, Canvas::BoxStyle style)
{
    canvas_.Line(x1, y1, x2, y2, style);
    Refresh();
}

void PictureBox::Line(double x1, double y1, double x2, double y2, Colour colour, Canvas::BoxStyle style)
{
    canvas_.Line(x1, y1, x2, y2, colour, style);
    Refresh();
}

void PictureBox::Circle(double x, double y, double r)
{
    canvas_.Circle(x, y, r);
    Refresh();
}

void PictureBox::Circle(double x, double y, double r, Colour colour)
{
    canvas_.Circle(x, y, r, colour);
    Refresh();
}

void PictureBox::PSet(double x, double y)
{
    canvas_.PSet(x, y);
    Refresh();
}

void PictureBox::PSet(double x, double y, Colour colour)
{
    canvas_.PSet(x, y, colour);
    Refresh();
}

void PictureBox::Print(const std::string& text)
{
    canvas_.Print(text);
    Refresh();
}

void PictureBox::SetBackColor(Colour colour)
{
    // As the platform's picture box does, a new back colour clears the picture.
    canvas_.SetBackColor(colour);
    canvas_.Cls();
    Refresh();
}

void PictureBox::SetPicture(const QImage& picture)
{
    canvas_.SetPicture(picture);
    Refresh();
}

}  // namespace plat
