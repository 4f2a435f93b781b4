#ifndef PLATFORM_UI_KEYS_H
#define PLATFORM_UI_KEYS_H

#include <QKeyEvent>
#include <QKeySequence>

#include "platform/text/KeyCodes.h"

namespace plat {


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
