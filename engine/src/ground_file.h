#ifndef KELVD_GROUND_FILE_H
#define KELVD_GROUND_FILE_H

#include "engine_types.h"

#include <cstdio>
#include <vector>

namespace kelvd {

// What PROFIL needs to know of a run of consecutive segments of one cut (segment i joins nodes i - 1
// and i) to pass them all at once: the box of their nodes, their longest extent (|dX| + |dY| + |dZ|),
// their least rise in X and largest |dY|, and whether each clearly runs in ascending X.
struct SegmentBlock {
    Vec3 low, high;
    double span = 0, dxLeast = 0, dyMost = 0;
    bool ascending = false;
};

// A 3D ground file held in memory: cuts lateral cuts of nodesPerCut nodes each (X, Y, Z feet), cut
// after cut in file order, with each cut's segments summed up in blocks of kSegmentsPerBlock (none
// before IndexGround).
struct GroundData {
    static constexpr int kSegmentsPerBlock = 16;

    int nodesPerCut = 0;
    int cuts = 0;
    std::vector<Vec3> nodes;
    int blocksPerCut = 0;
    std::vector<SegmentBlock> blocks;

    const Vec3& node(int cut, int i) const {
        return nodes[static_cast<size_t>(cut) * static_cast<size_t>(nodesPerCut) + static_cast<size_t>(i)];
    }
};

// Sums up every cut's segments in blocks for PROFIL (LoadGround does it).
void IndexGround(GroundData& ground);

// Reads and checks the whole ground file once. Returns 0; errors::kCard for more than 30 cuts;
// errors::kBadGroundFile for counts below 1 or too few, non-numeric or non-finite node values.
int LoadGround(std::FILE* file, GroundData& ground);

// Cuts the terrain profile for the antenna at A and the field point P: the vertical plane through A and
// P meets each lateral cut in one vertex; vertex 0 is (A.x, Y of the first node, 0).
void PROFIL(const GroundData& ground, const Vec3& A, const Vec3& P, Profile& profile);

// PROFIL's exact step over cut c from segment from (nodes from - 1 and from) on: each segment's
// intersection H with the plane through A of unit normal n, until one lies in the segment's X range
// (H is left as it was for a segment parallel to the plane). v.x is the last H.x tried; v.y and v.z
// are set at the crossing.
void CrossCut(const GroundData& ground, int c, int from, const Vec3& A, const Vec3& n, Vec3& H, Vec3& v);

} // namespace kelvd

#endif
