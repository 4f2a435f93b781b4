#include "gtd_source.h"

#include "engine_constants.h"

#include <cmath>

namespace kelvd {

FieldPair SRCFLD(const GtdCall& g, const Vec3& p1, const Vec3& p2, double theta, double phi, double dist) {
    FieldPair E;
    if (!(dist > 0))
        return E;
    const Complex E0 = Complex(0, -kSixtyPi) * g.amp * std::polar(1.0, -kTwoPi * dist) / dist;
    const Vec3 u = unitFromTo(p1, p2);
    const double t = theta * kRadPerDeg, f = phi * kRadPerDeg;
    const double ct = std::cos(t), st = std::sin(t), cf = std::cos(f), sf = std::sin(f);
    E.E1 = E0 * ((cf * u.x + sf * u.y) * ct - st * u.z);
    E.E2 = E0 * (cf * u.y - sf * u.x);
    ANTPAT(g, E, t, f);
    return E;
}

void ANTPAT(const GtdCall& g, FieldPair& E, double theta, double phi) {
    if (g.in.AMODE <= 1)
        return;
    const auto& ant = g.in.ant[static_cast<size_t>(g.antenna)];
    // F1, F2, F3 take the antenna line's third, second and first element value.
    const Complex F1 = ant.elementFactor[2], F2 = ant.elementFactor[1], F3 = ant.elementFactor[0];
    const double cpsi = std::cos(phi - g.cant * kRadPerDeg);
    const double k = g.in.k;
    E.E2 *= std::cos(kPointFourPi * cpsi) *
            (F2 + F3 * std::polar(1.0, 2 * k * cpsi) + F1 * std::polar(1.0, -2 * k * cpsi));
    E.E1 *= std::fabs(std::cos(0.3 * std::sin(theta)) - std::cos(0.3 * std::cos(theta)));
}

} // namespace kelvd
