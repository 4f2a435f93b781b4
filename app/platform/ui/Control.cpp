#include "platform/ui/Control.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>

#include "platform/ui/Dispatch.h"
#include "platform/ui/Form.h"
#include "platform/ui/Keys.h"
#include "platform/ui/QtText.h"
#include "platform/ui/Twips.h"

namespace plat {

namespace {

constexpr const char* kControlProperty = "platControl";

// The key event a control is handing to its widget after its handlers ran. A widget that leaves a
// key passes it to the widgets above it; none of them, nor the window, runs the handlers again.
const QEvent* keyInDelivery = nullptr;

// Hands the key to the widget with keyInDelivery naming it for the time of the call.
void Deliver(QWidget* target, QKeyEvent& event) {
    const QEvent* outer = keyInDelivery;
    keyInDelivery = &event;
    QCoreApplication::sendEvent(target, &event);
    keyInDelivery = outer;
}

// Focus moves that the program's handlers see: not window activation, pop-ups or menus.
bool IsProgramFocusMove(Qt::FocusReason reason) {
    return reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason &&
           reason != Qt::MenuBarFocusReason;
}

} // namespace

class ControlHook : public QObject {
public:
    explicit ControlHook(Control& control) : control_(control) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
        case QEvent::FocusIn:
            Dispatch(watched, [this] { control_.FocusEntered(); });
            break;
        case QEvent::FocusOut:
            Dispatch(watched, [&] { control_.FocusLeft(static_cast<QFocusEvent*>(event)->reason()); });
            break;
        case QEvent::KeyPress: {
            // A key whose handler failed is spent.
            bool eaten = true;
            Dispatch(watched, [&] {
                eaten = control_.FilterKey(static_cast<QWidget*>(watched), *static_cast<QKeyEvent*>(event));
            });
            return eaten;
        }
        default:
            break;
        }
        return false;
    }

private:
    Control& control_;
};

Control::Control(Container& parent, std::string name, int index, QWidget* widget)
    : form_(parent.OwnerForm()), name_(std::move(name)), index_(index), widget_(widget) {
    widget_->setParent(parent.ClientWidget());
    widget_->setProperty(kControlProperty, QVariant::fromValue(static_cast<void*>(this)));
    hook_ = new ControlHook(*this);
    hook_->setParent(widget_);
    widget_->installEventFilter(hook_);
    widget_->show();
    form_.AddControl(this);
}

Control::~Control() {
    form_.RemoveControl(this);
    if (widget_) {
        // No handler may run on a window that is being destroyed.
        widget_->removeEventFilter(hook_);
        delete widget_.data();
    }
}

void Control::WatchWidget(QWidget* widget) {
    widget->setProperty(kControlProperty, QVariant::fromValue(static_cast<void*>(this)));
    widget->installEventFilter(hook_);
}

Control* Control::FromWidget(const QWidget* widget) {
    for (const QWidget* w = widget; w; w = w->isWindow() ? nullptr : w->parentWidget()) {
        const QVariant v = w->property(kControlProperty);
        if (v.isValid()) {
            return static_cast<Control*>(v.value<void*>());
        }
    }
    return nullptr;
}

int Control::Left() const {
    return PixelsToTwips(widget_->x());
}
int Control::Top() const {
    return PixelsToTwips(widget_->y());
}
int Control::Width() const {
    return PixelsToTwips(widget_->width());
}
int Control::Height() const {
    return PixelsToTwips(widget_->height());
}
void Control::SetLeft(int twips) {
    widget_->move(TwipsToPixels(twips), widget_->y());
}
void Control::SetTop(int twips) {
    widget_->move(widget_->x(), TwipsToPixels(twips));
}
void Control::SetWidth(int twips) {
    widget_->resize(TwipsToPixels(twips), widget_->height());
    SizeChanged();
}
void Control::SetHeight(int twips) {
    widget_->resize(widget_->width(), TwipsToPixels(twips));
    SizeChanged();
}

void Control::Move(int left, int top, int width, int height) {
    widget_->setGeometry(TwipsToPixels(left), TwipsToPixels(top), TwipsToPixels(width),
                         TwipsToPixels(height));
    SizeChanged();
}

bool Control::Enabled() const {
    return !widget_->testAttribute(Qt::WA_Disabled);
}
void Control::SetEnabled(bool enabled) {
    widget_->setEnabled(enabled);
}
bool Control::Visible() const {
    return !widget_->isHidden();
}
void Control::SetVisible(bool visible) {
    widget_->setVisible(visible);
}
bool Control::TabStop() const {
    return widget_->focusPolicy() & Qt::TabFocus;
}

