#pragma once

// The plot window's analyses kept between redraws. A redraw of an unchanged plot repeats the
// approach or level-run analysis on the same samples; the result is kept with exactly what the
// analysis read (the samples compared bit for bit, the method, the record) and the analysis runs
// again only when one of them differs. The samples are the ones the analysis is given, after the
// reading and the CDI filter, so that a change anywhere upstream (the file, the read options, the
// filter, its echo file) is seen as a change here too.

#include "plot/logic/ApproachResults.h"
#include "plot/logic/LevelRun.h"

#include <cstdint>
#include <span>
#include <vector>

namespace plot {

class AnalysisCache {
public:
    // As RunApproachAnalysis, with the reference curve kept here. A hit needs the record as the
    // last run left it: the run overwrites every field it writes without reading it first, so
    // running it again on its own result gives that result back.
    const RefCurve& Approach(std::span<const float> X, std::span<const float> Y, std::uint8_t useOldZ3Calc,
                             ILSAnalysisRec& rec);
    // As PatternBAnalysis.
    const LevelRunResult& LevelRun(std::span<const float> X, std::span<const float> Y);
    // How many times an analysis ran.
    int Runs() const { return runs_; }

private:
    // The samples an analysis was given, bit for bit (a NaN equals itself, -0 differs from 0).
    struct Samples {
        bool kept = false;
        std::vector<float> X;
        std::vector<float> Y;
        bool Same(std::span<const float> x, std::span<const float> y) const;
        void Keep(std::span<const float> x, std::span<const float> y);
    };

    Samples approachSamples_;
    std::uint8_t method_ = 0;
    ILSAnalysisRec result_;
    RefCurve ref_;
    Samples levelSamples_;
    LevelRunResult level_;
    int runs_ = 0;
};

} // namespace plot
