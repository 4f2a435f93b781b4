#pragma once

// The program's general text, number and unit helpers, used by every window. Positions inside the
// field, padding and file-name routines are held in a byte, as the program's files and boxes hold
// texts of at most 255 characters. Paths use '/' as the folder separator.

#include <cstdint>
#include <string>
#include <string_view>

namespace common {

// value × 10^(−(dB / 2) / 20), as a single-precision number.
float DbToAmplitude(double value, float dB);

// Field n (from 1) of the text after blanks are trimmed from both ends of it (the caller's text
// receives the trimmed text). The first character always belongs to field 1, even when it is a
// delimiter; from the second character on, a run of delimiters separates two fields; a text
// without the delimiter, or whose only delimiter is its first character, is returned whole
// whatever n. Any error (a position beyond 255, n outside 1..255)
// gives "". Asked for a field beyond the last, the scan starts again and returns an earlier field.
std::string GetDelimitedField(std::string& text, int n, std::string_view delimiter);

// GetDelimitedField that passes its errors on: plat::OverflowError for a position beyond 255 or n
// outside 1..255.
std::string GetDelimitedString(std::string& text, int n, std::string_view delimiter);

// The number of fields of the trimmed text (trimmed in place): 1 without a delimiter; leading
// delimiters and runs of delimiters do not add a field, a trailing delimiter does.
std::int16_t CountDelimitedFields(std::string& text, std::string_view delimiter);

// The text after the last '/', cut before its first '.'. plat::OverflowError when that '/' lies
// beyond character 255.
std::string FileTitleNoExt(std::string_view path);

// The path before its last '/', without it; "" when there is none or it is the first character.
// plat::OverflowError when that '/' lies beyond character 255.
std::string FolderOfPath(std::string_view path);

// The text followed (PadRight) or preceded (PadLeft) by blanks to n characters, its first n
// characters when it is longer, "" for "". plat::OverflowError for a text over 255 characters or
// n outside 0..255.
std::string PadRight(std::string_view text, int n);
std::string PadLeft(std::string_view text, int n);

// The angle of (x, y) in radians, 0 <= angle < 2π, computed with π = 3.141592653.
double Atan2Pos(double x, double y);

// The smallest whole number >= x; plat::OverflowError outside the signed 32-bit range.
std::int32_t CeilLong(double x);

// The largest whole number <= x; plat::OverflowError outside the signed 16-bit range.
std::int16_t FloorInt(double x);

// Length units of the unit-suffix conversion.
constexpr std::uint8_t UnitFeet = 0;
constexpr std::uint8_t UnitMetres = 1;
constexpr std::uint8_t UnitNauticalMiles = 2;

// Converts a typed length with a unit suffix ("100m", "1n", "12.5f") into the target unit, text
// replaced: "" becomes "0.00"; a single character is formatted with "######0.0#" (a non-numeric one
// comes back unchanged); a longer text is lower-cased and the first of the letters f, n, m found
// ends the number, which is converted and formatted with "######0.0#"; a number beyond the range
// of a double is left as typed (lower-cased). Throws std::invalid_argument for a unit other than
// 0, 1, 2.
void ConvertLengthText(std::string& text, std::uint8_t unit);

// What a text box's unit conversion makes of its text: trimmed, converted, trimmed again.
std::string ConvertedBoxText(std::string_view boxText, std::uint8_t unit);

// What a text box's numeric guard makes of its text: the text exactly as it is (blanks included)
// when, trimmed, it is a number as the strict conversions accept it and any ',' in it separates groups
// of three digits; such a number with a ',' elsewhere ("12,5", read as 125) without its commas;
// otherwise "0".
std::string GuardedNumericText(std::string_view boxText);

} // namespace common
