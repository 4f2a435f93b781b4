#ifndef KELVD_POINT_LOOP_H
#define KELVD_POINT_LOOP_H

#include "engine_types.h"
#include "field_context.h"
#include "ground_file.h"
#include "run_files.h"
#include "run_inputs.h"

#include <array>
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

// One antenna's part of a field point: its report text (the profile's vertices for the first antenna,
// the model's lines), its echo row, its field and feeds, and the code that ends the run there (0 none).
struct AntennaResult {
    std::string fort7;
    std::string fort10;
    Complex E, ISS, ICS, ICC;
    int error = 0;
};

// Evaluates antenna n at the field point; ctx is the calling worker's own context. The antennas of a
// point are independent of one another, so they may be evaluated on different workers.
void EvaluateAntenna(const RunInputs& in, const GroundData& ground, const FlightPoint& fp, int n, FieldContext& ctx,
                     AntennaResult& out);

// Field point i from its antennas' parts (in.NA of them, in antenna order): the parts' texts up to the
// first that failed, then the point's DDM, CDI, report row and plot row.
void CombinePoint(const RunInputs& in, const FlightPoint& fp, int i, const AntennaResult* antennas, PointResult& out);

// Evaluates field point i for every antenna in order, up to the first that fails, and combines them.
void EvaluatePoint(const RunInputs& in, const GroundData& ground, const FlightPoint& fp, int i,
                   FieldContext& ctx, PointResult& out);

class PointHelpers;

// What the point loop shares with the run's caller, and how it runs.
struct RunControl {
    std::atomic<std::uint8_t>* stopRequested = nullptr;
    std::atomic<std::int32_t>* progress = nullptr;
    // Threads evaluating points: 0 uses every core, 1 evaluates on the run thread itself.
    int threads = 0;
    // Helper threads kept by the caller from run to run; without them the run starts its own.
    PointHelpers* helpers = nullptr;
    // Called on the run thread after point i has been written (tests use it to stop a run mid-way).
    std::function<void(int)> afterPoint;
};

// Helper threads that evaluate a run's points while the run thread writes them. A caller of many runs
// keeps one for all of them (the library does), so that a run does not pay for starting and ending
// threads: on a loaded machine that takes milliseconds for a handful. Between loops the helpers wait.
// One loop at a time; destroy it only when none runs.
class PointHelpers {
public:
    PointHelpers();
    ~PointHelpers();
    PointHelpers(const PointHelpers&) = delete;
    PointHelpers& operator=(const PointHelpers&) = delete;

    // Starts what a loop of that many points needs with that control.threads and is not yet there
    // (fewer when the system refuses more threads). A run calls it before its last preparations, so that
    // the helpers come up meanwhile.
    void reserve(int threads, size_t points);

    // Evaluates the points, on as many helpers as control.threads allows (on the run thread itself when
    // that is one thread or the run has one point), and writes each point's texts in point order, so
    // that the files are identical whatever the thread count. No helper uses the inputs once it has
    // returned. Returns 0, errors::kStopped or a point's error.
    int run(const RunInputs& in, const GroundData& ground, const std::vector<FlightPoint>& points,
            RunFiles& files, RunControl& control);

private:
    struct Slot;
    struct Batch;

    // Helpers for a loop of that many points: none for one thread or one point.
    static size_t wanted(int threads, size_t points);
    void help();
    // Gives the batch to at most seats helpers; withdraw takes it back once no helper works on it.
    void post(Batch& batch, size_t seats);
    void withdraw(Batch& batch);
    // Evaluates an item of the batch, a point or a part of one (false when item is past the last); the
    // point's last part combines the point and flags it ready.
    bool evaluate(Batch& batch, size_t item, FieldContext& ctx);
    // Flags the point ready, and wakes the run thread when it waits for that many points.
    void pointReady(Batch& batch, Slot& slot);
    // Waits until point i is ready and the helpers have gone on a little past it, or for at most the
    // given time (the run thread then looks for a stop).
    void waitFor(Batch& batch, size_t i, std::chrono::milliseconds timeout);

    // The helpers wait for a post on a counter and take a batch's seats without a lock.
    std::atomic<std::uint32_t> posted_{0}; // batches posted so far, and the quit
    std::atomic<Batch*> batch_{nullptr};
    std::atomic<std::uint32_t> busy_{0};   // helpers that may be working on a batch
    std::atomic<bool> quit_{false};
    // The run thread waits for points under this.
    std::mutex mutex_;
    std::condition_variable done_;
    std::atomic<bool> runThreadWaits_{false};
    std::vector<std::thread> helpers_;
    std::vector<Slot> slots_; // the points of the loops, kept from loop to loop
};

} // namespace kelvd

#endif
