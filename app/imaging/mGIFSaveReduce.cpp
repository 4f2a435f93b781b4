#include "imaging/mGIFSaveReduce.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "imaging/cDIB.h"
#include "imaging/cPal8bpp.h"
#include "imaging/mGIFSaveDither.h"

namespace imaging {

namespace {

constexpr int kThumbnailBox = 150;
constexpr int kMaxColours = 256;
constexpr int kOctreeDepth = 8;

std::uint32_t ColourAt(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16);
}

// The distinct colours of a picture (0x00RRGGBB as bytes blue, green, red), each with its index in
// the order of first appearance: open addressing over a table four times the most colours it keeps.
class ColourIndex {
public:
    // Adds the colour if new; false when that would make more than 256.
    bool Add(std::uint32_t colour) {
        std::size_t slot = Slot(colour);
        while (keys_[slot] != kEmpty) {
            if (keys_[slot] == colour)
                return true;
            slot = (slot + 1) & (kSlots - 1);
        }
        if (colours_.size() == kMaxColours)
            return false;
        keys_[slot] = colour;
        indices_[slot] = static_cast<std::uint8_t>(colours_.size());
        colours_.push_back(colour);
        return true;
    }
    // The index of a colour that was added.
    std::uint8_t IndexOf(std::uint32_t colour) const {
        std::size_t slot = Slot(colour);
        while (keys_[slot] != colour)
            slot = (slot + 1) & (kSlots - 1);
        return indices_[slot];
    }
    const std::vector<std::uint32_t>& Colours() const { return colours_; }

private:
    static constexpr std::size_t kSlots = 1024;
    static constexpr std::uint32_t kEmpty = 0xFFFFFFFF;
    static std::size_t Slot(std::uint32_t colour) { return (colour * 2654435761u) >> 22; }

    std::array<std::uint32_t, kSlots> keys_ = Filled();
    std::array<std::uint8_t, kSlots> indices_{};
    std::vector<std::uint32_t> colours_;

    static std::array<std::uint32_t, kSlots> Filled() {
        std::array<std::uint32_t, kSlots> keys{};
        keys.fill(kEmpty);
        return keys;
    }
};

// Collects the source's colours; false as soon as there are more than 256.
bool CollectColours(const cDIB& source, ColourIndex& index) {
    for (int y = 0; y < source.Height(); ++y) {
        const std::uint8_t* p = source.lpBits() + static_cast<std::ptrdiff_t>(y) * source.BytesPerScanline();
        std::uint32_t last = 0xFFFFFFFF;
        for (int x = 0; x < source.Width(); ++x, p += 4) {
            const std::uint32_t colour = ColourAt(p);
            if (colour != last && !index.Add(colour))
                return false;
            last = colour;
        }
    }
    return true;
}

void PaletteFromColours(const ColourIndex& index, cPal8bpp& palette) {
    const auto& colours = index.Colours();
    palette.Initialize(static_cast<int>(colours.size()));
    for (std::size_t i = 0; i < colours.size(); ++i) {
        const auto entry = static_cast<std::uint8_t>(i);
        palette.rgbB(entry, static_cast<std::uint8_t>(colours[i]));
        palette.rgbG(entry, static_cast<std::uint8_t>(colours[i] >> 8));
        palette.rgbR(entry, static_cast<std::uint8_t>(colours[i] >> 16));
    }
    palette.BuildLogicalPalette();
}

void MapExactly(const cDIB& source, cDIB& destination, const ColourIndex& index) {
    for (int y = 0; y < source.Height(); ++y) {
        const std::uint8_t* p = source.lpBits() + static_cast<std::ptrdiff_t>(y) * source.BytesPerScanline();
        std::uint8_t* out =
            destination.lpBits() + static_cast<std::ptrdiff_t>(y) * destination.BytesPerScanline();
        std::uint32_t last = 0xFFFFFFFF;
        std::uint8_t lastIndex = 0;
        for (int x = 0; x < source.Width(); ++x, p += 4) {
            const std::uint32_t colour = ColourAt(p);
            if (colour != last) {
                last = colour;
                lastIndex = index.IndexOf(colour);
            }
            out[x] = lastIndex;
        }
    }
}

// The optimal palette from a thumbnail of at most 150 x 150, and the index nearest to each colour of
// the 16-level cube, at (B x 16 + G) x 16 + R.
std::array<std::uint8_t, 4096> OptimalPalette(const cDIB& source, cPal8bpp& palette) {
    cDIB work;
    source.CloneTo(work);
    int left = 0, top = 0, width = 0, height = 0;
    work.GetBestFitInfo(kThumbnailBox, kThumbnailBox, left, top, width, height, false);
    // A picture of 300:1 or more fits the box with a side of 0, which would leave the palette black.
    width = std::max(width, 1);
    height = std::max(height, 1);
    if (width != work.Width() || height != work.Height())
        work.Resize(width, height, true);
    palette.CreateOptimal(work, kMaxColours, kOctreeDepth, 1.0f, 1.0f, 1.0f);
    std::array<std::uint8_t, 4096> cube{};
    for (int b = 0; b < 16; ++b)
        for (int g = 0; g < 16; ++g)
            for (int r = 0; r < 16; ++r)
                cube[static_cast<std::size_t>((b * 16 + g) * 16 + r)] =
                    palette.ClosestIndex(static_cast<std::uint8_t>(17 * r), static_cast<std::uint8_t>(17 * g),
                                         static_cast<std::uint8_t>(17 * b));
    return cube;
}

// The palette index of one pixel (components of 0..255) at (x, y), by the palette and dither modes.
struct Mapper {
    const DitherTables& t;
    const std::array<std::uint8_t, 4096>& cube16;
    PaletteMode palette;
    bool ordered;

