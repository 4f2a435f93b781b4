#pragma once

// Text-to-number reading and number conversions with the program's rules: '.' is the decimal point
// whatever the process locale, conversions to whole numbers round half to even, and a value that
// does not fit its kind raises OverflowError instead of wrapping.

#include <cstdint>
#include <stdexcept>
#include <string_view>

namespace plat {

// A text that a strict conversion cannot read as a number.
class TypeMismatchError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A number outside the range of the kind it is converted to.
class OverflowError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The number that the longest leading part of the text reads as: blanks, tabs and line feeds are
// skipped wherever they stand, then an optional sign, digits with at most one '.', and an optional
// exponent (e or E, optional sign, digits). 0 when there is no such part ("12abc" gives 12, "abc" 0).
// Throws OverflowError when the number is beyond the range of a double.
double Val(std::string_view text);

// Whether the strict conversions accept the text: surrounding blanks or tabs, an optional leading
// sign, digits that may carry ',' group separators in the whole part, an optional '.' with digits,
// an optional exponent; at least one digit; within the range of a double.
bool IsNumeric(std::string_view text);

// Strict conversions from text: TypeMismatchError unless IsNumeric-style text, OverflowError when the
// value does not fit. To whole numbers the value is rounded half to even first.
double CDbl(std::string_view text);
float CSng(std::string_view text);
std::int16_t CInt(std::string_view text);
std::int32_t CLng(std::string_view text);
std::uint8_t CByte(std::string_view text);

// The same conversions from a number (NaN and infinities raise OverflowError).
float CSng(double value);
std::int16_t CInt(double value);
std::int32_t CLng(double value);
std::uint8_t CByte(double value);

// x rounded to the given number of decimals (0 or more), ties to even. The tie is judged on the
// value's decimal text of 15 significant digits, so RoundHalfEven(0.125, 2) is 0.12 and
// RoundHalfEven(2.5) is 2. Throws std::invalid_argument for negative decimals.
double RoundHalfEven(double x, int decimals = 0);

// The largest whole number not above x (Int(-1.5) is -2), and x with its fraction cut off
// (Fix(-1.5) is -1).
double Int(double x);
double Fix(double x);

} // namespace plat
