#ifndef PLATFORM_ENGINE_TESTING_RUNTOEND_H
#define PLATFORM_ENGINE_TESTING_RUNTOEND_H

// For tests that run the real engine: start a run and poll it, as the program's timer does, until it
// reports done or failed. The program itself never blocks on a run.

#include "platform/engine/EngineBinding.h"

#include <chrono>
#include <string>
#include <thread>

namespace plat::testing {

// The run's last progress: 100 done, 0 failed; -1 when it could not start, another value when it
// was still running at the time limit.
inline int RunToEnd(IEngine& engine, const std::string& inPath, const std::string& plotPath,
                    const std::string& groundPath, std::chrono::seconds limit = std::chrono::seconds(120)) {
    if (engine.Kelv_start(inPath, plotPath, groundPath) != 0)
        return -1;
    const auto deadline = std::chrono::steady_clock::now() + limit;
    int progress = engine.Kelv_getProgress();
    while (progress != 100 && progress != 0 && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
        progress = engine.Kelv_getProgress();
    }
    return progress;
}

} // namespace plat::testing

#endif
