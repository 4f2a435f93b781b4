#include "platform/text/DecimalText.h"

#include "platform/text/Numbers.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <stdexcept>
#include <system_error>

namespace plat::detail {

namespace {

constexpr long ExponentLimit = 100000;

void Normalise(Decimal& d) {
    const auto first = d.digits.find_first_not_of('0');
    if (first == std::string::npos) {
        d = Decimal{};
        return;
    }
    d.digits.erase(0, first);
    const auto last = d.digits.find_last_not_of('0');
    d.exponent += static_cast<int>(d.digits.size() - 1 - last);
    d.digits.erase(last + 1);
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

} // namespace

Decimal ToDecimal(double value, int significant) {
    if (!std::isfinite(value))
        throw OverflowError("number out of range");
    Decimal d;
    if (value == 0)
        return d;
    std::array<char, 64> buffer{};
    const auto res = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                   std::chars_format::scientific, significant - 1);
    const std::string_view text(buffer.data(), static_cast<std::size_t>(res.ptr - buffer.data()));
    std::size_t i = 0;
    if (text[i] == '-') {
        d.negative = true;
        ++i;
    }
    const auto e = text.find('e');
    for (; i < e; ++i)
        if (IsDigit(text[i]))
            d.digits += text[i];
    int exp10 = 0;
    const char* expBegin = text.data() + e + 1;
    if (*expBegin == '+')
        ++expBegin;
    std::from_chars(expBegin, text.data() + text.size(), exp10);
    d.exponent = exp10 - static_cast<int>(d.digits.size()) + 1;
    Normalise(d);
    return d;
}

void RoundToDecimals(Decimal& d, int decimals) {
    if (d.digits.empty() || d.exponent >= -decimals)
        return;
    const auto drop = static_cast<std::size_t>(-decimals - d.exponent);
    const std::size_t size = d.digits.size();
    bool up = false;
    if (drop <= size) {
        const std::string rest = d.digits.substr(size - drop);
        const std::string keep = d.digits.substr(0, size - drop);
        if (rest[0] > '5') {
            up = true;
        } else if (rest[0] == '5') {
            const bool beyondHalf = rest.find_first_not_of('0', 1) != std::string::npos;
            const bool keepOdd = !keep.empty() && ((keep.back() - '0') % 2 == 1);
            up = beyondHalf || keepOdd;
        }
        d.digits = keep;
    } else {
        d.digits.clear();
    }
    d.exponent = -decimals;
    if (up) {
        std::size_t i = d.digits.size();
        while (i > 0 && d.digits[i - 1] == '9') {
            d.digits[i - 1] = '0';
            --i;
        }
        if (i == 0)
            d.digits.insert(d.digits.begin(), '1');
        else
            ++d.digits[i - 1];
    }
    const bool negative = d.negative;
    Normalise(d);
    d.negative = negative && !d.digits.empty();
}

double ToDouble(const Decimal& d) {
    if (d.digits.empty())
        return 0.0;
    std::string text = d.digits + "e" + std::to_string(d.exponent);
    double value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return d.negative ? -value : value;
}

double ToDouble(const NumberText& n) {
    std::string mantissa = n.whole + n.fraction;
    const auto first = mantissa.find_first_not_of('0');
    if (first == std::string::npos)
        return n.negative ? -0.0 : 0.0;
    // Decimal exponent of the leading significant digit, to tell overflow from underflow.
    const long lead = static_cast<long>(n.whole.size()) - 1 - static_cast<long>(first) + n.exponent;
    const long scale = n.exponent - static_cast<long>(n.fraction.size());
    std::string text = mantissa.substr(first) + "e" + std::to_string(scale);
    double value = 0;
    const auto res = std::from_chars(text.data(), text.data() + text.size(), value);
    if (res.ec == std::errc::result_out_of_range || std::isinf(value)) {
        if (lead > 0)
            throw OverflowError("number out of range");
        value = 0;
    }
    return n.negative ? -value : value;
}

std::optional<NumberText> ScanStrict(std::string_view text) {
    std::size_t b = 0;
    std::size_t e = text.size();
    while (b < e && (text[b] == ' ' || text[b] == '\t'))
        ++b;
    while (e > b && (text[e - 1] == ' ' || text[e - 1] == '\t'))
        --e;
    NumberText n;
    std::size_t i = b;
    if (i < e && (text[i] == '+' || text[i] == '-')) {
        n.negative = text[i] == '-';
        ++i;
    }
    for (; i < e && (IsDigit(text[i]) || (text[i] == ',' && !n.whole.empty())); ++i)
        if (text[i] != ',')
            n.whole += text[i];
    if (i < e && text[i] == '.') {
        for (++i; i < e && IsDigit(text[i]); ++i)
            n.fraction += text[i];
    }
    if (n.whole.empty() && n.fraction.empty())
        return std::nullopt;
    if (i < e && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        bool negativeExp = false;
        if (i < e && (text[i] == '+' || text[i] == '-')) {
            negativeExp = text[i] == '-';
            ++i;
        }
        if (i >= e || !IsDigit(text[i]))
            return std::nullopt;
        for (; i < e && IsDigit(text[i]); ++i)
            n.exponent = std::min(n.exponent * 10 + (text[i] - '0'), ExponentLimit);
        if (negativeExp)
            n.exponent = -n.exponent;
    }
    if (i != e)
        return std::nullopt;
    return n;
}

} // namespace plat::detail
