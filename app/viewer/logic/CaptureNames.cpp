#include "viewer/logic/CaptureNames.h"

#include "common/modFunctions.h"
#include "platform/text/Numbers.h"

namespace viewer {

std::string ProposedCaptureName(const std::string& file3D) {
    try {
        const std::string title = common::FileTitleNoExt(file3D);
        return title.empty() ? "" : title + ".gif";
    } catch (const plat::OverflowError&) {
        return ""; // the user names the file
    }
}

std::string CaptureFailedMessage(const imaging::CaptureWriteResult& failure) {
    return "The picture could not be written to " + failure.file + ": " + failure.reason;
}

} // namespace viewer
