#pragma once

// The files a window's capture writes from its picture: one rule for every window that captures, so
// that a chosen name leads to the same files wherever it is chosen.

#include <functional>
#include <string>
#include <vector>

#include "platform/draw/PixelBuffer.h"

namespace imaging {

// The files a chosen name gives. A name ending in ".gif" (any case) is the GIF itself, written from
// memory, with no bitmap. Any other name is a bitmap of the picture, with the GIF beside it: the
// name's last extension replaced by ".gif", or ".gif" added when the file name has none. A name
// without a folder keeps the GIF beside it too (in the current folder).
struct CaptureTargets {
    std::string bitmap; // "" for none
    std::string gif;
};
CaptureTargets CaptureTargetsFor(const std::string& chosen);

// The files of a capture in the order they are written (the bitmap when there is one, then the
// GIF): the order in which existing ones are asked about.
std::vector<std::string> FilesInWritingOrder(const CaptureTargets& targets);

// The question a capture asks before it replaces a file, and its title.
inline constexpr const char* kOverwriteQuestion = "Overwrite Existing File?";
inline constexpr const char* kFileExistsTitle = "File Exists";

// Whether the capture may write its files: mayReplace asks once for each of them that exists, in
// writing order, and the first refusal ends the asking. A refused capture writes nothing.
bool ReplacingAgreed(const CaptureTargets& targets, const std::function<bool()>& mayReplace);

// The outcome of writing a capture: on a failure, the file that failed and why.
struct CaptureWriteResult {
    bool written = false;
    std::string file;
    std::string reason;
    explicit operator bool() const { return written; }
};

// Writes the bitmap (when the targets name one), then the GIF encoded from the picture in memory
// (optimal palette, error diffusion). Each file is replaced whole or not at all; the first failure
// stops the capture, so no GIF is written after a bitmap that failed.
CaptureWriteResult WriteCapture(const plat::PixelBuffer& picture, const CaptureTargets& targets);

} // namespace imaging
