// libFuzzer entry for the parameter-file and ground-file readers (built by scripts/test.sh with clang).
#include "fuzz_harness.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    if (!kelvd_fuzz::FuzzOne(data, size))
        std::abort();
    return 0;
}
