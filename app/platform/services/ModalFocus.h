#ifndef PLATFORM_SERVICES_MODALFOCUS_H
#define PLATFORM_SERVICES_MODALFOCUS_H

#include <QPointer>
#include <QWidget>

namespace plat {

// Held while a box or dialog of the toolkit runs modal: when it closes, the window that was active
// is activated again and the control that had the focus has it again. A desktop without a window
// manager (and the off-screen platform) would leave no window active, so that the window's menu
// shortcuts would not be matched and its keys would reach the window's handlers instead.
class ModalFocus {
public:
    ModalFocus();
    ~ModalFocus();
    ModalFocus(const ModalFocus&) = delete;
    ModalFocus& operator=(const ModalFocus&) = delete;

    // The window the box belongs over (the active one), or nullptr.
    QWidget* Window() const { return window_; }

private:
    QPointer<QWidget> window_;
    QPointer<QWidget> focus_;
};

} // namespace plat

#endif
