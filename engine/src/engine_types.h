#ifndef KELVD_ENGINE_TYPES_H
#define KELVD_ENGINE_TYPES_H

#include <array>
#include <complex>
#include <string>

namespace kelvd {

using Complex = std::complex<double>;

struct Vec3 {
    double x = 0, y = 0, z = 0;
};

namespace limits {
constexpr int kMaxVertices = 30;
constexpr int kMaxAntennas = 5;
constexpr int kMaxPoints = 250;
constexpr int kMaxGroundCuts = 30;
constexpr int kRaySwitches = 12;
} // namespace limits

// A terrain profile: vertices along the runway (X lateral, Y along the runway, Z height, feet).
struct Profile {
    int NV = 0;
    std::array<Vec3, limits::kMaxVertices> v{};
};

} // namespace kelvd

#endif
