#include "platform/draw/SystemColourTable.h"

#include <array>
#include <utility>

namespace plat {

namespace {

constexpr std::array<std::pair<int, Colour>, 15> kStandard{{
    {COLOR_DESKTOP, RGB(0, 0, 0)},
    {COLOR_ACTIVECAPTION, RGB(153, 180, 209)},
    {COLOR_WINDOW, RGB(255, 255, 255)},
    {COLOR_WINDOWFRAME, RGB(100, 100, 100)},
    {COLOR_MENUTEXT, RGB(0, 0, 0)},
    {COLOR_WINDOWTEXT, RGB(0, 0, 0)},
    {COLOR_HIGHLIGHT, RGB(0, 120, 215)},
    {COLOR_HIGHLIGHTTEXT, RGB(255, 255, 255)},
    {COLOR_BTNFACE, RGB(240, 240, 240)},
    {COLOR_BTNSHADOW, RGB(160, 160, 160)},
    {COLOR_GRAYTEXT, RGB(109, 109, 109)},
    {COLOR_BTNTEXT, RGB(0, 0, 0)},
    {COLOR_BTNHIGHLIGHT, RGB(255, 255, 255)},
    {COLOR_INFOTEXT, RGB(0, 0, 0)},
    {COLOR_INFOBK, RGB(255, 255, 225)},
}};

} // namespace

Colour StandardSysColor(int index) {
    for (const auto& [system, colour] : kStandard) {
        if (system == index) {
            return colour;
        }
    }
    return StandardSysColor(COLOR_BTNFACE);
}

Colour ResolveStandardColour(Colour colour) {
    if (IsSystemColour(colour)) {
        return StandardSysColor(static_cast<int>(colour & 0xFFu));
    }
    return colour & 0x00FFFFFFu;
}

} // namespace plat