    std::uint8_t operator()(int b, int g, int r, int x, int y) const {
        const std::size_t d = static_cast<std::size_t>((x & 3) + 4 * (y & 3));
        if (palette == PaletteMode::Optimal) {
            const int bias = ordered ? 8 - t.t16[d] : 0;
            return cube16[static_cast<std::size_t>((t.L16(b + bias) * 16 + t.L16(g + bias)) * 16 +
                                                   t.L16(r + bias))];
        }
        const int bias = ordered ? 26 - t.t51[d] : 0;
        return t.cube[static_cast<std::size_t>(t.L6(r + bias) + 6 * t.L6(g + bias) + 36 * t.L6(b + bias))];
    }
};

// Adds a share of an error to one component byte, held to 0..255.
void AddError(std::uint8_t& component, int share) {
    component = static_cast<std::uint8_t>(std::clamp(component + share, 0, 255));
}

// Spreads the error of pixel (x, y) of the working copy to its neighbours on the right and below.
void SpreadError(cDIB& work, int x, int y, const int errors[3], const DitherTables& t) {
    if (std::abs(errors[0]) + std::abs(errors[1]) + std::abs(errors[2]) <= 3)
        return;
    const int lastX = work.Width() - 1;
    const int lastY = work.Height() - 1;
    const std::ptrdiff_t stride = work.BytesPerScanline();
    std::uint8_t* here = work.lpBits() + y * stride + x * 4;
    for (int c = 0; c < 3; ++c) {
        const auto e = static_cast<std::size_t>(errors[c] + 255);
        if (x < lastX)
            AddError(here[4 + c], t.e7[e]);
        if (y < lastY) {
            std::uint8_t* below = here + stride;
            AddError(below[c], t.e5[e]);
            if (x < lastX)
                AddError(below[4 + c], t.e1[e]);
            if (x >= 1)
                AddError(below[c - 4], t.e3[e]);
        }
    }
}

} // namespace

