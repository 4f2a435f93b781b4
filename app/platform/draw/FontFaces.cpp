#include "platform/draw/FontFaces.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <initializer_list>
#include <map>
#include <string>

#include <QFontDatabase>
#include <QString>

namespace plat {

namespace {

struct Substitute {
    std::string_view face;
    std::array<std::string_view, 2> candidates;
    int minimumWeight;
};

constexpr std::string_view kSans = "Liberation Sans";

constexpr std::array<Substitute, 8> kSubstitutes{{
    {"Arial", {kSans, {}}, 0},
    {"MS Sans Serif", {kSans, {}}, 0},
    {"Sans Serif", {kSans, {}}, 0},
    {"System", {kSans, {}}, 0},
    {"Arial Black", {kSans, {}}, 900},
    {"Small Fonts", {"DejaVu Sans", kSans}, 0},
    {"Times New Roman", {"Liberation Serif", {}}, 0},
    {"Courier New", {"Liberation Mono", {}}, 0},
}};

// Face names are matched as the platform matches them, whatever their case.
bool SameFace(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
    });
}

bool Installed(std::string_view family) {
    return !family.empty() &&
           QFontDatabase::hasFamily(QString::fromUtf8(family.data(), static_cast<qsizetype>(family.size())));
}

std::string FirstInstalled(std::initializer_list<std::string_view> candidates) {
    for (const std::string_view candidate : candidates) {
        if (Installed(candidate)) {
            return std::string(candidate);
        }
    }
    return QFontDatabase::systemFont(QFontDatabase::GeneralFont).family().toStdString();
}

FontFace Resolve(std::string_view face);

} // namespace

FontFace SubstituteFace(std::string_view face) {
    // The installed faces do not change while the program runs, and asking the font database is
    // slow next to drawing a word: each name is resolved once (on the one user-interface thread).
    static std::map<std::string, FontFace, std::less<>> resolved;
    if (const auto known = resolved.find(face); known != resolved.end()) {
        return known->second;
    }
    return resolved.emplace(std::string(face), Resolve(face)).first->second;
}

namespace {

FontFace Resolve(std::string_view face) {
    for (const Substitute& row : kSubstitutes) {
        if (SameFace(row.face, face)) {
            return {FirstInstalled({row.candidates[0], row.candidates[1]}), row.minimumWeight};
        }
    }
    if (Installed(face)) {
        return {std::string(face), 0};
    }
    return {FirstInstalled({kSans}), 0};
}

} // namespace

} // namespace plat
