#ifndef PLATFORM_DRAW_IMAGEVIEW_H
#define PLATFORM_DRAW_IMAGEVIEW_H

#include <QImage>

#include "platform/draw/PixelBuffer.h"

namespace plat {

// A QImage over the buffer's own memory (no copy): Bgrx32 as RGB32, Bgra32 as premultiplied ARGB32,
// Bgr24 as BGR888, Bgr555 as RGB555, Indexed8 and Indexed1 as Indexed8 and Mono with the buffer's
// colour table (the table is copied, opaque; the pixels are not). The view is valid until the
// buffer is resized or assigned. An empty buffer, and an Indexed4 one (Qt has no such layout),
// give a null image.
QImage ImageView(PixelBuffer& buffer);
// The same, read-only: writing to it would detach it into a copy.
QImage ConstImageView(const PixelBuffer& buffer);

// A picture handed out of the drawing layer: a deep copy that later drawing does not change (an
// Indexed4 buffer comes out as 32 bits).
QImage ToQImage(const PixelBuffer& buffer);
// A Qt picture as a 32-bit buffer (Bgra32 when it has transparency, else Bgrx32).
PixelBuffer FromQImage(const QImage& image);

} // namespace plat

#endif
