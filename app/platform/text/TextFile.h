#pragma once

// 8-bit text files as the program writes and reads them: the writer puts CR LF line ends byte for
// byte; the free-format reader accepts CR LF and LF.

#include <cstdio>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace plat {

// The lines of a text without their ends (CR LF or LF); a last line end opens no empty line.
std::vector<std::string_view> SplitLines(std::string_view text);

// A file that cannot be opened, written or closed.
class FileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Reading past the end of the file.
class EndOfFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A text file open for output (created or emptied) or for append. Every failure throws FileError;
// the destructor closes a file still open without reporting.
class TextWriter {
public:
    enum class Mode { Output, Append };

    explicit TextWriter(const std::filesystem::path& path, Mode mode = Mode::Output);
    ~TextWriter();
    TextWriter(const TextWriter&) = delete;
    TextWriter& operator=(const TextWriter&) = delete;

    // The text exactly as given, no line end.
    void Print(std::string_view text);
    // The text followed by CR LF.
    void PrintLine(std::string_view text = {});
    // Flushes and closes; a failure to write out what was printed throws FileError.
    void Close();
    bool IsOpen() const { return file_ != nullptr; }

private:
    std::FILE* file_ = nullptr;
    std::string path_;
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
