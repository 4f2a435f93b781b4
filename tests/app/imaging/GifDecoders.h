#pragma once

// Reads a GIF file back with two decoders of other makers, Pillow and giflib's tools, for the tests of
// the GIF writer: what each decodes must be exactly the image and palette that were written.

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "imaging/cDIB.h"
#include "imaging/cPal8bpp.h"

namespace gifcheck {

using Rgb = std::array<std::uint8_t, 3>;

struct Decoded {
    int width = 0;
    int height = 0;
    std::vector<Rgb> table;            // the global colour table
    std::vector<std::uint8_t> indices; // top row first
    std::vector<std::uint8_t> rgb;     // top row first, 3 bytes a pixel
    int transparent = -1;
    std::string comment;
    bool ok = false;
};

inline std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline bool Run(const std::string& command) {
    return std::system(command.c_str()) == 0;
}

inline std::uint32_t U32(const std::string& s, std::size_t& at) {
    std::uint32_t v = 0;
    for (int i = 0; i < 4; ++i)
        v |= static_cast<std::uint32_t>(static_cast<std::uint8_t>(s.at(at + i))) << (8 * i);
    at += 4;
    return v;
}

inline std::vector<std::uint8_t> Bytes(const std::string& s, std::size_t& at, std::size_t n) {
    std::vector<std::uint8_t> out(s.begin() + static_cast<std::ptrdiff_t>(at),
                                  s.begin() + static_cast<std::ptrdiff_t>(at + n));
    at += n;
    return out;
}

inline Decoded Pillow(const std::string& gif) {
    Decoded d;
    const std::string out = gif + ".pillow";
    if (!Run(std::string(PILLOW_PYTHON) + " " + DECODE_GIF_SCRIPT + " '" + gif + "' '" + out + "'"))
        return d;
    const std::string s = ReadAll(out);
    std::size_t at = 0;
    d.width = static_cast<int>(U32(s, at));
    d.height = static_cast<int>(U32(s, at));
    const std::uint32_t entries = U32(s, at);
    const std::vector<std::uint8_t> table = Bytes(s, at, entries * 3u);
    for (std::uint32_t i = 0; i < entries; ++i)
        d.table.push_back({table[i * 3], table[i * 3 + 1], table[i * 3 + 2]});
    const std::size_t pixels = static_cast<std::size_t>(d.width) * static_cast<std::size_t>(d.height);
    d.indices = Bytes(s, at, pixels);
    d.rgb = Bytes(s, at, pixels * 3);
    d.transparent = static_cast<std::int32_t>(U32(s, at));
    const std::uint32_t commentLength = U32(s, at);
    d.comment = s.substr(at, commentLength);
    d.ok = at + commentLength == s.size();
    std::remove(out.c_str());
    return d;
}

// The rows of an image of `height` rows in the order an interlaced GIF stores them.
inline std::vector<int> InterlacedRows(int height) {
    std::vector<int> rows;
    for (auto [start, step] : {std::pair{0, 8}, {4, 8}, {2, 4}, {1, 2}})
        for (int y = start; y < height; y += step)
            rows.push_back(y);
    return rows;
}

// giftext gives the screen, the colour table and the indices in the order of the file; gif2rgb the
// pixels as RGB in display order.
inline Decoded Giflib(const std::string& gif) {
    Decoded d;
    const std::string text = gif + ".giftext";
    const std::string raw = gif + ".raw";
    const std::string rgb = gif + ".rgb";
    if (!Run(std::string(GIFTEXT) + " -c '" + gif + "' > '" + text + "'") ||
        !Run(std::string(GIFTEXT) + " -r '" + gif + "' > '" + raw + "'") ||
        !Run(std::string(GIF2RGB) + " -1 -o '" + rgb + "' '" + gif + "'"))
        return d;
    const std::string info = ReadAll(text);
    std::smatch m;
    if (!std::regex_search(info, m, std::regex(R"(Screen Size - Width = (\d+), Height = (\d+))")))
        return d;
    d.width = std::stoi(m[1]);
    d.height = std::stoi(m[2]);
    const auto mapStart = info.find("Global Color Map:");
    const auto mapEnd = info.find("Image #1");
    if (mapStart == std::string::npos || mapEnd == std::string::npos)
        return d;
    const std::string map = info.substr(mapStart, mapEnd - mapStart);
    const std::regex entry(R"((\d+): ([0-9a-f]{2})h ([0-9a-f]{2})h ([0-9a-f]{2})h)");
    for (auto it = std::sregex_iterator(map.begin(), map.end(), entry); it != std::sregex_iterator(); ++it) {
        if (std::stoul((*it)[1]) != d.table.size())
            return d;
        d.table.push_back({static_cast<std::uint8_t>(std::stoul((*it)[2], nullptr, 16)),
                           static_cast<std::uint8_t>(std::stoul((*it)[3], nullptr, 16)),
                           static_cast<std::uint8_t>(std::stoul((*it)[4], nullptr, 16))});
    }
    const bool interlaced = info.find("Image is Interlaced") != std::string::npos;
    // giftext -r prints any extension block as text before the pixels: the pixels are the last bytes.
    const std::string dump = ReadAll(raw);
    const std::size_t w = static_cast<std::size_t>(d.width);
    const std::size_t pixels = w * static_cast<std::size_t>(d.height);
    if (dump.size() < pixels || (info.find("Ext Code") == std::string::npos && dump.size() != pixels))
        return d;
    const std::string fileOrder = dump.substr(dump.size() - pixels);
    d.indices.resize(fileOrder.size());
    std::vector<int> rows(static_cast<std::size_t>(d.height));
    for (int y = 0; y < d.height; ++y)
        rows[static_cast<std::size_t>(y)] = y;
    if (interlaced)
        rows = InterlacedRows(d.height);
    for (std::size_t i = 0; i < rows.size(); ++i)
        std::copy_n(fileOrder.begin() + static_cast<std::ptrdiff_t>(i * w), w,
                    d.indices.begin() + static_cast<std::ptrdiff_t>(static_cast<std::size_t>(rows[i]) * w));
    const std::string display = ReadAll(rgb);
    d.rgb.assign(display.begin(), display.end());
    d.ok = true;
    for (const std::string& f : {text, raw, rgb})
        std::remove(f.c_str());
    return d;
}

// The colour table a GIF of this palette holds: its entries, then black up to 2^b entries.
inline std::vector<Rgb> ExpectedTable(const imaging::cPal8bpp& palette) {
    std::size_t size = 2;
    while (size < static_cast<std::size_t>(palette.Entries()))
        size *= 2;
    std::vector<Rgb> table(size, Rgb{0, 0, 0});
    for (int i = 0; i < palette.Entries(); ++i) {
        const auto index = static_cast<std::uint8_t>(i);
        table[static_cast<std::size_t>(i)] = {palette.rgbR(index), palette.rgbG(index), palette.rgbB(index)};
    }
    return table;
}

inline std::vector<std::uint8_t> IndicesOf(const imaging::cDIB& image) {
    std::vector<std::uint8_t> out;
    for (int y = 0; y < image.Height(); ++y) {
        const std::uint8_t* row = image.lpBits() + static_cast<std::ptrdiff_t>(y) * image.BytesPerScanline();
        out.insert(out.end(), row, row + image.Width());
    }
    return out;
}

// Both decoders read exactly the image's indices and the palette's table, and give the pixels the
// colours of those entries.
inline void ExpectDecodersRead(const std::string& gif, const imaging::cDIB& image,
                               const imaging::cPal8bpp& palette) {
    const std::vector<Rgb> table = ExpectedTable(palette);
    const std::vector<std::uint8_t> indices = IndicesOf(image);
    std::vector<std::uint8_t> rgb;
    for (std::uint8_t i : indices)
        rgb.insert(rgb.end(), table.at(i).begin(), table.at(i).end());
    for (const auto& [name, d] : {std::pair{"Pillow", Pillow(gif)}, std::pair{"giflib", Giflib(gif)}}) {
        SCOPED_TRACE(std::string(name) + " reading " + gif);
        ASSERT_TRUE(d.ok);
        EXPECT_EQ(d.width, image.Width());
        EXPECT_EQ(d.height, image.Height());
        ASSERT_GE(d.table.size(), table.size());
        EXPECT_TRUE(std::equal(table.begin(), table.end(), d.table.begin()));
        EXPECT_TRUE(d.indices == indices);
        EXPECT_TRUE(d.rgb == rgb);
    }
}

} // namespace gifcheck
