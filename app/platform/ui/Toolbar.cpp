#include "platform/ui/Toolbar.h"

#include <stdexcept>

#include <QAction>
#include <QMainWindow>
#include <QPixmap>
#include <QToolBar>

#include "platform/ui/Dispatch.h"
#include "platform/ui/Form.h"
#include "platform/ui/QtText.h"

namespace plat {

int ImageList::Add(const QImage& image) {
    images_.push_back(image);
    return Count();
}

QImage ImageList::Image(int index) const {
    if (index < 1 || index > Count()) {
        return {};
    }
    return images_[static_cast<std::size_t>(index - 1)];
}

ToolbarButton::ToolbarButton(Toolbar& toolbar, int index, Style style, QAction* action)
    : toolbar_(toolbar), index_(index), style_(style), action_(action) {}

void ToolbarButton::SetValue(int value) {
    value_ = value != 0 ? 1 : 0;
    action_->setChecked(value_ == 1);
}

void ToolbarButton::SetImage(int image) {
    image_ = image;
    toolbar_.RefreshImage(*this);
}

std::string ToolbarButton::ToolTipText() const {
    return FromQString(action_->toolTip());
}
void ToolbarButton::SetToolTipText(const std::string& text) {
    action_->setToolTip(ToQString(text));
}
bool ToolbarButton::Enabled() const {
    return action_->isEnabled();
}
void ToolbarButton::SetEnabled(bool enabled) {
    action_->setEnabled(enabled);
}
bool ToolbarButton::Visible() const {
    return action_->isVisible();
}
void ToolbarButton::SetVisible(bool visible) {
    action_->setVisible(visible);
}

Toolbar::Toolbar(Form& form, std::string name) : Control(form, std::move(name), -1, new QToolBar) {
    Inner()->setMovable(false);
    Inner()->setFloatable(false);
    Inner()->setFocusPolicy(Qt::NoFocus);
    Inner()->setContextMenuPolicy(Qt::PreventContextMenu);
    form.Window()->addToolBar(Qt::TopToolBarArea, Inner());
}

QToolBar* Toolbar::Inner() const {
    return static_cast<QToolBar*>(Widget());
}

void Toolbar::SetImageList(const ImageList* images) {
    images_ = images;
    for (auto& button : buttons_) {
        RefreshImage(*button);
    }
}

ToolbarButton& Toolbar::AddButton(ToolbarButton::Style style, const std::string& toolTip, int image) {
    QAction* action =
        style == ToolbarButton::Style::Separator ? Inner()->addSeparator() : Inner()->addAction(QString());
    const int index = ButtonCount() + 1;
    buttons_.push_back(std::unique_ptr<ToolbarButton>(new ToolbarButton(*this, index, style, action)));
    ToolbarButton& button = *buttons_.back();
    if (style == ToolbarButton::Style::Default) {
        // Checkable only to show the pressed state; the program keeps the value.
        action->setCheckable(true);
        if (QWidget* w = Inner()->widgetForAction(action)) {
            w->setFocusPolicy(Qt::NoFocus);
        }
        QObject::connect(action, &QAction::triggered, action, [this, &button] {
            button.action_->setChecked(button.value_ == 1);
            if (ButtonClick) {
                Dispatch(Inner(), [&] { ButtonClick(button.index_); });
            }
        });
        button.SetToolTipText(toolTip);
        button.SetImage(image);
    }
    return button;
}

ToolbarButton& Toolbar::Buttons(int index) {
    if (index < 1 || index > ButtonCount()) {
        throw std::out_of_range("Toolbar::Buttons: no such button");
    }
    return *buttons_[static_cast<std::size_t>(index - 1)];
}

void Toolbar::Click(int index) {
    ToolbarButton& button = Buttons(index);
    if (button.style_ == ToolbarButton::Style::Default && button.Enabled() && button.Visible()) {
        button.action_->trigger();
    }
}

void Toolbar::RefreshImage(ToolbarButton& button) {
    if (button.style_ != ToolbarButton::Style::Default) {
        return;
    }
    const QImage image = images_ ? images_->Image(button.image_) : QImage();
    button.action_->setIcon(image.isNull() ? QIcon() : QIcon(QPixmap::fromImage(image)));
}

} // namespace plat
