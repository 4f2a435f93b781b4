#include "platform/draw/GdiObjects.h"

namespace plat {

namespace {

template <typename Record> bool Read(const HGDIOBJ& object, Record& record) {
    if (!object) {
        return false;
    }
    const Record* held = std::get_if<Record>(object.get());
    if (held == nullptr) {
        return false;
    }
    record = *held;
    return true;
}

} // namespace

HGDIOBJ CreatePen(int style, int width, Colour colour) {
    return CreatePenIndirect(LOGPEN{style, width, colour});
}

HGDIOBJ CreatePenIndirect(const LOGPEN& pen) {
    return std::make_shared<const GdiObject>(pen);
}

HGDIOBJ CreateSolidBrush(Colour colour) {
    return CreateBrushIndirect(LOGBRUSH{BS_SOLID, colour});
}

HGDIOBJ CreateBrushIndirect(const LOGBRUSH& brush) {
    return std::make_shared<const GdiObject>(brush);
}

HGDIOBJ CreateFontIndirect(const LOGFONT& font) {
    return std::make_shared<const GdiObject>(font);
}

HGDIOBJ GetStockObject(int stock) {
    static const HGDIOBJ whiteBrush = CreateSolidBrush(0xFFFFFF);
    static const HGDIOBJ blackBrush = CreateSolidBrush(0x000000);
    static const HGDIOBJ nullBrush = CreateBrushIndirect(LOGBRUSH{BS_NULL, 0});
    static const HGDIOBJ whitePen = CreatePen(PS_SOLID, 0, 0xFFFFFF);
    static const HGDIOBJ blackPen = CreatePen(PS_SOLID, 0, 0x000000);
    static const HGDIOBJ nullPen = CreatePen(PS_NULL, 0, 0);
    // The system font: a bold sans face, 16 pixels to the cell.
    static const HGDIOBJ systemFont =
        CreateFontIndirect(LOGFONT{.height = 16, .weight = FW_BOLD, .faceName = "System"});
    switch (stock) {
    case WHITE_BRUSH:
        return whiteBrush;
    case BLACK_BRUSH:
        return blackBrush;
    case NULL_BRUSH:
        return nullBrush;
    case WHITE_PEN:
        return whitePen;
    case BLACK_PEN:
        return blackPen;
    case NULL_PEN:
        return nullPen;
    case SYSTEM_FONT:
        return systemFont;
    default:
        return nullptr;
    }
}

bool GetObject(const HGDIOBJ& object, LOGPEN& pen) {
    return Read(object, pen);
}
bool GetObject(const HGDIOBJ& object, LOGBRUSH& brush) {
    return Read(object, brush);
}
bool GetObject(const HGDIOBJ& object, LOGFONT& font) {
    return Read(object, font);
}

bool DeleteObject(HGDIOBJ& object) {
    if (!object) {
        return false;
    }
    object.reset();
    return true;
}

} // namespace plat
