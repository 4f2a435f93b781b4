#include "text_format.h"

#include <cstdarg>
#include <cstdio>
#include <vector>

namespace kelvd {

void Appendf(std::string& out, const char* fmt, ...) {
    char small[512];
    va_list args;
    va_start(args, fmt);
    va_list again;
    va_copy(again, args);
    const int n = std::vsnprintf(small, sizeof small, fmt, args);
    va_end(args);
    if (n < 0) {
        va_end(again);
        return;
    }
    const char* text = small;
    std::vector<char> large;
    if (static_cast<size_t>(n) >= sizeof small) {
        large.resize(static_cast<size_t>(n) + 1);
        std::vsnprintf(large.data(), large.size(), fmt, again);
        text = large.data();
    }
    va_end(again);
    for (int i = 0; i < n; ++i) {
        if (text[i] == '\n')
            out += '\r';
        out += text[i];
    }
}

CLocaleScope::CLocaleScope() {
    c_ = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    if (c_)
        previous_ = uselocale(c_);
}

CLocaleScope::~CLocaleScope() {
    if (c_) {
        uselocale(previous_);
        freelocale(c_);
    }
}

} // namespace kelvd
