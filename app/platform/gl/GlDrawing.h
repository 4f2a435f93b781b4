#ifndef PLATFORM_GL_GLDRAWING_H
#define PLATFORM_GL_GLDRAWING_H

#include <array>
#include <cstdint>
#include <span>

#include "common/VectorsAndMatrices.h"

// The 3D viewer's lit drawing primitives and its window-to-world point, on the current OpenGL
// context. Corners are emitted in reverse order (p3 first); each vertex carries its own normal.
// The outline pass moves each corner 0.1 ft along its normal and writes the moved corner back into
// the argument, so that the outline lies just in front of the face. Blending and colour material
// are left disabled.
namespace plat {

using common::Vector3;

// A quad filled with colour number `fill` (&HRRGGBB) and outlined, as an open strip, with `outline`.
// The normal of p0 comes back through nx, ny, nz.
void DrawGLQuadFace(Vector3& p0, Vector3& p1, Vector3& p2, Vector3& p3, std::int32_t fill,
                    std::int32_t outline, float& nx, float& ny, float& nz);
// A quad and a triangle coloured per corner (colour vectors: red, green, blue 0..1); outline 1 draws
// a dark 2-pixel outline strip.
void DrawGLQuad(Vector3& p0, Vector3& p1, Vector3& p2, Vector3& p3, const Vector3& c0, const Vector3& c1,
                const Vector3& c2, const Vector3& c3, std::uint8_t outline);
void DrawGLTriangle(Vector3& p0, Vector3& p1, Vector3& p2, const Vector3& c0, const Vector3& c1,
                    const Vector3& c2, std::uint8_t outline);

// Quads and triangles coloured per corner, drawn as one DrawGLQuad or DrawGLTriangle call for each in
// turn would draw them (the same vertices, normals, colours and order; the state those calls set
// between shapes is the same for all), but all fills in one primitive and then, with outline 1, all
// outlines in one GL_LINES primitive: a primitive per shape costs the renderer most of its time. The
// shapes are not moved (the outline pass works on copies). Two differences are left to the renderer:
// a bent quad may be split along its other diagonal than when drawn alone; and where an outline and
// another shape's fill come to the same depth (the 16-bit depth buffer cannot tell 0.1 ft apart
// farther than a few hundred feet), the fill drawn first wins, so that there an outline that
// one-by-one drawing put over the fills of the shapes after it stays under them. No shapes: no state
// is touched (enabling colour material would take the current colour into the material).
struct CornerQuad {
    std::array<Vector3, 4> p;
    std::array<Vector3, 4> c;
};
struct CornerTriangle {
    std::array<Vector3, 3> p;
    std::array<Vector3, 3> c;
};
void DrawGLQuads(std::span<const CornerQuad> quads, std::uint8_t outline);
void DrawGLTriangles(std::span<const CornerTriangle> triangles, std::uint8_t outline);

// The world point under window point (x, y) (pixels, y downward). A depth above 1 asks for the
// depth buffer's value there, returned through `depth` (only for a point inside the viewport;
// otherwise `depth` stays as given); a depth of 1 or less is used as it is.
Vector3 UnProjectPoint(float x, float y, float& depth);

} // namespace plat

#endif
