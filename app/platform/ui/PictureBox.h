#ifndef PLATFORM_UI_PICTUREBOX_H
#define PLATFORM_UI_PICTUREBOX_H

#include <functional>
#include <string>

#include "platform/draw/Canvas.h"
#include "platform/ui/Control.h"

namespace plat {

// A picture box: a persistent image the program draws on in its user scale (see Canvas) and
// the control shows. It can also hold controls. Its image is what a capture takes, never the
// screen.
class PictureBox : public Control, public Container {
public:
    PictureBox(Container& parent, std::string name, int index = -1);
    std::string TypeName() const override { return "PictureBox"; }

    QWidget* ClientWidget() override { return Widget(); }
    Form& OwnerForm() override { return Parent(); }

    // The drawing surface: Scale, Cls, Line, Circle, PSet, Print, colours, current point.
    Canvas& Surface() {
        Sync();
        return canvas_;
    }
    const Canvas& Surface() const {
        Sync();
        return canvas_;
    }
    // Shows what was drawn since the last call (drawing calls do this themselves).
    void Refresh();

    void Scale(double left, double top, double width, double height);
    void Cls();
    void Line(double x1, double y1, double x2, double y2, Canvas::BoxStyle style = Canvas::BoxStyle::None);
    void Line(double x1, double y1, double x2, double y2, Colour colour,
              Canvas::BoxStyle style = Canvas::BoxStyle::None);
    void Circle(double x, double y, double r);
    void Circle(double x, double y, double r, Colour colour);
    void PSet(double x, double y);
    void PSet(double x, double y, Colour colour);
    void Print(const std::string& text);

    Colour BackColor() const { return Surface().BackColor(); }
    void SetBackColor(Colour colour);
    // The picture shown (the image drawn so far).
    QImage Picture() const { return Surface().Image(); }
    void SetPicture(const QImage& picture);

    std::function<void()> Click;
    std::function<void(int button, int shift, double x, double y)> MouseDown;
    std::function<void(int button, int shift, double x, double y)> MouseMove;
    std::function<void(int button, int shift, double x, double y)> MouseUp;

private:
    friend class PictureView;
    // Keeps the image the size of the control (a hidden control gets no resize events).
    void Sync() const;
    mutable Canvas canvas_;
};

} // namespace plat

#endif
