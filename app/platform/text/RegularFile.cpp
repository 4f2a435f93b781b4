#include "platform/text/RegularFile.h"

#include <algorithm>
#include <cerrno>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace plat {

namespace {

std::string SystemReason(int error) {
    return std::generic_category().message(error);
}

// O_NONBLOCK keeps open() from waiting for a FIFO's writer; O_NOCTTY keeps a terminal from becoming
// the program's. The check that follows refuses everything but a regular file, which then reads
// as it would without the flag.
int OpenChecked(const std::filesystem::path& path, std::string& reason, bool& missing, struct stat& st) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        missing = errno == ENOENT;
        reason = SystemReason(errno);
        return -1;
    }
    if (::fstat(fd, &st) != 0) {
        reason = SystemReason(errno);
        ::close(fd);
        return -1;
    }
    if (!S_ISREG(st.st_mode)) {
        reason = "not a regular file";
        ::close(fd);
        return -1;
    }
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0)
        ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    return fd;
}

} // namespace

FileReadResult ReadRegularFile(const std::filesystem::path& path, std::size_t limit) {
    FileReadResult result;
    struct stat st {};
    const int fd = OpenChecked(path, result.reason, result.missing, st);
    if (fd < 0)
        return result;
    const std::string tooLarge = "larger than " + std::to_string(limit) + " bytes";
    if (static_cast<std::size_t>(st.st_size) > limit) {
        ::close(fd);
        result.tooLarge = true;
        result.reason = tooLarge;
        return result;
    }
    // The size may change while the file is read: read to its end, but never beyond the limit.
    result.bytes.resize(static_cast<std::size_t>(st.st_size) + 1);
    std::size_t got = 0;
    for (;;) {
        if (got == result.bytes.size()) {
            if (got > limit)
                break;
            result.bytes.resize(std::min(limit + 1, got * 2));
        }
        const ssize_t n = ::read(fd, result.bytes.data() + got, result.bytes.size() - got);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            result.reason = SystemReason(errno);
            ::close(fd);
            result.bytes.clear();
            return result;
        }
        if (n == 0)
            break;
        got += static_cast<std::size_t>(n);
    }
    ::close(fd);
    if (got > limit) {
        result.bytes.clear();
        result.tooLarge = true;
        result.reason = tooLarge;
        return result;
    }
    result.bytes.resize(got);
    result.read = true;
    return result;
}

int OpenRegularFile(const std::filesystem::path& path, std::string& reason) {
    bool missing = false;
    struct stat st {};
    return OpenChecked(path, reason, missing, st);
}

} // namespace plat
