#include "platform/ui/Colors.h"

namespace plat {

QColor ToQColor(Colour colour) {
    const Colour rgb = ResolveColour(colour);
    return QColor(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
}

Colour FromQColor(const QColor& colour) {
    return RGB(colour.red(), colour.green(), colour.blue());
}

} // namespace plat
