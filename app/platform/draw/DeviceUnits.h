#ifndef PLATFORM_DRAW_DEVICEUNITS_H
#define PLATFORM_DRAW_DEVICEUNITS_H

// Shared by the device context's source files: device pixels and Qt colours.

#include <algorithm>
#include <cmath>

#include <QColor>

#include "platform/draw/Colour.h"
#include "platform/draw/SystemColours.h"

namespace plat::device {

// Device coordinates are held to the platform's 27-bit range (a NaN goes to its lower end).
inline constexpr double kDeviceLimit = 1 << 27;

// The nearest pixel, halves up.
inline int Round(double v) {
    if (!(v > -kDeviceLimit)) {
        return -static_cast<int>(kDeviceLimit);
    }
    return static_cast<int>(std::floor(std::min(v, kDeviceLimit) + 0.5));
}

// The Qt colour of a colour number, a system colour resolved.
inline QColor ToQt(Colour colour) {
    const Colour rgb = ResolveColour(colour);
    return QColor(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
}

} // namespace plat::device

#endif
