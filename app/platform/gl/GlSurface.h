#ifndef PLATFORM_GL_GLSURFACE_H
#define PLATFORM_GL_GLSURFACE_H

#include "platform/draw/PixelBuffer.h"

struct osmesa_context;

namespace plat {

// An off-screen OpenGL surface: an OSMesa context (BGRA, 16 depth bits, no stencil or accumulation)
// drawing into a 32-bit pixel buffer of its own. OpenGL writes the rows bottom-up, so the buffer's
// first row in memory is the picture's bottom row; CopyTo turns it upright.
class GlSurface {
public:
    GlSurface() = default;
    ~GlSurface();
    GlSurface(const GlSurface&) = delete;
    GlSurface& operator=(const GlSurface&) = delete;

    // Makes the buffer and the context and makes them current. False, with nothing held, when
    // either cannot be made (a size below 1 pixel, or OSMesa refusing).
    bool Create(int width, int height);
    // Unbinds the context, destroys it and frees the buffer; nothing when nothing is held.
    void Release();
    bool Exists() const { return context_ != nullptr; }
    // Makes this surface's context current on the calling thread again.
    bool MakeCurrent();

    int Width() const { return pixels_.Width(); }
    int Height() const { return pixels_.Height(); }
    // What OpenGL reports for the current context: bits of colour (red + green + blue + alpha) and of
    // depth; whether row 0 in memory is the bottom row.
    int ColourBits() const;
    int DepthBits() const;
    bool BottomUp() const;

    // The pixels as OpenGL left them (bottom-up in memory).
    const PixelBuffer& Pixels() const { return pixels_; }
    // Finishes drawing and copies the picture 1:1 into `target` (32 bits, same size), top-down, in
    // one pass. False when the sizes or formats differ.
    bool CopyTo(PixelBuffer& target) const;

private:
    osmesa_context* context_ = nullptr;
    PixelBuffer pixels_;
};

// The context current on the calling thread (null when none), to tell contexts apart: what one
// context holds (a display list) is not another's.
const void* CurrentGlContext();

} // namespace plat

#endif
