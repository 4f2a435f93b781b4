#ifndef PLATFORM_UI_TIMER_H
#define PLATFORM_UI_TIMER_H

#include <functional>
#include <string>

class QTimer;

namespace plat {

class Form;

// A window's timer: while Enabled and Interval > 0 it runs its Timer handler every Interval
// milliseconds from the event loop.
class Timer {
public:
    Timer(Form& form, std::string name);
    ~Timer();
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;

    const std::string& Name() const { return name_; }
    int Interval() const { return interval_; }
    void SetInterval(int milliseconds);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);

    std::function<void()> Tick;

private:
    void Apply();
    std::string name_;
    QTimer* timer_;
    int interval_ = 0;
    bool enabled_ = true;
};

} // namespace plat

#endif
