#pragma once

// The viewer's capture to GIF without its window: the name the save dialog proposes, the files a
// chosen name leads to (by the rule every capture shares, imaging::CaptureTargetsFor) and the
// capture's texts.

#include <string>
#include <vector>

#include "imaging/CaptureFiles.h"

namespace viewer {

inline constexpr const char* kCaptureFilter = "*.gif|*.gif";
inline constexpr const char* kOverwriteQuestion = "Overwrite Existing File?";
inline constexpr const char* kFileExistsTitle = "File Exists";
inline constexpr const char* kCaptureComplete = "Capture Complete...";

// The 3D ground file's title (its name without the folder, cut at the first dot) with ".gif";
// "" when there is no ground file or its path is too long for the title helper.
std::string ProposedCaptureName(const std::string& file3D);

// The files of a capture in the order they are written (the bitmap when there is one, then the
// GIF): the order in which existing ones are asked about.
std::vector<std::string> FilesInWritingOrder(const imaging::CaptureTargets& targets);

// The message of a capture that failed: the file and the system's reason.
std::string CaptureFailedMessage(const imaging::CaptureWriteResult& failure);

} // namespace viewer
