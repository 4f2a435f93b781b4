#ifndef PLATFORM_UI_TESTING_HOSTILETYPIST_H
#define PLATFORM_UI_TESTING_HOSTILETYPIST_H

// The hostile typist (header only; include it from test code): one text into every text box of a
// window at once, then each command button, toolbar button and menu command pressed, the window
// opened afresh where a command closed it. A command fails when its handler throws (the dispatch's
// backstop catches it), runs longer than five seconds, or leaves the window unusable (disabled, or
// a modal window or pop-up still open). Message boxes and file dialogs are answered by script: any
// box is accepted and recorded, a file dialog is cancelled; a modal window a command opens is
// closed from a timer.

#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include "platform/ui/Dispatch.h"
#include "platform/ui/testing/GuiTest.h"

namespace plat::testing {

// The texts the typist puts into the boxes.
inline const std::vector<std::string>& HostileTexts() {
    static const std::vector<std::string> texts = [] {
        std::vector<std::string> t{"1e999", "-1e999", "2e38", "-2e38", "1e-46", "nan", "inf",
                                   "12,5",  "",       "abc",  "-",    ".",     std::string(400, '9')};
        std::string long10k;
        while (long10k.size() < 10000)
            long10k += "1234567.9,";
        t.push_back(long10k.substr(0, 10000));
        return t;
    }();
    return texts;
}

// A short name for a text in a test's name ("400 digits" and the like for the long ones).
inline std::string HostileTextName(const std::string& text) {
    if (text.size() > 100)
        return std::to_string(text.size()) + " characters";
    return text.empty() ? "empty" : text;
}

class HostileTypist {
public:
    // open: the window, opened afresh when it is not shown (a fresh program: the caller's fixture
    // made it so).
    // boxes, files: the scripted services of the test, which from now on answer whatever comes.
    HostileTypist(ScriptedMessageBoxes& boxes, ScriptedFileDialogs& files, std::function<QWidget*()> open)
        : open_(std::move(open)), boxes_(boxes) {
        boxes.OnUnexpected = [](const MessageBoxRequest&) {};
        files.OnUnexpected = [](const std::string&) {};
        QObject::connect(&closer_, &QTimer::timeout, [] {
            if (QWidget* popup = QApplication::activePopupWidget())
                popup->close();
            else if (QWidget* modal = QApplication::activeModalWidget())
                modal->close();
        });
        closer_.start(20);
    }

    // Runs every command of the window with the text in all its boxes; the problems found.
    std::vector<std::string> Run(const std::string& text) {
        std::vector<std::string> problems;
        QPointer<QWidget> window = open_();
        const std::size_t count = Commands(window).size();
        for (std::size_t i = 0; i < count; ++i) {
            if (!window || !window->isVisible())
                window = open_();
            Fill(window, text);
            const std::vector<Command> commands = Commands(window);
            if (i >= commands.size())
                break;
            const Command& c = commands[i];
            if (!c.enabled())
                continue;
            const int failures = HandlerFailures();
            const auto start = std::chrono::steady_clock::now();
            c.press();
            const auto took = std::chrono::steady_clock::now() - start;
            QApplication::processEvents();
            if (HandlerFailures() != failures)
                problems.push_back(c.name + ": the handler threw: " + LastBox());
            if (took > std::chrono::seconds(5))
                problems.push_back(c.name + ": the handler ran longer than 5 s");
            if (QApplication::activeModalWidget() != nullptr)
                problems.push_back(c.name + ": a modal window stays open");
            if (window && window->isVisible() && !window->isEnabled())
                problems.push_back(c.name + ": the window is left disabled");
        }
        return problems;
    }

private:
    struct Command {
        std::string name;
        std::function<bool()> enabled;
        std::function<void()> press;
    };

    static void Fill(QWidget* window, const std::string& text) {
        const QString t = QString::fromStdString(text);
        for (QLineEdit* edit : window->findChildren<QLineEdit*>())
            if (edit->isVisible() && edit->isEnabled() && !edit->isReadOnly())
                edit->setText(t);
    }

    static void Actions(const QList<QAction*>& actions, const std::string& path, std::vector<Command>& out) {
        for (QAction* a : actions) {
            const std::string name = path + "/" + a->text().toStdString();
            if (a->menu() != nullptr) {
                Actions(a->menu()->actions(), name, out);
            } else if (!a->isSeparator()) {
                QPointer<QAction> p(a);
                out.push_back({name, [p] { return p && p->isEnabled() && p->isVisible(); }, [p] { p->trigger(); }});
            }
        }
    }

    static std::vector<Command> Commands(QWidget* window) {
        std::vector<Command> out;
        for (QPushButton* b : window->findChildren<QPushButton*>()) {
            QPointer<QPushButton> p(b);
            out.push_back({"button " + b->text().toStdString(),
                           [p] { return p && p->isVisible() && p->isEnabled(); },
                           [p] { QTest::mouseClick(p, Qt::LeftButton); }});
        }
        for (QToolButton* b : window->findChildren<QToolButton*>()) {
            QPointer<QToolButton> p(b);
            out.push_back({"tool " + b->toolTip().toStdString(),
                           [p] { return p && p->isVisible() && p->isEnabled() && p->defaultAction() != nullptr; },
                           [p] { QTest::mouseClick(p, Qt::LeftButton); }});
        }
        if (QMenuBar* bar = window->findChild<QMenuBar*>())
            Actions(bar->actions(), "menu", out);
        return out;
    }

    std::string LastBox() {
        const auto& shown = boxes_.Shown();
        return shown.empty() ? std::string() : shown.back().prompt;
    }

    std::function<QWidget*()> open_;
    ScriptedMessageBoxes& boxes_;
    QTimer closer_;
};

} // namespace plat::testing

#endif
