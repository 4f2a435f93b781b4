#include "platform/ui/Image.h"

#include <QMouseEvent>
#include <QPainter>

#include <utility>

#include "platform/ui/Dispatch.h"

namespace plat {

class ImageView : public QWidget {
public:
    explicit ImageView(const Image* owner) : owner_(owner) {}

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        if (owner_->stretch_) {
            painter.drawImage(rect(), owner_->picture_);
        } else {
            painter.drawImage(0, 0, owner_->picture_);
        }
    }
    void mousePressEvent(QMouseEvent* e) override {
        if (e->button() == Qt::LeftButton) {
            pressed_ = true;
        }
    }
    void mouseReleaseEvent(QMouseEvent* e) override {
        if (e->button() != Qt::LeftButton) {
            return;
        }
        // The release that ends a double click is no click of its own.
        const bool afterDouble = std::exchange(doubleClicked_, false);
        const bool pressed = std::exchange(pressed_, false);
        if (pressed && !afterDouble && rect().contains(e->position().toPoint()) && owner_->Click) {
            Dispatch(this, owner_->Click);
        }
    }
    void mouseDoubleClickEvent(QMouseEvent* e) override {
        if (e->button() != Qt::LeftButton) {
            return;
        }
        pressed_ = true;
        doubleClicked_ = true;
        if (owner_->DblClick) {
            Dispatch(this, owner_->DblClick);
        }
    }

    // A press made before the image was disabled ends with it.
    void changeEvent(QEvent* e) override {
        if (e->type() == QEvent::EnabledChange) {
            pressed_ = false;
        }
        QWidget::changeEvent(e);
    }

private:
    const Image* owner_;
    bool pressed_ = false;
    bool doubleClicked_ = false;
};

Image::Image(Container& parent, std::string name, int index)
    : Control(parent, std::move(name), index, new ImageView(this)) {
    Widget()->setFocusPolicy(Qt::NoFocus);
}

void Image::SetPicture(const QImage& picture) {
    picture_ = picture;
    Widget()->update();
}

void Image::SetStretch(bool stretch) {
    stretch_ = stretch;
    Widget()->update();
}

} // namespace plat
