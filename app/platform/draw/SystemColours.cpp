#include "platform/draw/SystemColours.h"

#include <array>
#include <utility>

#include <QGuiApplication>
#include <QPalette>

namespace plat {

namespace {

// Which palette role stands for which system colour.
constexpr std::array<std::pair<int, QPalette::ColorRole>, 14> kRoles{{
    {COLOR_DESKTOP, QPalette::Window},
    {COLOR_ACTIVECAPTION, QPalette::Highlight},
    {COLOR_WINDOW, QPalette::Base},
    {COLOR_WINDOWFRAME, QPalette::Dark},
    {COLOR_MENUTEXT, QPalette::WindowText},
    {COLOR_WINDOWTEXT, QPalette::Text},
    {COLOR_HIGHLIGHT, QPalette::Highlight},
    {COLOR_HIGHLIGHTTEXT, QPalette::HighlightedText},
    {COLOR_BTNSHADOW, QPalette::Mid},
    {COLOR_GRAYTEXT, QPalette::PlaceholderText},
    {COLOR_BTNTEXT, QPalette::ButtonText},
    {COLOR_BTNHIGHLIGHT, QPalette::Light},
    {COLOR_INFOTEXT, QPalette::ToolTipText},
    {COLOR_INFOBK, QPalette::ToolTipBase},
}};

} // namespace

Colour GetSysColor(int index) {
    QPalette::ColorRole role = QPalette::Button;
    for (const auto& [system, paletteRole] : kRoles) {
        if (system == index) {
            role = paletteRole;
        }
    }
    const QColor c = QGuiApplication::palette().color(role);
    return RGB(c.red(), c.green(), c.blue());
}

Colour ResolveColour(Colour colour) {
    if (IsSystemColour(colour)) {
        return GetSysColor(static_cast<int>(colour & 0xFFu));
    }
    return colour & 0x00FFFFFFu;
}

} // namespace plat
