#ifndef KELVD_PO_IMAGE_FIELD_H
#define KELVD_PO_IMAGE_FIELD_H

// Image theory in the physical-optics model's terms, for its tests.

#include "po_model.h"

#include <cmath>

namespace kelvd_test {

// The physical-optics field of antenna g.A at g.P over a perfectly conducting plane in which the antenna's
// image is I: the fields exp(-jkR)/R of the antenna and (negated) of its image, each times -j / (2 lambda)
// and the Y direction cosine of its ray at P. The direct ray carries that factor by construction, and the
// stationary point of the profile integral gives it to the reflected ray.
inline kelvd::Complex ImageTheoryPO(const kelvd::POGeometry& g, const kelvd::Vec3& I) {
    const auto ray = [&](const kelvd::Vec3& q) {
        const double dx = g.P.x - q.x, dy = g.P.y - q.y, dz = g.P.z - q.z;
        const double R = std::sqrt(dx * dx + dy * dy + dz * dz);
        return (dy / R) * std::exp(kelvd::Complex(0, -g.k * R)) / R;
    };
    return kelvd::Complex(0, -0.5 / g.lambda) * (ray(g.A) - ray(I));
}

} // namespace kelvd_test

#endif
