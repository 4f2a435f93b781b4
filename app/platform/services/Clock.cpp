#include "platform/services/Clock.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTime>
#include <QTimer>

namespace plat {

namespace {

std::unique_ptr<IClock>& Installed() {
    static std::unique_ptr<IClock> clock;
    return clock;
}

} // namespace

double SystemClock::SecondsSinceMidnight() {
    return QTime::currentTime().msecsSinceStartOfDay() / 1000.0;
}

IClock& Clock() {
    auto& clock = Installed();
    if (!clock) {
        clock = std::make_unique<SystemClock>();
    }
    return *clock;
}

void SetClock(std::unique_ptr<IClock> clock) {
    Installed() = std::move(clock);
}

void DoEvents(int waitMilliseconds) {
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    if (waitMilliseconds > 0) {
        QEventLoop loop;
        QTimer::singleShot(waitMilliseconds, &loop, &QEventLoop::quit);
        loop.exec();
    }
}

} // namespace plat
