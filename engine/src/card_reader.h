#ifndef KELVD_CARD_READER_H
#define KELVD_CARD_READER_H

#include "run_inputs.h"

#include <cstdio>
#include <string>

namespace kelvd {

// Reads one quoted string of at most max characters: skips to the next apostrophe, stores up to the
// closing apostrophe or line end (CR LF or LF), and consumes the rest of an over-long string.
void RDQSTR(std::FILE* file, std::string& text, int max);

// Appends the text between apostrophes (no line end).
void WRQSTR(std::string& out, const std::string& text);

// Reads the title and the cards up to the end card into in (which the caller starts value-initialised),
// appending the echo ("FORT10" text, CR LF line ends) to echo. Returns 0 or errors::kCard; then the
// report line that says which card was refused and why is appended to reason.
int ReadCards(std::FILE* file, RunInputs& in, std::string& echo, std::string* reason = nullptr);

} // namespace kelvd

#endif
