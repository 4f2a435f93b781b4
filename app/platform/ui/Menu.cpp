#include "platform/ui/Menu.h"

#include <QAction>
#include <QCursor>
#include <QMenu>
#include <QMenuBar>

#include "platform/ui/Dispatch.h"
#include "platform/ui/Keys.h"
#include "platform/ui/QtText.h"

namespace plat {

MenuItem::MenuItem(std::string name, const std::string& caption, QMenuBar* bar) : name_(std::move(name)) {
    menu_ = new QMenu(ToQString(caption), bar);
    action_ = bar->addMenu(menu_);
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
    action_->setShortcut(keyCode == 0 ? QKeySequence() : KeySequenceOf(keyCode, shiftState));
}

bool MenuItem::IsSeparator() const {
    return action_->isSeparator();
}

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

void MenuItem::Popup() {
    if (menu_) {
        menu_->exec(QCursor::pos());
    }
}

} // namespace plat
