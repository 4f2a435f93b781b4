// The four exports: thin wrappers that let no exception cross the C boundary.
#include "Kelvd.h"

#include "error_codes.h"
#include "run_state.h"

extern "C" {

KELVD_API int Kelv_start(const char* inPath, const char* plotPath, const char* groundPath) {
    try {
        return kelvd::StartRun(inPath, plotPath, groundPath);
    } catch (...) {
        return 1;
    }
}

KELVD_API int Kelv_stop(void) {
    try {
        kelvd::RequestStop();
    } catch (...) {
    }
    return 0;
}

KELVD_API int Kelv_getProgress(void) {
    try {
        return kelvd::RunProgress();
    } catch (...) {
        return 0;
    }
}

KELVD_API int Kelv_getLastError(void) {
    try {
        return kelvd::RunLastError();
    } catch (...) {
        return kelvd::errors::kThreadStart;
    }
}
}
