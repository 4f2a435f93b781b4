#include "platform/gl/GlSurface.h"

#include <GL/osmesa.h>

namespace plat {

GlSurface::~GlSurface() {
    Release();
}

bool GlSurface::Create(int width, int height) {
    Release();
    if (width < 1 || height < 1) {
        return false;
    }
    pixels_ = PixelBuffer(width, height, PixelFormat::Bgrx32);
    context_ = OSMesaCreateContextExt(OSMESA_BGRA, 16, 0, 0, nullptr);
    if (context_ == nullptr) {
        pixels_ = PixelBuffer();
        return false;
    }
    if (!MakeCurrent()) {
        Release();
        return false;
    }
    return true;
}

void GlSurface::Release() {
    if (context_ != nullptr) {
        if (OSMesaGetCurrentContext() == context_) {
            OSMesaMakeCurrent(nullptr, nullptr, GL_UNSIGNED_BYTE, 0, 0);
        }
        OSMesaDestroyContext(context_);
        context_ = nullptr;
    }
    pixels_ = PixelBuffer();
}

bool GlSurface::MakeCurrent() {
    if (context_ == nullptr) {
        return false;
    }
    // The buffer's stride equals width x 4 (32-bit rows are always 4-byte aligned), as OSMesa
    // expects of a buffer whose row length is the width.
    return OSMesaMakeCurrent(context_, pixels_.Bits(), GL_UNSIGNED_BYTE, pixels_.Width(), pixels_.Height()) ==
           GL_TRUE;
}

int GlSurface::ColourBits() const {
    GLint red = 0;
    GLint green = 0;
    GLint blue = 0;
    GLint alpha = 0;
    glGetIntegerv(GL_RED_BITS, &red);
    glGetIntegerv(GL_GREEN_BITS, &green);
    glGetIntegerv(GL_BLUE_BITS, &blue);
    glGetIntegerv(GL_ALPHA_BITS, &alpha);
    return red + green + blue + alpha;
}

int GlSurface::DepthBits() const {
    GLint bits = 0;
    glGetIntegerv(GL_DEPTH_BITS, &bits);
    return bits;
}

bool GlSurface::BottomUp() const {
    GLint yUp = 0;
    OSMesaGetIntegerv(OSMESA_Y_UP, &yUp);
    return yUp != 0;
}

bool GlSurface::CopyTo(PixelBuffer& target) const {
    if (context_ == nullptr || target.Width() != pixels_.Width() || target.Height() != pixels_.Height() ||
        target.BitsPerPixel() != 32) {
        return false;
    }
    glFinish();
    target.CopyRows(pixels_.Bits(), pixels_.Stride(), BottomUp() ? RowOrder::BottomUp : RowOrder::TopDown);
    return true;
}

const void* CurrentGlContext() {
    return OSMesaGetCurrentContext();
}

} // namespace plat
