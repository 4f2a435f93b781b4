#ifndef KELVD_GTD_REFLECT_H
#define KELVD_GTD_REFLECT_H

#include "gtd_state.h"

namespace kelvd {

// The direct ray and the families that begin with a reflection: R, RR, RD, RRD, RDR, RDD, RRR.
FieldPair RAYRFL(GtdCall& g);

// Reflected at plate i (image source Ai, mirrored ends p1i, p2i), diffracted at edge m, reflected again.
FieldPair RAYRDR(GtdCall& g, const Vec3& Ai, const Vec3& p1i, const Vec3& p2i, int i, int m);
// Reflected at plate i, diffracted at edge m and at a later edge.
FieldPair RAYRDD(GtdCall& g, const Vec3& Ai, const Vec3& p1i, const Vec3& p2i, int i, int m);
// Reflected at plates i then j (images Ai, Aij; ends mirrored twice), diffracted at a later edge.
FieldPair RAYRRD(GtdCall& g, const Vec3& Ai, int i, const Vec3& Aij, int j, const Vec3& p1ij,
                 const Vec3& p2ij);
// Reflected at three plates in order.
FieldPair RAYRRR(GtdCall& g);

// Whether the segment Q1-Q2 between the adjacent plates i and j passes under their common vertex.
bool RRSHAD(const GtdCall& g, const Vec3& Q1, const Vec3& Q2, int i, int j);
// Shadow test of the leg Q1-Q2 from plate (or edge) i to plate j: the common vertex when adjacent, else
// the plates between.
bool legBlocked(GtdCall& g, const Vec3& Q1, const Vec3& Q2, int i, int j);

} // namespace kelvd

#endif
