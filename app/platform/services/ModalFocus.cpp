#include "platform/services/ModalFocus.h"

#include <QApplication>

namespace plat {

ModalFocus::ModalFocus() : window_(QApplication::activeWindow()), focus_(QApplication::focusWidget()) {}

ModalFocus::~ModalFocus() {
    if (!window_ || !window_->isVisible()) {
        return;
    }
    window_->activateWindow();
    if (focus_ && focus_->window() == window_ && focus_->isVisible() && focus_->isEnabled()) {
        focus_->setFocus(Qt::ActiveWindowFocusReason);
    }
}

} // namespace plat
