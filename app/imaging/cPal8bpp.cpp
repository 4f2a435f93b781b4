#include "imaging/cPal8bpp.h"

#include <algorithm>

#include "imaging/cDIB.h"

namespace imaging {

namespace {

constexpr int kSlots = 256;

// The two halves of the EGA colours (red, green, blue).
constexpr std::uint8_t kEgaLow[8][3] = {{0, 0, 0},   {128, 0, 0},   {0, 128, 0},   {128, 128, 0},
                                        {0, 0, 128}, {128, 0, 128}, {0, 128, 128}, {192, 192, 192}};
constexpr std::uint8_t kEgaHigh[8][3] = {{128, 128, 128}, {255, 0, 0},   {0, 255, 0},   {255, 255, 0},
                                         {0, 0, 255},     {255, 0, 255}, {0, 255, 255}, {255, 255, 255}};

// CreateHalftone's step between levels, by mode.
constexpr int kHalftoneSteps[] = {256, 128, 85, 64, 51};
// CreateGreyScale's entry count and step, by mode.
constexpr struct { int count, step; } kGreyScales[] = {{2, 255}, {16, 17}, {256, 1}};

// The levels of a cube: from 0 in `step` while at most 256, a value of 256 standing for 255.
std::vector<std::uint8_t> CubeLevels(int step) {
    std::vector<std::uint8_t> levels;
    for (int v = 0; v <= 256; v += step)
        levels.push_back(static_cast<std::uint8_t>(std::min(v, 255)));
    return levels;
}

} // namespace

void cPal8bpp::Initialize(int count) {
    Destroy();
    count_ = std::clamp(count, 0, kSlots);
}

void cPal8bpp::BuildLogicalPalette() {
    LogicalPalette palette;
    palette.rgb.reserve(static_cast<std::size_t>(count_));
    for (int i = 0; i < count_; ++i) {
        const auto index = static_cast<std::uint8_t>(i);
        palette.rgb.push_back({rgbR(index), rgbG(index), rgbB(index)});
    }
    logical_ = std::move(palette);
}

void cPal8bpp::Destroy() {
    count_ = 0;
    entries_.fill(0);
    logical_.reset();
}

void cPal8bpp::SetPalette(const std::vector<std::uint8_t>& table) {
    Initialize(static_cast<int>(std::min<std::size_t>(table.size() / 4, kSlots)));
    std::copy_n(table.begin(), count_ * 4, entries_.begin());
}

void cPal8bpp::GetPalette(std::vector<std::uint8_t>& table) const {
    table.assign(entries_.begin(), entries_.begin() + count_ * 4);
}

void cPal8bpp::ClosestColor(std::uint8_t red, std::uint8_t green, std::uint8_t blue, std::uint8_t& outRed,
                            std::uint8_t& outGreen, std::uint8_t& outBlue) const {
    if (!logical_ || logical_->rgb.empty()) {
        outRed = outGreen = outBlue = 0;
        return;
    }
    const auto& entry = logical_->rgb[ClosestIndex(red, green, blue)];
    outRed = entry[0];
    outGreen = entry[1];
    outBlue = entry[2];
}

std::uint8_t cPal8bpp::ClosestIndex(std::uint8_t red, std::uint8_t green, std::uint8_t blue) const {
    if (!logical_)
        return 0;
    int best = 0;
    int bestDistance = 1 << 30;
    for (std::size_t i = 0; i < logical_->rgb.size(); ++i) {
        const auto& e = logical_->rgb[i];
        const int dr = red - e[0];
        const int dg = green - e[1];
        const int db = blue - e[2];
        const int distance = dr * dr + dg * dg + db * db;
        if (distance < bestDistance) {
            bestDistance = distance;
            best = static_cast<int>(i);
        }
    }
    return static_cast<std::uint8_t>(best);
}

bool cPal8bpp::IsGreyScale() const {
    if (count_ < 1)
        return false;
    for (int i = 0; i < count_; ++i) {
        const auto index = static_cast<std::uint8_t>(i);
        if (rgbR(index) != rgbG(index) || rgbG(index) != rgbB(index))
            return false;
    }
    return true;
}

void cPal8bpp::CreateGreyScale(int mode) {
    if (mode < 0 || mode >= static_cast<int>(std::size(kGreyScales)))
        return;
    const auto [count, step] = kGreyScales[mode];
    Initialize(count);
    for (int i = 0; i < count; ++i) {
        const auto grey = static_cast<std::uint8_t>(i * step);
        SetEntry(i, grey, grey, grey);
    }
    BuildLogicalPalette();
}

void cPal8bpp::SetEgaHalf(int from, bool high) {
    const auto& half = high ? kEgaHigh : kEgaLow;
    for (int i = 0; i < 8; ++i)
        SetEntry(from + i, half[i][0], half[i][1], half[i][2]);
}

void cPal8bpp::CreateEGA() {
    Initialize(16);
    SetEgaHalf(0, false);
    SetEgaHalf(8, true);
    BuildLogicalPalette();
}

void cPal8bpp::CreateHalftone(int mode) {
    if (mode < 0 || mode >= static_cast<int>(std::size(kHalftoneSteps)))
        return;
    const std::vector<std::uint8_t> levels = CubeLevels(kHalftoneSteps[mode]);
    const int n = static_cast<int>(levels.size());
    Initialize(n * n * n);
    int index = 0;
    for (int b = 0; b < n; ++b)
        for (int g = 0; g < n; ++g)
            for (int r = 0; r < n; ++r)
                SetEntry(index++, levels[r], levels[g], levels[b]);
    BuildLogicalPalette();
}

void cPal8bpp::CreateWebsafe() {
    Initialize(kSlots);
    SetEgaHalf(0, false);
    SetEgaHalf(248, true);
    const std::vector<std::uint8_t> levels = CubeLevels(51);
    const auto pure = [](std::uint8_t v) { return v == 0 || v == 255; };
    int index = 8;
    for (std::uint8_t b : levels)
        for (std::uint8_t g : levels)
            for (std::uint8_t r : levels)
                if (!(pure(r) && pure(g) && pure(b)))
                    SetEntry(index++, r, g, b);
    // Entry 216 stays black; then the greys 8, 16, ..., 248.
    for (int i = 217; i <= 247; ++i) {
        const auto grey = static_cast<std::uint8_t>((i - 216) * 8);
        SetEntry(i, grey, grey, grey);
    }
    BuildLogicalPalette();
}

void cPal8bpp::CreateOptimal(const cDIB& image, int maxColours, int depth, float redWeight, float greenWeight,
                             float blueWeight) {
    if (image.BPP() != 32)
        return;
    octree_.Begin(maxColours, depth, redWeight, greenWeight, blueWeight);
    octree_.AddPixels(image.lpBits(), image.Width(), image.Height(), image.BytesPerScanline());
    const std::vector<cPal8bppOctree::Colour> colours = octree_.LeafColours();
    Initialize(static_cast<int>(colours.size()));
    for (std::size_t i = 0; i < colours.size(); ++i)
        SetEntry(static_cast<int>(i), colours[i].red, colours[i].green, colours[i].blue);
    BuildLogicalPalette();
}

void cPal8bpp::Entries(int count) {
    count_ = std::clamp(count, 0, kSlots);
}

void cPal8bpp::SetEntry(int index, std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    entries_[index * 4 + 0] = blue;
    entries_[index * 4 + 1] = green;
    entries_[index * 4 + 2] = red;
    entries_[index * 4 + 3] = 0;
}

} // namespace imaging
