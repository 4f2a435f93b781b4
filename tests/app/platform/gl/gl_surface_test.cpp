#include <GL/gl.h>

#include <gtest/gtest.h>

#include "platform/gl/GlSurface.h"

namespace {

using plat::GlSurface;
using plat::PixelBuffer;
using plat::PixelFormat;
using plat::RGB;

void ClearSky() {
    glClearColor(0.0F, 204.0F / 255.0F, 1.0F, 1.0F);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

TEST(GlSurface, OnePixelSurfaceIsMadeWith32BitsAnd16BitDepthBottomUp) {
    GlSurface surface;
    ASSERT_TRUE(surface.Create(1, 1));
    EXPECT_TRUE(surface.Exists());
    EXPECT_EQ(surface.Width(), 1);
    EXPECT_EQ(surface.Height(), 1);
    EXPECT_EQ(surface.ColourBits(), 32);
    EXPECT_EQ(surface.DepthBits(), 16);
    EXPECT_TRUE(surface.BottomUp());
    EXPECT_EQ(surface.Pixels().BitsPerPixel(), 32);
}

// The clear colour comes back exactly only when gl* calls reach OSMesa's context (calls bound to
// another GL library draw nothing and leave the buffer black).
TEST(GlSurface, ClearColourReadsBackExactly) {
    GlSurface surface;
    ASSERT_TRUE(surface.Create(7, 5));
    ClearSky();
    PixelBuffer plotter(7, 5, PixelFormat::Bgrx32);
    ASSERT_TRUE(surface.CopyTo(plotter));
    for (int y = 0; y < 5; ++y) {
        for (int x = 0; x < 7; ++x) {
            ASSERT_EQ(plotter.Pixel(x, y), RGB(0, 204, 255)) << x << "," << y;
        }
    }
}

TEST(GlSurface, NoSurfaceBelowOnePixelAndNoCopyToAnotherSize) {
    GlSurface surface;
    EXPECT_FALSE(surface.Create(0, 10));
    EXPECT_FALSE(surface.Create(10, -1));
    EXPECT_FALSE(surface.Exists());
    ASSERT_TRUE(surface.Create(4, 4));
    PixelBuffer other(4, 3, PixelFormat::Bgrx32);
    EXPECT_FALSE(surface.CopyTo(other));
    surface.Release();
    EXPECT_FALSE(surface.Exists());
    surface.Release();
    EXPECT_FALSE(surface.MakeCurrent());
}

// A quad over the upper half of the viewport (OpenGL's y upward) lands in the upper rows of the copy.
TEST(GlSurface, UpperHalfQuadLandsInUpperHalfOfCopy) {
    constexpr int w = 20;
    constexpr int h = 10;
    GlSurface surface;
    ASSERT_TRUE(surface.Create(w, h));
    glViewport(0, 0, w, h);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    ClearSky();
    glColor3f(1.0F, 0.0F, 0.0F);
    glBegin(GL_QUADS);
    glVertex2f(-1.0F, 0.0F);
    glVertex2f(1.0F, 0.0F);
    glVertex2f(1.0F, 1.0F);
    glVertex2f(-1.0F, 1.0F);
    glEnd();
    PixelBuffer plotter(w, h, PixelFormat::Bgrx32);
    ASSERT_TRUE(surface.CopyTo(plotter));
    for (int y = 0; y < h; ++y) {
        const plat::Colour expected = y < h / 2 ? RGB(255, 0, 0) : RGB(0, 204, 255);
        for (int x = 0; x < w; ++x) {
            ASSERT_EQ(plotter.Pixel(x, y), expected) << x << "," << y;
        }
    }
}

TEST(GlSurface, TwoSurfacesKeepTheirOwnPictures) {
    GlSurface first;
    GlSurface second;
    ASSERT_TRUE(first.Create(3, 3));
    ClearSky();
    ASSERT_TRUE(second.Create(3, 3));
    glClearColor(1.0F, 1.0F, 1.0F, 1.0F);
    glClear(GL_COLOR_BUFFER_BIT);
    ASSERT_TRUE(first.MakeCurrent());
    PixelBuffer a(3, 3, PixelFormat::Bgrx32);
    PixelBuffer b(3, 3, PixelFormat::Bgrx32);
    ASSERT_TRUE(first.CopyTo(a));
    ASSERT_TRUE(second.MakeCurrent());
    ASSERT_TRUE(second.CopyTo(b));
    EXPECT_EQ(a.Pixel(1, 1), RGB(0, 204, 255));
    EXPECT_EQ(b.Pixel(1, 1), RGB(255, 255, 255));
}

} // namespace
