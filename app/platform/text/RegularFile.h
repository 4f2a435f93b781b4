#pragma once

// Reading the files a user or the program leaves in a folder, whatever lies there under the name:
// only a regular file is read, and nothing here can block or grow without bound. A FIFO, a folder,
// a device or a socket is refused at once (the open itself does not wait for a FIFO's writer), and
// a file above the reader's limit is refused without being read. Every file read of the program
// goes through here.

#include <cstddef>
#include <filesystem>
#include <string>

namespace plat {

// The most a text file of the program is read into memory (parameter, plot and run output files).
inline constexpr std::size_t kTextFileLimit = std::size_t{256} << 20;

// The outcome of a read: the bytes, or the reason it failed ("No such file or directory", "not a
// regular file", "larger than 1048576 bytes", the system's text for a read error).
struct FileReadResult {
    bool read = false;
    bool missing = false;  // there is no file of that name
    bool tooLarge = false; // the file is above the limit
    std::string bytes;
    std::string reason;
    explicit operator bool() const { return read; }
};

// The whole content of the regular file at path, at most limit bytes.
FileReadResult ReadRegularFile(const std::filesystem::path& path, std::size_t limit = kTextFileLimit);

// An open descriptor of the regular file at path, for reading by a stream the caller closes; -1 with
// the reason set when path names no regular file that can be opened.
int OpenRegularFile(const std::filesystem::path& path, std::string& reason);

} // namespace plat
