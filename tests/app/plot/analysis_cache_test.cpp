// The analyses kept between redraws: run again exactly when the samples, the method or the record
// they read differ, and what a kept run hands back is what a fresh run gives.
#include "plot/logic/AnalysisCache.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <vector>

using namespace plot;

namespace {

struct Input {
    std::vector<float> X;
    std::vector<float> Y;
    std::uint8_t method = 0;
    ILSAnalysisRec rec;
};

// An approach from 30380 ft in to 500 ft with structure on the CDI, seen from a theodolite 50 ft
// over the threshold.
Input Approach() {
    Input r;
    for (int i = 0; i <= 600; ++i) {
        const double d = 30380.0 - i * 49.8;
        r.X.push_back(static_cast<float>(d));
        r.Y.push_back(static_cast<float>(12 * std::sin(d / 700) + 4 * std::sin(d / 90)));
    }
    r.rec.PathAngle = 3.0F;
    r.rec.PathWidth = 0.7F;
    r.rec.ThZ = 50;
    return r;
}

// The same analysis afresh, on a copy of the record as it stands.
ILSAnalysisRec Fresh(const Input& r, RefCurve& ref) {
    ILSAnalysisRec rec = r.rec;
    RunApproachAnalysis(r.X, r.Y, r.method, rec, ref);
    return rec;
}

TEST(AnalysisCache, AnApproachRunsAgainExactlyWhenWhatItReadsChanges) {
    struct Step {
        const char* what;
        std::function<void(Input&)> change;
        bool runs;
    };
    const Step steps[] = {
        {"first redraw", [](Input&) {}, true},
        {"unchanged", [](Input&) {}, false},
        {"one sample's CDI", [](Input& r) { r.Y[300] += 0.5F; }, true},
        {"one sample's distance", [](Input& r) { r.X[10] -= 1; }, true},
        {"a sample fewer", [](Input& r) { r.X.pop_back(), r.Y.pop_back(); }, true},
        {"two samples set to zero", [](Input& r) { r.Y[5] = 0.0F, r.Y[6] = 0.0F; }, true},
        {"unchanged after it", [](Input& r) { r.Y[6] = 0.0F; }, false},
        {"minus zero", [](Input& r) { r.Y[6] = -0.0F; }, true},
        {"the method", [](Input& r) { r.method = 1; }, true},
        {"unchanged by smoothing", [](Input&) {}, false},
        {"the path angle", [](Input& r) { r.rec.PathAngle = 3.1F; }, true},
        {"the path width", [](Input& r) { r.rec.PathWidth = 0.75F; }, true},
        {"the theodolite across", [](Input& r) { r.rec.ThX = 20; }, true},
        {"the theodolite height", [](Input& r) { r.rec.ThZ = 45; }, true},
        {"the theodolite along", [](Input& r) { r.rec.ThY = -100; }, true},
        {"the category", [](Input& r) { r.rec.ToleranceCategory = 2; }, true},
        {"unchanged again", [](Input&) {}, false},
        {"a result written over", [](Input& r) { r.rec.RDH = 0; }, true},
        {"a result of the other method", [](Input& r) { r.rec.MeanAngleR = 7; }, true},
        {"back to reversal", [](Input& r) { r.method = 0; }, true},
        {"a NaN sample", [](Input& r) { r.Y[200] = std::numeric_limits<float>::quiet_NaN(); }, true},
        {"the NaN unchanged", [](Input&) {}, false},
    };
    Input run = Approach();
    AnalysisCache cache;
    int runs = 0;
    for (const Step& s : steps) {
        s.change(run);
        RefCurve freshRef;
        const ILSAnalysisRec fresh = Fresh(run, freshRef);
        const RefCurve& ref = cache.Approach(run.X, run.Y, run.method, run.rec);
        runs += s.runs ? 1 : 0;
        EXPECT_EQ(cache.Runs(), runs) << s.what;
        EXPECT_EQ(run.rec, fresh) << s.what;
        EXPECT_EQ(ref.X, freshRef.X) << s.what;
        EXPECT_EQ(ref.Y, freshRef.Y) << s.what;
    }
    EXPECT_GT(runs, 10);
}

TEST(AnalysisCache, ALevelRunRunsAgainWhenItsSamplesChangeAndKeepsApartFromTheApproach) {
    std::vector<float> x;
    std::vector<float> y;
    for (int i = 0; i <= 440; ++i) {
        x.push_back(1.8F + 0.005F * static_cast<float>(i));
        y.push_back((2.95F - x.back()) * 600.0F);
    }
    AnalysisCache cache;
    const LevelRunResult first = cache.LevelRun(x, y);
    EXPECT_NEAR(first.LevelRunPathAngle, 2.95F, 0.01F);
    EXPECT_EQ(cache.LevelRun(x, y).LevelRunPathAngle, first.LevelRunPathAngle);
    EXPECT_EQ(cache.Runs(), 1);

    // An approach analysed on the same cache in between leaves the level run kept.
    Input approach = Approach();
    cache.Approach(approach.X, approach.Y, approach.method, approach.rec);
    EXPECT_EQ(cache.Runs(), 2);
    cache.LevelRun(x, y);
    EXPECT_EQ(cache.Runs(), 2);

    for (float& v : y)
        v -= 60.0F; // the crossing of 0 moves in by 0.1 deg
    const LevelRunResult moved = cache.LevelRun(x, y);
    EXPECT_EQ(cache.Runs(), 3);
    EXPECT_NEAR(moved.LevelRunPathAngle, 2.85F, 0.01F);
    const LevelRunResult fresh = PatternBAnalysis(x, y);
    EXPECT_EQ(moved.LevelRunPathAngle, fresh.LevelRunPathAngle);
    EXPECT_EQ(moved.LevelRunWidth, fresh.LevelRunWidth);
    EXPECT_EQ(moved.LevelRunSymmetry, fresh.LevelRunSymmetry);
    EXPECT_EQ(moved.LevelRun180Angle, fresh.LevelRun180Angle);
}

} // namespace
