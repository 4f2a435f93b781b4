#ifndef PLATFORM_UI_SCREENCAPTURE_H
#define PLATFORM_UI_SCREENCAPTURE_H

#include <QImage>

#include "platform/draw/PixelBuffer.h"

class QWidget;

namespace plat {

// A rectangle of a window as a picture, taken from what the window itself paints, never from the
// screen (where other windows may lie over it): a picture box gives its persistent picture, any
// other window is rendered off-screen with its children. Coordinates are pixels relative to the
// client area, or with clientAreaOnly false to the whole window with its frame (the frame, drawn by
// the window manager, comes out black, as do parts of the rectangle outside the window). The
// picture is width x height at 32 bits; a width or height below 1 gives an empty picture.
// The platform's 256-colour display branch (capturing through the system palette) has no display
// here to serve, and is not built.
QImage CaptureWindow(QWidget* window, bool clientAreaOnly, int left, int top, int width, int height);

// An image as the platform's picture (a copy at 32 bits that owns its pixels).
QImage CreateBitmapPicture(const PixelBuffer& bitmap);

} // namespace plat

#endif
