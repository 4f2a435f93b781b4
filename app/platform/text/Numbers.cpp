#include "platform/text/Numbers.h"

#include "platform/text/DecimalText.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

namespace plat {

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

detail::NumberText ScanLeading(std::string_view text) {
    std::string s;
    s.reserve(text.size());
    for (const char c : text)
        if (c != ' ' && c != '\t' && c != '\n')
            s += c;
    detail::NumberText n;
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        n.negative = s[i] == '-';
        ++i;
    }
    for (; i < s.size() && IsDigit(s[i]); ++i)
        n.whole += s[i];
    if (i < s.size() && s[i] == '.')
        for (++i; i < s.size() && IsDigit(s[i]); ++i)
            n.fraction += s[i];
    if (n.whole.empty() && n.fraction.empty())
        return detail::NumberText{};
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        std::size_t j = i + 1;
        bool negativeExp = false;
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) {
            negativeExp = s[j] == '-';
            ++j;
        }
        long exponent = 0;
        for (; j < s.size() && IsDigit(s[j]); ++j)
            exponent = std::min(exponent * 10 + (s[j] - '0'), 100000L);
        n.exponent = negativeExp ? -exponent : exponent;
    }
    return n;
}

// Rounds to a whole number, ties to even, without relying on the floating-point rounding mode.
double RoundWhole(double x) {
    const double low = std::floor(x);
    const double diff = x - low;
    if (diff > 0.5)
        return low + 1;
    if (diff < 0.5)
        return low;
    return std::fmod(low, 2.0) == 0 ? low : low + 1;
}

template <typename T> T ToWhole(double value) {
    if (std::isnan(value))
        throw OverflowError("overflow");
    const double r = RoundWhole(value);
    if (r < static_cast<double>(std::numeric_limits<T>::min()) ||
        r > static_cast<double>(std::numeric_limits<T>::max()))
        throw OverflowError("overflow");
    return static_cast<T>(r);
}

} // namespace

double Val(std::string_view text) {
    return detail::ToDouble(ScanLeading(text));
}

bool IsNumeric(std::string_view text) {
    const auto n = detail::ScanStrict(text);
    if (!n)
        return false;
    try {
        detail::ToDouble(*n);
    } catch (const OverflowError&) {
        return false;
    }
    return true;
}

double CDbl(std::string_view text) {
    const auto n = detail::ScanStrict(text);
    if (!n)
        throw TypeMismatchError("type mismatch: \"" + std::string(text) + "\" is not a number");
    return detail::ToDouble(*n);
}

float CSng(std::string_view text) {
    return CSng(CDbl(text));
}
std::int16_t CInt(std::string_view text) {
    return CInt(CDbl(text));
}
std::int32_t CLng(std::string_view text) {
    return CLng(CDbl(text));
}
std::uint8_t CByte(std::string_view text) {
    return CByte(CDbl(text));
}

float CSng(double value) {
    // Half a unit above the largest float: from here on the value would round to infinity.
    constexpr double Limit = 0x1.ffffffp127;
    if (std::isnan(value) || std::fabs(value) >= Limit)
        throw OverflowError("overflow");
    return static_cast<float>(value);
}

std::int16_t CInt(double value) {
    return ToWhole<std::int16_t>(value);
}
std::int32_t CLng(double value) {
    return ToWhole<std::int32_t>(value);
}
std::uint8_t CByte(double value) {
    return ToWhole<std::uint8_t>(value);
}

double RoundHalfEven(double x, int decimals) {
    if (decimals < 0)
        throw std::invalid_argument("negative number of decimals");
    if (!std::isfinite(x) || x == std::floor(x))
        return x;
    auto d = detail::ToDecimal(x, 15);
    detail::RoundToDecimals(d, decimals);
    return detail::ToDouble(d);
}

double Int(double x) {
    return std::floor(x);
}
double Fix(double x) {
    return std::trunc(x);
}

} // namespace plat
