#include "flat_earth.h"

#include <cmath>

namespace kelvd {

Complex FresnelReflection(double psi, Complex epsEff) {
    const double c = std::cos(psi);
    const Complex z(epsEff.real() - c * c, epsEff.imag());
    Complex w = std::sqrt(z);
    if (std::atan2(z.imag(), z.real()) > 0)
        w = -w;
    const double s = std::sin(psi);
    return (s - w) / (s + w);
}

void FLATEF(const FieldContext& ctx, Complex& E, Complex epsEff) {
    const Vec3& A = ctx.in.ant[static_cast<size_t>(ctx.antenna)].pos;
    const Vec3& P = ctx.P;
    const Vec3& v0 = ctx.profile.v[0];
    const Vec3& v1 = ctx.profile.v[1];
    const bool plane = ctx.profile.NV >= 2 && (v1.y != v0.y || v1.z != v0.z);

    Vec3 I{A.x, A.y, 0};
    if (plane && v1.y == v0.y) {
        // Vertical first segment: mirror in the plane Y = Y0.
        I.y = 2 * v0.y - A.y;
        I.z = A.z;
    } else {
        const double m = plane ? (v1.z - v0.z) / (v1.y - v0.y) : 0.0;
        const double b = plane ? v1.z - m * v1.y : v0.z;
        const double Yf = ((A.z - b) * m + A.y) / (m * m + 1);
        const double Zf = m * Yf + b;
        I.y = 2 * Yf - A.y;
        I.z = 2 * Zf - A.z;
    }

    const double dx2 = P.x - I.x, dy2 = P.y - I.y, dz2 = P.z - I.z;
    const double R2 = std::sqrt(dx2 * dx2 + dy2 * dy2 + dz2 * dz2);
    const double dx1 = P.x - A.x, dy1 = P.y - A.y, dz1 = P.z - A.z;
    const double R1 = std::sqrt(dx1 * dx1 + dy1 * dy1 + dz1 * dz1);
    const double k = ctx.in.k;
    const Complex j(0, 1);

    Complex Er;
    if (std::abs(epsEff) == 0) {
        Er = -std::exp(-j * k * R2) / R2;
    } else {
        const double psi = std::atan2(dz2, std::sqrt(dx2 * dx2 + dy2 * dy2));
        Er = FresnelReflection(psi, epsEff) * std::exp(-j * k * R2) / R2;
    }
    const Complex Ed = std::exp(-j * k * R1) / R1;
    E = Ed + Er;
}

} // namespace kelvd
