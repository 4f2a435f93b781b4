#ifndef PLATFORM_UI_TEXTBOX_H
#define PLATFORM_UI_TEXTBOX_H

#include <functional>
#include <string>

#include "platform/ui/Control.h"

class QLineEdit;

namespace plat {

class TextBox;

// The steps a numeric text box runs on its text: the unit-suffix conversion into the display
// unit and the numeric guard.
struct NumericSteps {
    bool convert = true;
    bool guard = true;
};

// The behaviour every numeric text box shares. Gaining the focus selects the whole text. Enter
// runs `enter`'s steps, swallows the key and moves the focus on as a TAB keystroke would (after
// the running handler returns). Leaving the box runs `leave`'s steps and then the box's own
// step, which is its LostFocus handler. The steps themselves are the program's routines
// (convert, then guard), given with the behaviour.
struct NumericBehaviour {
    NumericSteps enter;
    NumericSteps leave;
    std::function<void(TextBox&)> convert;
    std::function<void(TextBox&)> guard;
};

// A single-line text box. Setting Text from code fires Change, as typing does; a box not being
// edited shows its text from the start. Its back colour
// is the program's to set (white by default; the windows grey disabled boxes with 0xC0C0C0).
class TextBox : public Control {
public:
    TextBox(Container& parent, std::string name, int index = -1);
    std::string TypeName() const override { return "TextBox"; }

    std::string Text() const;
    void SetText(const std::string& text);
    // Selection start (0-based caret position) and length, in characters.
    int SelStart() const;
    void SetSelStart(int start);
    int SelLength() const;
    void SetSelLength(int length);
    std::string SelText() const;
    bool Locked() const;
    void SetLocked(bool locked);
    int MaxLength() const;
    void SetMaxLength(int length);
    Colour BackColor() const { return backColor_; }
    void SetBackColor(Colour colour);
    Colour ForeColor() const { return foreColor_; }
    void SetForeColor(Colour colour);
    // 0 left, 1 right, 2 centre.
    void SetAlignment(int alignment);
    // 0 no border, 1 fixed single.
    void SetBorderStyle(int style);

    // Makes this a numeric box (see NumericBehaviour). std::invalid_argument when a step that the
    // box runs has no routine.
    void SetNumericBehaviour(NumericBehaviour behaviour);
    bool IsNumeric() const { return numeric_; }

    QLineEdit* Editor() const;

    std::function<void()> Change;
    // Before the box loses the focus to another of the program's controls (before LostFocus).
    std::function<void()> Validate;

protected:
    void HandleGotFocus() override;
    void HandleLostFocus() override;
    void HandleKeyPress(int& keyAscii) override;

private:
    void ApplyColours();
    void ShowStart();
    void RunSteps(const NumericSteps& steps);

    Colour backColor_ = kWhite;
    Colour foreColor_ = kSystemWindowText;
    bool numeric_ = false;
    NumericBehaviour behaviour_;
};

} // namespace plat

#endif
