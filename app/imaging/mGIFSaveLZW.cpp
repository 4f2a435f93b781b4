#include "imaging/mGIFSaveLZW.h"

#include <algorithm>
#include <array>
#include <vector>

namespace imaging {

namespace {

constexpr int kMaxBits = 12;
constexpr int kMaxCodes = 1 << kMaxBits;
// A prime a little above the 4096 codes, with the probe of the classic compress coder.
constexpr int kHashSize = 5003;
constexpr int kHashShift = 4;
constexpr int kSubBlockData = 254;

constexpr int Mask(int n) {
    return (1 << n) - 1;
}

class LzwCoder {
public:
    LzwCoder(int initialCodeWidth, std::string& out)
        : out_(out), initialWidth_(initialCodeWidth), width_(initialCodeWidth), largest_(Mask(initialCodeWidth)),
          clearCode_(1 << (initialCodeWidth - 1)), endCode_(clearCode_ + 1), nextFree_(clearCode_ + 2),
          hash_(kHashSize, -1), codes_(kHashSize, 0) {}

    // Codes the pixels, which `next` gives one by one while it returns 0 or more, then -1.
    template <typename NextPixel> void Run(NextPixel next) {
        Output(clearCode_);
        int prefix = next();
        for (int k = next(); k >= 0; k = next()) {
            const std::int32_t key = (k << kMaxBits) + prefix;
            int i = (k << kHashShift) ^ prefix;
            if (hash_[i] == key) {
                prefix = codes_[i];
                continue;
            }
            if (hash_[i] >= 0) {
                const int step = i == 0 ? 1 : kHashSize - i;
                bool found = false;
                do {
                    i -= step;
                    if (i < 0)
                        i += kHashSize;
                    if (hash_[i] == key) {
                        found = true;
                        break;
                    }
                } while (hash_[i] > 0);
                if (found) {
                    prefix = codes_[i];
                    continue;
                }
            }
            Output(prefix);
            prefix = k;
            if (nextFree_ < kMaxCodes) {
                codes_[i] = nextFree_++;
                hash_[i] = key;
            } else {
                std::fill(hash_.begin(), hash_.end(), -1);
                nextFree_ = clearCode_ + 2;
                clearFlag_ = true;
                Output(clearCode_);
            }
        }
        Output(prefix);
        Output(endCode_);
    }

private:
    void Output(int code) {
        accumulator_ &= static_cast<std::uint32_t>(Mask(bits_));
        accumulator_ = bits_ > 0 ? accumulator_ | (static_cast<std::uint32_t>(code) << bits_)
                                 : static_cast<std::uint32_t>(code);
        bits_ += width_;
        while (bits_ >= 8) {
            PutByte(static_cast<std::uint8_t>(accumulator_ & 0xFF));
            accumulator_ >>= 8;
            bits_ -= 8;
        }
        if (nextFree_ > largest_ || clearFlag_) {
            if (clearFlag_) {
                width_ = initialWidth_;
                largest_ = Mask(width_);
                clearFlag_ = false;
            } else {
                ++width_;
                largest_ = width_ == kMaxBits ? kMaxCodes : Mask(width_);
            }
        }
        if (code == endCode_) {
            while (bits_ > 0) {
                PutByte(static_cast<std::uint8_t>(accumulator_ & 0xFF));
                accumulator_ >>= 8;
                bits_ -= 8;
            }
            FlushBlock();
        }
    }

    void PutByte(std::uint8_t byte) {
        block_[1 + count_++] = byte;
        if (count_ == kSubBlockData)
            FlushBlock();
    }

    void FlushBlock() {
        if (count_ == 0)
            return;
        block_[0] = static_cast<std::uint8_t>(count_);
        out_.append(reinterpret_cast<const char*>(block_.data()), static_cast<std::size_t>(count_) + 1);
        count_ = 0;
    }

    std::string& out_;
    const int initialWidth_;
    int width_;
    int largest_;
    const int clearCode_;
    const int endCode_;
    int nextFree_;
    bool clearFlag_ = false;
    std::vector<std::int32_t> hash_;
    std::vector<std::int32_t> codes_;
    std::uint32_t accumulator_ = 0;
    int bits_ = 0;
    std::array<std::uint8_t, 256> block_{};
    int count_ = 0;
};

// The rows in the order they are written: top to bottom, or the four interlace passes.
std::vector<int> RowOrder(int height, bool interlaced) {
    std::vector<int> rows;
    rows.reserve(static_cast<std::size_t>(height));
    if (!interlaced) {
        for (int y = 0; y < height; ++y)
            rows.push_back(y);
        return rows;
    }
    constexpr struct {
        int start, step;
    } kPasses[] = {{0, 8}, {4, 8}, {2, 4}, {1, 2}};
    for (const auto& pass : kPasses)
        for (int y = pass.start; y < height; y += pass.step)
            rows.push_back(y);
    return rows;
}

} // namespace

void CompressLZW(int initialCodeWidth, const IndexImageView& image, bool interlaced, std::string& out) {
    const std::vector<int> rows = RowOrder(image.height, interlaced);
    std::size_t row = 0;
    const std::uint8_t* p = image.bits + rows[0] * image.stride;
    const std::uint8_t* rowEnd = p + image.width;
    LzwCoder coder(initialCodeWidth, out);
    coder.Run([&]() -> int {
        if (p == rowEnd) {
            if (++row == rows.size())
                return -1;
            p = image.bits + rows[row] * image.stride;
            rowEnd = p + image.width;
        }
        return *p++;
    });
}

} // namespace imaging
