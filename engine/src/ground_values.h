#ifndef KELVD_GROUND_VALUES_H
#define KELVD_GROUND_VALUES_H

#include "parallel_tasks.h"

#include <cstdio>
#include <memory>
#include <vector>

namespace kelvd {

// The node values after the counts, read the way fscanf's "%lf" reads them. A plain decimal number
// (sign, digits, point, exponent) that ends at a blank or at the end is converted directly, which gives
// the same double as the library's conversion. From the first value of any other form on (and
// throughout, where the decimal point is not '.') the rest is read by fscanf itself from that value's
// place in the file, so that whatever it accepts or refuses stays the same.
//
// The text is taken in chunks; or, given tasks to run, all of it is read at once and scanned in pieces
// of about kPieceBytes through them, so that several threads share the conversion.
class NodeValues {
public:
    static constexpr size_t kPieceBytes = 16 * 1024;
    // Larger rests of the file are read in chunks.
    static constexpr size_t kMostPiecedBytes = 64 * 1024 * 1024;

    explicit NodeValues(std::FILE* file, const ParallelTasks* parallel = nullptr);

    // At most how many nodes the rest of the file can hold: each takes three numbers and three blanks.
    size_t nodeRoom() const;

    bool next(double& v);

private:
    // The plain numbers of one piece, up to the first value of another form (its offset, or kNoStop).
    struct Piece {
        std::vector<double> values;
        size_t stop;
    };
    static constexpr size_t kNoStop = static_cast<size_t>(-1);

    bool readPieces(const ParallelTasks& parallel);
    void refill();
    bool quick(double& v);
    bool fromPieces(double& v);

    std::FILE* file_;
    long start_; // the file offset of text_[0]
    std::unique_ptr<char[]> text_;
    size_t capacity_ = 0, size_ = 0, pos_ = 0;
    bool ended_ = false; // the last read found the end of the file
    bool plain_ = true;
    std::vector<Piece> pieces_; // none when read in chunks
    size_t piece_ = 0, taken_ = 0; // the next value: pieces_[piece_].values[taken_]
};

} // namespace kelvd

#endif
