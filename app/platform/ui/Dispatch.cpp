#include "platform/ui/Dispatch.h"

#include <QWidget>

#include "platform/services/MessageBox.h"
#include "platform/ui/QtText.h"

namespace plat {

namespace {

// The program's window behind the source: a menu's pop-up or a timer leads to the window it serves.
const QWidget* OwnerWindow(const QObject* source) {
    const QObject* o = source;
    while (o != nullptr && !o->isWidgetType()) {
        o = o->parent();
    }
    const QWidget* w = o != nullptr ? static_cast<const QWidget*>(o)->window() : nullptr;
    while (w != nullptr && w->windowType() == Qt::Popup && w->parentWidget() != nullptr) {
        w = w->parentWidget()->window();
    }
    return w;
}

int failures = 0;

} // namespace

int HandlerFailures() {
    return failures;
}

void ReportHandlerFailure(const QObject* source, const std::string& reason) {
    ++failures;
    const QWidget* window = OwnerWindow(source);
    const std::string caption = window != nullptr ? FromQString(window->windowTitle()) : std::string();
    MsgBox(reason, vbCritical, caption);
}

} // namespace plat
