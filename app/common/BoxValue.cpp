#include "common/BoxValue.h"

#include "platform/text/Numbers.h"

namespace common {

double BoxValue(std::string_view text) {
    try {
        return plat::Val(text);
    } catch (const plat::OverflowError&) {
        return 0;
    }
}

} // namespace common
