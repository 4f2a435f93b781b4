#include "platform/text/TextFile.h"

#include "platform/text/Numbers.h"
#include "platform/text/RegularFile.h"

namespace plat {

std::vector<std::string_view> SplitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t lf = text.find('\n');
        std::string_view line = text.substr(0, lf);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        lines.push_back(line);
        if (lf == std::string_view::npos)
            break;
        text.remove_prefix(lf + 1);
    }
    return lines;
}

namespace {

bool IsLineEnd(const std::string& text, std::size_t pos) {
    return pos < text.size() &&
           (text[pos] == '\n' || (text[pos] == '\r' && pos + 1 < text.size() && text[pos + 1] == '\n'));
}

} // namespace

FreeReader::FreeReader(const std::filesystem::path& path) {
    FileReadResult file = ReadRegularFile(path);
    if (!file)
        throw FileError("cannot read " + path.string() + ": " + file.reason);
    text_ = std::move(file.bytes);
}

FreeReader FreeReader::FromText(std::string text) {
    FreeReader reader;
    reader.text_ = std::move(text);
    return reader;
}

void FreeReader::RequireMore() const {
    if (Eof())
        throw EndOfFileError("input past end of file");
}

void FreeReader::SkipBlanks() {
    while (pos_ < text_.size() && (text_[pos_] == ' ' || text_[pos_] == '\t'))
        ++pos_;
}

void FreeReader::EndItem() {
    SkipBlanks();
    if (pos_ >= text_.size())
        return;
    if (text_[pos_] == ',')
        ++pos_;
    else if (text_[pos_] == '\n')
        ++pos_;
    else if (IsLineEnd(text_, pos_))
        pos_ += 2;
}

double FreeReader::InputNumber() {
    while (pos_ < text_.size() &&
           (text_[pos_] == ' ' || text_[pos_] == '\t' || text_[pos_] == '\r' || text_[pos_] == '\n'))
        ++pos_;
    RequireMore();
    const std::size_t start = pos_;
    while (pos_ < text_.size() && text_[pos_] != ' ' && text_[pos_] != '\t' && text_[pos_] != ',' &&
           text_[pos_] != '\n' && !IsLineEnd(text_, pos_))
        ++pos_;
    const double value = Val(std::string_view(text_).substr(start, pos_ - start));
    EndItem();
    return value;
}

std::string FreeReader::InputText() {
    SkipBlanks();
    RequireMore();
    std::string item;
    if (text_[pos_] == '"') {
        const std::size_t start = ++pos_;
        while (pos_ < text_.size() && text_[pos_] != '"' && text_[pos_] != '\n' && !IsLineEnd(text_, pos_))
            ++pos_;
        item = text_.substr(start, pos_ - start);
        if (pos_ < text_.size() && text_[pos_] == '"')
            ++pos_;
        // Whatever follows the closing quote on the item is passed over up to the delimiter.
        while (pos_ < text_.size() && text_[pos_] != ',' && text_[pos_] != '\n' && !IsLineEnd(text_, pos_))
            ++pos_;
    } else {
        const std::size_t start = pos_;
        while (pos_ < text_.size() && text_[pos_] != ',' && text_[pos_] != '\n' && !IsLineEnd(text_, pos_))
            ++pos_;
        item = text_.substr(start, pos_ - start);
        const auto last = item.find_last_not_of(" \t");
        item.erase(last == std::string::npos ? 0 : last + 1);
    }
    EndItem();
    return item;
}

std::string FreeReader::LineInput() {
    RequireMore();
    const std::size_t start = pos_;
    while (pos_ < text_.size() && text_[pos_] != '\n' && !IsLineEnd(text_, pos_))
        ++pos_;
    std::string line = text_.substr(start, pos_ - start);
    if (pos_ < text_.size())
        pos_ += text_[pos_] == '\n' ? 1 : 2;
    return line;
}

} // namespace plat
