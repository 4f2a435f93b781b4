#ifndef PLATFORM_UI_CONTROL_H
#define PLATFORM_UI_CONTROL_H

#include <functional>
#include <string>

#include <QPointer>
#include <QWidget>

#include "platform/ui/Colors.h"

namespace plat {

class Form;
class Control;

// What controls are placed on: a form's client area, a frame, a picture box.
class Container {
public:
    virtual ~Container() = default;
    virtual QWidget* ClientWidget() = 0;
    virtual Form& OwnerForm() = 0;
};

// The events and properties every control shares. Geometry is in twips relative to the
// container's client area. Events are plain callbacks, one handler each, set by the window:
//   txtFoo.LostFocus = [this] { txtFoo_LostFocus(); };
// GotFocus and LostFocus fire only when the focus moves between the program's controls (a
// keystroke, a click, code), never when a window is activated or deactivated, a menu or pop-up
// opens, or a modal window takes over. KeyDown (key code, shift state) comes before KeyPress
// (character code); a handler that sets the code to 0 swallows the key. A form with KeyPreview
// sees both before its controls, and its menu shortcuts come before both. Each key press runs
// this once, by the control it was sent to: a key the control's widget leaves is not run again
// by the frame around it or by the window. Tab and Shift+Tab move the focus and reach no handler.
class Control {
public:
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;
    virtual ~Control();

    // The control's kind as the windows name it ("TextBox", "Label", "ComboBox", ...).
    virtual std::string TypeName() const = 0;
    const std::string& Name() const { return name_; }
    // The index within its control array, or -1.
    int Index() const { return index_; }
    Form& Parent() const { return form_; }

    int Left() const;
    int Top() const;
    int Width() const;
    int Height() const;
    void SetLeft(int twips);
    void SetTop(int twips);
    void SetWidth(int twips);
    void SetHeight(int twips);
    void Move(int left, int top, int width, int height);

    // The control's own settings (a control inside a disabled or hidden frame keeps its own).
    bool Enabled() const;
    virtual void SetEnabled(bool enabled);
    bool Visible() const;
    void SetVisible(bool visible);
    bool TabStop() const;
    void SetTabStop(bool tabStop);
    std::string ToolTipText() const;
    void SetToolTipText(const std::string& text);
    void SetFont(const std::string& family, double points, bool bold = false);

    // Gives the control the focus (firing LostFocus and GotFocus as a click would).
    void SetFocus();
    bool HasFocus() const;

    QWidget* Widget() const { return widget_; }
    // The control that owns `widget` (or one of its ancestors up to its window), or nullptr.
    static Control* FromWidget(const QWidget* widget);

    std::function<void()> GotFocus;
    std::function<void()> LostFocus;
    std::function<void(int& keyCode, int shift)> KeyDown;
    std::function<void(int& keyAscii)> KeyPress;

protected:
    Control(Container& parent, std::string name, int index, QWidget* widget);

    // Hooks of the focus and key pipeline, in the order they run. The defaults fire the events.
    virtual void HandleGotFocus();
    virtual void HandleLostFocus();
    // Runs after the form's and the control's KeyPress handlers; may swallow (set 0) the key.
    virtual void HandleKeyPress(int& keyAscii);
    // Watches a further widget (an inner editor) with the same pipeline.
    void WatchWidget(QWidget* widget);
    // Runs after SetWidth, SetHeight and Move have given the widget its new size (a hidden widget
    // gets no resize event).
    virtual void SizeChanged() {}

private:
    friend class ControlHook;
    void FocusEntered();
    void FocusLeft(Qt::FocusReason reason);
    bool FilterKey(QWidget* target, class QKeyEvent& event);
    bool RunKeyHandlers(QWidget* target, class QKeyEvent& event);

    Form& form_;
    std::string name_;
    int index_;
    QPointer<QWidget> widget_;
    QObject* hook_ = nullptr;
};

namespace detail {
// True while a control's widget, or a widget above it, is being given this key after the control's
// handlers have run.
bool KeyDeliveredByControl(const QEvent* event);
} // namespace detail

} // namespace plat

#endif
