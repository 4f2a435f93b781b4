#include "plot/ui/PlotCapture.h"

#include "common/modFunctions.h"

#include <stdexcept>

std::string DefaultCaptureName(const std::string& outFileCaption) {
    try {
        const std::string title = common::FileTitleNoExt(outFileCaption);
        return title.empty() ? "GSPlot" : title;
    } catch (const std::exception&) {
        return "GSPlot"; // a caption too long for the helper
    }
}

CaptureOutcome CapturePicture(const plat::PixelBuffer& picture, const CaptureTargets& targets) {
    const imaging::CaptureWriteResult written = imaging::WriteCapture(picture, targets);
    if (!written)
        return {false, "The plot could not be written to " + written.file + ": " + written.reason};
    return {true, kPlotCaptured};
}
