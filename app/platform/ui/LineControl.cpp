#include "platform/ui/LineControl.h"

#include <algorithm>

#include <QPainter>

#include "platform/draw/Canvas.h"
#include "platform/ui/Colors.h"
#include "platform/ui/Twips.h"

namespace plat {

class LineView : public QWidget {
public:
    void SetLine(const LineControl* line) { line_ = line; }

protected:
    void paintEvent(QPaintEvent*) override {
        const int left = std::min(TwipsToPixels(line_->x1_), TwipsToPixels(line_->x2_));
        const int top = std::min(TwipsToPixels(line_->y1_), TwipsToPixels(line_->y2_));
        QPainter painter(this);
        painter.setPen(QPen(ToQColor(line_->BorderColor()), 1));
        painter.drawLine(TwipsToPixels(line_->x1_) - left, TwipsToPixels(line_->y1_) - top,
                         TwipsToPixels(line_->x2_) - left, TwipsToPixels(line_->y2_) - top);
    }

private:
    const LineControl* line_ = nullptr;
};

LineControl::LineControl(Container& parent, std::string name, int index)
    : Control(parent, std::move(name), index, new LineView) {
    static_cast<LineView*>(Widget())->SetLine(this);
    Widget()->setFocusPolicy(Qt::NoFocus);
    Widget()->setAttribute(Qt::WA_TransparentForMouseEvents);
    Widget()->setAttribute(Qt::WA_NoSystemBackground);
    Widget()->setAttribute(Qt::WA_TranslucentBackground);
    SetEnds(0, 0, 0, 0);
}

void LineControl::SetEnds(int x1, int y1, int x2, int y2) {
    x1_ = x1;
    y1_ = y1;
    x2_ = x2;
    y2_ = y2;
    // The widget covers the line's pixels: its bounding rectangle, one pixel more each way.
    const int left = std::min(TwipsToPixels(x1), TwipsToPixels(x2));
    const int top = std::min(TwipsToPixels(y1), TwipsToPixels(y2));
    const int right = std::max(TwipsToPixels(x1), TwipsToPixels(x2));
    const int bottom = std::max(TwipsToPixels(y1), TwipsToPixels(y2));
    Widget()->setGeometry(left, top, right - left + 1, bottom - top + 1);
    Widget()->update();
}

void LineControl::SetEnds(const Canvas& scale, double x1, double y1, double x2, double y2) {
    SetEnds(PixelsToTwips(scale.PixelX(x1)), PixelsToTwips(scale.PixelY(y1)), PixelsToTwips(scale.PixelX(x2)),
            PixelsToTwips(scale.PixelY(y2)));
}

void LineControl::SetBorderColor(Colour colour) {
    borderColor_ = colour;
    Widget()->update();
}

} // namespace plat
