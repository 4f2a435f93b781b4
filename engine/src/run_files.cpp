#include "run_files.h"

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
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
    if (!f[file] || text.empty())
        return;
    std::fwrite(text.data(), 1, text.size(), f[file]);
    if (file != kReport)
        return;
    // lastReportLine_ is the last whole line; what follows it unterminated waits in reportRest_.
    reportRest_ += text;
    const size_t end = reportRest_.rfind('\n');
    if (end == std::string::npos)
        return;
    const size_t before = end == 0 ? std::string::npos : reportRest_.rfind('\n', end - 1);
    const size_t begin = before == std::string::npos ? 0 : before + 1;
    lastReportLine_ = reportRest_.substr(begin, end - begin);
    if (!lastReportLine_.empty() && lastReportLine_.back() == '\r')
        lastReportLine_.pop_back();
    reportRest_.erase(0, end + 1);
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

// The plot rows' file: a new file of a short name of its own in the plot file's folder, with the plot
// file's permissions. The plot file (checked, and created empty when missing) is not written; its
// name is kept for PutPlotInPlace. On failure the plot file is left as it was.
std::FILE* startPlotRows(RunFiles& files, PendingFile& p, const char* name) {
    static std::atomic<unsigned> serial{0};
    std::FILE* rows = nullptr;
    struct stat st;
    char resolved[PATH_MAX];
    if (fstat(p.fd, &st) == 0 && realpath(name, resolved)) {
        const std::string target = resolved;
        const std::string folder = target.substr(0, target.rfind('/'));
        for (int attempt = 0; attempt < 100 && !rows; ++attempt) {
            const std::string path =
                folder + "/.kelvd-" + std::to_string(getpid()) + "-" + std::to_string(serial++) + ".prn";
            const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOCTTY | O_CLOEXEC, 0666);
            if (fd < 0 && errno == EEXIST)
                continue;
            if (fd < 0)
                break;
            if (fchmod(fd, st.st_mode & 07777) == 0)
                rows = fdopen(fd, "wb");
            if (!rows) {
                ::close(fd);
                ::unlink(path.c_str());
                break;
            }
            files.plotTarget = target;
            files.plotRows = path;
            files.plotCreated = p.created;
        }
    }
    ::close(p.fd);
    if (!rows && p.created)
        ::unlink(name);
    return rows;
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
        files.f[i] = i == RunFiles::kPlot && accepted ? startPlotRows(files, p, name)
                                                      : finish(p, name, entries[i].writes, accepted);
        if (!files.f[i])
            return i + 1;
        ids[i] = p.id;
    }
    return 0;
}

int PutPlotInPlace(RunFiles& files) {
    for (const int i : {RunFiles::kPlot, RunFiles::kReport, RunFiles::kEcho}) {
        std::FILE* file = files.f[i];
        if (!file || std::fflush(file) != 0 || std::ferror(file) != 0)
            return i + 1;
    }
    if (fsync(fileno(files.f[RunFiles::kPlot])) != 0 ||
        std::rename(files.plotRows.c_str(), files.plotTarget.c_str()) != 0)
        return RunFiles::kPlot + 1;
    files.plotRows.clear();
    files.plotCreated = false;
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
    if (!files.plotRows.empty())
        ::unlink(files.plotRows.c_str());
    if (files.plotCreated)
        ::unlink(files.plotTarget.c_str());
    files.plotRows.clear();
    files.plotCreated = false;
    return ok;
}

} // namespace kelvd
