#ifndef KELVD_LOADED_ENGINE_H
#define KELVD_LOADED_ENGINE_H

// The built library loaded with dlopen and bound as the program binds it, with the program's way of
// waiting for a run: polling until progress 100, or 0 with a non-zero error.

#include <chrono>
#include <thread>

#include <dlfcn.h>

namespace kelvd_test {

class LoadedEngine {
public:
    LoadedEngine() {
        handle_ = dlopen(KELVD_LIBRARY, RTLD_NOW | RTLD_LOCAL);
        if (!handle_)
            return;
        start =
            reinterpret_cast<int (*)(const char*, const char*, const char*)>(dlsym(handle_, "Kelv_start"));
        stop = reinterpret_cast<int (*)()>(dlsym(handle_, "Kelv_stop"));
        progress = reinterpret_cast<int (*)()>(dlsym(handle_, "Kelv_getProgress"));
        lastError = reinterpret_cast<int (*)()>(dlsym(handle_, "Kelv_getLastError"));
    }
    ~LoadedEngine() { unload(); }
    LoadedEngine(const LoadedEngine&) = delete;
    LoadedEngine& operator=(const LoadedEngine&) = delete;

    void unload() {
        if (handle_)
            dlclose(handle_);
        handle_ = nullptr;
    }
    bool loaded() const { return handle_ && start && stop && progress && lastError; }

    // Returns the run's error code, or -1 when it has not ended within the limit.
    int wait(std::chrono::seconds limit = std::chrono::seconds(30)) {
        const auto until = std::chrono::steady_clock::now() + limit;
        for (;;) {
            const int p = progress();
            if (p == 100)
                return lastError();
            if (p == 0 && lastError() != 0)
                return lastError();
            if (std::chrono::steady_clock::now() > until)
                return -1;
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    }
    // Starts a run and waits for it; -2 when the start is refused.
    int run(const char* in, const char* plot, const char* ground,
            std::chrono::seconds limit = std::chrono::seconds(30)) {
        if (start(in, plot, ground) != 0)
            return -2;
        return wait(limit);
    }

    int (*start)(const char*, const char*, const char*) = nullptr;
    int (*stop)() = nullptr;
    int (*progress)() = nullptr;
    int (*lastError)() = nullptr;

private:
    void* handle_ = nullptr;
};

} // namespace kelvd_test

#endif
