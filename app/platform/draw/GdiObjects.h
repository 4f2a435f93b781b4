#ifndef PLATFORM_DRAW_GDIOBJECTS_H
#define PLATFORM_DRAW_GDIOBJECTS_H

#include <memory>
#include <string>
#include <variant>

#include "platform/draw/Colour.h"

namespace plat {

// Pens, brushes and fonts are immutable records shared through handles (HGDIOBJ, a shared
// pointer). A device context keeps its own reference to what is selected into it, so DeleteObject,
// which drops the caller's reference, never leaves the context with a dangling object. Stock
// objects are shared singletons; deleting one only drops that reference.

inline constexpr int PS_SOLID = 0;
inline constexpr int PS_DASH = 1;       // 18 pixels on, 6 off
inline constexpr int PS_DOT = 2;        // 3 on, 3 off
inline constexpr int PS_DASHDOT = 3;    // 9 on, 6 off, 3 on, 6 off
inline constexpr int PS_DASHDOTDOT = 4; // 9 on, 3 off, 3 on, 3 off, 3 on, 3 off
inline constexpr int PS_NULL = 5;

inline constexpr int BS_SOLID = 0;
inline constexpr int BS_NULL = 1;

inline constexpr int FW_NORMAL = 400;
inline constexpr int FW_BOLD = 700;
inline constexpr int FW_BLACK = 900;

// Stock objects (GetStockObject).
inline constexpr int WHITE_BRUSH = 0;
inline constexpr int BLACK_BRUSH = 4;
inline constexpr int NULL_BRUSH = 5;
inline constexpr int WHITE_PEN = 6;
inline constexpr int BLACK_PEN = 7;
inline constexpr int NULL_PEN = 8;
inline constexpr int SYSTEM_FONT = 13;

// A pen: style (PS_...), width in logical units (0 is one pixel whatever the mapping) and colour.
struct LOGPEN {
    int style = PS_SOLID;
    int width = 0;
    Colour colour = 0;
    bool operator==(const LOGPEN&) const = default;
};

struct LOGBRUSH {
    int style = BS_SOLID;
    Colour colour = 0;
    bool operator==(const LOGBRUSH&) const = default;
};

// A font: height in logical units (negative: the character height without internal leading;
// positive: the cell height; 0: a default of 12 pixels character height), escapement and
// orientation in tenths of a degree counter-clockwise, weight 0..1000 (0 normal), the face name
// (see FontFaces.h for how it is resolved to an installed face).
struct LOGFONT {
    int height = 0;
    int width = 0;
    int escapement = 0;
    int orientation = 0;
    int weight = 0;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    std::string faceName;
    bool operator==(const LOGFONT&) const = default;
};

using GdiObject = std::variant<LOGPEN, LOGBRUSH, LOGFONT>;
using HGDIOBJ = std::shared_ptr<const GdiObject>;

HGDIOBJ CreatePen(int style, int width, Colour colour);
HGDIOBJ CreatePenIndirect(const LOGPEN& pen);
HGDIOBJ CreateSolidBrush(Colour colour);
HGDIOBJ CreateBrushIndirect(const LOGBRUSH& brush);
HGDIOBJ CreateFontIndirect(const LOGFONT& font);
// The stock object of that number, or null for a number not listed above.
HGDIOBJ GetStockObject(int stock);
// Copies the object's record when the handle holds one of that kind; false otherwise.
bool GetObject(const HGDIOBJ& object, LOGPEN& pen);
bool GetObject(const HGDIOBJ& object, LOGBRUSH& brush);
bool GetObject(const HGDIOBJ& object, LOGFONT& font);
// Drops the caller's reference (the handle becomes null); false for a null handle.
bool DeleteObject(HGDIOBJ& object);

} // namespace plat

#endif
