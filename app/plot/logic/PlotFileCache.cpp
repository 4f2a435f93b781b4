#include "plot/logic/PlotFileCache.h"

#include <utility>

namespace plot {

PlotReadStatus PlotFileCache::Read(const std::string& path, const PlotReadOptions& options,
                                   PlotTrace& trace) {
    trace = PlotTrace{};
    if (!ReadPlotBytes(path, scratch_)) {
        kept_ = false;
        return PlotReadStatus::NoFile;
    }
    if (!kept_ || path != path_ || !(options == options_) || scratch_ != text_) {
        std::swap(text_, scratch_);
        path_ = path;
        options_ = options;
        status_ = ParsePlotText(text_, options_, trace_);
        kept_ = true;
        ++parses_;
    }
    trace = trace_;
    return status_;
}

} // namespace plot
