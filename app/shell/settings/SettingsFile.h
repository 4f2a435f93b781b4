#pragma once
// Pellic.ini: three CR LF lines that carry the working file names, the ground mode, the field model and
// five recent file names from one start of the program to the next.

#include "platform/text/AtomicFile.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace shell {

// The settings file is always opened by this bare name, so in the directory current at the time.
inline constexpr const char* kSettingsFileName = "Pellic.ini";

using RecentFileList = std::array<std::string, 5>;

// What the program writes into the file.
struct SettingsValues {
    std::string InFile;
    std::string OutFile;
    std::string File3D;
    bool Use3D = false;             // the check of mnuUse3D
    std::uint8_t FieldModel = 1;
    RecentFileList RecentFiles{};
};

// What a read found. Missing fields of line 1 read as empty texts; without line 2 the ground mode and the
// field model are not given (the caller keeps its own); without line 3 the recent names are all empty.
struct SettingsRead {
    std::string InFile;
    std::string OutFile;
    std::string File3D;
    std::optional<bool> Use3D;
    std::optional<std::uint8_t> FieldModel; // absent also when line 2 holds no model 0, 1 or 2
    RecentFileList RecentFiles{};
};

enum class SettingsWrite {
    Short, // lines 1 and 2, the flag as "1" or nothing
    Full   // lines 1, 2 and 3, the flag as "1" or "0"
};

// The file's exact bytes for a write of the given kind.
std::string SettingsText(const SettingsValues& values, SettingsWrite kind);

// Parses the file's text (CR LF or LF line ends).
SettingsRead ParseSettingsText(const std::string& text);

// The most the file is read: far beyond three lines of file names.
inline constexpr std::size_t kSettingsFileLimit = std::size_t{1} << 20;

// What reading the file gave: the settings, or none when no file of that name exists or it cannot be
// read (a folder, a pipe, a device, a read error, a file above the limit); then Problem holds the
// reason, empty when there is simply no file.
struct SettingsFileRead {
    std::optional<SettingsRead> Settings;
    std::string Problem;
};
SettingsFileRead ReadSettingsFile(const std::filesystem::path& file);

// Replaces the file by a new one, atomically: a failed write leaves the old file whole. The result
// carries the reason when the file could not be written.
plat::FileWriteResult WriteSettingsFile(const std::filesystem::path& file, const SettingsValues& values,
                                        SettingsWrite kind);

// The message shown when the file could not be written (caption "File Error", critical icon).
inline constexpr char kSettingsErrorTitle[] = "File Error";
std::string SettingsNotWrittenText(const std::string& path, const std::string& reason);
// The message shown when a file that is there could not be read (same caption and icon).
std::string SettingsNotReadText(const std::string& path, const std::string& reason);

} // namespace shell
