#include "platform/ui/Menu.h"

#include <QAction>
#include <QCursor>
#include <QMenu>
#include <QMenuBar>

#include "platform/ui/Dispatch.h"
#include "platform/ui/Keys.h"
#include "platform/ui/QtText.h"

namespace plat {

// An entry of the bar is a command until it gets items: a click or its access key then runs its Click,
// and no empty menu drops down.
MenuItem::MenuItem(std::string name, const std::string& caption, QMenuBar* bar) : name_(std::move(name)) {
    action_ = bar->addAction(ToQString(caption));
    Wire();
}

MenuItem::MenuItem(std::string name, const std::string& caption, QMenu* parent) : name_(std::move(name)) {
    action_ = parent->addAction(QString());
    SetCaption(caption);
    Wire();
}

MenuItem::~MenuItem() = default;

void MenuItem::Wire() {
    QObject::connect(action_, &QAction::triggered, action_, [this] {
        // Only the program sets the check mark.
        action_->setChecked(checked_);
        if (Click) {
            Dispatch(action_, Click);
        }
    });
}

std::string MenuItem::Caption() const {
    return action_->isSeparator() ? std::string("-") : FromQString(action_->text());
}

void MenuItem::SetCaption(const std::string& caption) {
    // A separator keeps no text: styles draw a separator's text as a heading line.
    const bool separator = caption == "-";
    action_->setSeparator(separator);
    action_->setText(separator ? QString() : ToQString(caption));
}

void MenuItem::SetChecked(bool checked) {
    checked_ = checked;
    if (checked) {
        action_->setCheckable(true);
    }
    action_->setChecked(checked);
    if (!checked) {
        action_->setCheckable(false);
    }
}

bool MenuItem::Enabled() const {
    return action_->isEnabled();
}
void MenuItem::SetEnabled(bool enabled) {
    action_->setEnabled(enabled);
}
bool MenuItem::Visible() const {
    return action_->isVisible();
}
void MenuItem::SetVisible(bool visible) {
    action_->setVisible(visible);
}

void MenuItem::SetShortcut(int keyCode, int shiftState) {
    shortcutCode_ = keyCode;
    shortcutShift_ = shiftState;
    action_->setShortcut(keyCode == 0 ? QKeySequence() : KeySequenceOf(keyCode, shiftState));
}

bool MenuItem::IsSeparator() const {
    return action_->isSeparator();
}

// The item's own action becomes the menu's action, so that the shortcuts of the items below are
// matched through the bar or menu that shows it.
QMenu* MenuItem::EnsureMenu() {
    if (!menu_) {
        menu_ = new QMenu(action_->text(), qobject_cast<QWidget*>(action_->parent()));
        action_->setMenu(menu_.data());
    }
    return menu_;
}

MenuItem& MenuItem::Add(const std::string& name, const std::string& caption) {
    items_.push_back(std::unique_ptr<MenuItem>(new MenuItem(name, caption, EnsureMenu())));
    return *items_.back();
}

MenuItem* MenuItem::Find(const std::string& name) {
    if (name_ == name) {
        return this;
    }
    for (auto& item : items_) {
        if (MenuItem* found = item->Find(name)) {
            return found;
        }
    }
    return nullptr;
}

void MenuItem::Trigger() {
    if (action_->isEnabled() && action_->isVisible()) {
        action_->trigger();
    }
}

namespace {

bool Available(const MenuItem& item) {
    return item.Enabled() && item.Visible() && !item.IsSeparator();
}

MenuItem* ItemWithShortcut(const std::vector<std::unique_ptr<MenuItem>>& items, int keyCode, int shiftState) {
    for (const auto& item : items) {
        if (!Available(*item)) {
            continue;
        }
        if (item->HasShortcut(keyCode, shiftState)) {
            return item.get();
        }
        if (MenuItem* found = ItemWithShortcut(item->Items(), keyCode, shiftState)) {
            return found;
        }
    }
    return nullptr;
}

// The key code of a caption's access letter ("&Parameters": P), or 0.
int AccessKeyOf(const std::string& caption) {
    for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != '&') {
            continue;
        }
        const char c = caption[i + 1];
        if (c == '&') {
            ++i;
            continue;
        }
        if (c >= 'a' && c <= 'z') {
            return key::A + (c - 'a');
        }
        if (c >= 'A' && c <= 'Z') {
            return key::A + (c - 'A');
        }
        if (c >= '0' && c <= '9') {
            return key::Key0 + (c - '0');
        }
        return 0;
    }
    return 0;
}

} // namespace

MenuItem* MenuItemOfKey(const std::vector<std::unique_ptr<MenuItem>>& menus, int keyCode, int shiftState) {
    if (shiftState == shift::Alt) {
        for (const auto& entry : menus) {
            if (Available(*entry) && AccessKeyOf(entry->Caption()) == keyCode) {
                return entry.get();
            }
        }
    }
    return ItemWithShortcut(menus, keyCode, shiftState);
}

void MenuItem::Choose() {
    auto* bar = qobject_cast<QMenuBar*>(action_->parent());
    if (menu_ && bar) {
        bar->setActiveAction(action_);
        return;
    }
    Trigger();
}

void MenuItem::Popup() {
    if (menu_) {
        menu_->exec(QCursor::pos());
    }
}

} // namespace plat
