#ifndef PLATFORM_TEXT_KEYCODES_H
#define PLATFORM_TEXT_KEYCODES_H

// The numbers the windows' key handlers see, without Qt, so that the editors' Qt-free cell rules
// read the same names as the windows.

namespace plat {

// Key codes as the windows' KeyDown handlers see them (virtual-key numbering).
namespace key {
inline constexpr int Back = 8;
inline constexpr int Tab = 9;
inline constexpr int Return = 13;
inline constexpr int Shift = 16;
inline constexpr int Control = 17;
inline constexpr int Menu = 18;
inline constexpr int Escape = 27;
inline constexpr int Space = 32;
inline constexpr int PageUp = 33;
inline constexpr int PageDown = 34;
inline constexpr int End = 35;
inline constexpr int Home = 36;
inline constexpr int Left = 37;
inline constexpr int Up = 38;
inline constexpr int Right = 39;
inline constexpr int Down = 40;
inline constexpr int Insert = 45;
inline constexpr int Delete = 46;
inline constexpr int Key0 = 48; // '0'..'9' are 48..57
inline constexpr int A = 65;    // 'A'..'Z' are 65..90
inline constexpr int F1 = 112;  // F1..F12 are 112..123
inline constexpr int F2 = 113;
inline constexpr int F3 = 114;
inline constexpr int F4 = 115;
inline constexpr int F5 = 116;
inline constexpr int F6 = 117;
inline constexpr int F7 = 118;
inline constexpr int F8 = 119;
inline constexpr int F9 = 120;
inline constexpr int F10 = 121;
} // namespace key

// Shift state bits of KeyDown.
namespace shift {
inline constexpr int Shift = 1;
inline constexpr int Ctrl = 2;
inline constexpr int Alt = 4;
} // namespace shift

// Character codes as the windows' KeyPress handlers see them.
namespace ascii {
inline constexpr int CtrlC = 3;
inline constexpr int Backspace = 8;
inline constexpr int Enter = 13;
inline constexpr int CtrlV = 22;
inline constexpr int Escape = 27;
} // namespace ascii

// Whether a KeyPress character types something into a cell (not a control character or DEL).
inline bool PrintableAscii(int keyAscii) {
    return keyAscii >= 32 && keyAscii <= 255 && keyAscii != 127;
}

} // namespace plat

#endif
