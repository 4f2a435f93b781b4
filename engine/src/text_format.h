#ifndef KELVD_TEXT_FORMAT_H
#define KELVD_TEXT_FORMAT_H

#include <clocale>
#include <locale.h>
#include <string>

namespace kelvd {

// Appends printf-formatted text to out, each "\n" of the result becoming CR LF: every text the engine
// writes to its run files goes through here. Numbers follow the calling thread's locale, so run threads
// hold a CLocaleScope.
void Appendf(std::string& out, const char* fmt, ...) __attribute__((format(printf, 2, 3)));

// Makes the calling thread use the "C" locale (decimal point '.') for formatted input and output until
// the scope ends, whatever locale the host process has set.
class CLocaleScope {
public:
    CLocaleScope();
    ~CLocaleScope();
    CLocaleScope(const CLocaleScope&) = delete;
    CLocaleScope& operator=(const CLocaleScope&) = delete;

private:
    locale_t c_ = nullptr;
    locale_t previous_ = nullptr;
};

} // namespace kelvd

#endif
