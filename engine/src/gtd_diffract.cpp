#include "gtd_diffract.h"

#include "gtd_edge.h"
#include "gtd_quiet_legs.h"
#include "gtd_receiver.h"
#include "gtd_reflect.h"
#include "gtd_shadowed_legs.h"
#include "gtd_source.h"
#include "gtd_trace.h"
#include "text_format.h"

namespace kelvd {

namespace {
double wedge(const GtdCall& g, int k) {
    return g.WA[static_cast<size_t>(k - 1)];
}

// The second diffraction of a chain at edge m, with E holding the first one's field: true when it gave
// a field, whose outgoing direction to O is then (th, ph).
bool secondDiffraction(GtdCall& g, const Vec3& O, const Vec3& R, const Vec3& S, const Vec3& D2, int m,
                       double beta0, FieldPair& E, double& th, double& ph) {
    Vec3 u;
    double dist = 0;
    RAYDIR(D2, O, u, dist, th, ph);
    int word = diffld::kIncident;
    DIFFLD(g, O, R, S, g.edgeA(m), g.edgeB(m), g.pt1, g.pt2, wedge(g, m), th, ph, E, D2, beta0, word, m);
    return word == diffld::kDone;
}
} // namespace

FieldPair RAYDIF(GtdCall& g) {
    FieldPair sum;
    const int NPLATE = g.T.NPLATE;
    Vec3 u;
    double dist = 0, th = 0, ph = 0;
    for (int k = 1; k < NPLATE; ++k) {
        const Vec3 &Ea = g.edgeA(k), &Eb = g.edgeB(k);
        if (g.flag[6] != 1) {
            Vec3 D;
            double beta0 = 0;
            VBETA(g, g.A, g.P, Ea, Eb, D, beta0);
            RAYDIR(D, g.P, u, dist, th, ph);
            FieldPair E;
            int word = diffld::kFirst;
            DIFFLD(g, g.P, {}, g.A, Ea, Eb, g.pt1, g.pt2, wedge(g, k), th, ph, E, D, beta0, word, k);
            if (word == diffld::kDone) {
                sum += g.rx.received(E, th, ph);
                if (g.DEBUG > 0) {
                    Appendf(g.sink, "  DIFFRACTED OFF EDGE%4d", 2 * k + 2);
                    PRTFLD(g.sink, E);
                }
            }
        }

        for (int j = k + 1; j < NPLATE && g.seen(k) != -1; ++j) {
            // DR: diffracted at edge k, reflected at plate j.
            const Vec3& Pj = g.fieldImage[static_cast<size_t>(j)];
            if (g.fieldImageBelow[static_cast<size_t>(j)]) {
                Vec3 D{g.A.x, Ea.y, Ea.z}, Q;
                double beta0 = 0;
                // As in DRR: a leg that surely misses plate j needs no search, and D's side of the plate
                // does not depend on D.x.
                const bool missesJ = diffractedLegSurelyMisses(g, g.A, Pj, Ea, Eb, OneEdgeLeg::FromEdge, j);
                if (!missesJ) {
                    VBETA(g, g.A, Pj, Ea, Eb, D, beta0);
                    RAYDIR(D, Pj, u, dist, th, ph);
                }
                if (!g.imageBelow(D, g.image(D, j), j))
                    continue;
                if (!missesJ) {
                    int L = j, verdict = 0;
                    REFPNT(D, g.T, L, 1, Q, unitFromTo(D, Pj), verdict, g.P);
                    if (g.DEBUG == 1)
                        Appendf(g.sink, " REF PLATE%10d CUT ?%5d INTERSECT AT%20.10f%20.10f%20.10f\n", j + 1,
                                verdict, Q.x, Q.y, Q.z);
                    if (refpntHit(L, verdict) && g.flag[7] != 1 && !legBlocked(g, D, Q, k, j) &&
                        (j + 1 >= NPLATE || !g.blocked(Q, g.P, j + 1, NPLATE - 1)) &&
                        (k < 2 || !g.blocked(D, g.A, 0, k - 2))) {
                        FieldPair E;
                        int word = diffld::kPlain;
                        DIFFLD(g, Pj, {}, g.A, Ea, Eb, g.pt2, g.pt1, wedge(g, k), th, ph, E, D, beta0, word,
                               k);
                        if (word == diffld::kDone) {
                            sum += g.rx.mirrored(g.normal(j)).received(E, th, ph);
                            if (g.DEBUG > 0) {
                                Appendf(g.sink, "  DIFFRACTED OFF EDGE%4d  TO PLATE%4d\n", 2 * k + 2, j + 1);
                                PRTFLD(g.sink, E);
                            }
                        }
                    }
                }
            }
            if (NPLATE <= 4)
                continue;
            if (g.flag[11] != 1)
                sum += RAYDRR(g, k, j);
            if (g.flag[8] == 1 || j + 2 >= NPLATE)
                continue;
            // DRD: diffracted at edge k, reflected at plate j, diffracted at edge m.
            for (int m = j + 2; m < NPLATE && g.seen(k) >= 0; ++m) {
                if (!g.edgeOver(m, j))
                    continue;
                const Vec3 Fa = g.image(g.edgeA(m), j), Fb = g.image(g.edgeB(m), j);
                if (doublyDiffractedLegSurelyMisses(g, g.A, Pj, Ea, Eb, Fa, Fb, TwoEdgeLeg::BetweenEdges, j))
                    continue;
                Vec3 D1, D2i, Q;
                double beta0 = 0;
                V2DIF(g, g.A, Pj, Ea, Eb, Fa, Fb, D1, D2i, beta0);
                if (!g.hitAlong(D1, unitFromTo(D1, D2i), j, Q))
                    continue;
                const Vec3 D2 = g.image(D2i, j);
                if ((j - k != 1 && g.blocked(D1, Q, k + 1, j - 1)) ||
                    (m - 1 - j != 1 && g.blocked(Q, D2, j + 1, m - 2)))
                    continue;
                if (m + 1 < NPLATE &&
                    (g.blocked(D2, g.P, m + 1, NPLATE - 1) || (m >= 2 && g.blocked(D2, g.P, 0, m - 2))))
                    continue;
                if (k >= 2 && g.seen(k) != 1 && g.blocked(g.A, D1, 0, k - 2))
                    continue;
                RAYDIR(D1, Q, u, dist, th, ph);
                FieldPair E;
                int word = diffld::kPlain;
                DIFFLD(g, D2i, {}, g.A, Ea, Eb, g.pt2, g.pt1, wedge(g, k), th, ph, E, D1, beta0, word, k);
                if (word != diffld::kDone)
                    continue;
                // The first diffraction's field was found at D2's image; the second one takes it as it
                // arrives at D2 after the reflection, in the frame of the reflected leg.
                const Vec3 D1j = g.image(D1, j);
                double thR = 0, phR = 0;
                RAYDIR(D1j, D2, u, dist, thR, phR);
                E = mirroredPair(E, th, ph, g.normal(j), thR, phR);
                if (!secondDiffraction(g, g.P, g.image(g.A, j), D1j, D2, m, beta0, E, th, ph))
                    continue;
                sum += g.rx.received(E, th, ph);
                if (g.DEBUG > 0) {
                    Appendf(g.sink, "  DIFFRACTED OFF EDGE%4d  TO PLATE%4d  DIFFRACTED OFF EDGE%4d\n",
                            2 * k + 2, j + 1, 2 * m + 2);
                    PRTFLD(g.sink, E);
                }
            }
        }

        if (NPLATE <= 3)
            continue;
        for (int m = k + 2; m < NPLATE && g.seen(k) != -1; ++m) {
            // A path the profile between the edges surely shadows is rejected below whatever the search
            // finds, and the search would write nothing: it is left out.
            if (edgeToEdgeSurelyShadowed(g, g.A, g.P, k, m))
                continue;
            Vec3 D1, D2;
            double beta0 = 0;
            V2DIF(g, g.A, g.P, Ea, Eb, g.edgeA(m), g.edgeB(m), D1, D2, beta0);
            if (k >= 2 && g.seen(k) != 1 && g.blocked(g.A, D1, 0, k - 2))
                continue;
            if ((m - k == 2) ? RRSHAD(g, D1, D2, k, m - 1) : g.blocked(D1, D2, k + 1, m - 2))
                continue;
            // DD: diffracted at edges k and m.
            if (g.flag[9] != 1 && !(m + 1 < NPLATE && g.blocked(D2, g.P, m + 1, NPLATE - 1))) {
                RAYDIR(D1, D2, u, dist, th, ph);
                FieldPair E;
                int word = diffld::kPlain;
                DIFFLD(g, D2, {}, g.A, Ea, Eb, g.pt1, g.pt2, wedge(g, k), th, ph, E, D1, beta0, word, k);
                if (word != diffld::kDone || !secondDiffraction(g, g.P, g.A, D1, D2, m, beta0, E, th, ph))
                    continue;
                sum += g.rx.received(E, th, ph);
                if (g.DEBUG > 0) {
                    Appendf(g.sink, "  DIFFRACTED OFF EDGE%4d  TO EDGE %4d\n", 2 * k + 2, 2 * m + 2);
                    PRTFLD(g.sink, E);
                }
            }
            if (NPLATE <= 4 || g.flag[10] == 1)
                continue;
            // DDR: diffracted at edges k and m, reflected at plate f.
            for (int f = m + 1; f < NPLATE && g.seen(k) != -1; ++f) {
                const Vec3& Pf = g.fieldImage[static_cast<size_t>(f)];
                if (!g.fieldImageBelow[static_cast<size_t>(f)])
                    continue;
                // D2 lies on edge m, and the side of plate f does not depend on X.
                if (!g.edgeOver(m, f) || doublyDiffractedLegSurelyMisses(g, g.A, Pf, Ea, Eb, g.edgeA(m),
                                                                         g.edgeB(m), TwoEdgeLeg::ToField, f))
                    continue;
                V2DIF(g, g.A, Pf, Ea, Eb, g.edgeA(m), g.edgeB(m), D1, D2, beta0);
                Vec3 Q;
                if (!g.hitAlong(D2, unitFromTo(D2, Pf), f, Q))
                    continue;
                if (f - m > 1 && g.blocked(D2, Q, m + 1, f - 1))
                    continue;
                if (f + 1 < NPLATE && (g.blocked(Q, g.P, f + 1, NPLATE - 1) || g.blocked(Q, g.P, 0, f - 1)))
                    continue;
                RAYDIR(D1, D2, u, dist, th, ph);
                FieldPair E;
                int word = diffld::kPlain;
                DIFFLD(g, D2, {}, g.A, Ea, Eb, g.pt2, g.pt1, wedge(g, k), th, ph, E, D1, beta0, word, k);
                if (word != diffld::kDone || !secondDiffraction(g, Pf, g.A, D1, D2, m, beta0, E, th, ph))
                    continue;
                sum += g.rx.mirrored(g.normal(f)).received(E, th, ph);
                if (g.DEBUG > 0) {
                    Appendf(g.sink, "  DIFFRACTED OFF EDGE%4d  TO EDGE%4d  REFLECTED FROM PLATE%4d",
                            2 * k + 2, 2 * m + 2, f + 1);
                    PRTFLD(g.sink, E);
                }
            }
        }
    }
    if (g.DEBUG > 0) {
        Appendf(g.sink, "\n  THE FIELD CONTRIBUTIONS FROM D, DR, DRD, DD, DDR, AND DRR ARE\n");
        PRTFLD(g.sink, sum);
    }
    return sum;
}

FieldPair RAYDRR(GtdCall& g, int k, int j) {
    FieldPair sum;
    const int NPLATE = g.T.NPLATE;
    for (int r = j + 1; r < NPLATE; ++r) {
        const size_t ri = static_cast<size_t>(r), ji = static_cast<size_t>(j);
        if (!g.fieldImageBelow[ri] || !g.fieldImage2Below[ri][ji])
            continue;
        const Vec3& Pr = g.fieldImage[ri];
        const Vec3& Prj = g.fieldImage2[ri][ji];
        Vec3 D{g.A.x, g.edgeA(k).y, g.edgeA(k).z}, Q1, Q2, u;
        double beta0 = 0, dist = 0, th = 0, ph = 0;
        // The search may be left out for a leg that surely misses plate j; the side of plate j that D
        // lies on does not depend on D.x.
        const bool missesJ =
            diffractedLegSurelyMisses(g, g.A, Prj, g.edgeA(k), g.edgeB(k), OneEdgeLeg::FromEdge, j);
        if (!missesJ)
            VBETA(g, g.A, Prj, g.edgeA(k), g.edgeB(k), D, beta0);
        if (!g.imageBelow(D, g.image(D, j), j))
            break;
        if (missesJ || !g.hitAlong(D, unitFromTo(D, Prj), j, Q1) ||
            !g.hitAlong(Q1, unitFromTo(Q1, Pr), r, Q2))
            continue;
        if ((k >= 2 && g.blocked(g.A, D, 0, k - 2)) ||
            (r + 1 < NPLATE && g.blocked(Q2, g.P, r + 1, NPLATE - 1)))
            continue;
        if (legBlocked(g, D, Q1, k, j) || legBlocked(g, Q1, Q2, j, r))
            continue;
        RAYDIR(D, Prj, u, dist, th, ph);
        FieldPair E;
        int word = diffld::kPlain;
        DIFFLD(g, Prj, {}, g.A, g.edgeA(k), g.edgeB(k), g.pt1, g.pt2, wedge(g, k), th, ph, E, D, beta0, word,
               k);
        if (word != diffld::kDone)
            continue;
        // The field was traced to the image of P in plate r, then in plate j: the axis is mirrored alike.
        sum += g.rx.mirrored(g.normal(r)).mirrored(g.normal(j)).received(E, th, ph);
        if (g.DEBUG != 0) {
            Appendf(g.sink, "  DIFFRACTED OFF EDGE%4d  TO PLATE%4d  REFLECTED FROM PLATE%4d\n", 2 * k + 2,
                    j + 1, r + 1);
            PRTFLD(g.sink, E);
        }
    }
    return sum;
}

} // namespace kelvd
