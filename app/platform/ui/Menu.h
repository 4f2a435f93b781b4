#ifndef PLATFORM_UI_MENU_H
#define PLATFORM_UI_MENU_H

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>

namespace plat {

// An item of a window's menu bar or of one of its menus. The caption marks its access letter
// with '&'; a caption "-" makes a separator. Checked only shows the mark: choosing the item
// leaves it as the program set it, and runs Click. An entry of the bar without items is a command:
// a click or its access key runs Click. A menu shortcut is handled before the window's key
// handlers see the key, whichever control has the focus.
class MenuItem {
public:
    MenuItem(const MenuItem&) = delete;
    MenuItem& operator=(const MenuItem&) = delete;
    ~MenuItem();

    const std::string& Name() const { return name_; }
    std::string Caption() const;
    void SetCaption(const std::string& caption);
    bool Checked() const { return checked_; }
    void SetChecked(bool checked);
    bool Enabled() const;
    void SetEnabled(bool enabled);
    bool Visible() const;
    void SetVisible(bool visible);
    // A key code and shift state (plat::key, plat::shift); key code 0 removes the shortcut.
    void SetShortcut(int keyCode, int shiftState = 0);
    bool HasShortcut(int keyCode, int shiftState) const {
        return shortcutCode_ != 0 && shortcutCode_ == keyCode && shortcutShift_ == shiftState;
    }
    bool IsSeparator() const;

    // Adds a sub-item at the end of this item's menu.
    MenuItem& Add(const std::string& name, const std::string& caption);
    const std::vector<std::unique_ptr<MenuItem>>& Items() const { return items_; }
    // This item or one below it by name, or nullptr.
    MenuItem* Find(const std::string& name);

    // Runs the item as if the user chose it (nothing when it is disabled or hidden).
    void Trigger();

    QAction* Action() const { return action_; }
    // The drop-down of an item with items; nullptr for a command.
    QMenu* Menu() const { return menu_; }

    std::function<void()> Click;

private:
    friend class Form;
    MenuItem(std::string name, const std::string& caption, QMenuBar* bar);
    MenuItem(std::string name, const std::string& caption, QMenu* parent);
    void Wire();
    QMenu* EnsureMenu();
    void Popup();
    // As a key chose it: a menu of the bar drops down, any other item runs.
    void Choose();

    std::string name_;
    QPointer<QAction> action_;
    QPointer<QMenu> menu_;
    std::vector<std::unique_ptr<MenuItem>> items_;
    bool checked_ = false;
    int shortcutCode_ = 0;
    int shortcutShift_ = 0;
};

// The item of these menus (and the items below them) that a key with this shift state chooses, as
// the window's menu bar handles keys before its controls: an enabled shortcut of an item shown in
// enabled menus, or Alt and the access letter of an entry of the bar. nullptr when there is none.
MenuItem* MenuItemOfKey(const std::vector<std::unique_ptr<MenuItem>>& menus, int keyCode, int shiftState);

} // namespace plat

#endif
