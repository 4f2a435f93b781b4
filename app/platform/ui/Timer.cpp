#include "platform/ui/Timer.h"

#include <QMainWindow>
#include <QTimer>

#include "platform/ui/Dispatch.h"
#include "platform/ui/Form.h"

namespace plat {

Timer::Timer(Form& form, std::string name) : name_(std::move(name)), timer_(new QTimer(form.Window())) {
    QObject::connect(timer_, &QTimer::timeout, timer_, [this] {
        if (Tick) {
            Dispatch(timer_, Tick);
        }
    });
}

Timer::~Timer() {
    delete timer_;
}

void Timer::SetInterval(int milliseconds) {
    interval_ = milliseconds < 0 ? 0 : milliseconds;
    Apply();
}

void Timer::SetEnabled(bool enabled) {
    enabled_ = enabled;
    Apply();
}

void Timer::Apply() {
    if (enabled_ && interval_ > 0) {
        timer_->start(interval_);
    } else {
        timer_->stop();
    }
}

} // namespace plat
