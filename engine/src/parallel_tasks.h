#ifndef KELVD_PARALLEL_TASKS_H
#define KELVD_PARALLEL_TASKS_H

#include <cstddef>
#include <functional>

namespace kelvd {

// Runs task(k) for every k in [0, count), some of them at once on other threads, the calling thread
// taking part; returns when all have run. Tasks are taken in order of k.
using ParallelTasks = std::function<void(size_t count, const std::function<void(size_t)>& task)>;

} // namespace kelvd

#endif
