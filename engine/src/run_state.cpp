#include "run_state.h"

#include "error_codes.h"
#include "point_loop.h"
#include "simrun.h"

#include <atomic>
#include <cstdint>
#include <mutex>
#include <system_error>
#include <thread>

namespace kelvd {

namespace {

enum State : std::int32_t { kNeverRun = 0, kRunning = 1, kFinished = 2, kFailed = 3 };

// The library's one application object: the run state, the path buffers and the run thread. Unloading
// the library during a run stops the run and waits for its thread.
//
// Callers on any number of threads are serialised by control_, which the run thread never takes: the
// claim of the run, the thread object and the reset of the shared words happen as one step, so a run
// that ends at once cannot let a second caller start (and assign onto) a thread the first has not yet
// stored. Only a caller holding control_ moves RunState to running; only the run thread moves it on.
class CEngineApp {
public:
    ~CEngineApp() {
        std::lock_guard lock(control_);
        if (worker_.joinable()) {
            StopRequested.store(1);
            worker_.join();
        }
    }

    int start(const char* in, const char* plot, const char* ground) {
        std::lock_guard lock(control_);
        if (RunState.load() == kRunning)
            return 1;
        // The previous run has published its end; its thread has nothing left to do. Joining it here
        // keeps at most one run thread in existence.
        if (worker_.joinable())
            worker_.join();
        paths_.in.assign(in);
        paths_.plot.assign(plot);
        paths_.ground.assign(ground);
        StopRequested.store(0);
        LastError.store(errors::kNone);
        Progress.store(0);
        RunState.store(kRunning);
        try {
            worker_ = std::thread([this] { run(); });
        } catch (const std::system_error&) {
            LastError.store(errors::kThreadStart);
            RunState.store(kFailed);
        }
        return 0;
    }

    void stop() {
        // Under control_ no new run can start between the test and the request, so a request meant for
        // a run that has just ended is cleared by the next start instead of stopping that next run.
        std::lock_guard lock(control_);
        if (RunState.load() == kRunning)
            StopRequested.store(1);
    }

    int progress() const {
        switch (RunState.load()) {
        case kNeverRun:
        case kFinished:
            return 100;
        case kRunning: {
            const std::int32_t p = Progress.load();
            return p < 1 ? 1 : (p > 99 ? 99 : p);
        }
        default:
            return 0;
        }
    }

    int lastError() const { return LastError.load(); }

private:
    void run() {
        RunControl control;
        control.stopRequested = &StopRequested;
        control.progress = &Progress;
        control.helpers = &helpers_;
        int code = errors::kNone;
        try {
            code = SIMRUN(paths_, control);
        } catch (...) {
            // Only resource exhaustion can get here; the run fails like any other.
            code = errors::kThreadStart;
        }
        // The files are closed; publish the code before the state that tells the caller the run is over.
        LastError.store(code);
        RunState.store(code == errors::kNone ? kFinished : kFailed);
    }

    std::atomic<std::uint8_t> StopRequested{0};
    std::atomic<std::int32_t> RunState{kNeverRun};
    std::atomic<std::int32_t> LastError{errors::kNone};
    std::atomic<std::int32_t> Progress{0};
    RunPaths paths_;
    // The point loop's helper threads, kept from run to run and used by one run thread at a time; they
    // end with the library, after its run thread.
    PointHelpers helpers_;
    std::mutex control_;
    std::thread worker_;
};

CEngineApp theApp;

} // namespace

int StartRun(const char* inPath, const char* plotPath, const char* groundPath) {
    return theApp.start(inPath, plotPath, groundPath);
}
void RequestStop() { theApp.stop(); }
int RunProgress() { return theApp.progress(); }
int RunLastError() { return theApp.lastError(); }

} // namespace kelvd
