#ifndef KELVD_GTD_RECEIVER_H
#define KELVD_GTD_RECEIVER_H

#include "engine_types.h"
#include "gtd_field_pair.h"

namespace kelvd {

// Unit vectors of the direction (theta, phi) (degrees, theta from +Z): r-hat, theta-hat and phi-hat.
struct SphericalFrame {
    Vec3 r, theta, phi;
};
SphericalFrame sphericalFrame(double theta, double phi);

// The receiving antenna of the aircraft: a horizontal element across the line from the array's antenna
// to the field point. It responds to one component of the total field vector, the same for every ray,
// so the rays of every family add by their components along that one axis (phi-hat of the direct ray),
// wherever they arrive from. Theta-hat of the direct ray is kept beside it, so that a sum of received
// pairs reads as the total field's components in the direct ray's own frame.
class ReceivingFrame {
public:
    ReceivingFrame() = default;
    // The frame of the direct ray from A to P.
    ReceivingFrame(const Vec3& A, const Vec3& P);

    // The ray's pair (E1 along theta-hat, E2 along phi-hat of its own direction theta, phi in degrees),
    // as this frame's pair: E2 the component along the receiving axis, E1 that along the direct ray's
    // theta-hat.
    FieldPair received(const FieldPair& E, double theta, double phi) const;

    // The frame mirrored in a plate's plane (unit normal n). A ray traced to the field point's image in
    // the plate carries the field there; the field at the point itself is that field mirrored (the
    // reflection's sign lies in the mirrored antenna's order), so its component along an axis is the
    // traced field's component along the mirrored axis.
    ReceivingFrame mirrored(const Vec3& n) const;

private:
    Vec3 axis_{}, across_{};
    // While the axis is still phi-hat at the direct ray's azimuth phiD_ (degrees), the projection is taken
    // in closed form from the difference of azimuths: a ray that shares the azimuth keeps its E2 exactly.
    bool level_ = true;
    double phiD_ = 0;
};

// The pair of a ray (direction thFrom, phiFrom) reflected in a plate's plane (unit normal n), as the
// pair of the reflected direction (thTo, phiTo): the field vector is mirrored and taken apart anew. The
// reflection's sign is not applied (it lies in the mirrored antenna's order).
FieldPair mirroredPair(const FieldPair& E, double thFrom, double phiFrom, const Vec3& n, double thTo, double phiTo);

} // namespace kelvd

#endif
