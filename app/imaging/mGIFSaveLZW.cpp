#include "imaging/mGIFSaveLZW.h"

#include <algorithm>
#include <bit>
#include <memory>
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

// The rows in the order they are written: top to bottom, or the four interlace passes.
std::vector<int> RowOrder(int height, bool interlaced) {
    std::vector<int> rows;
    rows.reserve(static_cast<std::size_t>(height));
    if (!interlaced) {
        for (int y = 0; y < height; ++y)
            rows.push_back(y);
        return rows;
    }
    constexpr struct { int start, step; } kPasses[] = {{0, 8}, {4, 8}, {2, 4}, {1, 2}};
    for (const auto& pass : kPasses)
        for (int y = pass.start; y < height; y += pass.step)
            rows.push_back(y);
    return rows;
}

} // namespace

// The codes are packed into 64-bit words first and cut into sub-blocks at the end: every pixel goes
// through here, and bytes stored one by one into sub-blocks as codes come would make the compiler
// reload the coder's state after each (a byte store may alias anything). The hash table and the
// words are plain arrays, as the checked indexing of the test builds' standard library would cost
// more than a look-up.
void CompressLZW(int initialCodeWidth, const IndexImageView& image, bool interlaced, std::string& out) {
    static_assert(std::endian::native == std::endian::little,
                  "the words are read back as bytes, lowest first");
    // Each slot holds a key (20 bits: the pixel x 4096 + the prefix code) above its code (12 bits), 0
    // when empty, which no string takes, since codes start above the end code. A probe reads one word
    // and the whole table stays in the nearest cache.
    const auto table = std::make_unique<std::uint32_t[]>(kHashSize);
    const auto clearTable = [&] { std::fill_n(table.get(), kHashSize, 0u); };
    const auto keyOf = [&](int i) { return static_cast<std::int32_t>(table[i] >> kMaxBits); };
    const auto codeOf = [&](int i) { return static_cast<int>(table[i] & (kMaxCodes - 1)); };

    // At most one code a pixel, a clear code every few thousand, and the first clear and the end.
    const std::size_t pixels = static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height);
    const std::size_t maxCodes = pixels + pixels / 1024 + 4;
    const auto words = std::make_unique_for_overwrite<std::uint64_t[]>(maxCodes * kMaxBits / 64 + 2);
    std::size_t wordCount = 0;
    std::uint64_t accumulator = 0;
    int bits = 0;

    const int clearCode = 1 << (initialCodeWidth - 1);
    const int endCode = clearCode + 1;
    int width = initialCodeWidth;
    int largest = Mask(width);
    int nextFree = clearCode + 2;
    bool clearFlag = false;

    // Codes go in least significant bit first; the width changes after the code at which the next
    // free code passes the largest of the width, or returns to the first width after a clear.
    const auto output = [&](int code) {
        const auto value = static_cast<std::uint64_t>(code);
        accumulator |= value << bits;
        bits += width;
        if (bits >= 64) {
            words[wordCount++] = accumulator;
            bits -= 64;
            accumulator = bits > 0 ? value >> (width - bits) : 0;
        }
        if (clearFlag) {
            width = initialCodeWidth;
            largest = Mask(width);
            clearFlag = false;
        } else if (nextFree > largest) {
            ++width;
            largest = width == kMaxBits ? kMaxCodes : Mask(width);
        }
    };
    // Extends the string `prefix` by the pixel k: its code when the table holds it; else the prefix
    // goes out, the new string takes the next free code (or the table is cleared when all 4096 are in
    // use) and k starts the next string.
    const auto extend = [&](int prefix, int k) {
        const std::int32_t key = (k << kMaxBits) + prefix;
        int i = (k << kHashShift) ^ prefix;
        if (table[i] != 0) {
            if (keyOf(i) == key)
                return codeOf(i);
            const int step = i == 0 ? 1 : kHashSize - i;
            do {
                i -= step;
                if (i < 0)
                    i += kHashSize;
                if (table[i] != 0 && keyOf(i) == key)
                    return codeOf(i);
            } while (keyOf(i) > 0);
        }
        output(prefix);
        if (nextFree < kMaxCodes) {
            table[i] = (static_cast<std::uint32_t>(key) << kMaxBits) | static_cast<std::uint32_t>(nextFree++);
        } else {
            clearTable();
            nextFree = clearCode + 2;
            clearFlag = true;
            output(clearCode);
        }
        return k;
    };

    clearTable();
    output(clearCode);
    const std::vector<int> rows = RowOrder(image.height, interlaced);
    int prefix = image.bits[rows[0] * image.stride];
    bool first = true;
    for (int y : rows) {
        const std::uint8_t* p = image.bits + y * image.stride;
        const std::uint8_t* const end = p + image.width;
        if (first) {
            ++p;
            first = false;
        }
        for (; p != end; ++p)
            prefix = extend(prefix, *p);
    }
    output(prefix);
    output(endCode);
    if (bits > 0)
        words[wordCount++] = accumulator;

    // The bytes of the codes (the last one holding the last bits), as sub-blocks of 254 and the rest.
    const std::size_t bytes = (wordCount - (bits > 0 ? 1 : 0)) * 8 + static_cast<std::size_t>(bits + 7) / 8;
    const char* data = reinterpret_cast<const char*>(words.get());
    out.reserve(out.size() + bytes + bytes / kSubBlockData + 1);
    for (std::size_t at = 0; at < bytes; at += kSubBlockData) {
        const std::size_t n = std::min<std::size_t>(kSubBlockData, bytes - at);
        out.push_back(static_cast<char>(n));
        out.append(data + at, n);
    }
}

} // namespace imaging
