#ifndef PLATFORM_UI_TOOLBAR_H
#define PLATFORM_UI_TOOLBAR_H

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <QImage>
#include <QPointer>

#include "platform/ui/Control.h"

class QAction;
class QToolBar;

namespace plat {

// Pictures for toolbar buttons, numbered from 1.
class ImageList {
public:
    // Adds a picture and returns its number.
    int Add(const QImage& image);
    int Count() const { return static_cast<int>(images_.size()); }
    // The picture numbered `index` (a null image outside 1..Count).
    QImage Image(int index) const;

private:
    std::vector<QImage> images_;
};

class Toolbar;

// A button of a toolbar, numbered from 1. Value 1 shows it pressed (down), 0 up; a click leaves
// the value as the program set it.
class ToolbarButton {
public:
    enum class Style { Default, Separator };
    int Index() const { return index_; }
    Style ButtonStyle() const { return style_; }
    int Value() const { return value_; }
    void SetValue(int value);
    int Image() const { return image_; }
    void SetImage(int image);
    std::string ToolTipText() const;
    void SetToolTipText(const std::string& text);
    bool Enabled() const;
    void SetEnabled(bool enabled);
    bool Visible() const;
    void SetVisible(bool visible);
    QAction* Action() const { return action_; }

private:
    friend class Toolbar;
    ToolbarButton(Toolbar& toolbar, int index, Style style, QAction* action);
    Toolbar& toolbar_;
    int index_;
    Style style_;
    QPointer<QAction> action_;
    int value_ = 0;
    int image_ = 0;
};

// The window's toolbar along the top of the window. Its buttons take no focus; a click runs
// ButtonClick with the button's number.
class Toolbar : public Control {
public:
    Toolbar(Form& form, std::string name);
    std::string TypeName() const override { return "Toolbar"; }

    void SetImageList(const ImageList* images);
    const ImageList* Images() const { return images_; }
    // Adds a button at the end and returns it.
    ToolbarButton& AddButton(ToolbarButton::Style style = ToolbarButton::Style::Default,
                             const std::string& toolTip = "", int image = 0);
    int ButtonCount() const { return static_cast<int>(buttons_.size()); }
    ToolbarButton& Buttons(int index);
    // Runs the button as if clicked (nothing when it is disabled, hidden or a separator).
    void Click(int index);

    QToolBar* Inner() const;
    std::function<void(int index)> ButtonClick;

private:
    friend class ToolbarButton;
    void RefreshImage(ToolbarButton& button);
    std::vector<std::unique_ptr<ToolbarButton>> buttons_;
    const ImageList* images_ = nullptr;
};

} // namespace plat

#endif
