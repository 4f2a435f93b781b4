#include "ground_values.h"

#include <algorithm>
#include <charconv>
#include <clocale>
#include <cstdint>
#include <cstring>

#include <sys/stat.h>

namespace kelvd {

namespace {

constexpr size_t kChunkBytes = 1 << 16;

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

struct Scan {
    const char* stop;
    bool plain;
    double value;
};

// Scans a plain number at p: plain when it is one and ends at a blank or at end. Up to 15 digits with a
// power of ten up to 22 are exact doubles both, and one division or product of them is the correctly
// rounded value; any other plain number is converted by from_chars.
Scan scanNumber(const char* p, const char* end) {
    const char* const first = p;
    const bool negative = p != end && *p == '-';
    if (p != end && (*p == '+' || *p == '-'))
        ++p;
    const char* const number = p;
    std::uint64_t mantissa = 0;
    int digits = 0, scale = 0;
    for (; p != end && isDigit(*p); ++p, ++digits)
        mantissa = mantissa * 10 + static_cast<unsigned>(*p - '0');
    if (p != end && *p == '.')
        for (++p; p != end && isDigit(*p); ++p, ++digits, --scale)
            mantissa = mantissa * 10 + static_cast<unsigned>(*p - '0');
    if (digits == 0)
        return {p, false, 0};
    if (p != end && (*p == 'e' || *p == 'E')) {
        ++p;
        const bool down = p != end && *p == '-';
        if (p != end && (*p == '+' || *p == '-'))
            ++p;
        const char* const exponent = p;
        int e = 0;
        for (; p != end && isDigit(*p); ++p)
            e = std::min(e * 10 + (*p - '0'), 100000);
        if (p == exponent)
            return {p, false, 0};
        scale += down ? -e : e;
    }
    if (p != end && !isSpace(*p))
        return {p, false, 0};
    static constexpr double kPowers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                         1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                         1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    double value = 0;
    if (digits <= 15 && scale >= -22 && scale <= 22) {
        const double m = static_cast<double>(mantissa);
        value = scale < 0 ? m / kPowers[-scale] : m * kPowers[scale];
        value = negative ? -value : value;
    } else {
        const auto [stop, ec] = std::from_chars(*first == '+' ? number : first, p, value);
        if (ec != std::errc() || stop != p)
            return {p, false, 0};
    }
    return {p, true, value};
}

// Where a boundary between pieces near at falls: at the first blank from there on, or at the end, so
// that no value is cut.
size_t boundary(const char* text, size_t size, size_t at) {
    at = std::min(at, size);
    while (at < size && !isSpace(text[at]))
        ++at;
    return at;
}

} // namespace

NodeValues::NodeValues(std::FILE* file, const ParallelTasks* parallel) : file_(file), start_(std::ftell(file)) {
    const char* point = std::localeconv()->decimal_point;
    plain_ = start_ >= 0 && point[0] == '.' && point[1] == '\0';
    if (plain_ && !(parallel && *parallel && readPieces(*parallel))) {
        text_.reset(new char[kChunkBytes]);
        capacity_ = kChunkBytes;
        refill();
    }
}

size_t NodeValues::nodeRoom() const {
    struct stat st {};
    return fstat(fileno(file_), &st) == 0 && st.st_size > start_
               ? static_cast<size_t>(st.st_size - start_) / 6 + 1
               : 1;
}

bool NodeValues::next(double& v) {
    if (plain_) {
        if (pieces_.empty() ? quick(v) : fromPieces(v))
            return true;
        // The rest goes to fscanf, from where this value begins.
        plain_ = false;
        if (std::fseek(file_, start_ + static_cast<long>(pos_), SEEK_SET) != 0)
            return false;
    }
    return std::fscanf(file_, "%lf", &v) == 1;
}

// Reads the rest of a regular file of known size at once and scans its pieces through parallel; false
// (having read nothing) for any other file.
bool NodeValues::readPieces(const ParallelTasks& parallel) {
    struct stat st {};
    if (fstat(fileno(file_), &st) != 0 || !S_ISREG(st.st_mode) || st.st_size < start_ ||
        static_cast<std::uint64_t>(st.st_size - start_) > kMostPiecedBytes)
        return false;
    const size_t rest = static_cast<size_t>(st.st_size - start_);
    // One byte more than the size tells a file that has grown since.
    capacity_ = rest + 1;
    text_.reset(new char[capacity_]);
    size_ = std::fread(text_.get(), 1, capacity_, file_);
    if (size_ > rest) {
        // fscanf reads it all, from the first value on.
        pieces_.assign(1, Piece{{}, 0});
        return true;
    }
    pieces_.resize(std::max<size_t>(1, (size_ + kPieceBytes - 1) / kPieceBytes));
    const char* const text = text_.get();
    const size_t size = size_;
    Piece* const pieces = pieces_.data();
    // Each task writes its own piece only.
    parallel(pieces_.size(), [text, size, pieces](size_t k) {
        Piece& piece = pieces[k];
        piece.stop = kNoStop;
        const char* p = text + (k == 0 ? 0 : boundary(text, size, k * kPieceBytes));
        const char* const end = text + boundary(text, size, (k + 1) * kPieceBytes);
        // Room for numbers of a usual ground file's length; shorter ones grow it. Reserving for the
        // shortest (a digit and a blank) would spread the pieces over many more fresh pages.
        piece.values.reserve(static_cast<size_t>(end - p) / 8 + 16);
        for (;;) {
            while (p != end && isSpace(*p))
                ++p;
            if (p == end)
                return;
            const Scan scan = scanNumber(p, end);
            if (!scan.plain) {
                piece.stop = static_cast<size_t>(p - text);
                return;
            }
            piece.values.push_back(scan.value);
            p = scan.stop;
        }
    });
    return true;
}

// Drops what has been read and appends the next chunk.
void NodeValues::refill() {
    start_ += static_cast<long>(pos_);
    size_ -= pos_;
    std::memmove(text_.get(), text_.get() + pos_, size_);
    pos_ = 0;
    const size_t got = std::fread(text_.get() + size_, 1, capacity_ - size_, file_);
    size_ += got;
    ended_ = got == 0;
}

// One plain number from pos_ on, when the text there is one; false otherwise, with pos_ where the next
// value begins.
bool NodeValues::quick(double& v) {
    for (;;) {
        const char* const text = text_.get();
        const char* const end = text + size_;
        const char* p = text + pos_;
        while (p != end && isSpace(*p))
            ++p;
        pos_ = static_cast<size_t>(p - text);
        const Scan scan = scanNumber(p, end);
        // A value that runs into the end of the chunk may go on in the next one.
        if (scan.stop == end && !ended_) {
            if (pos_ == 0 && size_ == capacity_)
                return false;
            refill();
            continue;
        }
        if (!scan.plain)
            return false;
        v = scan.value;
        pos_ = static_cast<size_t>(scan.stop - text);
        return true;
    }
}

// The next value of the pieces in their order; false at the first value of another form or past the
// last piece, with pos_ where it begins.
bool NodeValues::fromPieces(double& v) {
    for (; piece_ < pieces_.size(); ++piece_, taken_ = 0) {
        const Piece& piece = pieces_[piece_];
        if (taken_ < piece.values.size()) {
            v = piece.values[taken_++];
            return true;
        }
        if (piece.stop != kNoStop) {
            pos_ = piece.stop;
            return false;
        }
    }
    pos_ = size_;
    return false;
}

} // namespace kelvd
