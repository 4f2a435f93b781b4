#include "ground_file.h"

#include "error_codes.h"
#include "geometry.h"

#include <cmath>
#include <cstdint>

namespace kelvd {

int LoadGround(std::FILE* file, GroundData& ground) {
    ground = GroundData{};
    int nodes = 0, cuts = 0;
    if (std::fscanf(file, "%d %d", &nodes, &cuts) != 2 || nodes < 1 || cuts < 1)
        return errors::kBadGroundFile;
    if (cuts > limits::kMaxGroundCuts)
        return errors::kCard;
    // Nodes are stored as they are read, so a count that the file does not back allocates nothing.
    const int64_t total = static_cast<int64_t>(nodes) * cuts;
    for (int64_t i = 0; i < total; ++i) {
        Vec3 v;
        if (std::fscanf(file, "%lf %lf %lf", &v.x, &v.y, &v.z) != 3 || !std::isfinite(v.x) ||
            !std::isfinite(v.y) || !std::isfinite(v.z))
            return errors::kBadGroundFile;
        ground.nodes.push_back(v);
    }
    ground.nodesPerCut = nodes;
    ground.cuts = cuts;
    return 0;
}

void PROFIL(const GroundData& ground, const Vec3& A, const Vec3& P, Profile& profile) {
    Vec3 n;
    VECTOR(2, Vec3{0, 0, -1}, P - A, n);
    profile = Profile{};
    profile.NV = ground.cuts;
    // The plane may be parallel to every segment tried: the intersection then stays at the antenna.
    Vec3 H = A;
    for (int c = 0; c < ground.cuts; ++c) {
        Vec3 q = ground.node(c, 0);
        Vec3& v = profile.v[static_cast<size_t>(c)];
        v = Vec3{A.x, q.y, 0};
        if (c == 0)
            continue;
        for (int i = 1; i < ground.nodesPerCut; ++i) {
            const Vec3& r = ground.node(c, i);
            Vec3 s;
            VECTOR(3, q, r, s);
            int parallel = 0;
            PLNINT(A, n, q, s, H, parallel);
            v.x = H.x;
            if (q.x <= H.x && H.x <= r.x) {
                v.y = H.y;
                v.z = H.z;
                break;
            }
            q = r;
        }
    }
}

} // namespace kelvd
