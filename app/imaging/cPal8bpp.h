#pragma once

// A palette of up to 256 colours for an 8-bit image: standard palettes (greys, the 16 EGA colours,
// halftone cubes, a web-safe set) or an optimal one from a 32-bit image by an octree quantiser, the
// nearest entry to a colour, and the entries as a colour table of 4 bytes each (blue, green, red, 0).

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "imaging/cPal8bppOctree.h"

namespace imaging {

class cDIB;

class cPal8bpp {
public:
    // The entries as they were when BuildLogicalPalette last ran: what the look-ups search.
    struct LogicalPalette {
        std::vector<std::array<std::uint8_t, 3>> rgb;
    };

    // Destroy, then `count` entries (held to 0..256), all 256 slots black.
    void Initialize(int count);
    // Takes the first Entries() entries as the palette the look-ups search.
    void BuildLogicalPalette();
    // No entries and no logical palette.
    void Destroy();
    // Initialize(table length / 4, at most 256) and the entries copied from the table; the logical
    // palette is not rebuilt.
    void SetPalette(const std::vector<std::uint8_t>& table);
    // The table becomes Entries() x 4 bytes, a copy of the valid entries.
    void GetPalette(std::vector<std::uint8_t>& table) const;
    // The colour of the entry ClosestIndex gives.
    void ClosestColor(std::uint8_t red, std::uint8_t green, std::uint8_t blue, std::uint8_t& outRed,
                      std::uint8_t& outGreen, std::uint8_t& outBlue) const;
    // The logical palette's entry of the smallest squared RGB distance, the lower index of equals;
    // 0 when there is no logical palette.
    std::uint8_t ClosestIndex(std::uint8_t red, std::uint8_t green, std::uint8_t blue) const;
    bool IsGreyScale() const;
    // Mode 0: 2 greys, 1: 16, 2: 256. Another mode leaves the palette as it was.
    void CreateGreyScale(int mode);
    void CreateEGA();
    // Mode 0..4: a cube of 2, 3, 4, 5 or 6 levels per component, blue outermost, red innermost.
    // Another mode leaves the palette as it was.
    void CreateHalftone(int mode);
    void CreateWebsafe();
    // The octree palette of a 32-bit image (any other depth leaves the palette as it was): at most
    // maxColours entries (held to 1..256), depth held to 1..8.
    void CreateOptimal(const cDIB& image, int maxColours, int depth, float redWeight, float greenWeight,
                       float blueWeight);

    const std::uint8_t* lpPalette() const { return entries_.data(); }
    // The logical palette, nullptr when there is none.
    const LogicalPalette* hPal() const { return logical_ ? &*logical_ : nullptr; }
    int Entries() const { return count_; }
    // Held to 0..256.
    void Entries(int count);
    std::uint8_t rgbR(std::uint8_t index) const { return entries_[index * 4u + 2]; }
    void rgbR(std::uint8_t index, std::uint8_t value) { entries_[index * 4u + 2] = value; }
    std::uint8_t rgbG(std::uint8_t index) const { return entries_[index * 4u + 1]; }
    void rgbG(std::uint8_t index, std::uint8_t value) { entries_[index * 4u + 1] = value; }
    std::uint8_t rgbB(std::uint8_t index) const { return entries_[index * 4u]; }
    void rgbB(std::uint8_t index, std::uint8_t value) { entries_[index * 4u] = value; }

private:
    void SetEntry(int index, std::uint8_t red, std::uint8_t green, std::uint8_t blue);
    void SetEgaHalf(int from, bool high);

    int count_ = 0;
    std::array<std::uint8_t, 256 * 4> entries_{};
    std::optional<LogicalPalette> logical_;
    cPal8bppOctree octree_;
};

} // namespace imaging
