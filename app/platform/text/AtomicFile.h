#pragma once

// Replacing a file's whole content so that a crash, a full disk or a refused write leaves either the
// old file whole or the new one, never a cut file. Every file the program writes goes through here.

#include <filesystem>
#include <string>
#include <string_view>

namespace plat {

// The outcome of a write. reason is the system's text for the failure ("No space left on device"),
// empty when the file was written.
struct FileWriteResult {
    bool written = false;
    std::string reason;
    explicit operator bool() const { return written; }
};

// Writes bytes as the whole content of path: to a new file of a short name of its own in the same
// folder, flushed to disk, then renamed over path, and the folder flushed after the rename.
// - A path that is a symbolic link (or a chain of them) is written through to the file it leads to;
//   the link stays a link.
// - An existing file keeps its permission bits (and its owner and group as far as the system lets
//   the writer give them); a new file gets 0666 less the umask. A file the writer may not write
//   (read-only) is refused, as writing it in place would be.
// - Any name the folder accepts can be written: the temporary name does not grow with it.
// - Only a regular file is replaced; a folder, a device or a pipe of that name is refused.
// On a failure the temporary file is removed and the old file is untouched, except when only the
// flush of the folder after the rename fails: then path holds the new bytes and the failure is still
// reported, since they may not survive a crash.
FileWriteResult WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes);

} // namespace plat
