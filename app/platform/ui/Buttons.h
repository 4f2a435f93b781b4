#ifndef PLATFORM_UI_BUTTONS_H
#define PLATFORM_UI_BUTTONS_H

#include <functional>
#include <string>

#include "platform/ui/Colors.h"
#include "platform/ui/Control.h"

class QPushButton;
class QCheckBox;
class QRadioButton;

namespace plat {

// Click, for the option button, the check box and the combo box alike, fires when the value
// changes, whoever changes it (the user or code); choosing or setting the value that is already
// there fires nothing.

// A push button. Click comes after the LostFocus of the control that had the focus. No button
// is a default button: Enter presses only the button that has the focus.
class CommandButton : public Control {
public:
    CommandButton(Container& parent, std::string name, int index = -1);
    std::string TypeName() const override { return "CommandButton"; }

    std::string Caption() const;
    void SetCaption(const std::string& caption);
    // True while its Click handler runs.
    bool Value() const { return pressed_; }
    // Setting true runs Click, as a press would.
    void SetValue(bool value);
    // The face colour (a colour swatch button).
    Colour BackColor() const { return backColor_; }
    void SetBackColor(Colour colour);

    QPushButton* Inner() const;
    std::function<void()> Click;

protected:
    void HandleKeyPress(int& keyAscii) override;

private:
    void RunClick();
    bool pressed_ = false;
    Colour backColor_ = kSystemButtonFace;
};

// A check box: Value 0 unchecked, 1 checked.
class CheckBox : public Control {
public:
    CheckBox(Container& parent, std::string name, int index = -1);
    std::string TypeName() const override { return "CheckBox"; }

    std::string Caption() const;
    void SetCaption(const std::string& caption);
    int Value() const;
    void SetValue(int value);

    QCheckBox* Inner() const;
    std::function<void()> Click;
};

// An option button; those in one container exclude each other. Click fires when it becomes set.
class OptionButton : public Control {
public:
    OptionButton(Container& parent, std::string name, int index = -1);
    std::string TypeName() const override { return "OptionButton"; }

    std::string Caption() const;
    void SetCaption(const std::string& caption);
    bool Value() const;
    // Setting true clears the others of its container and fires Click.
    void SetValue(bool value);

    QRadioButton* Inner() const;
    std::function<void()> Click;
    // A press on the button (button 1 left, 2 right, 4 middle; x, y in twips), before a click
    // changes the choice.
    std::function<void(int button, int shift, double x, double y)> MouseDown;
};

} // namespace plat

#endif
