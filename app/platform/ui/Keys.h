#ifndef PLATFORM_UI_KEYS_H
#define PLATFORM_UI_KEYS_H

#include <QKeyEvent>
#include <QKeySequence>

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

// The key code of a Qt key event (0 for keys without one).
int KeyCodeOf(const QKeyEvent& event);
// The shift state bits of Qt modifiers.
int ShiftStateOf(Qt::KeyboardModifiers modifiers);
// The mouse button bits of Qt buttons (one button or those held): 1 left, 2 right, 4 middle.
int MouseButtonsOf(Qt::MouseButtons buttons);
// The character code that KeyPress sees for the event: 13 for Enter, 8 Backspace, 27 Escape,
// 1..26 for Ctrl+A..Ctrl+Z, the Latin-1 character otherwise; 0 when the key types nothing.
int CharCodeOf(const QKeyEvent& event);
// The Qt key sequence of a key code with shift state (for menu shortcuts).
QKeySequence KeySequenceOf(int keyCode, int shiftState = 0);

} // namespace plat

#endif
