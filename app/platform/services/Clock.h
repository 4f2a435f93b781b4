#ifndef PLATFORM_SERVICES_CLOCK_H
#define PLATFORM_SERVICES_CLOCK_H

#include <memory>

namespace plat {

// The time of day the program reads (seconds since midnight, with fractions).
class IClock {
public:
    virtual ~IClock() = default;
    virtual double SecondsSinceMidnight() = 0;
};

class SystemClock final : public IClock {
public:
    double SecondsSinceMidnight() override;
};

// A clock that tests set by hand.
class ManualClock final : public IClock {
public:
    explicit ManualClock(double seconds = 0) : seconds_(seconds) {}
    double SecondsSinceMidnight() override { return seconds_; }
    void Set(double seconds) { seconds_ = seconds; }
    void Advance(double seconds) { seconds_ += seconds; }

private:
    double seconds_;
};

IClock& Clock();
// Installs a clock (nullptr: the system clock).
void SetClock(std::unique_ptr<IClock> clock);

// Lets the event loop handle what is pending. With waitMilliseconds > 0 it also waits that long
// for further events (handling them as they come), so that a polling loop does not spin.
void DoEvents(int waitMilliseconds = 0);

} // namespace plat

#endif
