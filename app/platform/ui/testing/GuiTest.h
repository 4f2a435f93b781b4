#ifndef PLATFORM_UI_TESTING_GUITEST_H
#define PLATFORM_UI_TESTING_GUITEST_H

// Support for tests of windows (header only; include it from test code, which links GoogleTest).

#include <cstdlib>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include <QApplication>
#include <QTimer>

#include "platform/services/Clipboard.h"
#include "platform/services/Clock.h"
#include "platform/services/FileDialog.h"
#include "platform/services/MessageBox.h"

namespace plat::testing {

// The application object the tests' windows need, created once, off screen unless the caller
// has chosen a platform.
inline QApplication& Application() {
    static int argc = 1;
    static char name[] = "pellon-test";
    static char* argv[] = {name, nullptr};
    static QApplication* app = [] {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        auto* a = new QApplication(argc, argv);
        QCoreApplication::setApplicationName("Pellon");
        return a;
    }();
    return *app;
}

// Scripted message boxes, file dialogs and a private clipboard for the scope of a test. A box or
// dialog that no script expects fails the test, and so does an expected one that never came.
class ScriptedServices {
public:
    ScriptedServices() {
        Application();
        auto boxes = std::make_unique<ScriptedMessageBoxes>();
        auto files = std::make_unique<ScriptedFileDialogs>();
        boxes->OnUnexpected = [](const MessageBoxRequest& r) {
            ADD_FAILURE() << "unexpected message box: \"" << r.prompt << "\" (title \"" << r.title << "\")";
        };
        files->OnUnexpected = [](const std::string& what) { ADD_FAILURE() << "unexpected " << what; };
        boxes_ = boxes.get();
        files_ = files.get();
        SetMessageBoxService(std::move(boxes));
        SetFileDialogService(std::move(files));
        SetClipboardService(std::make_unique<MemoryClipboard>());
    }
    ~ScriptedServices() {
        for (const std::string& prompt : boxes_->Unanswered()) {
            ADD_FAILURE() << "expected message box never shown: \"" << prompt << "\"";
        }
        if (files_->Unanswered() != 0) {
            ADD_FAILURE() << files_->Unanswered() << " expected dialog(s) never shown";
        }
        SetMessageBoxService(nullptr);
        SetFileDialogService(nullptr);
        SetClipboardService(nullptr);
    }
    ScriptedServices(const ScriptedServices&) = delete;
    ScriptedServices& operator=(const ScriptedServices&) = delete;

    ScriptedMessageBoxes& Boxes() { return *boxes_; }
    ScriptedFileDialogs& Files() { return *files_; }

private:
    ScriptedMessageBoxes* boxes_;
    ScriptedFileDialogs* files_;
};

// Runs `action` from the event loop once the current call has entered it (for driving modal
// windows).
template <class F> void Queue(F&& action) {
    QTimer::singleShot(0, &Application(), std::forward<F>(action));
}

// Handles pending events until `done` holds or about two seconds have passed.
template <class Pred> bool WaitFor(Pred done) {
    for (int i = 0; i < 200 && !done(); ++i) {
        DoEvents(10);
    }
    return done();
}

} // namespace plat::testing

#endif
