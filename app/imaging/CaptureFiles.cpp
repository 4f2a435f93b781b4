#include "imaging/CaptureFiles.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

#include "imaging/BmpWriter.h"
#include "imaging/cDIB.h"
#include "imaging/mGIFSave.h"

namespace imaging {

namespace {

bool EndsWithGif(const std::string& name) {
    if (name.size() < 4)
        return false;
    std::string tail = name.substr(name.size() - 4);
    std::transform(tail.begin(), tail.end(), tail.begin(), [](unsigned char c) { return std::tolower(c); });
    return tail == ".gif";
}

} // namespace

CaptureTargets CaptureTargetsFor(const std::string& chosen) {
    if (EndsWithGif(chosen))
        return {"", chosen};
    // A dot that starts the file name (".hidden") begins no extension.
    const std::size_t slash = chosen.rfind('/');
    const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    const std::size_t dot = chosen.rfind('.');
    const bool hasExtension = dot != std::string::npos && dot > nameStart;
    return {chosen, (hasExtension ? chosen.substr(0, dot) : chosen) + ".gif"};
}

std::vector<std::string> FilesInWritingOrder(const CaptureTargets& targets) {
    std::vector<std::string> files;
    if (!targets.bitmap.empty())
        files.push_back(targets.bitmap);
    files.push_back(targets.gif);
    return files;
}

bool ReplacingAgreed(const CaptureTargets& targets, const std::function<bool()>& mayReplace) {
    for (const std::string& file : FilesInWritingOrder(targets)) {
        std::error_code error;
        if (std::filesystem::exists(file, error) && !mayReplace())
            return false;
    }
    return true;
}

CaptureWriteResult WriteCapture(const plat::PixelBuffer& picture, const CaptureTargets& targets) {
    if (!targets.bitmap.empty()) {
        const plat::FileWriteResult bitmap = SavePicture(picture, targets.bitmap);
        if (!bitmap)
            return {false, targets.bitmap, bitmap.reason};
    }
    cDIB image;
    if (!image.CreateFromStdPicture(picture, true))
        return {false, targets.gif, "the picture is empty"};
    const GifWriteResult gif = SaveGIF(image, targets.gif);
    if (!gif)
        return {false, targets.gif, gif.reason};
    return {true, "", ""};
}

} // namespace imaging
