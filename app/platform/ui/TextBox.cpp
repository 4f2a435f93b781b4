#include "platform/ui/TextBox.h"

#include <stdexcept>

#include <QLineEdit>

#include "platform/ui/Dispatch.h"
#include "platform/ui/Form.h"
#include "platform/ui/QtText.h"

namespace plat {

TextBox::TextBox(Container& parent, std::string name, int index)
    : Control(parent, std::move(name), index, new QLineEdit) {
    QObject::connect(Editor(), &QLineEdit::textChanged, Editor(), [this] {
        if (Change) {
            Dispatch(Widget(), Change);
        }
    });
    Editor()->setMaxLength(32767);
    ApplyColours();
}

QLineEdit* TextBox::Editor() const {
    return static_cast<QLineEdit*>(Widget());
}

std::string TextBox::Text() const {
    return FromQString(Editor()->text());
}
void TextBox::SetText(const std::string& text) {
    Editor()->setText(ToQString(text));
    ShowStart();
}

// A box not being edited shows the start of its value (the sign and leading digits), not the
// end where the caret would leave it.
void TextBox::ShowStart() {
    if (!Editor()->hasFocus()) {
        Editor()->setCursorPosition(0);
    }
}

int TextBox::SelStart() const {
    return Editor()->hasSelectedText() ? Editor()->selectionStart() : Editor()->cursorPosition();
}

void TextBox::SetSelStart(int start) {
    Editor()->deselect();
    Editor()->setCursorPosition(start);
}

int TextBox::SelLength() const {
    return static_cast<int>(Editor()->selectedText().size());
}

void TextBox::SetSelLength(int length) {
    const int start = SelStart();
    const int size = static_cast<int>(Editor()->text().size());
    Editor()->setSelection(start, std::max(0, std::min(length, size - start)));
}

std::string TextBox::SelText() const {
    return FromQString(Editor()->selectedText());
}
bool TextBox::Locked() const {
    return Editor()->isReadOnly();
}
void TextBox::SetLocked(bool locked) {
    Editor()->setReadOnly(locked);
}
int TextBox::MaxLength() const {
    return Editor()->maxLength();
}
void TextBox::SetMaxLength(int length) {
    Editor()->setMaxLength(length == 0 ? 32767 : length);
}

void TextBox::SetBackColor(Colour colour) {
    backColor_ = colour;
    ApplyColours();
}

void TextBox::SetForeColor(Colour colour) {
    foreColor_ = colour;
    ApplyColours();
}

void TextBox::ApplyColours() {
    // The same colours whether enabled or not: the windows choose what a disabled box shows.
    QPalette palette = Editor()->palette();
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        palette.setColor(group, QPalette::Base, ToQColor(backColor_));
    }
    palette.setColor(QPalette::Active, QPalette::Text, ToQColor(foreColor_));
    palette.setColor(QPalette::Inactive, QPalette::Text, ToQColor(foreColor_));
    Editor()->setPalette(palette);
}

void TextBox::SetAlignment(int alignment) {
    const Qt::Alignment horizontal = alignment == 1   ? Qt::AlignRight
                                     : alignment == 2 ? Qt::AlignHCenter
                                                      : Qt::AlignLeft;
    Editor()->setAlignment(horizontal | Qt::AlignVCenter);
}

void TextBox::SetBorderStyle(int style) {
    Editor()->setFrame(style != 0);
}

void TextBox::SetNumericBehaviour(NumericBehaviour behaviour) {
    if ((behaviour.enter.convert || behaviour.leave.convert) && !behaviour.convert) {
        throw std::invalid_argument("a numeric box that converts needs its conversion");
    }
    if ((behaviour.enter.guard || behaviour.leave.guard) && !behaviour.guard) {
        throw std::invalid_argument("a numeric box that guards needs its guard");
    }
    behaviour_ = std::move(behaviour);
    numeric_ = true;
}

void TextBox::RunSteps(const NumericSteps& steps) {
    if (steps.convert) {
        behaviour_.convert(*this);
    }
    if (steps.guard) {
        behaviour_.guard(*this);
    }
}

void TextBox::HandleGotFocus() {
    if (numeric_) {
        SetSelStart(0);
        SetSelLength(static_cast<int>(Text().size()));
    }
    Control::HandleGotFocus();
}

void TextBox::HandleLostFocus() {
    if (Validate) {
        Validate();
    }
    if (numeric_) {
        RunSteps(behaviour_.leave);
    }
    Editor()->setCursorPosition(0);
    Control::HandleLostFocus();
}

void TextBox::HandleKeyPress(int& keyAscii) {
    if (numeric_ && keyAscii == 13) {
        RunSteps(behaviour_.enter);
        keyAscii = 0;
        Parent().SendTab();
        return;
    }
    Control::HandleKeyPress(keyAscii);
}

} // namespace plat
