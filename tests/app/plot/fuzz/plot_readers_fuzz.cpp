// Any bytes as a plot file or a FORT10: a result or a message, never a crash, a hang or a NaN; what
// the plot reader accepts goes through every analysis and the filter.

#include "plot/logic/ApproachResults.h"
#include "plot/logic/AxisRanges.h"
#include "plot/logic/CDIFilter.h"
#include "plot/logic/LevelRun.h"
#include "plot/logic/PlotFileReader.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string_view>

using namespace plot;

namespace {

void RequireFinite(float v) {
    if (std::isnan(v))
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    const SampleRate rate = SampleRateFromText(text, 200.0F);
    if (!std::isfinite(rate.T) || rate.T < 0 || (rate.T > 0 && !rate.Message.empty()))
        std::abort();

    PlotTrace trace;
    const PlotReadStatus status = ParsePlotText(text, {3, -1000.0F, 1, 1}, trace);
    if (status != PlotReadStatus::Read || trace.X.size() != trace.Y.size())
        return 0;
    PlotSettings settings;
    SetAxisRanges(settings, 3, 1, trace);
    PlotScales scales;
    UpdateScales(settings, scales);
    RequireFinite(scales.X);
    RequireFinite(scales.Y);

    if (rate.T > 0)
        ApplyCDIFilter(trace.Y, rate.T, FilterTimeConstant(200.0F));
    for (const std::uint8_t method : {0, 1}) {
        ILSAnalysisRec rec;
        rec.PathAngle = 3.0F;
        rec.PathWidth = 0.7F;
        rec.ToleranceCategory = static_cast<std::int16_t>(size % 4);
        RefCurve ref;
        RunApproachAnalysis(trace.X, trace.Y, method, rec, ref);
        for (float v : {rec.RDH, rec.ARDH, rec.BFSLAngle, rec.MeanAngleR, rec.MeanAngleS, rec.Zone2MeanCDI,
                        rec.Zone2MaxPct, rec.Zone3MaxPct, rec.Zone2MaxPos, rec.Zone3MaxPos})
            RequireFinite(v);
        if (ref.X.size() != ref.Y.size())
            std::abort();
        ApproachResultsLabels(rec, method);
        ApproachAnnotationTexts(rec, method, 1);
    }
    const LevelRunResult level = PatternBAnalysis(trace.X, trace.Y);
    for (float v :
         {level.LevelRunPathAngle, level.LevelRunWidth, level.LevelRunSymmetry, level.LevelRun180Angle})
        RequireFinite(v);
    LevelRunAnnotationTexts(level);
    return 0;
}
