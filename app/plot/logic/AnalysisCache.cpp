#include "plot/logic/AnalysisCache.h"

#include <cstring>

namespace plot {

namespace {

bool SameBits(std::span<const float> a, const std::vector<float>& b) {
    return a.size() == b.size() && (a.empty() || std::memcmp(a.data(), b.data(), a.size_bytes()) == 0);
}

} // namespace

bool AnalysisCache::Samples::Same(std::span<const float> x, std::span<const float> y) const {
    return kept && SameBits(x, X) && SameBits(y, Y);
}

void AnalysisCache::Samples::Keep(std::span<const float> x, std::span<const float> y) {
    X.assign(x.begin(), x.end());
    Y.assign(y.begin(), y.end());
    kept = true;
}

const RefCurve& AnalysisCache::Approach(std::span<const float> X, std::span<const float> Y,
                                        std::uint8_t useOldZ3Calc, ILSAnalysisRec& rec) {
    if (approachSamples_.Same(X, Y) && useOldZ3Calc == method_ && rec == result_)
        return ref_;
    RunApproachAnalysis(X, Y, useOldZ3Calc, rec, ref_);
    approachSamples_.Keep(X, Y);
    method_ = useOldZ3Calc;
    result_ = rec;
    ++runs_;
    return ref_;
}

const LevelRunResult& AnalysisCache::LevelRun(std::span<const float> X, std::span<const float> Y) {
    if (!levelSamples_.Same(X, Y)) {
        level_ = PatternBAnalysis(X, Y);
        levelSamples_.Keep(X, Y);
        ++runs_;
    }
    return level_;
}

} // namespace plot
