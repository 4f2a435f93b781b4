#include "platform/ui/Buttons.h"

#include <QCheckBox>
#include <QMouseEvent>
#include <QPalette>
#include <QPushButton>
#include <QRadioButton>

#include "platform/ui/Dispatch.h"
#include "platform/ui/Keys.h"
#include "platform/ui/QtText.h"
#include "platform/ui/Twips.h"

namespace plat {

CommandButton::CommandButton(Container& parent, std::string name, int index)
    : Control(parent, std::move(name), index, new QPushButton) {
    Inner()->setAutoDefault(false);
    Inner()->setDefault(false);
    QObject::connect(Inner(), &QPushButton::clicked, Inner(), [this] { RunClick(); });
}

void CommandButton::SetBackColor(Colour colour) {
    backColor_ = colour;
    QPalette palette = Inner()->palette();
    palette.setColor(QPalette::Button, ToQColor(colour));
    Inner()->setPalette(palette);
    Inner()->setAutoFillBackground(true);
}

QPushButton* CommandButton::Inner() const {
    return static_cast<QPushButton*>(Widget());
}
std::string CommandButton::Caption() const {
    return FromQString(Inner()->text());
}
void CommandButton::SetCaption(const std::string& caption) {
    Inner()->setText(ToQString(caption));
}

void CommandButton::SetValue(bool value) {
    if (value) {
        RunClick();
    }
}

void CommandButton::RunClick() {
    pressed_ = true;
    if (Click) {
        Dispatch(Widget(), Click);
    }
    pressed_ = false;
}

void CommandButton::HandleKeyPress(int& keyAscii) {
    Control::HandleKeyPress(keyAscii);
    if (keyAscii == 13 && Enabled()) {
        keyAscii = 0;
        RunClick();
    }
}

CheckBox::CheckBox(Container& parent, std::string name, int index)
    : Control(parent, std::move(name), index, new QCheckBox) {
    QObject::connect(Inner(), &QCheckBox::stateChanged, Inner(), [this] {
        if (Click) {
            Dispatch(Widget(), Click);
        }
    });
}

QCheckBox* CheckBox::Inner() const {
    return static_cast<QCheckBox*>(Widget());
}
std::string CheckBox::Caption() const {
    return FromQString(Inner()->text());
}
void CheckBox::SetCaption(const std::string& caption) {
    Inner()->setText(ToQString(caption));
}
int CheckBox::Value() const {
    return Inner()->isChecked() ? 1 : 0;
}
void CheckBox::SetValue(int value) {
    Inner()->setChecked(value != 0);
}

namespace {

// Reports a press before the radio button takes it (the choice changes on the release).
class RadioView : public QRadioButton {
public:
    std::function<void(QMouseEvent&)> Pressed;

protected:
    void mousePressEvent(QMouseEvent* e) override {
        if (Pressed) {
            Pressed(*e);
        }
        QRadioButton::mousePressEvent(e);
    }
};

} // namespace

OptionButton::OptionButton(Container& parent, std::string name, int index)
    : Control(parent, std::move(name), index, new RadioView) {
    static_cast<RadioView*>(Inner())->Pressed = [this](QMouseEvent& e) {
        if (MouseDown) {
            Dispatch(Widget(), [&] {
                MouseDown(MouseButtonsOf(e.button()), ShiftStateOf(e.modifiers()), e.position().x() * kTwipsPerPixel,
                          e.position().y() * kTwipsPerPixel);
            });
        }
    };
    QObject::connect(Inner(), &QRadioButton::toggled, Inner(), [this](bool on) {
        if (on && Click) {
            Dispatch(Widget(), Click);
        }
    });
}

QRadioButton* OptionButton::Inner() const {
    return static_cast<QRadioButton*>(Widget());
}
std::string OptionButton::Caption() const {
    return FromQString(Inner()->text());
}
void OptionButton::SetCaption(const std::string& caption) {
    Inner()->setText(ToQString(caption));
}
bool OptionButton::Value() const {
    return Inner()->isChecked();
}

void OptionButton::SetValue(bool value) {
    if (value) {
        Inner()->setChecked(true);
        return;
    }
    // An exclusive button cannot be cleared directly: lift the exclusion for the moment.
    const bool exclusive = Inner()->autoExclusive();
    Inner()->setAutoExclusive(false);
    Inner()->setChecked(false);
    Inner()->setAutoExclusive(exclusive);
}

} // namespace plat
