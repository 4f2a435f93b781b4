#include "shell/dialogs/WindowInstance.h"

#include <vector>

#include <QCoreApplication>

namespace {

std::vector<std::function<void()>>& Deleters() {
    static std::vector<std::function<void()>> deleters;
    return deleters;
}

} // namespace

void RegisterWindowInstance(std::function<void()> deleter) { Deleters().push_back(std::move(deleter)); }

void DeleteWindowInstances() {
    // The main window was made first; it goes last, after the windows it opened.
    for (auto it = Deleters().rbegin(); it != Deleters().rend(); ++it)
        (*it)();
    // Windows retired earlier are deleted by the event loop: let it run once more.
    if (QCoreApplication::instance())
        QCoreApplication::processEvents();
}
