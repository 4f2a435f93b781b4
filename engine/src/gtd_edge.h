#ifndef KELVD_GTD_EDGE_H
#define KELVD_GTD_EDGE_H

#include "gtd_state.h"

namespace kelvd {

// Result words of DIFFLD.
namespace diffld {
constexpr int kPlain = 0;    // diffraction of the source field
constexpr int kFirst = 1;    // first diffraction straight from the antenna (edge visibility cached)
constexpr int kIncident = 2; // the incident pair is given (second diffraction of a chain)
constexpr int kDone = 1;     // on return: a diffracted field was produced
} // namespace diffld

// Field E at O of the ray from S diffracted at point D of edge k (ends Ea, Eb). p, q are the antenna
// end points mirrored as S; thO, phO (degrees) the direction of the outgoing leg; R the point before S
// (word 2 only, when E holds the incident pair). word becomes 1 when a field was produced.
void DIFFLD(GtdCall& g, const Vec3& O, const Vec3& R, const Vec3& S, const Vec3& Ea, const Vec3& Eb,
            const Vec3& p, const Vec3& q, double WA, double thO, double phO, FieldPair& E, const Vec3& D,
            double beta0, int& word, int k);

// Rotation of a pair (Etheta, Ephi) of direction (theta, phi) into (sigma +1) or out of (sigma -1) the
// components fixed to the edge from Ea to Eb.
FieldPair EDGCMP(double theta, double phi, const Vec3& Ea, const Vec3& Eb, int sigma, const FieldPair& E);

// Diffraction point D on the edge (parallel to X) of the ray from S to P, and its angle beta0 (degrees,
// folded to at most 90) to the edge. beta0 is 0 when no such point exists.
void VBETA(GtdCall& g, const Vec3& S, const Vec3& P, const Vec3& Ea, const Vec3& Eb, Vec3& D, double& beta0);

// Diffraction points D1, D2 of the straight path from S over two parallel edges to P.
void V2DIF(GtdCall& g, const Vec3& S, const Vec3& P, const Vec3& E1a, const Vec3& E1b, const Vec3& E2a,
           const Vec3& E2b, Vec3& D1, Vec3& D2, double& beta0);

// The source S unfolded about edge 1 (at E1 in Y-Z) and the point P about edge 2 onto the line through
// both edges, as V2DIF searches its points between them; false (Su, Pu unset) when the edges coincide
// in Y-Z.
bool unfoldOverEdges(const Vec3& S, const Vec3& P, const Vec3& E1, const Vec3& E2, Vec3& Su, Vec3& Pu);

// 1 when one of the profile points i1 .. i2 + 1 lies on or above the line Pa-Pb, else -1.
int DDPNT(GtdCall& g, const Vec3& Pa, const Vec3& Pb, int i1, int i2);

} // namespace kelvd

#endif
