#include "fixed_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>

namespace kelvd {

void AppendFixed(std::string& out, double v, int width, int precision) {
    // Room for the widest finite double at the precisions used (at most 17 digits after the point).
    char text[400];
    size_t n = 0;
    // to_chars' fixed form is printf's; printf itself spells what is not finite.
    const auto [end, ec] =
        std::isfinite(v) ? std::to_chars(text, text + sizeof text, v, std::chars_format::fixed, precision)
                         : std::to_chars_result{text, std::errc::invalid_argument};
    if (ec == std::errc())
        n = static_cast<size_t>(end - text);
    else
        n = static_cast<size_t>(std::max(0, std::snprintf(text, sizeof text, "%.*f", precision, v)));
    if (n < static_cast<size_t>(width))
        out.append(static_cast<size_t>(width) - n, ' ');
    out.append(text, std::min(n, sizeof text - 1));
}

} // namespace kelvd
