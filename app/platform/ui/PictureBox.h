#ifndef PLATFORM_UI_PICTUREBOX_H
#define PLATFORM_UI_PICTUREBOX_H

#include <functional>
#include <string>

#include <QImage>

#include "platform/draw/Canvas.h"
#include "platform/draw/DeviceContext.h"
#include "platform/draw/PixelBuffer.h"
#include "platform/ui/Control.h"

namespace plat {

// A picture box: a persistent picture the program draws on, with the box's methods in its user
// scale (Surface, see Canvas) and with GDI calls on its device context (hDC); both draw into one
// pixel buffer, which the control shows and a capture takes (never the screen). It can also hold
// controls.
//
// The buffer lives as long as the box and follows the control's size (SetWidth, SetHeight, Move, a
// resize of the widget), keeping what was drawn at the top-left. The device context stays valid
// across a resize; raw pointers into the pixels (Pixels().Bits()) do not. No accessor resizes.
class PictureBox : public Control, public Container {
public:
    PictureBox(Container& parent, std::string name, int index = -1);
    std::string TypeName() const override { return "PictureBox"; }

    QWidget* ClientWidget() override { return Widget(); }
    Form& OwnerForm() override { return Parent(); }

    // The box's drawing methods: Scale, Cls, Line, Circle, PSet, Print, colours, current point.
    Canvas& Surface() { return canvas_; }
    const Canvas& Surface() const { return canvas_; }
    // The box's device context, shared with its drawing methods as Canvas.h tells.
    DeviceContext& hDC() { return dc_; }
    const PixelBuffer& Pixels() const { return buffer_; }
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
    // The box always draws into its persistent image, which is what shows and what a capture takes;
    // the flag is kept for the windows that switch and read it around their captures.
    bool AutoRedraw() const { return autoRedraw_; }
    void SetAutoRedraw(bool on) { autoRedraw_ = on; }
    // A copy of the picture drawn so far.
    QImage Picture() const;
    // The background picture Cls clears to (Canvas::SetPicture); an empty picture clears it.
    void SetPicture(const QImage& picture);
    // Lengths between user units, twips and pixels (Canvas::ScaleX, ScaleY).
    double ScaleX(double length, Canvas::Unit from, Canvas::Unit to) const {
        return Surface().ScaleX(length, from, to);
    }
    double ScaleY(double length, Canvas::Unit from, Canvas::Unit to) const {
        return Surface().ScaleY(length, from, to);
    }

    // A left press and release inside the box. A left double click reports MouseDown, MouseUp,
    // Click, MouseDown, DblClick, MouseUp: its second release gives no Click.
    std::function<void()> Click;
    std::function<void()> DblClick;
    std::function<void(int button, int shift, double x, double y)> MouseDown;
    std::function<void(int button, int shift, double x, double y)> MouseMove;
    std::function<void(int button, int shift, double x, double y)> MouseUp;

protected:
    void SizeChanged() override;

private:
    friend class PictureView;
    PixelBuffer buffer_{1, 1, PixelFormat::Bgrx32};
    DeviceContext dc_{buffer_};
    Canvas canvas_{dc_};
    bool autoRedraw_ = false;
};

} // namespace plat

#endif