bool ReduceTo8bpp(const cDIB& source, cDIB& destination, cPal8bpp& palette, PaletteMode paletteMode,
                  DitherMode ditherMode) {
    if (source.BPP() != 32)
        return false;
    const DitherTables& t = BuildDitherTables();
    std::array<std::uint8_t, 4096> cube16{};
    ColourIndex exact;
    const bool lossless = paletteMode == PaletteMode::Optimal && CollectColours(source, exact);
    if (lossless)
        PaletteFromColours(exact, palette);
    else if (paletteMode == PaletteMode::Optimal)
        cube16 = OptimalPalette(source, palette);
    else
        palette.CreateHalftone(4);
    if (palette.Entries() < 2) {
        palette.Entries(2);
        palette.BuildLogicalPalette();
    }
    const std::vector<std::uint8_t> table(palette.lpPalette(), palette.lpPalette() + 1024);
    if (!destination.Create(source.Width(), source.Height(), 8))
        return false;
    destination.SetPalette(table);
    if (lossless) {
        MapExactly(source, destination, exact);
        return true;
    }

    const bool diffuse = ditherMode == DitherMode::ErrorDiffusion;
    cDIB work;
    if (diffuse)
        source.CloneTo(work);
    const cDIB& read = diffuse ? work : source;
    const Mapper map{t, cube16, paletteMode, ditherMode == DitherMode::Ordered};
    for (int y = 0; y < source.Height(); ++y) {
        const std::uint8_t* row = read.lpBits() + static_cast<std::ptrdiff_t>(y) * read.BytesPerScanline();
        std::uint8_t* out =
            destination.lpBits() + static_cast<std::ptrdiff_t>(y) * destination.BytesPerScanline();
        for (int x = 0; x < source.Width(); ++x) {
            const std::uint8_t* p = row + x * 4;
            const std::uint8_t index = map(p[0], p[1], p[2], x, y);
            out[x] = index;
            if (diffuse) {
                const std::uint8_t* entry = table.data() + index * 4;
                const int errors[3] = {p[0] - entry[0], p[1] - entry[1], p[2] - entry[2]};
                SpreadError(work, x, y, errors, t);
            }
        }
    }
    return true;
}

bool ConvertTo8bpp(const cDIB& source, cDIB& eightBit, cPal8bpp& palette) {
    const int depth = source.BPP();
    if (depth == 32)
        return ReduceTo8bpp(source, eightBit, palette, PaletteMode::Optimal, DitherMode::ErrorDiffusion);
    if (depth > 8) {
        cDIB deep;
        return deep.CreateFromStdPicture(source.Image(), true) != nullptr &&
               ReduceTo8bpp(deep, eightBit, palette, PaletteMode::Optimal, DitherMode::ErrorDiffusion);
    }
    if (depth < 1)
        return false;

    std::vector<std::uint8_t> table;
    source.GetPalette(table);
    if (!eightBit.Create(source.Width(), source.Height(), 8))
        return false;
    eightBit.SetPalette(table);
    // The indices themselves, unpacked from 1, 4 or 8 bits (the first pixel in the high bits), so
    // that a colour table with repeated colours still keeps each pixel's own index.
    const int perByte = 8 / depth;
    const int mask = (1 << depth) - 1;
    for (int y = 0; y < source.Height(); ++y) {
        const std::uint8_t* in = source.lpBits() + static_cast<std::ptrdiff_t>(y) * source.BytesPerScanline();
        std::uint8_t* out = eightBit.lpBits() + static_cast<std::ptrdiff_t>(y) * eightBit.BytesPerScanline();
        for (int x = 0; x < source.Width(); ++x) {
            const int shift = 8 - depth * (x % perByte + 1);
            out[x] = static_cast<std::uint8_t>((in[x / perByte] >> shift) & mask);
        }
    }
    palette.SetPalette(table);
    palette.BuildLogicalPalette();
    return true;
}

bool LoadSourceDIB(const std::string& fileName, cDIB& source, cDIB& eightBit, cPal8bpp& palette) {
    return source.CreateFromBitmapFile(fileName) != 0 && ConvertTo8bpp(source, eightBit, palette);
}

} // namespace imaging
