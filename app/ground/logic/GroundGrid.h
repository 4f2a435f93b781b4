#pragma once

// The 3D ground editor's grid: cut j (from 1) is a grey header row followed by NumX node rows whose
// columns 1, 2, 3 hold X, Y and Z as texts. Cut 1's header is the grid's fixed row 0. The viewer
// reads this layout, so every rule that writes the grid goes through here.

#include "platform/grid/GridModel.h"

#include <array>
#include <string>
#include <vector>

namespace ground {

inline constexpr plat::Colour kHeaderColour = 0xC0C0C0;
inline constexpr int kColX = 1;
inline constexpr int kColZ = 3;
// Counts the window accepts for nodes per cut and for cuts.
inline constexpr int kMinCount = 1;
inline constexpr int kMaxCount = 100;

// The row of node (from 1) of cut (from 1); node 0 is the cut's header row.
inline int NodeRow(int numX, int cut, int node) {
    return (numX + 1) * (cut - 1) + node;
}
// The cut that holds a row: a header row of cut j counts as cut j - 1 (and row 0 as cut 1).
int SelectedCut(int row, int numX);
bool IsHeaderRow(const plat::GridModel& grid, int row);
// Whether the grid is laid out for numY cuts of numX nodes.
bool GridMatches(const plat::GridModel& grid, int numX, int numY);

// Clears the grid and lays it out for `cuts` cuts of `nodes` nodes, every node cell "0.000".
void SetupGroundGrid(plat::GridModel& grid, int cuts, int nodes);

// The X, Y, Z texts of one node.
using NodeTexts = std::array<std::string, 3>;
// Nodes by cut, in grid order.
using CutTexts = std::vector<std::vector<NodeTexts>>;

// Every node's texts, trimmed of blanks. The grid must match the counts.
CutTexts ReadNodes(const plat::GridModel& grid, int numX, int numY);
// Lays the grid out for the cuts given (all of one node count) and writes their texts.
void WriteNodes(plat::GridModel& grid, const CutTexts& cuts);

} // namespace ground
