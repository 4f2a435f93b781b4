#pragma once
// "Send to File": the names the plot's picture is written under and the writing itself.
#include "platform/draw/PixelBuffer.h"

#include <string>

// The files a chosen name gives. A name ending in ".gif" (any case) is the GIF itself, written from
// memory, with no bitmap. Any other name is a bitmap of the picture, with the GIF beside it: the
// name's last extension replaced by ".gif", or ".gif" added when the file name has none.
struct CaptureTargets {
    std::string bitmap; // "" for none
    std::string gif;
};
CaptureTargets CaptureTargetsFor(const std::string& chosen);

// The name the dialog offers: the plot file's title without folder and extension, or "GSPlot".
std::string DefaultCaptureName(const std::string& outFileCaption);

// Writes the picture as the targets ask. The message to show: "Plot captured" when the GIF was
// written, otherwise the file that failed and why.
struct CaptureOutcome {
    bool written = false;
    std::string message;
};
CaptureOutcome CapturePicture(const plat::PixelBuffer& picture, const CaptureTargets& targets);

inline constexpr const char* kPlotCaptured = "Plot captured";
