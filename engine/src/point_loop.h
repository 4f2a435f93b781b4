#ifndef KELVD_POINT_LOOP_H
#define KELVD_POINT_LOOP_H

#include "engine_types.h"
#include "field_context.h"
#include "ground_file.h"
#include "run_files.h"
#include "run_inputs.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace kelvd {

// One field point of the pattern cut: position (feet), its angle ALPHA and azimuth (degrees).
struct FlightPoint {
    Vec3 P{};
    double ALPHA = 0;
    double azimuth = 0;
};

// The field points of the cut, computed once before the loop. Returns 0, or errors::kCard for an
// unknown TYPE, a two-part approach too short to split, or a cut with a point that has no finite
// position (a level run whose geometry has no real solution, for one).
int FlightPoints(const RunInputs& in, std::vector<FlightPoint>& points);

// The report header that precedes the points (without the 250-point termination text).
void ReportHeader(const RunInputs& in, std::string& fort7);

// A run that would compute nothing (no antennas, no points, no field model of that number, no
// positive frequency, no pattern cut of that type): appends one report line per reason and returns errors::kCard; otherwise 0.
int CheckComputable(const RunInputs& in, std::string& fort7);

// The clearance correction of DDM (c the clearance modulation depth, S the CSB sum over M, L the
// clearance sum).
double CLRCOR(double c, double DDM, Complex S, Complex L, double M);

// Everything one field point writes: report text, echo rows, the plot row, and the code that ends the
// run at this point (0 none). On an error the texts hold what was written before the failure.
struct PointResult {
    std::string fort7;
    std::string fort10;
    std::string plot;
    int error = 0;
};

// Evaluates field point i for every antenna; ctx is the calling worker's own context.
void EvaluatePoint(const RunInputs& in, const GroundData& ground, const FlightPoint& fp, int i,
                   FieldContext& ctx, PointResult& out);

// What the point loop shares with the run's caller, and how it runs.
struct RunControl {
    std::atomic<std::uint8_t>* stopRequested = nullptr;
    std::atomic<std::int32_t>* progress = nullptr;
    // Threads evaluating points, the run thread included: 0 uses every core, 1 the run thread alone.
    int threads = 0;
    // Called on the run thread after point i has been written (tests use it to stop a run mid-way).
    std::function<void(int)> afterPoint;
};

// The threads that evaluate one run's points besides the run thread. They wait from their start until
// run() hands them the points, so that the run can start them before its last preparations.
class PointWorkers {
public:
    // threads: the threads evaluating points, the run thread included (0 every core, 1 the run thread
    // alone); never more than the points, and fewer when the system refuses to start more.
    PointWorkers(int threads, size_t points);
    ~PointWorkers();
    PointWorkers(const PointWorkers&) = delete;
    PointWorkers& operator=(const PointWorkers&) = delete;

    // Evaluates the points and writes each point's texts in point order, so that the files are identical
    // whatever the thread count; the helpers have stopped when it returns. Call once. Returns 0,
    // errors::kStopped or a point's error.
    int run(const RunInputs& in, const GroundData& ground, const std::vector<FlightPoint>& points,
            RunFiles& files, RunControl& control);

private:
    struct Batch;

    void help();
    // Evaluates point i of the batch (false when i is past the last point) and flags it ready.
    bool evaluate(Batch& batch, size_t i, FieldContext& ctx);
    // Waits for point i for at most the given time; true when it is ready.
    bool waitFor(const Batch& batch, size_t i, std::chrono::milliseconds timeout);
    void finish();

    std::mutex mutex_;
    std::condition_variable posted_, done_;
    Batch* batch_ = nullptr;
    std::atomic<bool> quit_{false};
    std::atomic<bool> runThreadWaits_{false};
    std::vector<std::thread> helpers_;
};

} // namespace kelvd

#endif
