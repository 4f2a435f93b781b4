#ifndef PLATFORM_UI_TESTING_USERINPUT_H
#define PLATFORM_UI_TESTING_USERINPUT_H

// Keys typed, grid cells and menus clicked, as a user types and clicks them (header only; include it
// from test code, which links Qt Test).

#include <string>

#include <QAbstractScrollArea>
#include <QApplication>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

#include "platform/ui/FlexGrid.h"
#include "platform/ui/Twips.h"

namespace plat::testing {

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

// The action of a menu or menu bar whose text (mnemonic marks included) is `text`.
inline QAction* ActionNamed(const QWidget& menu, const std::string& text) {
    for (QAction* action : menu.actions()) {
        if (action->text().toStdString() == text) {
            return action;
        }
    }
    return nullptr;
}

// Clicks the item `text` of the pop-up menu that is open now; false when none is open or it has no
// such item.
inline bool ClickOpenMenuItem(const std::string& text) {
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    QAction* action = menu ? ActionNamed(*menu, text) : nullptr;
    if (action == nullptr) {
        return false;
    }
    QTest::mouseClick(menu, Qt::LeftButton, Qt::NoModifier, menu->actionGeometry(action).center());
    return true;
}

// Opens the menu `title` of the window's menu bar by a click on it, then clicks its item `text`.
inline bool ChooseFromMenuBar(QMainWindow& window, const std::string& title, const std::string& text) {
    QMenuBar* bar = window.menuBar();
    QAction* menu = ActionNamed(*bar, title);
    if (menu == nullptr) {
        return false;
    }
    QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, bar->actionGeometry(menu).center());
    return ClickOpenMenuItem(text);
}

} // namespace plat::testing

#endif
