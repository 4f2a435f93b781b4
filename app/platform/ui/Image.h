#ifndef PLATFORM_UI_IMAGE_H
#define PLATFORM_UI_IMAGE_H

#include <functional>
#include <string>

#include <QImage>

#include "platform/ui/Control.h"

namespace plat {

// An image control: a picture on a window that reports clicks and takes no focus. The picture
// shows at its own size from the top-left corner, or fills the control when Stretch is on. A
// disabled image shows its picture and reports nothing.
class Image : public Control {
public:
    Image(Container& parent, std::string name, int index = -1);
    std::string TypeName() const override { return "Image"; }

    QImage Picture() const { return picture_; }
    // Any picture Qt can hold: a drawn one, or one of the program's resources (":/...").
    void SetPicture(const QImage& picture);
    bool Stretch() const { return stretch_; }
    void SetStretch(bool stretch);

    // A left-button press on the image and its release over it. A double click reports Click,
    // DblClick: its second release gives no Click.
    std::function<void()> Click;
    std::function<void()> DblClick;

private:
    friend class ImageView;
    QImage picture_;
    bool stretch_ = false;
};

} // namespace plat

#endif
