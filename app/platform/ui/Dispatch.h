#ifndef PLATFORM_UI_DISPATCH_H
#define PLATFORM_UI_DISPATCH_H

#include <exception>
#include <string>
#include <utility>

class QObject;

namespace plat {

// Shows a handler's failure: a critical message box with the caption of the window that `source`
// belongs to (a menu's or a timer's owner window) and the reason.
void ReportHandlerFailure(const QObject* source, const std::string& reason);

// How many handlers have failed since the program started (a test tells a stopped handler from a
// box a handler showed itself).
int HandlerFailures();

// Runs one event handler of a window. Nothing a handler throws may unwind through Qt's event
// delivery: the platform's typed errors and every std::exception stop that handler only, are
// reported, and the program goes on. Returns whether the handler ran to its end.
template <class Handler>
bool Dispatch(const QObject* source, Handler&& handler) {
    try {
        std::forward<Handler>(handler)();
        return true;
    } catch (const std::exception& e) {
        ReportHandlerFailure(source, e.what());
    }
    return false;
}

} // namespace plat

#endif
