#ifndef PLATFORM_DRAW_DEVICECONTEXT_H
#define PLATFORM_DRAW_DEVICECONTEXT_H

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/draw/Colour.h"
#include "platform/draw/GdiObjects.h"
#include "platform/draw/PixelBlit.h"
#include "platform/draw/PixelBuffer.h"

namespace plat {

inline constexpr int MM_TEXT = 1;
inline constexpr int MM_ANISOTROPIC = 8;

// Kinds of object for GetCurrentObject.
inline constexpr int OBJ_PEN = 1;
inline constexpr int OBJ_BRUSH = 2;
inline constexpr int OBJ_FONT = 6;

inline constexpr int TRANSPARENT = 1;
inline constexpr int OPAQUE = 2;

// Text alignment: one horizontal and one vertical flag, or-ed.
inline constexpr unsigned TA_LEFT = 0;
inline constexpr unsigned TA_RIGHT = 2;
inline constexpr unsigned TA_CENTER = 6;
inline constexpr unsigned TA_TOP = 0;
inline constexpr unsigned TA_BOTTOM = 8;
inline constexpr unsigned TA_BASELINE = 24;

inline constexpr unsigned FLOODFILLBORDER = 0;
inline constexpr unsigned FLOODFILLSURFACE = 1;

inline constexpr int BLACKONWHITE = 1;
inline constexpr int WHITEONBLACK = 2;
inline constexpr int COLORONCOLOR = 3;
inline constexpr int HALFTONE = 4;

struct POINT {
    int x = 0;
    int y = 0;
    bool operator==(const POINT&) const = default;
};

struct SIZE {
    int cx = 0;
    int cy = 0;
    bool operator==(const SIZE&) const = default;
};

// One TextOut as a test reads it back: the text, the logical point it was given, the font's
// escapement (tenths of a degree) and the text colour.
struct TextCall {
    std::string text;
    POINT at;
    int escapement = 0;
    Colour colour = 0;
    bool operator==(const TextCall&) const = default;
};

struct RECT {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

// A device context: the drawing state of one picture over one pixel buffer, with the calls of the
// platform's GDI under their own names. Coordinates are logical units, mapped to pixels by the
// mapping mode: MM_TEXT (one unit one pixel) or MM_ANISOTROPIC (device = (logical - window origin)
// x viewport extent / window extent + viewport origin, each axis on its own; negative extents turn
// an axis round). Mapped points are rounded to the nearest pixel, halves up. A pen's width is
// mapped by the horizontal scale and drawn at least one pixel wide; dash and dot styles apply to
// pens one logical unit wide or less (a wider styled pen draws solid, as the platform does).
// LineTo, like the platform's, leaves out the last pixel of the line.
//
// Selecting an object hands back the one of the same kind it replaces. The plot page's "change one
// attribute of the pen" reads:
//     HGDIOBJ old = dc.SelectObject(GetStockObject(BLACK_PEN)); // the pen in use comes back
//     LOGPEN pen; GetObject(old, pen); pen.colour = c; DeleteObject(old);
//     dc.SelectObject(CreatePenIndirect(pen));
//
// The context does not own the buffer: it holds the buffer object, which must outlive it. Resizing
// or reassigning that buffer keeps the context valid (every call looks at the buffer as it is then).
//
// A target of fewer than 32 bits (indexed, 16 or 24 bits) supports SetPixel and GetPixel, lines of
// one-pixel pens (LineTo, Polyline), FillRect, flood fill, BitBlt and StretchBlt (from and to it;
// the stretching rule is StretchPixels, PixelBlit.h); an indexed target takes the nearest entry of
// its table. Text, rectangles, ellipses, arcs, polygons and wide lines need a 32-bit target (Qt
// paints only those): on any other they draw nothing and return false.
//
// Fonts and text need a QGuiApplication (Qt's font database). A font's height is mapped by the
// vertical scale; its width field is kept but the face's own widths are drawn. Lines and text are
// drawn without anti-aliasing, as the platform draws them: every pixel holds the pen's or the text's
// own colour, so a page keeps exact colours and a GIF made from it keeps them too.
class DeviceContext {
public:
    explicit DeviceContext(PixelBuffer& target);
    DeviceContext(const DeviceContext&) = delete;
    DeviceContext& operator=(const DeviceContext&) = delete;

