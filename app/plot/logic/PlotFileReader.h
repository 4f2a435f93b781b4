#pragma once

// The engine's two-column plot file: one point a line, x then y, separated by blanks or a comma,
// CR LF or LF line ends. Every point is kept, up to kMaxPlotPoints.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace plot {

inline constexpr std::size_t kMaxPlotPoints = 1000000;

// The message a file that is not a plot file gives.
inline constexpr const char* kFileInputError = "File input error";

struct PlotTrace {
    std::vector<float> X;
    std::vector<float> Y;
    // The data's ends as the axis directions see them: Xlo the minimum and Xhi the maximum when
    // PlotXDir is 1, the other way round when it is -1; Y likewise.
    float Xlo = 0;
    float Xhi = 0;
    float Ylo = 0;
    float Yhi = 0;

    std::size_t Count() const { return X.size(); }
};

struct PlotReadOptions {
    std::uint8_t PlotFlightType = 0; // 3 adds OriginShift to every x
    float OriginShift = 0;           // feet
    std::int16_t PlotXDir = 1;
    std::int16_t PlotYDir = 1;

    bool operator==(const PlotReadOptions&) const = default;
};

enum class PlotReadStatus {
    Read,       // the trace holds every point of the file
    NoFile,     // empty name or no such file: nothing to draw, nothing to say
    InputError, // a record that is not two numbers, a value past the Single range, too many points
};

// Reads the text of a plot file into the trace. On InputError the trace is left empty: nothing
// partial is drawn or analysed.
PlotReadStatus ParsePlotText(std::string_view text, const PlotReadOptions& options, PlotTrace& trace);

// The named file's bytes, read whole into `bytes`; false, with `bytes`
// empty, when the name is empty or names no readable regular file.
bool ReadPlotBytes(const std::string& path, std::string& bytes);

// Reads the named file; NoFile when the name is empty or names no readable file.
PlotReadStatus ReadPlotFile(const std::string& path, const PlotReadOptions& options, PlotTrace& trace);

} // namespace plot
