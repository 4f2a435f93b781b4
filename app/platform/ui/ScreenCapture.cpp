#include "platform/ui/ScreenCapture.h"

#include <QPainter>
#include <QWidget>

#include "platform/draw/ImageView.h"
#include "platform/draw/PixelBlit.h"
#include "platform/ui/Control.h"
#include "platform/ui/PictureBox.h"

namespace plat {

namespace {

// The window's own picture of its client area: a picture box's buffer, else the widget and its
// children painted off-screen.
PixelBuffer ClientPicture(QWidget* window) {
    Control* control = Control::FromWidget(window);
    auto* box = dynamic_cast<PictureBox*>(control);
    if (box && box->Widget() == window) {
        return box->Pixels();
    }
    QImage painted(window->size(), QImage::Format_RGB32);
    painted.fill(Qt::black);
    window->render(&painted, QPoint(), QRegion(), QWidget::DrawWindowBackground | QWidget::DrawChildren);
    return FromQImage(painted);
}

} // namespace

QImage CaptureWindow(QWidget* window, bool clientAreaOnly, int left, int top, int width, int height) {
    if (width < 1 || height < 1) {
        return {};
    }
    PixelBuffer captured(width, height, PixelFormat::Bgrx32);
    captured.Fill(RGB(0, 0, 0));
    if (window) {
        // Where the client area starts within the whole window (a top-level window's frame).
        QPoint client;
        if (!clientAreaOnly && window->isWindow()) {
            client = window->geometry().topLeft() - window->frameGeometry().topLeft();
        }
        const PixelBuffer picture = ClientPicture(window);
        const int x = client.x() - left;
        const int y = client.y() - top;
        StretchPixels(captured, x, y, picture.Width(), picture.Height(), picture, 0, 0, picture.Width(),
                      picture.Height());
    }
    return CreateBitmapPicture(captured);
}

QImage CreateBitmapPicture(const PixelBuffer& bitmap) {
    if (bitmap.Empty()) {
        return {};
    }
    return ToQImage(bitmap).convertToFormat(QImage::Format_RGB32);
}

} // namespace plat
