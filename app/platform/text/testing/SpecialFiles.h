#ifndef PLATFORM_TEXT_TESTING_SPECIALFILES_H
#define PLATFORM_TEXT_TESTING_SPECIALFILES_H

// Things that may lie under a file's name where the program expects a file (header only; include it
// from test code): a folder, a FIFO no one writes, a device that never ends, and a file whose read
// fails with an I/O error. The last is a link to the process's own memory file, which the system
// lists as a regular file but refuses to read at offset 0, as root too.

#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include <sys/stat.h>

namespace plat::testing {

struct SpecialFile {
    std::string kind;
    std::filesystem::path path;
};

// The kinds, each with how it is made under a name.
struct SpecialKind {
    const char* kind;
    void (*make)(const std::filesystem::path&);
};
inline const std::vector<SpecialKind>& SpecialKinds() {
    static const std::vector<SpecialKind> kinds{
        {"folder", [](const std::filesystem::path& p) { std::filesystem::create_directory(p); }},
        {"FIFO", [](const std::filesystem::path& p) { ::mkfifo(p.c_str(), 0666); }},
        {"/dev/zero", [](const std::filesystem::path& p) { std::filesystem::create_symlink("/dev/zero", p); }},
        {"I/O error", [](const std::filesystem::path& p) { std::filesystem::create_symlink("/proc/self/mem", p); }},
    };
    return kinds;
}

// Puts the special file of the given kind under exactly this name (what was there is removed).
inline void MakeSpecialFile(const SpecialKind& kind, const std::filesystem::path& path) {
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
    kind.make(path);
}

// Each kind as stem with a suffix of its own, afresh.
inline std::vector<SpecialFile> SpecialFiles(const std::filesystem::path& stem) {
    std::error_code ignored;
    std::filesystem::create_directories(stem.parent_path(), ignored);
    std::vector<SpecialFile> files;
    int n = 0;
    for (const SpecialKind& kind : SpecialKinds()) {
        std::filesystem::path p = stem;
        p += "." + std::to_string(n++);
        MakeSpecialFile(kind, p);
        files.push_back({kind.kind, p});
    }
    return files;
}

} // namespace plat::testing

#endif
