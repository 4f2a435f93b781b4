// Any bytes as a .3D file, in feet and in metres: a complete terrain within the counts' range or a
// message, never a crash or a hang. What is accepted fills the grid and writes back a file that
// reads again to the same counts; any bytes pasted into the grid stay inside it.

#include "ground/logic/GroundFile.h"
#include "ground/logic/GroundOperations.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

using namespace ground;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    for (const bool metres : {false, true}) {
        const GroundReadResult r = Parse3DText(text, metres);
        if (!r.data) {
            if (r.error.empty())
                std::abort();
            continue;
        }
        const GroundData& d = *r.data;
        if (d.numX < kMinCount || d.numX > kMaxCount || d.numY < kMinCount || d.numY > kMaxCount)
            std::abort();
        plat::GridModel grid;
        FillGroundGrid(grid, d);
        if (grid.Rows() != (d.numX + 1) * d.numY)
            std::abort();
        const GroundWriteText written = Format3DText(grid, d.numX, d.numY, metres);
        if (written.badCell)
            std::abort();
        const GroundReadResult again = Parse3DText(written.bytes, metres);
        if (!again.data || again.data->numX != d.numX || again.data->numY != d.numY)
            std::abort();
        PasteCells(grid, 1, 1, text.substr(0, 4096));
        if (grid.Rows() != (d.numX + 1) * d.numY || !IsHeaderRow(grid, 0))
            std::abort();
    }
    return 0;
}
