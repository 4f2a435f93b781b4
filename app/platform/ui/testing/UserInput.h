#ifndef PLATFORM_UI_TESTING_USERINPUT_H
#define PLATFORM_UI_TESTING_USERINPUT_H

// What a user does to a window, as the desktop delivers it (header only; include it from test code,
// which links GoogleTest and Qt Test): keys typed, grid cells clicked, menu-bar paths clicked with the
// mouse at their places, access keys and shortcuts sent through the window, toolbar buttons clicked,
// and a count of the windows each action shows.

#include <cctype>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <QAbstractScrollArea>
#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QToolBar>
#include <QWindow>

#include "platform/ui/FlexGrid.h"
#include "platform/ui/Form.h"
#include "platform/ui/Toolbar.h"
#include "platform/ui/Twips.h"
#include "platform/ui/testing/GuiTest.h"

namespace plat::testing {

// The action of a caption among these actions, or nullptr.
inline QAction* ActionOf(const QList<QAction*>& actions, const std::string& caption) {
    for (QAction* a : actions) {
        if (!a->isSeparator() && a->text().toStdString() == caption) {
            return a;
        }
    }
    return nullptr;
}

// Clicks the path of captions with the mouse: the entry at its place in the menu bar, then each
// item at its place in the drop-down that opened; `beforeLast` runs just before the last click,
// the one that chooses the command. False when a caption is not shown.
inline bool ClickMenu(QMenuBar& bar, const std::vector<std::string>& path,
                      const std::function<void()>& beforeLast = {}) {
    QAction* entry = ActionOf(bar.actions(), path.front());
    if (entry == nullptr || !entry->isVisible()) {
        return false;
    }
    const auto click = [&](QWidget* on, const QPoint& at, bool last) {
        if (last && beforeLast) {
            beforeLast();
        }
        QTest::mouseClick(on, Qt::LeftButton, {}, at);
    };
    click(&bar, bar.actionGeometry(entry).center(), path.size() == 1);
    for (std::size_t i = 1; i < path.size(); ++i) {
        QMenu* menu = entry->menu();
        if (menu == nullptr || !WaitFor([menu] { return menu->isVisible(); })) {
            return false;
        }
        entry = ActionOf(menu->actions(), path[i]);
        if (entry == nullptr || !entry->isVisible()) {
            menu->close();
            return false;
        }
        click(menu, menu->actionGeometry(entry).center(), i + 1 == path.size());
    }
    return true;
}

// ClickMenu in the form's menu bar.
inline bool ClickMenu(Form& form, const std::vector<std::string>& path) {
    return ClickMenu(*form.Window()->menuBar(), path);
}

// Types text where the focus is, key by key.
inline void TypeKeys(const std::string& text) {
    for (char ch : text) {
        QTest::keyClick(QApplication::focusWidget(), ch);
    }
}

// A press and release of `button` in the middle of a grid cell; the current cell is left as it was
// for the grid's own handling of the click.
inline void ClickCell(FlexGrid& grid, int row, int col, Qt::MouseButton button = Qt::LeftButton) {
    const int keepRow = grid.Row(), keepCol = grid.Col();
    grid.SetRow(row);
    grid.SetCol(col);
    const QPoint inGrid(TwipsToPixels(grid.CellLeft() + grid.CellWidth() / 2),
                        TwipsToPixels(grid.CellTop() + grid.CellHeight() / 2));
    grid.SetRow(keepRow);
    grid.SetCol(keepCol);
    QWidget* viewport = qobject_cast<QAbstractScrollArea*>(grid.Widget())->viewport();
    QTest::mouseClick(viewport, button, Qt::NoModifier, inGrid - viewport->pos());
}

// Clicks the item `caption` of the pop-up menu that is open now; false when none is open or it has
// no such item.
inline bool ClickOpenMenuItem(const std::string& caption) {
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    QAction* action = menu ? ActionOf(menu->actions(), caption) : nullptr;
    if (action == nullptr) {
        return false;
    }
    QTest::mouseClick(menu, Qt::LeftButton, Qt::NoModifier, menu->actionGeometry(action).center());
    return true;
}

// The access letter of a caption ("&File": F), or 0.
inline char AccessLetter(const std::string& caption) {
    for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] == '&') {
            if (caption[i + 1] == '&') {
                ++i;
                continue;
            }
            return static_cast<char>(std::toupper(static_cast<unsigned char>(caption[i + 1])));
        }
    }
    return 0;
}

