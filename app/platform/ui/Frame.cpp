#include "platform/ui/Frame.h"

#include <QGroupBox>

#include "platform/ui/QtText.h"

namespace plat {

Frame::Frame(Container& parent, std::string name, int index)
    : Control(parent, std::move(name), index, new QGroupBox) {
    Inner()->setFocusPolicy(Qt::NoFocus);
    // A frame hides what lies under it (a picture behind a tool frame), as a window's frame does.
    Inner()->setAutoFillBackground(true);
}

QGroupBox* Frame::Inner() const {
    return static_cast<QGroupBox*>(Widget());
}
std::string Frame::Caption() const {
    return FromQString(Inner()->title());
}
void Frame::SetCaption(const std::string& caption) {
    Inner()->setTitle(ToQString(caption));
}

} // namespace plat
