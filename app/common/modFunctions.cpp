#include "common/modFunctions.h"

#include "common/Constants.h"
#include "platform/text/Numbers.h"
#include "platform/text/Strings.h"

#include <cmath>
#include <limits>
#include <stdexcept>

namespace common {

namespace {

// Positions inside the field, padding and file-name routines are held in a byte.
constexpr std::size_t BytePositionLimit = 255;
// CountDelimitedFields counts and scans in 16-bit integers.
constexpr std::size_t IntegerLimit = 32767;

std::size_t BytePosition(std::size_t position) {
    if (position > BytePositionLimit)
        throw plat::OverflowError("overflow: position beyond 255");
    return position;
}

// 1-based position of the delimiter at or after 1-based position `from`, 0 when there is none.
std::size_t Find(const std::string& text, std::string_view delimiter, std::size_t from) {
    if (from > text.size())
        return 0;
    const auto at = text.find(delimiter, from - 1);
    return at == std::string::npos ? 0 : at + 1;
}

std::string DelimitedField(std::string& text, int n, std::string_view delimiter) {
    text = plat::Trim(text);
    if (delimiter.empty() || text.find(delimiter) == std::string::npos)
        return text;
    if (n < 1 || n > static_cast<int>(BytePositionLimit))
        throw plat::OverflowError("overflow: field number outside 1..255");
    const auto wanted = static_cast<std::size_t>(n);
    const std::size_t length = text.size();
    std::size_t s = 0;
    std::size_t p = 1;
    std::size_t c = 0;
    std::size_t end = 0;
    while (c < wanted) {
        const std::size_t q = Find(text, delimiter, p + 1);
        if (q > 0) {
            if (q > s + 1) {
                ++c;
                end = BytePosition(q);
                s = s == 0 ? 1 : s + 1;
                if (c < wanted)
                    s = BytePosition(q);
            } else {
                s = BytePosition(q);
            }
        } else {
            // The text's only delimiter is its first character: that character belongs to
            // field 1, so field 1 is the whole text.
            if (s == 0)
                return text;
            ++c;
            // The end lies one past the text, so a text of 255 characters keeps its last field.
            end = BytePosition(length) + 1;
            s = BytePosition(s + 1);
        }
        p = BytePosition(q);
    }
    return text.substr(s - 1, end - s);
}

std::string Padded(std::string_view text, int n, bool right) {
    if (text.size() > BytePositionLimit || n < 0 || n > static_cast<int>(BytePositionLimit))
        throw plat::OverflowError("overflow: text or width beyond 255");
    const auto width = static_cast<std::size_t>(n);
    if (text.empty())
        return {};
    if (text.size() >= width)
        return std::string(text.substr(0, width));
    const std::string blanks(width - text.size(), ' ');
    return right ? std::string(text) + blanks : blanks + std::string(text);
}

// 1-based position of the last '/', 0 when there is none; beyond 255 is an overflow.
std::size_t LastSlash(std::string_view path) {
    const auto at = path.rfind('/');
    return at == std::string_view::npos ? 0 : BytePosition(at + 1);
}

} // namespace

float DbToAmplitude(double value, float dB) {
    return static_cast<float>(value * std::pow(10.0, -(static_cast<double>(dB) / 2.0) / 20.0));
}

std::string GetDelimitedField(std::string& text, int n, std::string_view delimiter) {
    try {
        return DelimitedField(text, n, delimiter);
    } catch (const plat::OverflowError&) {
        return {};
    }
}

std::string GetDelimitedString(std::string& text, int n, std::string_view delimiter) {
    return DelimitedField(text, n, delimiter);
}

std::int16_t CountDelimitedFields(std::string& text, std::string_view delimiter) {
    text = plat::Trim(text);
    if (delimiter.empty() || text.find(delimiter) == std::string::npos)
        return 1;
    if (text.size() >= IntegerLimit)
        throw plat::OverflowError("overflow: text beyond 32767 characters");
    std::int16_t count = 0;
    std::size_t p = 0;
    for (;;) {
        const std::size_t q = Find(text, delimiter, p + 1);
        if (q == 0)
            return static_cast<std::int16_t>(count + 1);
        if (q != p + 1)
            ++count;
        p = q;
    }
}

std::string FileTitleNoExt(std::string_view path) {
    const std::string_view name = path.substr(LastSlash(path));
    return std::string(name.substr(0, name.find('.')));
}

std::string FolderOfPath(std::string_view path) {
    const std::size_t b = LastSlash(path);
    return b > 1 ? std::string(path.substr(0, b - 1)) : std::string{};
}

std::string PadRight(std::string_view text, int n) {
    return Padded(text, n, true);
}
std::string PadLeft(std::string_view text, int n) {
    return Padded(text, n, false);
}

double Atan2Pos(double x, double y) {
    double angle = 0;
    if (x == 0)
        angle = y >= 0 ? kPi / 2 : -kPi / 2;
    else if (x < 0)
        angle = std::atan(y / x) + (y >= 0 ? kPi : -kPi);
    else
        angle = std::atan(y / x);
    return angle < 0 ? angle + kTwoPi : angle;
}

std::int32_t CeilLong(double x) {
    const double c = std::ceil(x);
    if (!(c >= std::numeric_limits<std::int32_t>::min() && c <= std::numeric_limits<std::int32_t>::max()))
        throw plat::OverflowError("overflow");
    return static_cast<std::int32_t>(c);
}

std::int16_t FloorInt(double x) {
    const double f = std::floor(x);
    if (!(f >= std::numeric_limits<std::int16_t>::min() && f <= std::numeric_limits<std::int16_t>::max()))
        throw plat::OverflowError("overflow");
    return static_cast<std::int16_t>(f);
}

void ConvertLengthText(std::string& text, std::uint8_t unit) {
    struct Suffix {
        char letter;
        double factor[3]; // to feet, metres, nautical miles
    };
    static constexpr Suffix Suffixes[] = {
        {'f', {1.0, kMetresPerFoot, 1.0 / kFeetPerNauticalMile}},
        {'n', {kFeetPerNauticalMile, kMetresPerNauticalMile, 1.0}},
        {'m', {1.0 / kMetresPerFoot, 1.0, 1.0 / kMetresPerFoot / kFeetPerNauticalMile}},
    };
    constexpr const char* Pattern = "######0.0#";
    if (unit > UnitNauticalMiles)
        throw std::invalid_argument("unknown length unit");
    if (text.empty()) {
        text = "0.00";
        return;
    }
    if (text.size() == 1) {
        text = plat::FormatText(text, Pattern);
        return;
    }
    text = plat::LCase(text);
    for (const auto& suffix : Suffixes) {
        const auto at = text.find(suffix.letter);
        if (at == std::string::npos)
            continue;
        try {
            const double value = plat::Val(std::string_view(text).substr(0, at + 1));
            text = plat::Format(value * suffix.factor[unit], Pattern);
        } catch (const plat::OverflowError&) {
            // A number beyond any range is left as typed; the numeric guard turns it into 0.
            return;
        }
    }
}

std::string ConvertedBoxText(std::string_view boxText, std::uint8_t unit) {
    std::string text = plat::Trim(boxText);
    ConvertLengthText(text, unit);
    return plat::Trim(text);
}

namespace {

// Whether every ',' of a number's whole part separates groups of three digits ("1,000", "-12,345.5"),
// so that the text reads as it looks.
bool CommasInPlace(std::string_view number) {
    const std::size_t start = number.find_first_of("0123456789,");
    const std::size_t end = number.find_first_of(".eE", start);
    const std::string_view whole = number.substr(start, end == std::string_view::npos ? end : end - start);
    const std::size_t first = whole.find(',');
    if (first == std::string_view::npos)
        return true;
    if (first == 0 || first > 3)
        return false;
    for (std::size_t at = first; at < whole.size(); at += 4) {
        if (whole[at] != ',' || whole.size() - at < 4 || whole.substr(at + 1, 3).find(',') != std::string_view::npos)
            return false;
    }
    return true;
}

} // namespace

std::string GuardedNumericText(std::string_view boxText) {
    const std::string trimmed = plat::Trim(boxText);
    if (trimmed.empty() || !plat::IsNumeric(trimmed))
        return "0";
    std::string text(boxText);
    // "12,5" reads as 125: the box shows that, not a text that looks like another number.
    if (!CommasInPlace(trimmed))
        std::erase(text, ',');
    return text;
}

} // namespace common
