#include "viewer/logic/ViewPresets.h"

#include "common/BoxValue.h"
#include "viewer/logic/BoxValue.h"

#include "common/modFunctions.h"
#include "platform/text/Numbers.h"
#include "platform/text/RegularFile.h"
#include "platform/text/Strings.h"
#include "platform/text/TextFile.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace viewer {
namespace {

constexpr int kUserTarget = 12; // line of "User Trg" (the count is line 1)
constexpr int kUserEye = 13;

// The file's lines without their ends (CR LF or LF); none, and the reason, when it cannot be read.
std::vector<std::string> ReadLines(const std::filesystem::path& path, std::string& problem) {
    const plat::FileReadResult file = plat::ReadRegularFile(path, kPresetsFileLimit);
    std::vector<std::string> lines;
    problem = file ? std::string() : file.reason;
    for (const std::string_view line : plat::SplitLines(file.bytes))
        lines.emplace_back(line);
    return lines;
}

// Line i (0-based, the count line 0) of the file, or of the defaults when the file is shorter.
std::string LineOr(const std::vector<std::string>& lines, int i) {
    return i < static_cast<int>(lines.size()) ? lines[static_cast<std::size_t>(i)]
                                              : kDefaultPresetLines[static_cast<std::size_t>(i)];
}

std::string Entry(const std::string& line) {
    std::string entry = plat::Trim(line);
    entry.resize(kPresetWidth, ' ');
    return entry;
}

// Field n (from 1) of a comma-separated line, trimmed; empty beyond the last field.
std::string Field(const std::string& line, int n) {
    std::string text = line;
    if (n > common::CountDelimitedFields(text, ","))
        return {};
    return plat::Trim(common::GetDelimitedField(text, n, ","));
}

std::string Joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    return text;
}

} // namespace

const std::array<const char*, kPresetCount + 1> kDefaultPresetLines{
    "13",
    "Array-Top, OS, SB, HT",
    "Array-6', OS, SB, 6",
    "Array-0'', OS, SB, 0",
    "Abeam-50', 0, SB, 50",
    "Abeam-6', 0, SB, 6",
    "Abeam-0', 0, SB, 0",
    "Thresh-50', 0, 0, 50",
    "Thresh-0', 0, 0, 0",
    "Pt.C, 0, 859, 100",
    "Pt.B, 0, 3500, 238",
    "Pt.A, 0, 24304, 1326",
    "User Trg, 0, 0, 0",
    "User Eye, 0, -3500, 238",
};

std::vector<std::string> ViewPresets::Names() const {
    std::vector<std::string> names;
    for (const std::string& entry : Table)
        names.push_back(Field(entry, 1));
    return names;
}

ViewPresets LoadViewPresets(const std::filesystem::path& folder) {
    const std::filesystem::path path = folder / kPresetsFileName;
    std::error_code error;
    if (!std::filesystem::exists(path, error)) {
        ViewPresets unused;
        WriteViewPresets(folder, "", "", "", "", unused);
    }
    ViewPresets presets;
    const std::vector<std::string> lines = ReadLines(path, presets.ReadProblem);
    for (int i = 0; i < kPresetCount; ++i)
        presets.Table[static_cast<std::size_t>(i)] = Entry(LineOr(lines, i + 1));
    return presets;
}

plat::FileWriteResult WriteViewPresets(const std::filesystem::path& folder, const std::string& name,
                                       const std::string& x, const std::string& y, const std::string& z,
                                       ViewPresets& presets) {
    const std::filesystem::path path = folder / kPresetsFileName;
    std::vector<std::string> lines(kDefaultPresetLines.begin(), kDefaultPresetLines.end());
    if (name.empty()) {
        for (int i = 0; i < kPresetCount; ++i)
            presets.Table[static_cast<std::size_t>(i)] = Entry(lines[static_cast<std::size_t>(i + 1)]);
        return plat::WriteFileAtomically(path, Joined(lines));
    }
    std::string unread;
    const std::vector<std::string> old = ReadLines(path, unread);
    for (int i = 1; i < kUserTarget; ++i)
        lines[static_cast<std::size_t>(i)] = LineOr(old, i);
    std::string target = plat::Trim(LineOr(old, kUserTarget));
    std::string eye = plat::Trim(LineOr(old, kUserEye));
    const std::string stored = ", " + StoredBoxText(y) + ", " + StoredBoxText(x) + ", " + StoredBoxText(z);
    if (name == "User Eye")
        eye = name + stored;
    else
        target = "User Trg" + stored;
    lines[kUserTarget] = target;
    lines[kUserEye] = eye;
    presets.Table[kUserTarget - 1] = Entry(target);
    presets.Table[kUserEye - 1] = Entry(eye);
    return plat::WriteFileAtomically(path, Joined(lines));
}

std::string StoredBoxText(const std::string& text) {
    const std::string trimmed = plat::Trim(text);
    if (trimmed.empty())
        return "0.00";
    if (trimmed.find(',') != std::string::npos || !plat::IsNumeric(trimmed))
        return plat::Format(common::BoxValue(trimmed), "####0.00");
    return trimmed;
}

float PresetValue(const std::string& text, AntennaBoxes& antennas, float boxFeet) {
    const auto i = static_cast<std::size_t>(PositionBoxOf(antennas));
    for (std::string* box : {&antennas.X[i], &antennas.Y[i]})
        if (box->empty())
            *box = "0";
    // A box in metres may hold a Single whose feet are beyond a Single: held at the range's end.
    if (text == "SB")
        return HeldSingle(-static_cast<double>(BoxSingle(antennas.Y[i])) * boxFeet);
    if (text == "OS")
        return HeldSingle(-static_cast<double>(BoxSingle(antennas.X[i])) * boxFeet);
    if (text == "HT")
        return 60.0F;
    return BoxSingle(text);
}

PresetPoint ApplyViewPreset(const ViewPresets& presets, int n, AntennaBoxes& antennas, float boxFeet) {
    const std::string& line = presets.Table.at(static_cast<std::size_t>(n - 1));
    const float y = PresetValue(Field(line, 2), antennas, boxFeet);
    const float x = PresetValue(Field(line, 3), antennas, boxFeet);
    const float z = PresetValue(Field(line, 4), antennas, boxFeet);
    return {plat::Format(x, "####0.00"), plat::Format(y, "####0.00"), plat::Format(z, "####0.00")};
}

} // namespace viewer
