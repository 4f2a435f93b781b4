#include "platform/ui/Label.h"

#include <QLabel>
#include <QMouseEvent>

#include "platform/ui/Dispatch.h"
#include "platform/ui/QtText.h"

namespace plat {

namespace {

// A label that reports a click: a left-button release over it after a press on it.
class ClickLabel : public QLabel {
public:
    explicit ClickLabel(const Label* owner) : owner_(owner) {}

protected:
    void mouseReleaseEvent(QMouseEvent* event) override {
        QLabel::mouseReleaseEvent(event);
        if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()) &&
            owner_->Click)
            Dispatch(this, owner_->Click);
    }

private:
    const Label* owner_;
};

} // namespace

Label::Label(Container& parent, std::string name, int index)
    : Control(parent, std::move(name), index, new ClickLabel(this)) {
    Inner()->setFocusPolicy(Qt::NoFocus);
    Inner()->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Inner()->setWordWrap(true);
    ApplyColours();
}

QLabel* Label::Inner() const {
    return static_cast<QLabel*>(Widget());
}

std::string Label::Caption() const {
    return FromQString(Inner()->text());
}

void Label::SetCaption(const std::string& caption) {
    Inner()->setTextFormat(Qt::PlainText);
    Inner()->setText(ToQString(caption));
    if (autoSize_) {
        Inner()->adjustSize();
    }
}

void Label::SetAutoSize(bool autoSize) {
    autoSize_ = autoSize;
    if (autoSize_) {
        Inner()->adjustSize();
    }
}

void Label::SetAlignment(int alignment) {
    const Qt::Alignment horizontal = alignment == 1   ? Qt::AlignRight
                                     : alignment == 2 ? Qt::AlignHCenter
                                                      : Qt::AlignLeft;
    Inner()->setAlignment(horizontal | Qt::AlignTop);
}

void Label::SetForeColor(Colour colour) {
    foreColor_ = colour;
    ApplyColours();
}

void Label::SetBackColor(Colour colour) {
    backColor_ = colour;
    ApplyColours();
}

void Label::SetBackStyle(int style) {
    opaque_ = style != 0;
    ApplyColours();
}

void Label::SetWordWrap(bool wrap) {
    Inner()->setWordWrap(wrap);
}

void Label::ApplyColours() {
    QPalette palette = Inner()->palette();
    palette.setColor(QPalette::WindowText, ToQColor(foreColor_));
    palette.setColor(QPalette::Window, ToQColor(backColor_));
    Inner()->setPalette(palette);
    Inner()->setAutoFillBackground(opaque_);
}

} // namespace plat
