#pragma once

// 8-bit text files as the program reads them: the free-format reader accepts CR LF and LF.

#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace plat {

// The lines of a text without their ends (CR LF or LF); a last line end opens no empty line.
std::vector<std::string_view> SplitLines(std::string_view text);

// A file that cannot be opened or read.
class FileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Reading past the end of the file.
class EndOfFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Free-format input of a whole text, item by item:
// - InputNumber: skips blanks, tabs and line ends, then reads a token up to a blank, tab, comma or
//   line end; a token that is not a number reads as 0 (its leading number counts: "2.000)" is 2).
//   An empty field between commas reads as 0.
// - InputText: skips blanks and tabs; a text in double quotes is the text between them; otherwise
//   the item runs to the next comma or line end, trailing blanks and tabs removed. On an empty line
//   it is "".
// - After an item, blanks and tabs are passed over, then one comma or one line end.
// - LineInput: the rest of the current line, without its line end (CR LF or LF).
// Reading at the end of the text throws EndOfFileError.
class FreeReader {
public:
    // Reads the whole file; throws FileError when it cannot be opened or read.
    explicit FreeReader(const std::filesystem::path& path);
    static FreeReader FromText(std::string text);

    double InputNumber();
    std::string InputText();
    std::string LineInput();
    bool Eof() const { return pos_ >= text_.size(); }

private:
    FreeReader() = default;
    void SkipBlanks();
    void EndItem();
    void RequireMore() const;

    std::string text_;
    std::size_t pos_ = 0;
};

} // namespace plat
