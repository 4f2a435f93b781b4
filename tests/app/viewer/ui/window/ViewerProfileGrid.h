#pragma once
// A main-window profile for the viewer's window tests: five nodes at Y -2000, -500, 0, 1000 and
// 3000 ft, Y in column 2, Z in column 3, "X" in column 4 on every node row; each test picks the
// heights its picture needs.

#include <array>

#include "platform/grid/GridModel.h"

class ViewerProfileGrid : public plat::GridModel {
public:
    explicit ViewerProfileGrid(const std::array<const char*, 5>& heights) {
        static constexpr std::array<const char*, 5> kDistances{"-2000", "-500", "0", "1000", "3000"};
        SetCols(5);
        SetRows(6);
        for (int r = 0; r < 5; ++r) {
            SetTextMatrix(r + 1, 2, kDistances[r]);
            SetTextMatrix(r + 1, 3, heights[r]);
            SetTextMatrix(r + 1, 4, "X");
        }
    }
};
