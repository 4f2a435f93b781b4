#include "platform/ui/Keys.h"

namespace plat {

namespace {

struct KeyPair {
    Qt::Key qt;
    int code;
};

constexpr KeyPair kSpecialKeys[] = {
    {Qt::Key_Backspace, key::Back},  {Qt::Key_Tab, key::Tab},       {Qt::Key_Backtab, key::Tab},
    {Qt::Key_Return, key::Return},   {Qt::Key_Enter, key::Return},  {Qt::Key_Shift, key::Shift},
    {Qt::Key_Control, key::Control}, {Qt::Key_Alt, key::Menu},      {Qt::Key_Escape, key::Escape},
    {Qt::Key_Space, key::Space},     {Qt::Key_PageUp, key::PageUp}, {Qt::Key_PageDown, key::PageDown},
    {Qt::Key_End, key::End},         {Qt::Key_Home, key::Home},     {Qt::Key_Left, key::Left},
    {Qt::Key_Up, key::Up},           {Qt::Key_Right, key::Right},   {Qt::Key_Down, key::Down},
    {Qt::Key_Insert, key::Insert},   {Qt::Key_Delete, key::Delete},
};

// Punctuation keys: on the keypad, and on the main keyboard.
constexpr KeyPair kKeypadKeys[] = {
    {Qt::Key_Asterisk, 106}, {Qt::Key_Plus, 107},  {Qt::Key_Minus, 109},
    {Qt::Key_Period, 110},   {Qt::Key_Comma, 110}, {Qt::Key_Slash, 111},
};
constexpr KeyPair kPunctuationKeys[] = {
    {Qt::Key_Semicolon, 186},    {Qt::Key_Colon, 186},      {Qt::Key_Equal, 187},
    {Qt::Key_Plus, 187},         {Qt::Key_Comma, 188},      {Qt::Key_Less, 188},
    {Qt::Key_Minus, 189},        {Qt::Key_Underscore, 189}, {Qt::Key_Period, 190},
    {Qt::Key_Greater, 190},      {Qt::Key_Slash, 191},      {Qt::Key_Question, 191},
    {Qt::Key_QuoteLeft, 192},    {Qt::Key_AsciiTilde, 192}, {Qt::Key_BracketLeft, 219},
    {Qt::Key_BraceLeft, 219},    {Qt::Key_Backslash, 220},  {Qt::Key_Bar, 220},
    {Qt::Key_BracketRight, 221}, {Qt::Key_BraceRight, 221}, {Qt::Key_Apostrophe, 222},
    {Qt::Key_QuoteDbl, 222},
};

} // namespace

int KeyCodeOf(const QKeyEvent& event) {
    const int k = event.key();
    const bool keypad = event.modifiers() & Qt::KeypadModifier;
    if (keypad && k >= Qt::Key_0 && k <= Qt::Key_9) {
        return 96 + (k - Qt::Key_0);
    }
    auto find = [k](const auto& table) {
        for (const auto& pair : table) {
            if (pair.qt == k) {
                return pair.code;
            }
        }
        return 0;
    };
    if (const int code = keypad ? find(kKeypadKeys) : find(kPunctuationKeys); code != 0) {
        return code;
    }
    for (const auto& pair : kSpecialKeys) {
        if (pair.qt == k) {
            return pair.code;
        }
    }
    if (k >= Qt::Key_0 && k <= Qt::Key_9) {
        return key::Key0 + (k - Qt::Key_0);
    }
    if (k >= Qt::Key_A && k <= Qt::Key_Z) {
        return key::A + (k - Qt::Key_A);
    }
    if (k >= Qt::Key_F1 && k <= Qt::Key_F12) {
        return key::F1 + (k - Qt::Key_F1);
    }
    return 0;
}

int MouseButtonsOf(Qt::MouseButtons buttons) {
    int state = 0;
    if (buttons & Qt::LeftButton) {
        state |= 1;
    }
    if (buttons & Qt::RightButton) {
        state |= 2;
    }
    if (buttons & Qt::MiddleButton) {
        state |= 4;
    }
    return state;
}

int ShiftStateOf(Qt::KeyboardModifiers modifiers) {
    int state = 0;
    if (modifiers & Qt::ShiftModifier) {
        state |= shift::Shift;
    }
    if (modifiers & Qt::ControlModifier) {
        state |= shift::Ctrl;
    }
    if (modifiers & Qt::AltModifier) {
        state |= shift::Alt;
    }
    return state;
}

int CharCodeOf(const QKeyEvent& event) {
    const int k = event.key();
    switch (k) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return 13;
    case Qt::Key_Backspace:
        return 8;
    case Qt::Key_Escape:
        return 27;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return 0;
    default:
        break;
    }
    if ((event.modifiers() & Qt::ControlModifier) && k >= Qt::Key_A && k <= Qt::Key_Z) {
        return 1 + (k - Qt::Key_A);
    }
    if (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier)) {
        return 0;
    }
    const QString text = event.text();
    if (text.size() == 1 && text.at(0).unicode() >= 32 && text.at(0).unicode() < 256 &&
        text.at(0).unicode() != 127) {
        return text.at(0).unicode();
    }
    return 0;
}

QKeySequence KeySequenceOf(int keyCode, int shiftState) {
    int qtKey = 0;
    for (const auto& pair : kSpecialKeys) {
        if (pair.code == keyCode) {
            qtKey = pair.qt;
            break;
        }
    }
    if (keyCode >= key::Key0 && keyCode <= key::Key0 + 9) {
        qtKey = Qt::Key_0 + (keyCode - key::Key0);
    } else if (keyCode >= key::A && keyCode <= key::A + 25) {
        qtKey = Qt::Key_A + (keyCode - key::A);
    } else if (keyCode >= key::F1 && keyCode <= key::F1 + 11) {
        qtKey = Qt::Key_F1 + (keyCode - key::F1);
    }
    if (qtKey == 0) {
        return {};
    }
    Qt::KeyboardModifiers modifiers;
    if (shiftState & shift::Shift) {
        modifiers |= Qt::ShiftModifier;
    }
    if (shiftState & shift::Ctrl) {
        modifiers |= Qt::ControlModifier;
    }
    if (shiftState & shift::Alt) {
        modifiers |= Qt::AltModifier;
    }
    return QKeySequence(QKeyCombination(modifiers, static_cast<Qt::Key>(qtKey)));
}

} // namespace plat
