#ifndef PLATFORM_UI_TESTING_HOSTILETYPIST_H
#define PLATFORM_UI_TESTING_HOSTILETYPIST_H

// The hostile typist (header only; include it from test code): one text into every text box of a
// window at once, then each command button, toolbar button and menu command pressed as a user
// does it, by mouse clicks (a menu command on its menu-bar entry and on its item in the drop-down
// that opened), the window opened afresh where a command closed it. A command fails when its
// handler throws (the dispatch's backstop catches it), runs longer than five seconds, or leaves the
// window unusable (disabled, or a modal window or pop-up still open). Message boxes and file
// dialogs are answered by script: any box is accepted and recorded, a file dialog is cancelled; a
// modal window or pop-up a command opens is closed from a timer (No to a window's question before it
// closes, when Cancel kept it open). A command that is still running after 15 s fails the test and
// its modal windows are hidden past their close handlers; a program that stops handling events for a
// minute is ended with the command's name, so that no run hangs.

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <mutex>
#include <stop_token>
#include <string>
#include <thread>
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
#include "platform/ui/testing/UserInput.h"

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
    // beforeFill: what the test does to the window before each filling of its boxes (a grid
    // cell's editor opened, so that the text goes into the cell too).
    HostileTypist(ScriptedMessageBoxes& boxes, ScriptedFileDialogs& files, std::function<QWidget*()> open,
                  std::function<void(QWidget*)> beforeFill = {})
        : open_(std::move(open)), beforeFill_(std::move(beforeFill)), boxes_(boxes),
          freeze_([this] { return pressing_; }) {
        boxes.OnUnexpected = [](const MessageBoxRequest&) {};
        files.OnUnexpected = [](const std::string&) {};
        QObject::connect(&closer_, &QTimer::timeout, [this] { Tick(); });
        closer_.start(20);
    }

    // Runs every command of the window with the text in all its boxes; the problems found.
    std::vector<std::string> Run(const std::string& text) {
        problems_.clear();
        QPointer<QWidget> window = Open();
        const std::size_t count = Commands(window).size();
        for (std::size_t i = 0; i < count && !stuck_; ++i) {
            if (!window || !window->isVisible())
                window = Open();
            if (beforeFill_)
                beforeFill_(window);
            Fill(window, text);
            const std::vector<Command> commands = Commands(window);
            if (i >= commands.size())
                break;
            const Command& c = commands[i];
            if (!c.enabled())
                continue;
            Press(c, window);
        }
        return problems_;
    }

