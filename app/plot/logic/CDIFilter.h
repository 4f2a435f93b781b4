#pragma once

// The CDI smoothing filter: a first-order receiver of time constant tau flown along the run at the
// aircraft's speed. The spacing of the field points comes from the engine's FORT10 echo file.

#include <span>
#include <string>
#include <string_view>

namespace plot {

// The echo file, read by its bare name from the current directory.
inline constexpr const char* kFort10Name = "FORT10";

inline constexpr const char* kSampleRateMissing = "Error in Sample Rate (FORT10). CDI Filter cancelled";
inline constexpr const char* kSampleRateNoPoints = "Error in Sample Rate (FORT10-2). CDI Filter cancelled";
inline constexpr const char* kSampleRateZeroPoints = "Error in Sample Rate (pts=0). CDI Filter cancelled";
inline constexpr const char* kSampleRateZeroSpeed = "Error in Sample Rate (V=0). CDI Filter cancelled";

// The time between samples in seconds, 0 when it cannot be found; Message is the text the window
// shows then (empty for a file that cannot be read).
struct SampleRate {
    float T = 0;
    std::string Message;
};

// From the text of an echo file: the mean distance between successive field points after its
// "..." markers, flown at aircraftSpeed knots.
SampleRate SampleRateFromText(std::string_view fort10Text, float aircraftSpeed);

// From the file at fort10Path (kFort10Name in the program).
SampleRate GetSampleRate(const std::string& fort10Path, float aircraftSpeed);

// The receiver's time constant in seconds at aircraftSpeed knots: (303800 / 3600) / V, 0.42 s at
// 200 kt, a lag of 142.4 ft of flight at any speed.
float FilterTimeConstant(float aircraftSpeed);

// Filters y in place with sample time T and time constant tau (seconds): the bilinear form of
// 1 / (tau s + 1). The first sample is kept.
void ApplyCDIFilter(std::span<float> y, float T, float tau);

// The window's call: the sample rate from fort10Path, then the filter. Returns the message to show
// (empty when the trace was filtered or the file could not be read); y is unchanged unless filtered.
std::string FilterCDI(std::span<float> y, const std::string& fort10Path, float aircraftSpeed);

} // namespace plot
