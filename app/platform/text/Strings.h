#pragma once

// Number-to-text forms and the small text functions of the program. Every number is written with
// '.' as the decimal point, whatever the process locale.

#include <string>
#include <string_view>

namespace plat {

// The default text of a number with a sign place: a blank before a value that is not negative, no
// zero before the decimal point, at most 15 significant digits for a double and 7 for a float,
// exponent form outside 1E-4 .. the digits' reach ("1E+15", "1E-05").
// Str(2) is " 2", Str(0.5) is " .5", Str(-0.5) is "-.5".
std::string Str(double value);
std::string Str(float value);
std::string Str(int value);

// The shortest decimal text with at most 7 significant digits (float) or 15 (double), no leading
// blank, a zero before the decimal point ("0", "0.5", "180", "-45"); exponent form such as
// "1.2E+16" where those digits cannot show the magnitude, or below 1E-4.
std::string GeneralText(float value);
std::string GeneralText(double value);
std::string GeneralText(int value);

// The value written by a format pattern: '0' a digit always written, '#' a digit written only when
// significant, '.' the decimal point, ',' in the whole part groups the digits by three with ','.
// The whole part is never cut; the value is rounded half to even to the pattern's last decimal
// (on its decimal text of 15 significant digits for a double, 7 for a float); '-' precedes a value
// that is negative after rounding, so Format(-0.0004, "####0.000") is "0.000". Examples:
// Format(1, "####0.0##") is "1.0", Format(0.5, "###.000") is ".500", Format(0, "#") is "".
// NaN and the infinities, which no number text can show, are written as 0 (Format(inf, "##0.00") is
// "0.00"), here and in Str and GeneralText: writing a number never fails.
std::string Format(double value, std::string_view pattern);
std::string Format(float value, std::string_view pattern);
std::string Format(int value, std::string_view pattern);

// Format applied to a text: a text that IsNumeric accepts is formatted as its number, any other
// text comes back unchanged (FormatText("5", "######0.0#") is "5.0", FormatText("a", ...) is "a").
std::string FormatText(std::string_view text, std::string_view pattern);

// Blanks (character 32 only) removed from both ends, the start, or the end.
std::string Trim(std::string_view text);
std::string LTrim(std::string_view text);
std::string RTrim(std::string_view text);

// The text with the letters A-Z / a-z changed case; other bytes stay as they are.
std::string LCase(std::string_view text);
std::string UCase(std::string_view text);

} // namespace plat
