#ifndef PLATFORM_UI_LABEL_H
#define PLATFORM_UI_LABEL_H

#include <functional>
#include <string>

#include "platform/ui/Control.h"

class QLabel;

namespace plat {

// A caption on a window; takes no focus.
class Label : public Control {
public:
    Label(Container& parent, std::string name, int index = -1);
    std::string TypeName() const override { return "Label"; }

    std::string Caption() const;
    void SetCaption(const std::string& caption);
    // 0 left, 1 right, 2 centre.
    void SetAlignment(int alignment);
    Colour ForeColor() const { return foreColor_; }
    void SetForeColor(Colour colour);
    Colour BackColor() const { return backColor_; }
    void SetBackColor(Colour colour);
    // 0 transparent, 1 opaque.
    void SetBackStyle(int style);
    void SetWordWrap(bool wrap);
    // Fits the label to its caption now and after every new caption (one line unless it wraps).
    void SetAutoSize(bool autoSize);

    QLabel* Inner() const;

    // A left-button press and release over the label.
    std::function<void()> Click;

private:
    void ApplyColours();
    Colour foreColor_ = kSystemButtonText;
    Colour backColor_ = kSystemButtonFace;
    bool opaque_ = true;
    bool autoSize_ = false;
};

} // namespace plat

#endif
