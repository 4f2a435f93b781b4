#pragma once

// Shared by the number readers and writers of the platform text layer: numbers as decimal digit
// strings, so that rounding and formatting work on the decimal value a user sees, and text-to-number
// parsing that never looks at the process locale.

#include <optional>
#include <string>
#include <string_view>

namespace plat::detail {

// value = ±digits × 10^exponent; digits carry no leading or trailing zeros; empty digits is zero.
struct Decimal {
    bool negative = false;
    std::string digits;
    int exponent = 0;
};

// The value with the given number of significant digits (1..17), correctly rounded.
Decimal ToDecimal(double value, int significant);

// Rounds to a multiple of 10^-decimals, ties to even; a value that becomes zero loses its sign.
void RoundToDecimals(Decimal& d, int decimals);

double ToDouble(const Decimal& d);

// The parts of a number text as the readers accept it; the text has no blanks or group separators.
struct NumberText {
    bool negative = false;
    std::string whole;    // digits before the decimal point
    std::string fraction; // digits after it
    long exponent = 0;    // clamped to a range far beyond any double
};

// The value of the parts; OverflowError when it is beyond the range of a double (a value too small
// to hold reads as 0).
double ToDouble(const NumberText& n);

// The strict form (surrounding blanks and tabs, sign, grouped digits, '.', exponent), or nothing.
std::optional<NumberText> ScanStrict(std::string_view text);

} // namespace plat::detail
