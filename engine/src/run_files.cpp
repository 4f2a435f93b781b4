#include "run_files.h"

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kelvd {

void RunPath::assign(const char* path) {
    text.fill('\0');
    usable = false;
    if (!path)
        return;
    const size_t n = strnlen(path, text.size());
    if (n >= text.size())
        return;
    std::memcpy(text.data(), path, n);
    usable = true;
}

RunFiles::~RunFiles() { CLOSFL(*this); }

void RunFiles::write(Index file, const std::string& text) {
    if (f[file] && !text.empty())
        std::fwrite(text.data(), 1, text.size(), f[file]);
}

namespace {

struct FileId {
    dev_t dev = 0;
    ino_t ino = 0;
    bool valid = false;
    bool operator==(const FileId& o) const { return valid && o.valid && dev == o.dev && ino == o.ino; }
};

FileId idOf(const struct stat& st) { return {st.st_dev, st.st_ino, true}; }

FileId idOfPath(const char* path) {
    struct stat st;
    return stat(path, &st) == 0 ? idOf(st) : FileId{};
}

// A run file opened without ever blocking (a named pipe without a writer or reader would hold the run
// thread in its open for good, out of reach of Kelv_stop), not yet truncated or turned into a stream.
struct PendingFile {
    int fd = -1;
    bool created = false;
    FileId id;
};

// Opens name for reading or writing and keeps it only when it is a regular file; an output that does
// not exist is created. Returns false when it cannot be opened or is no regular file.
bool openPending(const char* name, bool writes, PendingFile& p) {
    const int flags = (writes ? O_WRONLY : O_RDONLY) | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;
    p.fd = ::open(name, flags);
    if (p.fd < 0 && writes && errno == ENOENT) {
        p.fd = ::open(name, flags | O_CREAT | O_EXCL, 0666);
        p.created = p.fd >= 0;
        // A symbolic link to a missing file: its target is created, as a plain create would.
        if (p.fd < 0 && errno == EEXIST)
            p.fd = ::open(name, flags | O_CREAT, 0666);
    }
    struct stat st;
    if (p.fd < 0 || fstat(p.fd, &st) != 0 || !S_ISREG(st.st_mode))
        return false;
    p.id = idOf(st);
    return true;
}

// Turns the checked file into the run's stream (an output truncated only now, so that a refused file
// keeps its contents). On failure, or when refused, the file is closed and one this run created is
// removed again.
std::FILE* finish(PendingFile& p, const char* name, bool writes, bool accepted) {
    std::FILE* f = nullptr;
    if (accepted && p.fd >= 0) {
        const int fl = fcntl(p.fd, F_GETFL);
        if (fl >= 0 && fcntl(p.fd, F_SETFL, fl & ~O_NONBLOCK) == 0 && (!writes || ftruncate(p.fd, 0) == 0))
            f = fdopen(p.fd, writes ? "wb" : "rb");
    }
    if (!f && p.fd >= 0) {
        ::close(p.fd);
        if (p.created)
            ::unlink(name);
    }
    return f;
}

} // namespace

int OPENFL(RunFiles& files, const RunPaths& paths) {
    struct Entry {
        const char* name;
        bool writes;
    };
    const Entry entries[5] = {
        {paths.in.usable ? paths.in.text.data() : nullptr, false},
        {paths.plot.usable ? paths.plot.text.data() : nullptr, true},
        {paths.ground.usable ? paths.ground.text.data() : nullptr, false},
        {kReportName, true},
        {kEchoName, true},
    };
    // A written file must be none of the other run files, whatever path or link names it: an input
    // would be truncated, and two outputs would be written interleaved. Each is compared with the files
    // opened before it; the plot file, opened before the ground file, the report and the echo, also
    // with those by their names.
    FileId ids[5];
    for (int i = 0; i < 5; ++i) {
        const char* name = entries[i].name;
        if (!name || !name[0])
            return i + 1;
        PendingFile p;
        bool accepted = openPending(name, entries[i].writes, p);
        if (accepted && entries[i].writes) {
            for (int j = 0; j < (i == RunFiles::kPlot ? 5 : i); ++j) {
                if (j == i)
                    continue;
                const FileId other =
                    j < i ? ids[j] : (entries[j].name ? idOfPath(entries[j].name) : FileId{});
                if (p.id == other)
                    accepted = false;
            }
        }
        files.f[i] = finish(p, name, entries[i].writes, accepted);
        if (!files.f[i])
            return i + 1;
        ids[i] = p.id;
    }
    return 0;
}

bool CLOSFL(RunFiles& files, int* failedFile) {
    bool ok = true;
    for (int i = 0; i < 5; ++i) {
        std::FILE* file = files.f[i];
        if (!file)
            continue;
        files.f[i] = nullptr;
        const bool written = i == RunFiles::kPlot || i == RunFiles::kReport || i == RunFiles::kEcho;
        const bool failed = std::ferror(file) != 0;
        if (std::fclose(file) != 0 || failed) {
            if (written && ok) {
                ok = false;
                if (failedFile)
                    *failedFile = i + 1;
            }
        }
    }
    return ok;
}

} // namespace kelvd
