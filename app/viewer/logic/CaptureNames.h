#pragma once

// The viewer's capture to GIF without its window: the name the save dialog proposes and the
// capture's texts. The files a chosen name leads to, and the question before replacing one, are
// the rule every capture shares (imaging/CaptureFiles).

#include <string>

#include "imaging/CaptureFiles.h"

namespace viewer {

inline constexpr const char* kCaptureFilter = "*.gif|*.gif";
inline constexpr const char* kCaptureComplete = "Capture Complete...";

// The 3D ground file's title (its name without the folder, cut at the first dot) with ".gif";
// "" when there is no ground file or its path is too long for the title helper.
std::string ProposedCaptureName(const std::string& file3D);

// The message of a capture that failed: the file and the system's reason.
std::string CaptureFailedMessage(const imaging::CaptureWriteResult& failure);

} // namespace viewer