    PixelBuffer& Target() { return *target_; }
    const PixelBuffer& Target() const { return *target_; }

    // Mapping. The Set...Ex calls return the previous value through `previous` when given; zero
    // extents are refused, and in MM_TEXT extents are ignored. SetMapMode takes MM_TEXT and MM_ANISOTROPIC
    // and refuses (0) the others.
    int SetMapMode(int mode);
    int GetMapMode() const { return state_.mapMode; }
    bool SetWindowExtEx(int x, int y, SIZE* previous = nullptr);
    bool SetViewportExtEx(int x, int y, SIZE* previous = nullptr);
    bool SetWindowOrgEx(int x, int y, POINT* previous = nullptr);
    bool SetViewportOrgEx(int x, int y, POINT* previous = nullptr);
    bool GetWindowExtEx(SIZE& size) const;
    bool GetViewportExtEx(SIZE& size) const;
    POINT LPtoDP(POINT logical) const;
    POINT DPtoLP(POINT device) const;

    // Saves the whole state (mapping, current point, pen, brush, font, colours, modes, alignment)
    // and returns its level (1, 2, ...), or 0 on failure.
    int SaveDC();
    // Goes back to the state saved at `level` (a negative level counts back from the last), dropping
    // the states saved after it.
    bool RestoreDC(int level);

    // Selects a pen, brush or font, returning the one of its kind that was selected; a null handle
    // changes nothing and returns null.
    HGDIOBJ SelectObject(const HGDIOBJ& object);
    // The pen, brush or font selected (OBJ_PEN, OBJ_BRUSH, OBJ_FONT), without changing it; null for
    // another kind.
    HGDIOBJ GetCurrentObject(int objectType) const;

    Colour SetTextColor(Colour colour);
    Colour GetTextColor() const { return state_.textColour; }
    Colour SetBkColor(Colour colour);
    Colour GetBkColor() const { return state_.backColour; }
    int SetBkMode(int mode);
    int GetBkMode() const { return state_.backMode; }
    unsigned SetTextAlign(unsigned align);
    unsigned GetTextAlign() const { return state_.textAlign; }
    // COLORONCOLOR and the other modes all stretch by keeping the nearest pixel (no blending).
    int SetStretchBltMode(int mode);
    int GetStretchBltMode() const { return state_.stretchMode; }

    bool MoveToEx(int x, int y, POINT* previous = nullptr);
    bool GetCurrentPositionEx(POINT& point) const;
    // A line from the current point to (x, y) with the pen; the current point moves there.
    bool LineTo(int x, int y);
    bool Polyline(std::span<const POINT> points);
    // counts.size() polylines, the k-th of counts[k] points (at least two) taken in turn from `points`,
    // each drawn as Polyline draws it; false, drawing nothing, when a count is under two or the counts
    // need more points than given. The mapping and the pen are read once for the whole call.
    bool PolyPolyline(std::span<const POINT> points, std::span<const unsigned> counts);
    // Outlined with the pen and filled with the brush; the right and bottom edges lie outside.
    bool Rectangle(int left, int top, int right, int bottom);
    bool Ellipse(int left, int top, int right, int bottom);
    bool Polygon(std::span<const POINT> points);
    // The part of the ellipse in the box from the ray through `start` counter-clockwise to the
    // ray through `end`.
    bool Arc(int left, int top, int right, int bottom, int xStart, int yStart, int xEnd, int yEnd);
    // Fills the rectangle (right and bottom edges outside) with the brush; the pen is not used.
    bool FillRect(const RECT& rect, const HGDIOBJ& brush);

