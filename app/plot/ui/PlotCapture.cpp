#include "plot/ui/PlotCapture.h"

#include "common/modFunctions.h"
#include "imaging/BmpWriter.h"
#include "imaging/cDIB.h"
#include "imaging/mGIFSave.h"

#include <algorithm>
#include <cctype>
#include <stdexcept>

namespace {

bool EndsWithGif(const std::string& name) {
    if (name.size() < 4)
        return false;
    std::string tail = name.substr(name.size() - 4);
    std::transform(tail.begin(), tail.end(), tail.begin(), [](unsigned char c) { return std::tolower(c); });
    return tail == ".gif";
}

CaptureOutcome Failed(const std::string& file, const std::string& reason) {
    return {false, "The plot could not be written to " + file + ": " + reason};
}

} // namespace

CaptureTargets CaptureTargetsFor(const std::string& chosen) {
    if (EndsWithGif(chosen))
        return {"", chosen};
    const std::size_t slash = chosen.rfind('/');
    const std::size_t dot = chosen.rfind('.');
    const bool hasExtension = dot != std::string::npos && (slash == std::string::npos || dot > slash + 1);
    return {chosen, (hasExtension ? chosen.substr(0, dot) : chosen) + ".gif"};
}

std::string DefaultCaptureName(const std::string& outFileCaption) {
    try {
        const std::string title = common::FileTitleNoExt(outFileCaption);
        return title.empty() ? "GSPlot" : title;
    } catch (const std::exception&) {
        return "GSPlot"; // a caption too long for the helper
    }
}

CaptureOutcome CapturePicture(const plat::PixelBuffer& picture, const CaptureTargets& targets) {
    if (!targets.bitmap.empty()) {
        const plat::FileWriteResult bitmap = imaging::SavePicture(picture, targets.bitmap);
        if (!bitmap)
            return Failed(targets.bitmap, bitmap.reason);
    }
    imaging::cDIB image;
    if (!image.CreateFromStdPicture(picture, true))
        return Failed(targets.gif, "the picture is empty");
    const imaging::GifWriteResult gif = imaging::SaveGIF(image, targets.gif);
    if (!gif)
        return Failed(targets.gif, gif.reason);
    return {true, kPlotCaptured};
}
