#pragma once
// "Send to File": the names the plot's picture is written under and the writing itself.
#include "imaging/CaptureFiles.h"
#include "platform/draw/PixelBuffer.h"

#include <string>

// The files a chosen name gives: the rule every capture shares.
using imaging::CaptureTargets;
using imaging::CaptureTargetsFor;

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