void Control::SetTabStop(bool tabStop) {
    if (widget_->focusPolicy() == Qt::NoFocus) {
        return;
    }
    widget_->setFocusPolicy(tabStop ? Qt::StrongFocus : Qt::ClickFocus);
}

std::string Control::ToolTipText() const {
    return FromQString(widget_->toolTip());
}
void Control::SetToolTipText(const std::string& text) {
    widget_->setToolTip(ToQString(text));
}

void Control::SetFont(const std::string& family, double points, bool bold) {
    QFont font(ToQString(family));
    font.setPointSizeF(points);
    font.setBold(bold);
    widget_->setFont(font);
}

void Control::SetFocus() {
    QWidget* window = widget_->window();
    if (!window->isActiveWindow()) {
        window->activateWindow();
    }
    widget_->setFocus(Qt::OtherFocusReason);
}

bool Control::HasFocus() const {
    const QWidget* focus = QApplication::focusWidget();
    return focus && FromWidget(focus) == this;
}

// The window keeps which of its controls has the focus as its handlers see it. A control gets
// GotFocus when it becomes that control, whatever brought the focus (so the first control of a
// window that is shown gets it, and a move made while the window was inactive is caught up);
// coming back to the same control after an activation or a pop-up fires nothing.
void Control::FocusEntered() {
    Form& form = form_;
    if (form.focusOwner_ == this) {
        return;
    }
    if (Control* previous = form.focusOwner_) {
        form.focusOwner_ = nullptr;
        previous->HandleLostFocus();
    }
    form.focusOwner_ = this;
    HandleGotFocus();
}

void Control::FocusLeft(Qt::FocusReason reason) {
    Form& form = form_;
    if (form.focusOwner_ != this || !IsProgramFocusMove(reason)) {
        return;
    }
    const QWidget* now = QApplication::focusWidget();
    if (now && (now->window()->windowType() == Qt::Popup || FromWidget(now) == this ||
                now->window() != widget_->window())) {
        return;
    }
    form.focusOwner_ = nullptr;
    HandleLostFocus();
}

void Control::HandleGotFocus() {
    if (GotFocus) {
        GotFocus();
    }
}

void Control::HandleLostFocus() {
    if (LostFocus) {
        LostFocus();
    }
}

void Control::HandleKeyPress(int& keyAscii) {
    if (KeyPress) {
        KeyPress(keyAscii);
    }
}

bool Control::FilterKey(QWidget* target, QKeyEvent& event) {
    if (&event == keyInDelivery || event.key() == Qt::Key_Tab || event.key() == Qt::Key_Backtab) {
        return false;
    }
    QPointer<QWidget> alive(target);
    Form& form = form_;
    // The window's handlers see this control as the active one while they run.
    Control* const outerKeyControl = form.keyControl_;
    form.keyControl_ = this;
    const bool handled = RunKeyHandlers(target, event);
    if (alive) {
        form.keyControl_ = outerKeyControl;
    }
    return handled;
}

bool Control::RunKeyHandlers(QWidget* target, QKeyEvent& event) {
    QPointer<QWidget> alive(target);
    Form& form = form_;
    const int originalCode = KeyCodeOf(event);
    int code = originalCode;
    const int shiftState = ShiftStateOf(event.modifiers());
    if (code != 0) {
        if (form.MenuKey(code, shiftState)) {
            return true;
        }
        if (form.KeyPreview() && form.KeyDown) {
            form.KeyDown(code, shiftState);
        }
        if (code != 0 && KeyDown) {
            KeyDown(code, shiftState);
        }
        if (!alive) {
            return true;
        }
    }
    const int originalAscii = CharCodeOf(event);
    int ascii = originalAscii;
    if (ascii != 0) {
        if (form.KeyPreview() && form.KeyPress) {
            form.KeyPress(ascii);
        }
        if (ascii != 0) {
            HandleKeyPress(ascii);
        }
        if (!alive || ascii == 0) {
            return true;
        }
    } else if (originalCode != 0 && code == 0) {
        return true;
    }
    // The widget gets the key (with the character a handler put in its place); the event is then
    // done with, whoever took it. What the widget does with it sees the focus as it is.
    form.keyControl_ = nullptr;
    if (ascii != originalAscii) {
        QKeyEvent replay(QEvent::KeyPress, event.key(), event.modifiers(), QString(QChar(static_cast<char16_t>(ascii))));
        Deliver(target, replay);
    } else {
        Deliver(target, event);
    }
    event.accept();
    return true;
}

namespace detail {

bool KeyDeliveredByControl(const QEvent* event) {
    return event != nullptr && event == keyInDelivery;
}

} // namespace detail

} // namespace plat