// True when every caption of the path has an access letter.
inline bool HasAccessKeys(const std::vector<std::string>& path) {
    for (const std::string& caption : path) {
        if (AccessLetter(caption) == 0) {
            return false;
        }
    }
    return true;
}

// A key as the desktop sends it to the window: through its native window, so that shortcuts and
// access keys are matched on the way as they are for a key typed.
inline void PressKey(Form& form, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(form.Window()->windowHandle(), key, modifiers);
}

// Alt and the entry's access letter through the window, then each item's letter in the drop-down
// that opened. False when a drop-down did not open.
inline bool PressAccessKeys(Form& form, const std::vector<std::string>& path) {
    QMenuBar* bar = form.Window()->menuBar();
    QAction* entry = ActionOf(bar->actions(), path.front());
    PressKey(form, static_cast<Qt::Key>(Qt::Key_A + (AccessLetter(path.front()) - 'A')), Qt::AltModifier);
    for (std::size_t i = 1; i < path.size(); ++i) {
        QMenu* menu = entry ? entry->menu() : nullptr;
        if (menu == nullptr || !WaitFor([menu] { return menu->isVisible(); })) {
            return false;
        }
        entry = ActionOf(menu->actions(), path[i]);
        const char letter = AccessLetter(path[i]);
        const Qt::Key key = letter >= '0' && letter <= '9' ? static_cast<Qt::Key>(Qt::Key_0 + (letter - '0'))
                                                           : static_cast<Qt::Key>(Qt::Key_A + (letter - 'A'));
        QTest::keyClick(menu, key);
    }
    return true;
}

// Clicks a toolbar button with the mouse.
inline void ClickToolbarButton(Toolbar& toolbar, int index) {
    QWidget* button = toolbar.Inner()->widgetForAction(toolbar.Buttons(index).Action());
    ASSERT_NE(button, nullptr) << "button " << index;
    QTest::mouseClick(button, Qt::LeftButton);
}

// Counts the program's windows as they are shown and hidden, by name; the windows named to it are closed
// (unloaded) as soon as they show, so that a modal one returns to the action that showed it.
class WindowWatch : public QObject {
public:
    explicit WindowWatch(std::vector<std::string> toClose = {}) : toClose_(std::move(toClose)) {
        QApplication::instance()->installEventFilter(this);
    }
    ~WindowWatch() override { QApplication::instance()->removeEventFilter(this); }
    WindowWatch(const WindowWatch&) = delete;
    WindowWatch& operator=(const WindowWatch&) = delete;

    int Shown(const std::string& name) const { return Count(shown_, name); }
    int Hidden(const std::string& name) const { return Count(hidden_, name); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        const bool shown = event->type() == QEvent::Show;
        if ((!shown && event->type() != QEvent::Hide) || !watched->isWidgetType() ||
            !static_cast<QWidget*>(watched)->isWindow()) {
            return false;
        }
        const std::string name = watched->objectName().toStdString();
        ++(shown ? shown_ : hidden_)[name];
        if (!shown) {
            return false;
        }
        for (const std::string& closing : toClose_) {
            if (closing == name) {
                Queue([name] {
                    for (Form* form : LoadedForms()) {
                        if (form->Name() == name) {
                            Unload(*form);
                        }
                    }
                });
            }
        }
        return false;
    }

private:
    static int Count(const std::map<std::string, int>& counts, const std::string& name) {
        const auto it = counts.find(name);
        return it == counts.end() ? 0 : it->second;
    }
    std::vector<std::string> toClose_;
    std::map<std::string, int> shown_;
    std::map<std::string, int> hidden_;
};

} // namespace plat::testing

#endif
