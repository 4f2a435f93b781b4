#include "shell/settings/SettingsFile.h"

#include "platform/text/RegularFile.h"
#include "platform/text/TextFile.h"

#include <string_view>
#include <vector>

namespace shell {

namespace {

constexpr std::string_view kLineEnd = "\r\n";

std::string_view TrimBlanks(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    return s;
}

// The fields of one line, split at every comma; blanks around an unquoted item are not part of it.
std::vector<std::string> Fields(std::string_view line) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    while (true) {
        const std::size_t comma = line.find(',', start);
        fields.emplace_back(TrimBlanks(line.substr(start, comma - start)));
        if (comma == std::string_view::npos)
            return fields;
        start = comma + 1;
    }
}

std::string Field(const std::vector<std::string>& fields, std::size_t i) {
    return i < fields.size() ? fields[i] : std::string();
}

// The whole number a field starts with (a fraction is not a whole number); nothing when it starts with none.
std::optional<long> LeadingWholeNumber(std::string_view s) {
    s = TrimBlanks(s);
    bool negative = false;
    if (!s.empty() && (s.front() == '+' || s.front() == '-')) {
        negative = s.front() == '-';
        s.remove_prefix(1);
    }
    if (s.empty() || s.front() < '0' || s.front() > '9')
        return std::nullopt;
    long value = 0;
    while (!s.empty() && s.front() >= '0' && s.front() <= '9') {
        if (value < 1000000)
            value = value * 10 + (s.front() - '0');
        s.remove_prefix(1);
    }
    if (!s.empty() && s.front() == '.') {
        s.remove_prefix(1);
        while (!s.empty() && s.front() == '0')
            s.remove_prefix(1);
        if (!s.empty() && s.front() >= '1' && s.front() <= '9')
            return std::nullopt;
    }
    return negative ? -value : value;
}

} // namespace

std::string SettingsText(const SettingsValues& values, SettingsWrite kind) {
    std::string text = values.InFile + "," + values.OutFile + "," + values.File3D;
    text += kLineEnd;
    if (kind == SettingsWrite::Full)
        text += values.Use3D ? "1" : "0";
    else if (values.Use3D)
        text += "1";
    // The field model in the sign-padded number form: a blank in front of a number that is not negative.
    text += ", " + std::to_string(values.FieldModel);
    text += kLineEnd;
    if (kind == SettingsWrite::Full) {
        for (std::size_t i = 0; i < values.RecentFiles.size(); ++i) {
            if (i > 0)
                text += ",";
            text += values.RecentFiles[i];
        }
        text += kLineEnd;
    }
    return text;
}

SettingsRead ParseSettingsText(const std::string& text) {
    SettingsRead read;
    const std::vector<std::string_view> lines = plat::SplitLines(text);
    const std::vector<std::string> names = lines.empty() ? std::vector<std::string>{} : Fields(lines[0]);
    read.InFile = Field(names, 0);
    read.OutFile = Field(names, 1);
    read.File3D = Field(names, 2);
    if (lines.size() < 2)
        return read;
    const std::vector<std::string> modes = Fields(lines[1]);
    read.Use3D = LeadingWholeNumber(Field(modes, 0)) == 1L;
    const std::optional<long> model = LeadingWholeNumber(Field(modes, 1));
    if (model && *model >= 0 && *model <= 2)
        read.FieldModel = static_cast<std::uint8_t>(*model);
    if (lines.size() < 3)
        return read;
    const std::vector<std::string> recent = Fields(lines[2]);
    for (std::size_t i = 0; i < read.RecentFiles.size(); ++i)
        read.RecentFiles[i] = Field(recent, i);
    return read;
}

SettingsFileRead ReadSettingsFile(const std::filesystem::path& file) {
    const plat::FileReadResult read = plat::ReadRegularFile(file, kSettingsFileLimit);
    if (read)
        return {ParseSettingsText(read.bytes), {}};
    return {std::nullopt, read.missing ? std::string() : read.reason};
}

plat::FileWriteResult WriteSettingsFile(const std::filesystem::path& file, const SettingsValues& values,
                                        SettingsWrite kind) {
    return plat::WriteFileAtomically(file, SettingsText(values, kind));
}

std::string SettingsNotWrittenText(const std::string& path, const std::string& reason) {
    return "File Error: " + path + " cannot be written." + "\r\n" + reason +
           "\r\nThe settings were not saved.";
}

std::string SettingsNotReadText(const std::string& path, const std::string& reason) {
    return "File Error: " + path + " cannot be read." + "\r\n" + reason +
           "\r\nThe program starts with the default settings.";
}

} // namespace shell
