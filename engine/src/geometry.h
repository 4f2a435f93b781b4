#ifndef KELVD_GEOMETRY_H
#define KELVD_GEOMETRY_H

#include "engine_types.h"

#include <array>
#include <cmath>
#include <string>

namespace kelvd {

// Small vector arithmetic used by the geometry routines and the ray tracers.
inline Vec3 operator+(const Vec3& a, const Vec3& b) {
    return {a.x + b.x, a.y + b.y, a.z + b.z};
}
inline Vec3 operator-(const Vec3& a, const Vec3& b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}
inline Vec3 operator-(const Vec3& a) {
    return {-a.x, -a.y, -a.z};
}
inline Vec3 operator*(double s, const Vec3& a) {
    return {s * a.x, s * a.y, s * a.z};
}
inline double dot(const Vec3& a, const Vec3& b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}
inline Vec3 cross(const Vec3& a, const Vec3& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
inline double length(const Vec3& a) {
    return std::sqrt(dot(a, a));
}

namespace geometry {
// Below this |s . n| a line counts as parallel to a plane.
constexpr double kParallelLimit = 1e-8;
} // namespace geometry

// The terrain plates of the GTD model: plate L is the quadrilateral of vertices 2L .. 2L+3 of DRV, with
// one unit normal per plate (pointing into the ground) and NPLATE plates in use. alongX[L] is set when
// the plate is a strip along X (vertices 2L, 2L+1 and 2L+2, 2L+3 each share Y and Z), which lets the
// plate tests below reject a line or a segment in the Y-Z plane first.
struct PlateTable {
    std::array<Vec3, 2 * limits::kMaxVertices> DRV{};
    std::array<Vec3, limits::kMaxVertices> normal{};
    std::array<bool, limits::kMaxVertices> alongX{};
    int NPLATE = 0;
};

// True when plate L is a strip along X.
bool isStripAlongX(const PlateTable& T, int L);

// code 1: a x b; 2: a x b made unit; 3: b - a made unit; 4: out.x = a . b; 5: out.x = a . b / |b|; 6: b - a.
// A zero length is left unscaled. out may alias a or b (code 5: not b).
void VECTOR(int code, const Vec3& a, const Vec3& b, Vec3& out);

// atan2(y, x) in radians, 0 at the origin.
double ATAN2S(double y, double x);

// Unit vector u, distance and the angles (degrees, theta from +Z, phi from +X) of the ray from A to B.
void RAYDIR(const Vec3& A, const Vec3& B, Vec3& u, double& dist, double& theta, double& phi);

// Intersection R of the line Q + t s with the plane through P0 with normal n; parallel = 1 (R unchanged)
// when the line runs parallel to the plane, else 0.
void PLNINT(const Vec3& P0, const Vec3& n, const Vec3& Q, const Vec3& s, Vec3& R, int& parallel);

// Mirror image R of P in the plane through Q with unit normal n.
void IMGPNT(const Vec3& P, const Vec3& Q, const Vec3& n, Vec3& R);

// Scalar triple product (a x b) . c.
double TRIPRD(const Vec3& a, const Vec3& b, const Vec3& c);

// Reflection point R on plate L. Mode 1: where the line from P along s meets the plate's plane. Mode 2:
// the image point of P towards the field point G. On return L = 1 means no point was found; L = 0 with
// flag 1 (inside the plate) or -1 (outside) means R was found.
void REFPNT(const Vec3& P, const PlateTable& T, int& L, int mode, Vec3& R, const Vec3& s, int& flag,
            const Vec3& G);

// True only when REFPNT(P, T, L, 1, R, s, ...) certainly finds no point inside the strip plate L: in the
// Y-Z plane both ends of the plate lie on one side of the line, by a margin far above the rounding of
// REFPNT's own arithmetic. False (no verdict) for a plate that is not a strip along X.
bool lineMissesStrip(const Vec3& P, const Vec3& s, const PlateTable& T, int L);

// lineMissesStrip for lines from one P against one plate, with what they share found once: misses holds
// for every unit direction s whose Y-Z part runs along (dy, dz), either way, with a squared length of
// at least minSin2, so the caller need not know s's X part. P.x enters only the scale of the rounding,
// so a bound of its size serves where P.x is not known.
class YzStripFrom {
public:
    YzStripFrom(const Vec3& P, const PlateTable& T, int L);
    bool misses(double dy, double dz, double minSin2) const;

private:
    bool strip_;
    double y0_, z0_, y1_, z1_; // the plate's ends less P, in Y-Z
    double ny_, nz_, scale_;
};

// True when REFPNT found a point inside the plate.
inline bool refpntHit(int L, int flag) {
    return flag == 1 && L == 0;
}

// blocked = 1 when one of plates LSTART..LSTOP lies on the straight path P1-P2, else -1. A plate number
// outside the table appends the error line to sink (the report text of the current point, CR LF ends).
void VLOGI1(const Vec3& P1, const Vec3& P2, const PlateTable& T, int LSTART, int LSTOP, int& blocked,
            std::string& sink);

// VLOGI1's exact test of one plate L for the path P1-P2 (u the unit vector from P1 to P2): the line
// meets the plate inside it, at a point not beyond either end.
bool PlateBlocks(const Vec3& P1, const Vec3& P2, const Vec3& u, const PlateTable& T, int L);

} // namespace kelvd

#endif
