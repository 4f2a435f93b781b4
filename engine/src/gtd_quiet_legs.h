#ifndef KELVD_GTD_QUIET_LEGS_H
#define KELVD_GTD_QUIET_LEGS_H

#include "geometry.h"
#include "gtd_state.h"

namespace kelvd {

// What a certificate of a diffraction point search tells about the points it would find: bounds of the
// inverse of the squared sine of the ray's angle to the edges, and of each point's distance in X from
// the exact one.
struct QuietSearch {
    double invSinBeta2 = 0;
    double errX = 0;
};

// True only when VBETA(S, P, edge Ea-Eb) certainly passes its beta0 check, and so writes nothing unless
// DEBUG is 1.
bool vbetaSurelyQuiet(const Vec3& S, const Vec3& P, const Vec3& Ea, const Vec3& Eb, QuietSearch& q);

// The call's bounds for the quick form of the certificates below: valid once the plates, the source
// and the field point are in place, when every edge runs along X between the same two ends.
QuietBounds FindQuietBounds(const GtdCall& g);
// The same for a source at X Sx, a field point at X Px and edges from X xLo to xHi.
QuietBounds QuietBoundsFor(double Sx, double Px, double xLo, double xHi);

// The same for V2DIF(S, P, edge 1, edge 2): its two searches and its own check, in the quick form first
// where the bounds serve (a call's legs; QuietBounds{} for none).
bool v2difSurelyQuiet(const QuietBounds& b, const Vec3& S, const Vec3& P, const Vec3& E1a, const Vec3& E1b,
                      const Vec3& E2a, const Vec3& E2b, QuietSearch& q);

// A stronger test than vbetaSurelyQuiet, with no root, for a leg from the call's source X to its field
// point X over an edge between its X ends; q then holds looser bounds (2 for the inverse squared sine).
bool vbetaQuicklyQuiet(const QuietBounds& b, const Vec3& S, const Vec3& P, const Vec3& Ea, const Vec3& Eb,
                       QuietSearch& q);

// The legs of a ray over one edge that the tracers test against a plate: the point the line starts from.
enum class OneEdgeLeg {
    FromSource, // the line from S through D
    FromField,  // the line from P through D
    FromEdge,   // the line from D towards P
};

// True only when VBETA(g, S, P, edge Ea-Eb) certainly writes nothing and the line of the leg through the
// point it finds certainly misses the strip plate: the caller may skip the search and the plate's hit
// test both.
bool diffractedLegSurelyMisses(const GtdCall& g, const Vec3& S, const Vec3& P, const Vec3& Ea, const Vec3& Eb,
                               OneEdgeLeg leg, int plate);

// The legs of a ray over two edges that the tracers test against a plate.
enum class TwoEdgeLeg {
    BetweenEdges, // the line from D1 towards D2
    ToField,      // the line from D2 towards P
};

// As diffractedLegSurelyMisses, for V2DIF(g, S, P, edge 1, edge 2) and one leg of its path.
bool doublyDiffractedLegSurelyMisses(const GtdCall& g, const Vec3& S, const Vec3& P, const Vec3& E1a,
                                     const Vec3& E1b, const Vec3& E2a, const Vec3& E2b, TwoEdgeLeg leg,
                                     int plate);

// diffractedLegSurelyMisses(g, S, P, edge m, OneEdgeLeg::FromSource, plate) for one source, field point
// and plate and any edge m of the call's, with what does not depend on the edge found once.
class LegsFromSource {
public:
    LegsFromSource(const GtdCall& g, const Vec3& S, const Vec3& P, int plate);
    bool surelyMisses(int m) const;

private:
    const GtdCall& g_;
    Vec3 S_, P_;
    int plate_;
    bool quick_;
    double size_;
    YzStripFrom strip_;
};

} // namespace kelvd

#endif
