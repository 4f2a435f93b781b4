#include "platform/text/AtomicFile.h"

#include <atomic>
#include <cerrno>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace plat {

namespace {

namespace fs = std::filesystem;

// As many links as the system itself follows before it gives up with ELOOP.
constexpr int kMaxLinks = 40;
constexpr int kTemporaryNameAttempts = 100;

FileWriteResult Failure(int error) {
    return {false, std::generic_category().message(error)};
}

// Follows the symbolic links that path is, if any, to the name of the file they lead to (which may
// not exist yet). 0, or the errno of the failure.
int ResolveLinks(fs::path& path) {
    for (int hops = 0; hops < kMaxLinks; ++hops) {
        struct stat st {};
        if (::lstat(path.c_str(), &st) != 0)
            return errno == ENOENT ? 0 : errno;
        if (!S_ISLNK(st.st_mode))
            return 0;
        std::error_code error;
        const fs::path next = fs::read_symlink(path, error);
        if (error)
            return error.value();
        // A relative link is relative to the folder the link is in; an absolute one replaces it.
        path = path.parent_path() / next;
    }
    return ELOOP;
}

// A new, empty file in folder under a short name no other writer uses; its descriptor, or -1 with
// errno set.
int CreateTemporary(const fs::path& folder, fs::path& temp) {
    static std::atomic<unsigned> serial{0};
    for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
        temp = folder / (".pellon-" + std::to_string(::getpid()) + "-" + std::to_string(serial++) + ".tmp");
        // 0666 so that the umask decides a new file's mode, as for any file the program creates.
        const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    errno = EEXIST;
    return -1;
}

int WriteAll(int fd, std::string_view data) {
    while (!data.empty()) {
        const ssize_t n = ::write(fd, data.data(), data.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return n < 0 ? errno : EIO;
        data.remove_prefix(static_cast<std::size_t>(n));
    }
    return 0;
}

// Gives the new file the old one's owner and group. Only a privileged writer can give a file away,
// and only a member can pass on a group; what the system refuses stays the writer's own.
bool KeepOwner(int fd, const struct stat& old) {
    return ::fchown(fd, old.st_uid, old.st_gid) == 0 || ::fchown(fd, static_cast<uid_t>(-1), old.st_gid) == 0;
}

// Fills the temporary file, flushes it to disk and closes it. 0, or the errno of the first failure.
int FillAndClose(int fd, std::string_view bytes, const struct stat* old) {
    int error = WriteAll(fd, bytes);
    // After the bytes, owner before mode: writing and changing the owner both clear set-id bits
    // that the mode then puts back.
    if (error == 0 && old != nullptr) {
        KeepOwner(fd, *old);
        if (::fchmod(fd, old->st_mode & 07777) != 0)
            error = errno;
    }
    if (error == 0 && ::fsync(fd) != 0)
        error = errno;
    if (::close(fd) != 0 && error == 0)
        error = errno;
    return error;
}

// Flushes the folder, so that the rename survives a crash. A folder the writer cannot open for
// reading, or a file system that does not flush folders (EINVAL), leaves nothing to do.
int SyncFolder(const fs::path& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return 0;
    const int error = ::fsync(fd) == 0 || errno == EINVAL ? 0 : errno;
    ::close(fd);
    return error;
}

} // namespace

FileWriteResult WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes) {
    fs::path target = path;
    if (const int error = ResolveLinks(target))
        return Failure(error);
    if (!target.has_filename())
        return Failure(target.empty() ? ENOENT : EISDIR);

    struct stat old {};
    const bool exists = ::lstat(target.c_str(), &old) == 0;
    if (!exists && errno != ENOENT)
        return Failure(errno);
    if (exists && S_ISDIR(old.st_mode))
        return Failure(EISDIR);
    if (exists && !S_ISREG(old.st_mode))
        return {false, "Not a regular file"};
    if (exists && ::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0)
        return Failure(errno);

    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    fs::path temp;
    const int fd = CreateTemporary(folder, temp);
    if (fd < 0)
        return Failure(errno);
    int error = FillAndClose(fd, bytes, exists ? &old : nullptr);
    if (error == 0 && ::rename(temp.c_str(), target.c_str()) != 0)
        error = errno;
    if (error != 0) {
        ::unlink(temp.c_str());
        return Failure(error);
    }
    if (const int folderError = SyncFolder(folder))
        return Failure(folderError);
    return {true, {}};
}

} // namespace plat
