#include "gtd_receiver.h"

#include "engine_constants.h"
#include "geometry.h"

#include <cmath>

namespace kelvd {

namespace {
Vec3 mirror(const Vec3& v, const Vec3& n) {
    return v - (2.0 * dot(v, n)) * n;
}

// The pair's field vector E1 theta-hat + E2 phi-hat, taken apart along a and b.
FieldPair components(const FieldPair& E, const SphericalFrame& f, const Vec3& a, const Vec3& b) {
    return {E.E1 * dot(a, f.theta) + E.E2 * dot(a, f.phi), E.E1 * dot(b, f.theta) + E.E2 * dot(b, f.phi)};
}
} // namespace

SphericalFrame sphericalFrame(double theta, double phi) {
    const double t = theta * kRadPerDeg, f = phi * kRadPerDeg;
    const double ct = std::cos(t), st = std::sin(t), cf = std::cos(f), sf = std::sin(f);
    return {{st * cf, st * sf, ct}, {ct * cf, ct * sf, -st}, {-sf, cf, 0}};
}

ReceivingFrame::ReceivingFrame(const Vec3& A, const Vec3& P) {
    Vec3 u;
    double dist = 0, theta = 0;
    RAYDIR(A, P, u, dist, theta, phiD_);
    const SphericalFrame f = sphericalFrame(theta, phiD_);
    axis_ = f.phi;
    across_ = f.theta;
}

FieldPair ReceivingFrame::received(const FieldPair& E, double theta, double phi) const {
    const SphericalFrame f = sphericalFrame(theta, phi);
    if (!level_)
        return components(E, f, across_, axis_);
    // phi-hat(phiD) . phi-hat = cos(phi - phiD) and phi-hat(phiD) . theta-hat = cos(theta) sin(phi - phiD).
    const double d = (phi - phiD_) * kRadPerDeg;
    return {E.E1 * dot(across_, f.theta) + E.E2 * dot(across_, f.phi),
            E.E2 * std::cos(d) + E.E1 * f.r.z * std::sin(d)};
}

ReceivingFrame ReceivingFrame::mirrored(const Vec3& n) const {
    ReceivingFrame m = *this;
    m.across_ = mirror(across_, n);
    // An axis lying in the plate's plane is its own image (every plate runs along X, and so does the
    // axis on the centre line).
    if (dot(axis_, n) != 0) {
        m.axis_ = mirror(axis_, n);
        m.level_ = false;
    }
    return m;
}

FieldPair mirroredPair(const FieldPair& E, double thFrom, double phiFrom, const Vec3& n, double thTo,
                       double phiTo) {
    const SphericalFrame to = sphericalFrame(thTo, phiTo);
    // (M to.theta) . v = to.theta . (M v): mirroring the target frame mirrors the vector.
    return components(E, sphericalFrame(thFrom, phiFrom), mirror(to.theta, n), mirror(to.phi, n));
}

} // namespace kelvd
