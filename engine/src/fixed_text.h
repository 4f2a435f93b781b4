#ifndef KELVD_FIXED_TEXT_H
#define KELVD_FIXED_TEXT_H

#include <string>

namespace kelvd {

// Appends v as printf's "%*.*f" writes it in the "C" locale, for a precision of at most 17, without
// parsing a format: the report lists the profile at every field point, and printf's parse and generic
// conversion were most of a short run's work.
void AppendFixed(std::string& out, double v, int width, int precision);

} // namespace kelvd

#endif
