#include "run_files.h"

#include <cstring>

#include <sys/stat.h>

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
// True when both paths name one existing file: a written file must never truncate a file the run reads.
bool sameFile(const char* a, const char* b) {
    struct stat sa, sb;
    return a && b && stat(a, &sa) == 0 && stat(b, &sb) == 0 && sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}
} // namespace

int OPENFL(RunFiles& files, const RunPaths& paths) {
    struct Entry {
        const char* name;
        const char* mode;
    };
    const Entry entries[5] = {
        {paths.in.usable ? paths.in.text.data() : nullptr, "rb"},
        {paths.plot.usable ? paths.plot.text.data() : nullptr, "wb"},
        {paths.ground.usable ? paths.ground.text.data() : nullptr, "rb"},
        {"FORT7", "wb"},
        {"FORT10", "wb"},
    };
    for (int i = 0; i < 5; ++i) {
        const char* name = entries[i].name;
        const bool writes = entries[i].mode[0] == 'w';
        if (!name || !name[0] || (writes && (sameFile(name, entries[0].name) || sameFile(name, entries[2].name))))
            return i + 1;
        files.f[i] = std::fopen(name, entries[i].mode);
        if (!files.f[i])
            return i + 1;
        struct stat st;
        if (!writes && fstat(fileno(files.f[i]), &st) == 0 && S_ISDIR(st.st_mode))
            return i + 1;
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
