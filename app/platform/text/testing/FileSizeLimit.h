#ifndef PLATFORM_TEXT_TESTING_FILESIZELIMIT_H
#define PLATFORM_TEXT_TESTING_FILESIZELIMIT_H

// A full disk for tests (header only; include it from test code): while it lives, no file of this
// process grows beyond the given size, and a write past it fails with EFBIG instead of raising
// SIGXFSZ. Works without privileges, as root too.

#include <csignal>

#include <sys/resource.h>

namespace plat::testing {

class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        ::getrlimit(RLIMIT_FSIZE, &previous_);
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = previous_;
        limit.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &previous_);
        std::signal(SIGXFSZ, previousHandler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit previous_{};
    void (*previousHandler_)(int) = nullptr;
};

} // namespace plat::testing

#endif
