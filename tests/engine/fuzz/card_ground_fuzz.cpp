// libFuzzer target for the card reader and the 3D ground-file reader (built and run by scripts/fuzz.sh).
// The points of what the readers accept are evaluated by the model the cards choose (flat earth, GTD or
// physical optics), so that the field models meet whatever the readers let through.
#include "fuzz_harness.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (!kelvd_fuzz::FuzzOne(data, size, kelvd_fuzz::Models::AsChosen))
        std::abort();
    return 0;
}
