#include "platform/ui/Colors.h"

#include <QApplication>
#include <QPalette>

namespace plat {

namespace {

QColor SystemColour(unsigned index) {
    const QPalette palette = QApplication::palette();
    switch (index) {
    case 0x01:
        return palette.color(QPalette::Window); // desktop
    case 0x02:
        return palette.color(QPalette::Highlight); // active caption
    case 0x05:
        return palette.color(QPalette::Base); // window
    case 0x06:
        return palette.color(QPalette::Dark); // window frame
    case 0x07:
        return palette.color(QPalette::WindowText); // menu text
    case 0x08:
        return palette.color(QPalette::Text); // window text
    case 0x0D:
        return palette.color(QPalette::Highlight);
    case 0x0E:
        return palette.color(QPalette::HighlightedText);
    case 0x10:
        return palette.color(QPalette::Mid); // button shadow
    case 0x11:
        return palette.color(QPalette::PlaceholderText); // grey text
    case 0x12:
        return palette.color(QPalette::ButtonText);
    case 0x14:
        return palette.color(QPalette::Light); // button highlight
    case 0x17:
        return palette.color(QPalette::ToolTipText); // info text
    case 0x18:
        return palette.color(QPalette::ToolTipBase); // info background
    default:
        return palette.color(QPalette::Button); // button face and the rest
    }
}

} // namespace

QColor ToQColor(Colour colour) {
    if (colour & 0x80000000u) {
        return SystemColour(colour & 0xFFu);
    }
    return QColor(static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                  static_cast<int>((colour >> 16) & 0xFF));
}

Colour FromQColor(const QColor& colour) {
    return static_cast<Colour>(colour.red()) | (static_cast<Colour>(colour.green()) << 8) |
           (static_cast<Colour>(colour.blue()) << 16);
}

} // namespace plat