    // Latin-1 text with the font, the text colour, the alignment and, when the background mode is
    // OPAQUE, on the background colour; rotated by the font's escapement about the reference point.
    bool TextOut(int x, int y, std::string_view text);
    // The text's unrotated extent in logical units: advance width, cell height.
    bool GetTextExtentPoint32(std::string_view text, SIZE& size) const;
    // When given, every TextOut is also appended there (tests read what a page wrote); null stops it.
    // The log must outlive the context or be taken back.
    void SetTextLog(std::vector<TextCall>* log) { textLog_ = log; }

    // Returns the colour set, or CLR_INVALID outside the picture.
    Colour SetPixel(int x, int y, Colour colour);
    Colour GetPixel(int x, int y) const;
    // Fills with the brush: FLOODFILLBORDER the 4-connected area around (x, y) up to `colour`;
    // FLOODFILLSURFACE the area of `colour`. False when the start point does not qualify.
    bool ExtFloodFill(int x, int y, Colour colour, unsigned type);
    bool FloodFill(int x, int y, Colour border) { return ExtFloodFill(x, y, border, FLOODFILLBORDER); }

    // Copies (SRCCOPY only) between contexts, each rectangle in its own context's logical units.
    bool BitBlt(int x, int y, int width, int height, const DeviceContext& source, int xSource, int ySource,
                unsigned rop);
    bool StretchBlt(int x, int y, int width, int height, const DeviceContext& source, int xSource,
                    int ySource, int widthSource, int heightSource, unsigned rop);

private:
    struct State {
        int mapMode = MM_TEXT;
        SIZE windowExt{1, 1};
        SIZE viewportExt{1, 1};
        POINT windowOrg;
        POINT viewportOrg;
        POINT current;
        HGDIOBJ pen;
        HGDIOBJ brush;
        HGDIOBJ font;
        Colour textColour = 0x000000;
        Colour backColour = 0xFFFFFF;
        int backMode = OPAQUE;
        unsigned textAlign = TA_LEFT | TA_TOP;
        int stretchMode = BLACKONWHITE;
    };

    // Logical to device coordinates as the state maps them, taken once for a run of points.
    struct Mapping {
        double scaleX;
        double scaleY;
        POINT windowOrg;
        POINT viewportOrg;
        double X(double x) const { return (x - windowOrg.x) * scaleX + viewportOrg.x; }
        double Y(double y) const { return (y - windowOrg.y) * scaleY + viewportOrg.y; }
        POINT ToDevice(POINT logical) const;
    };
    // What drawing a line with the pen needs, resolved once for a run of lines.
    struct LinePen {
        bool none;                    // PS_NULL: nothing drawn
        int pixels;                   // mapped width
        std::span<const int> pattern; // dash pattern of a thin pen, empty when solid
        int cycle;                    // the pattern's length
        Colour ink;
        Colour gap;
        bool paintGaps;
    };

    Mapping Map() const;
    double ScaleX() const;
    double ScaleY() const;
    double ToDeviceX(double x) const;
    double ToDeviceY(double y) const;
    const LOGPEN& Pen() const;
    const LOGBRUSH& Brush() const;
    const LOGFONT& Font() const;
    int PenPixels() const;
    LinePen PenForLines() const;
    // A line between device points with the pen; the current point is the caller's.
    bool Line(POINT from, POINT to, const LinePen& pen);
    void ThinLine(POINT from, POINT to, const LinePen& pen);
    bool WideLine(POINT from, POINT to, int pixels);
    bool Shape(int left, int top, int right, int bottom, bool ellipse);

    PixelBuffer* target_;
    State state_;
    std::vector<State> saved_;
    // The position within the pen's dash pattern, carried from line to line as the platform does.
    int styleStep_ = 0;
    std::vector<TextCall>* textLog_ = nullptr;
};

} // namespace plat

#endif
