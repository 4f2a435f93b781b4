#pragma once

// Reading numbers out of the engine's text files: locale-free, bounded, never throwing.

#include <optional>
#include <string_view>

namespace plot {

// Skips blanks and tabs from pos.
void SkipBlanks(std::string_view text, std::size_t& pos);

// The finite number that starts at pos (an optional sign, digits with an optional point, an
// optional exponent), moving pos past it; nothing, with pos unchanged, when none starts there or
// the number is beyond a double.
std::optional<double> ScanNumber(std::string_view text, std::size_t& pos);

} // namespace plot
