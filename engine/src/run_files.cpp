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
    if (text.empty())
        return;
    if (f[file])
        std::fwrite(text.data(), 1, text.size(), f[file]);
    else if ((file == kReport || file == kEcho) && held[file - kReport].fd >= 0)
        held[file - kReport].text += text;
    else
        return;
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

void RunFiles::forgetReport() {
    lastReportLine_.clear();
    reportRest_.clear();
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

// Closes a file that is not taken; one this run created is removed again.
void discard(int fd, bool created, const char* name) {
    if (fd >= 0)
        ::close(fd);
    if (created)
        ::unlink(name);
}

// Makes the checked file block again, as a stream's file does. On failure, or when refused, it is
// discarded.
bool unblock(PendingFile& p, const char* name, bool accepted) {
    if (accepted && p.fd >= 0) {
        const int fl = fcntl(p.fd, F_GETFL);
        if (fl >= 0 && fcntl(p.fd, F_SETFL, fl & ~O_NONBLOCK) == 0)
            return true;
    }
    discard(p.fd, p.created, name);
    return false;
}

// Turns the file into the run's stream, an output truncated only now (so that a refused file keeps its
// contents). On failure the file is discarded.
std::FILE* stream(int fd, bool created, const char* name, bool writes) {
    std::FILE* f = !writes || ftruncate(fd, 0) == 0 ? fdopen(fd, writes ? "wb" : "rb") : nullptr;
    if (!f)
        discard(fd, created, name);
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
        if (i == RunFiles::kReport || i == RunFiles::kEcho) {
            if (unblock(p, name, accepted)) {
                files.held[i - RunFiles::kReport] = {p.fd, p.created, {}};
                ids[i] = p.id;
                continue;
            }
            if (i == RunFiles::kEcho)
                if (const int refused = ClearOutputs(files))
                    return refused;
            return i + 1;
        }
        files.f[i] = i == RunFiles::kPlot && accepted ? startPlotRows(files, p, name)
                     : unblock(p, name, accepted)     ? stream(p.fd, p.created, name, false)
                                                      : nullptr;
        if (!files.f[i])
            return i + 1;
        ids[i] = p.id;
    }
    return 0;
}

namespace {
constexpr const char* kHeldNames[2] = {kReportName, kEchoName};

// Drops what is held (a run's outputs never opened are closed, and removed when this run created them).
void dropHeld(RunFiles& files) {
    for (int k = 0; k < 2; ++k) {
        RunFiles::Held& h = files.held[static_cast<size_t>(k)];
        discard(h.fd, h.created, kHeldNames[k]);
        h = RunFiles::Held{};
    }
}
} // namespace

int ClearOutputs(RunFiles& files) {
    if (files.cleared_ >= 0)
        return files.cleared_;
    files.cleared_ = 0;
    for (int k = 0; k < 2 && files.cleared_ == 0; ++k) {
        RunFiles::Held& h = files.held[static_cast<size_t>(k)];
        if (h.fd < 0)
            continue;
        const int i = RunFiles::kReport + k;
        std::FILE* f = stream(h.fd, h.created, kHeldNames[k], true);
        files.f[static_cast<size_t>(i)] = f;
        h.fd = -1;
        h.created = false;
        auto& buffer = files.buffers[static_cast<size_t>(k)];
        if (!f)
            files.cleared_ = i + 1;
        else
            std::setvbuf(f, buffer.data(), _IOFBF, buffer.size());
    }
    if (files.cleared_ != 0) {
        dropHeld(files);
        files.forgetReport();
        return files.cleared_;
    }
    for (int k = 0; k < 2; ++k) {
        std::string& text = files.held[static_cast<size_t>(k)].text;
        std::FILE* f = files.f[static_cast<size_t>(RunFiles::kReport + k)];
        if (f && !text.empty())
            std::fwrite(text.data(), 1, text.size(), f);
        std::string().swap(text);
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
    // An output never emptied is left as it was, as a refused one.
    dropHeld(files);
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
