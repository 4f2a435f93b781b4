#pragma once

// The plot file's curve kept between redraws of the plot window. Each redraw reads the file's
// bytes (one read, no parsing) and parses them only when the name, the bytes or the read options
// differ from last time. The key is the name with the whole content compared byte for byte, not the
// size and modification time: a file rewritten with the same size within one tick of the file
// system's clock (or given its old time back) is still seen as changed.

#include "plot/logic/PlotFileReader.h"

#include <string>

namespace plot {

class PlotFileCache {
public:
    // As ReadPlotFile, from the kept curve when nothing changed.
    PlotReadStatus Read(const std::string& path, const PlotReadOptions& options, PlotTrace& trace);
    // How many times a file's text was parsed.
    int Parses() const { return parses_; }

private:
    bool kept_ = false;
    std::string path_;
    std::string text_;
    std::string scratch_;
    PlotReadOptions options_;
    PlotReadStatus status_ = PlotReadStatus::NoFile;
    PlotTrace trace_;
    int parses_ = 0;
};

} // namespace plot
