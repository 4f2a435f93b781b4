#ifndef PLATFORM_UI_QTTEXT_H
#define PLATFORM_UI_QTTEXT_H

#include <string>
#include <string_view>

#include <QString>

namespace plat {

// The program's texts are 8-bit; the controls hold them as Latin-1 so that every byte survives.
inline QString ToQString(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}
inline std::string FromQString(const QString& text) {
    return text.toLatin1().toStdString();
}

} // namespace plat

#endif
