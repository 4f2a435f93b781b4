#include "platform/text/Strings.h"

#include "platform/text/DecimalText.h"
#include "platform/text/Numbers.h"

#include <cmath>
#include <cstdlib>
#include <stdexcept>

namespace plat {

namespace {

constexpr int DoubleDigits = 15;
constexpr int SingleDigits = 7;

// A value that no text can show (NaN, an infinity) is shown as 0: writing a number for display
// never fails.
double Shown(double value) {
    return std::isfinite(value) ? value : 0.0;
}

// The shortest text of the value with at most `significant` digits; exponent form where the
// magnitude lies outside 1E-4 .. 10^significant.
std::string General(double value, int significant) {
    const auto d = detail::ToDecimal(Shown(value), significant);
    if (d.digits.empty())
        return "0";
    std::string out = d.negative ? "-" : "";
    const int size = static_cast<int>(d.digits.size());
    const int lead = d.exponent + size - 1;
    if (lead < -4 || lead >= significant) {
        out += d.digits[0];
        if (size > 1) {
            out += '.';
            out += d.digits.substr(1);
        }
        const std::string e = std::to_string(std::abs(lead));
        out += lead < 0 ? "E-" : "E+";
        if (e.size() < 2)
            out += '0';
        out += e;
        return out;
    }
    const int point = size + d.exponent; // digits before the decimal point
    if (point >= size) {
        out += d.digits;
        out.append(static_cast<std::size_t>(d.exponent), '0');
    } else if (point > 0) {
        out += d.digits.substr(0, static_cast<std::size_t>(point));
        out += '.';
        out += d.digits.substr(static_cast<std::size_t>(point));
    } else {
        out += "0.";
        out.append(static_cast<std::size_t>(-point), '0');
        out += d.digits;
    }
    return out;
}

std::string WithSignPlace(std::string general) {
    if (general.rfind("0.", 0) == 0)
        general.erase(0, 1);
    else if (general.rfind("-0.", 0) == 0)
        general.erase(1, 1);
    if (general[0] != '-')
        general.insert(general.begin(), ' ');
    return general;
}

std::string Formatted(double value, std::string_view pattern, int significant) {
    const auto pointAt = pattern.find('.');
    const std::string_view wholePattern = pattern.substr(0, pointAt);
    const std::string_view fractionPattern =
        pointAt == std::string_view::npos ? std::string_view{} : pattern.substr(pointAt + 1);
    if (wholePattern.find_first_not_of("#0,") != std::string_view::npos ||
        fractionPattern.find_first_not_of("#0") != std::string_view::npos)
        throw std::invalid_argument("unsupported format pattern \"" + std::string(pattern) + "\"");

    std::size_t minWhole = 0;
    for (const char c : wholePattern)
        minWhole += c == '0' ? 1 : 0;
    const bool grouping = wholePattern.find(',') != std::string_view::npos;
    const auto maxFraction = static_cast<int>(fractionPattern.size());
    const auto lastZero = fractionPattern.find_last_of('0');
    const std::size_t minFraction = lastZero == std::string_view::npos ? 0 : lastZero + 1;

    auto d = detail::ToDecimal(Shown(value), significant);
    detail::RoundToDecimals(d, maxFraction);

    std::string whole;
    std::string fraction;
    if (!d.digits.empty()) {
        const int size = static_cast<int>(d.digits.size());
        const int point = size + d.exponent;
        if (point >= size) {
            whole = d.digits + std::string(static_cast<std::size_t>(d.exponent), '0');
        } else if (point > 0) {
            whole = d.digits.substr(0, static_cast<std::size_t>(point));
            fraction = d.digits.substr(static_cast<std::size_t>(point));
        } else {
            fraction = std::string(static_cast<std::size_t>(-point), '0') + d.digits;
        }
    }
    if (whole.size() < minWhole)
        whole.insert(0, minWhole - whole.size(), '0');
    if (fraction.size() < minFraction)
        fraction.append(minFraction - fraction.size(), '0');
    if (grouping)
        for (auto i = static_cast<std::ptrdiff_t>(whole.size()) - 3; i > 0; i -= 3)
            whole.insert(static_cast<std::size_t>(i), 1, ',');

    std::string out = d.negative ? "-" : "";
    out += whole;
    if (pointAt != std::string_view::npos) {
        out += '.';
        out += fraction;
    }
    return out;
}

} // namespace

std::string Str(double value) {
    return WithSignPlace(General(value, DoubleDigits));
}
std::string Str(float value) {
    return WithSignPlace(General(value, SingleDigits));
}
std::string Str(int value) {
    std::string out = value < 0 ? "" : " ";
    out += std::to_string(value);
    return out;
}

std::string GeneralText(float value) {
    return General(value, SingleDigits);
}
std::string GeneralText(double value) {
    return General(value, DoubleDigits);
}
std::string GeneralText(int value) {
    return std::to_string(value);
}

std::string Format(double value, std::string_view pattern) {
    return Formatted(value, pattern, DoubleDigits);
}
std::string Format(float value, std::string_view pattern) {
    return Formatted(value, pattern, SingleDigits);
}
std::string Format(int value, std::string_view pattern) {
    return Formatted(value, pattern, DoubleDigits);
}

std::string FormatText(std::string_view text, std::string_view pattern) {
    if (!IsNumeric(text))
        return std::string(text);
    return Format(CDbl(text), pattern);
}

std::string LTrim(std::string_view text) {
    const auto b = text.find_first_not_of(' ');
    return b == std::string_view::npos ? std::string{} : std::string(text.substr(b));
}

std::string RTrim(std::string_view text) {
    const auto e = text.find_last_not_of(' ');
    return e == std::string_view::npos ? std::string{} : std::string(text.substr(0, e + 1));
}

std::string Trim(std::string_view text) {
    return LTrim(RTrim(text));
}

std::string LCase(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return out;
}

std::string UCase(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return out;
}

} // namespace plat
