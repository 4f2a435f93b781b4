#include "plot/logic/NumberScan.h"

#include <charconv>
#include <cmath>

namespace plot {

void SkipBlanks(std::string_view text, std::size_t& pos) {
    while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t'))
        ++pos;
}

std::optional<double> ScanNumber(std::string_view text, std::size_t& pos) {
    std::size_t start = pos;
    bool negative = false;
    if (start < text.size() && (text[start] == '+' || text[start] == '-')) {
        negative = text[start] == '-';
        ++start;
    }
    // from_chars would also take "inf" and "nan", which are no numbers of these files.
    if (start >= text.size() || !((text[start] >= '0' && text[start] <= '9') || text[start] == '.'))
        return std::nullopt;
    double value = 0;
    const char* first = text.data() + start;
    const auto [end, ec] =
        std::from_chars(first, text.data() + text.size(), value, std::chars_format::general);
    if (ec != std::errc() || !std::isfinite(value))
        return std::nullopt;
    pos = static_cast<std::size_t>(end - text.data());
    return negative ? -value : value;
}

} // namespace plot