private:
    struct Command {
        std::string name;
        std::function<bool()> enabled;
        std::function<bool()> press; // false: the command could not be reached
    };

    // A command longer than this is stuck (a modal loop that no close ends): the test fails and the
    // typist breaks out, so that it does not hang.
    static constexpr auto kStuck = std::chrono::seconds(15);

    // The window opened, with what its handlers do meanwhile (a load, an activation, a first redraw)
    // watched as a command's are.
    QWidget* Open() {
        const int failures = HandlerFailures();
        QWidget* window = open_();
        QApplication::processEvents();
        if (HandlerFailures() != failures)
            problems_.push_back("opening the window: a handler threw: " + LastBox());
        return window;
    }

    void Press(const Command& c, QWidget* window) {
        const int failures = HandlerFailures();
        pressing_ = c.name;
        freeze_.Arm();
        start_ = std::chrono::steady_clock::now();
        const bool reached = c.press();
        const auto took = std::chrono::steady_clock::now() - start_;
        freeze_.Disarm();
        QApplication::processEvents();
        pressing_.clear();
        if (stuck_)
            return;
        if (!reached)
            problems_.push_back(c.name + ": cannot be reached by the mouse");
        if (HandlerFailures() != failures)
            problems_.push_back(c.name + ": the handler threw: " + LastBox());
        if (took > std::chrono::seconds(5))
            problems_.push_back(c.name + ": the handler ran longer than 5 s");
        if (QApplication::activeModalWidget() != nullptr)
            problems_.push_back(c.name + ": a modal window stays open");
        if (window && window->isVisible() && !window->isEnabled())
            problems_.push_back(c.name + ": the window is left disabled");
    }

    // Every 20 ms: the pop-up or modal window on top is closed (not the typist's own drop-downs on
    // the way to a menu command); a command that has run too long is ended.
    void Tick() {
        if (stuck_) {
            BreakOut();
            return;
        }
        if (!pressing_.empty() && std::chrono::steady_clock::now() - start_ > kStuck) {
            QWidget* top = QApplication::activeModalWidget();
            problems_.push_back(
                pressing_ + ": still running after " + std::to_string(kStuck.count()) + " s" +
                (top ? ", window \"" + top->objectName().toStdString() + "\" will not close" : ""));
            stuck_ = true;
            BreakOut();
            return;
        }
        if (navigating_)
            return;
        if (QWidget* popup = QApplication::activePopupWidget()) {
            popup->close();
        } else if (QPointer<QWidget> modal = QApplication::activeModalWidget()) {
            const std::size_t asked = boxes_.Shown().size();
            modal->close();
            // A window that asks before it closes and stays for the scripted Cancel (a "Save
            // changes?") is answered No the next time, as by a user who means to leave.
            if (modal && modal->isVisible() && boxes_.Shown().size() > asked)
                boxes_.Expect(boxes_.Shown().back().prompt, vbNo);
        }
    }

    // Ends the stuck command's loops one by one: the modal window on top hidden past its close
    // handlers (a window of the program through its form, which ends its loop), and once none is
    // left, whatever loop still runs.
    void BreakOut() {
        if (pressing_.empty())
            return;
        QWidget* top = QApplication::activeModalWidget();
        if (top == nullptr) {
            QCoreApplication::exit(1);
            return;
        }
        for (Form* form : LoadedForms()) {
            if (form->Window() == top) {
                form->Hide();
                return;
            }
        }
        top->hide();
    }

    static void Fill(QWidget* window, const std::string& text) {
        const QString t = QString::fromStdString(text);
        for (QLineEdit* edit : window->findChildren<QLineEdit*>())
            if (edit->isVisible() && edit->isEnabled() && !edit->isReadOnly())
                edit->setText(t);
    }

    // The menu commands below `actions`, each chosen by mouse clicks along its path of captions.
    void Actions(QMenuBar* bar, const QList<QAction*>& actions, const std::vector<QPointer<QAction>>& chain,
                 const std::vector<std::string>& path, std::vector<Command>& out) {
        for (QAction* a : actions) {
            if (a->isSeparator())
                continue;
            std::vector<QPointer<QAction>> to = chain;
            to.emplace_back(a);
            std::vector<std::string> captions = path;
            captions.push_back(a->text().toStdString());
            if (a->menu() != nullptr) {
                Actions(bar, a->menu()->actions(), to, captions, out);
                continue;
            }
            std::string name = "menu";
            for (const std::string& caption : captions)
                name += "/" + caption;
            QPointer<QMenuBar> on(bar);
            out.push_back({name,
                           [to] {
                               for (const QPointer<QAction>& p : to)
                                   if (!p || !p->isEnabled() || !p->isVisible())
                                       return false;
                               return true;
                           },
                           [this, on, captions] {
                               navigating_ = true;
                               const bool clicked =
                                   on && ClickMenu(*on, captions, [this] { navigating_ = false; });
                               navigating_ = false;
                               return clicked;
                           }});
        }
    }

    std::vector<Command> Commands(QWidget* window) {
        std::vector<Command> out;
        for (QPushButton* b : window->findChildren<QPushButton*>()) {
            QPointer<QPushButton> p(b);
            out.push_back({"button " + b->text().toStdString(),
                           [p] { return p && p->isVisible() && p->isEnabled(); },
                           [p] {
                               QTest::mouseClick(p, Qt::LeftButton);
                               return true;
                           }});
        }
        for (QToolButton* b : window->findChildren<QToolButton*>()) {
            QPointer<QToolButton> p(b);
            out.push_back(
                {"tool " + b->toolTip().toStdString(),
                 [p] { return p && p->isVisible() && p->isEnabled() && p->defaultAction() != nullptr; },
                 [p] {
                     QTest::mouseClick(p, Qt::LeftButton);
                     return true;
                 }});
        }
        if (QMenuBar* bar = window->findChild<QMenuBar*>())
            Actions(bar, bar->actions(), {}, {}, out);
        return out;
    }

    std::string LastBox() {
        const auto& shown = boxes_.Shown();
        return shown.empty() ? std::string() : shown.back().prompt;
    }

    // Ends the test program when the window's thread stops handling events (a handler that spins)
    // for a minute while a command runs: the test fails instead of hanging.
    class FreezeGuard {
    public:
        explicit FreezeGuard(std::function<std::string()> pressing)
            : pressing_(std::move(pressing)), thread_([this](std::stop_token stop) { Watch(stop); }) {}
        ~FreezeGuard() {
            thread_.request_stop();
            changed_.notify_all();
        }
        FreezeGuard(const FreezeGuard&) = delete;
        FreezeGuard& operator=(const FreezeGuard&) = delete;

        void Arm() { Set(true); }
        void Disarm() { Set(false); }

    private:
        void Set(bool armed) {
            {
                const std::lock_guard lock(mutex_);
                armed_ = armed;
                ++generation_;
                name_ = armed ? pressing_() : std::string();
            }
            changed_.notify_all();
        }
        void Watch(const std::stop_token& stop) {
            std::unique_lock lock(mutex_);
            while (!stop.stop_requested()) {
                const unsigned generation = generation_;
                if (!armed_) {
                    changed_.wait(lock, stop, [&] { return generation_ != generation; });
                    continue;
                }
                if (!changed_.wait_for(lock, stop, std::chrono::minutes(1),
                                       [&] { return generation_ != generation; }) &&
                    !stop.stop_requested()) {
                    std::fprintf(stderr, "hostile typist: %s froze the program\n", name_.c_str());
                    std::fflush(stderr);
                    std::_Exit(1);
                }
            }
        }
        std::function<std::string()> pressing_;
        std::mutex mutex_;
        std::condition_variable_any changed_;
        bool armed_ = false;
        unsigned generation_ = 0;
        std::string name_;
        std::jthread thread_;
    };

    std::function<QWidget*()> open_;
    std::function<void(QWidget*)> beforeFill_;
    ScriptedMessageBoxes& boxes_;
    QTimer closer_;
    std::vector<std::string> problems_;
    std::string pressing_;
    std::chrono::steady_clock::time_point start_;
    bool navigating_ = false;
    bool stuck_ = false;
    FreezeGuard freeze_;
};

} // namespace plat::testing

#endif
