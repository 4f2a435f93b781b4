#ifndef KELVD_GTD_STATE_H
#define KELVD_GTD_STATE_H

#include "engine_types.h"
#include "geometry.h"
#include "gtd_field_pair.h"
#include "gtd_receiver.h"
#include "gtd_workspace.h"
#include "run_inputs.h"

#include <array>
#include <string>

namespace kelvd {

// What a call knows once for all its diffraction point searches (found by FindQuietBounds): the X of the
// source and of the field point, which the images and unfoldings the tracers form keep, the X ends the
// edges share, the largest X, and the terms of the quiet-search bound that depend on X alone.
struct QuietBounds {
    bool valid = false;
    double Sx = 0, Px = 0, xLo = 0, xHi = 0, Lx = 0;
    double ax = 0, px2 = 0, invM02 = 0;
};

// Everything one GTDFLD call works on: plates, wedge angles and the antenna in wavelengths, the switches
// and the report text of the current field point. Built once per call; the ray tracers only read it
// (the edge visibility entries and the report text excepted).
struct GtdCall {
    GtdCall(const RunInputs& inputs, GtdWorkspace& workspace, std::string& report, int antennaIndex)
        : in(inputs), ws(workspace), sink(report), antenna(antennaIndex), DEBUG(inputs.DEBUG),
          flag(inputs.rayIgnore) {}

    const RunInputs& in;
    GtdWorkspace& ws;
    std::string& sink;
    int antenna;
    int DEBUG;
    const std::array<int, limits::kRaySwitches>& flag; // the twelve ray-ignore switches, flag[0] = direct

    PlateTable T;                                  // DRV and normals in wavelengths
    std::array<double, limits::kMaxVertices> WA{}; // wedge angle of edge k at WA[k - 1], degrees
    Vec3 P{};                                      // field point
    Vec3 A{};                                      // antenna centre
    Vec3 pt1{}, pt2{};                             // ends of the antenna element
    Complex amp{};                                 // source amplitude
    ReceivingFrame rx;                             // the aircraft's antenna, from the direct ray
    double cant = 0;                               // degrees
    std::array<std::array<bool, limits::kMaxVertices>, limits::kMaxVertices> edgeSide{};
    QuietBounds quiet;
    // The field point's image in each plate, and for the legs reflected twice the image of that in each
    // plate before it (fieldImage2[r][j], j < r), each with whether it lies on the plate's ground side:
    // the tracers take them for every edge they try; filled by markFieldImages.
    std::array<Vec3, limits::kMaxVertices> fieldImage{};
    std::array<bool, limits::kMaxVertices> fieldImageBelow{};
    std::array<std::array<Vec3, limits::kMaxVertices>, limits::kMaxVertices> fieldImage2{};
    std::array<std::array<bool, limits::kMaxVertices>, limits::kMaxVertices> fieldImage2Below{};

    int& seen(int edge) { return ws.edgeSeen[static_cast<size_t>(edge - 1)][static_cast<size_t>(antenna)]; }
    const Vec3& edgeA(int k) const { return T.DRV[static_cast<size_t>(2 * k + 1)]; }
    const Vec3& edgeB(int k) const { return T.DRV[static_cast<size_t>(2 * k)]; }
    const Vec3& normal(int plate) const { return T.normal[static_cast<size_t>(plate)]; }

    // Mirror image of X in the plane of a plate.
    Vec3 image(const Vec3& X, int plate) const {
        Vec3 R;
        IMGPNT(X, T.DRV[static_cast<size_t>(2 * plate + 1)], normal(plate), R);
        return R;
    }
    // True when the image of X in the plate lies on the plate's ground side of X.
    bool imageBelow(const Vec3& X, const Vec3& image, int plate) const {
        return dot(image - X, normal(plate)) > 0;
    }
    // Whether edge m lies on the open side of the plate (its image in the plate below it), from the table
    // the reflection tracers consult for every ray they try; filled by markEdgeSides.
    bool edgeOver(int m, int plate) const {
        return edgeSide[static_cast<size_t>(m)][static_cast<size_t>(plate)];
    }
    void markEdgeSides() {
        for (int m = 1; m < T.NPLATE; ++m)
            for (int plate = 0; plate < T.NPLATE; ++plate)
                edgeSide[static_cast<size_t>(m)][static_cast<size_t>(plate)] =
                    imageBelow(edgeA(m), image(edgeA(m), plate), plate);
    }
    void markFieldImages() {
        for (int r = 0; r < T.NPLATE; ++r) {
            const Vec3& Pr = fieldImage[static_cast<size_t>(r)] = image(P, r);
            fieldImageBelow[static_cast<size_t>(r)] = imageBelow(P, Pr, r);
            for (int j = 0; j < r; ++j) {
                const Vec3& Prj = fieldImage2[static_cast<size_t>(r)][static_cast<size_t>(j)] = image(Pr, j);
                fieldImage2Below[static_cast<size_t>(r)][static_cast<size_t>(j)] = imageBelow(Pr, Prj, j);
            }
        }
    }
    // Whether plates lstart..lstop block the straight path P1-P2.
    bool blocked(const Vec3& P1, const Vec3& P2, int lstart, int lstop) {
        int b = -1;
        VLOGI1(P1, P2, T, lstart, lstop, b, sink);
        return b == 1;
    }
    // The point where the line from X along s meets the plate's plane, when it lies inside the plate.
    bool hitAlong(const Vec3& X, const Vec3& s, int plate, Vec3& R) const {
        if (lineMissesStrip(X, s, T, plate))
            return false;
        int L = plate, verdict = 0;
        REFPNT(X, T, L, 1, R, s, verdict, P);
        return refpntHit(L, verdict);
    }
};

// The unit vector from a to b (VECTOR code 3, inline for the tracers' inner loops).
inline Vec3 unitFromTo(const Vec3& a, const Vec3& b) {
    const Vec3 d = b - a;
    const double len = length(d);
    return len != 0 ? (1.0 / len) * d : d;
}

} // namespace kelvd

#endif
