#include "gtd_reflect.h"

#include "gtd_edge.h"
#include "gtd_quiet_legs.h"
#include "gtd_shadowed_legs.h"
#include "gtd_source.h"
#include "gtd_trace.h"
#include "text_format.h"

#include <algorithm>

namespace kelvd {

bool RRSHAD(const GtdCall& g, const Vec3& Q1, const Vec3& Q2, int i, int j) {
    const Vec3 u = unitFromTo(Q1, Q2);
    const Vec3& V = g.T.DRV[static_cast<size_t>(2 * std::max(i, j) + 1)];
    Vec3 X;
    int parallel = 1;
    PLNINT(V, {0, 1, 0}, Q1, u, X, parallel);
    return !parallel && X.z <= V.z;
}

bool legBlocked(GtdCall& g, const Vec3& Q1, const Vec3& Q2, int i, int j) {
    if (j - i == 1)
        return RRSHAD(g, Q1, Q2, i, j);
    return g.blocked(Q1, Q2, i + 1, j - 1);
}

FieldPair RAYRFL(GtdCall& g) {
    FieldPair sum;
    const int NPLATE = g.T.NPLATE;
    const bool trace = g.DEBUG != 0;
    const bool trace1 = g.DEBUG == 1;
    if (trace)
        Appendf(g.sink, "\f");
    const Vec3 M = 0.5 * (g.pt1 + g.pt2);
    Vec3 u;
    double dist = 0, th = 0, ph = 0;

    if (g.flag[0] != 1 && !g.blocked(g.A, g.P, 0, NPLATE - 1)) {
        RAYDIR(g.A, g.P, u, dist, th, ph);
        FieldPair E = SRCFLD(g, g.pt1, g.pt2, th, ph, dist);
        E.E2 /= g.in.F0;
        sum += g.rx.received(E, th, ph);
        if (trace) {
            Appendf(g.sink, "  ****DIRECT FIELD .\n");
            PRTFLD(g.sink, E);
        }
    }

    for (int i = 0; i < NPLATE; ++i) {
        if (trace1)
            Appendf(g.sink, " STARTING TO CALCULATE THE RAYS FROM PLATE     %10d\n", i + 1);
        // R: single reflection by the image method.
        {
            int L = i, verdict = 0;
            Vec3 Q;
            REFPNT(g.A, g.T, L, 2, Q, {}, verdict, g.P);
            if (refpntHit(L, verdict) && (i == 0 || !g.blocked(g.A, Q, 0, i - 1)) &&
                (i + 1 >= NPLATE || !g.blocked(Q, g.P, i + 1, NPLATE - 1))) {
                const Vec3 Ai = g.image(M, i);
                RAYDIR(Ai, g.P, u, dist, th, ph);
                if (trace1)
                    Appendf(g.sink, "               %15.4f%15.4f%15.4f%15.4f%15.4f%15.4f\n", Ai.x, Ai.y, Ai.z,
                            Q.x, Q.y, Q.z);
                if (g.flag[1] != 1) {
                    FieldPair E = SRCFLD(g, g.image(g.pt2, i), g.image(g.pt1, i), th, ph, dist);
                    if (i == 0)
                        E.E2 /= g.in.F0;
                    sum += g.rx.received(E, th, ph);
                    if (trace) {
                        Appendf(g.sink, "  REFLECTED FROM PLATE%4d\n", i + 1);
                        PRTFLD(g.sink, E);
                    }
                }
            }
        }

        const Vec3 Ai = g.image(g.A, i), p1i = g.image(g.pt1, i), p2i = g.image(g.pt2, i);
        if (trace1)
            Appendf(g.sink, "  SI=%20.10f%20.10f%20.10f%10d\n", Ai.x, Ai.y, Ai.z, i + 1);

        for (int j = i + 1; j < NPLATE; ++j) {
            const Vec3 Aij = g.image(Ai, j), p1ij = g.image(p1i, j), p2ij = g.image(p2i, j);
            if (trace1)
                Appendf(g.sink, "  SII=%20.10f%20.10f%20.10f%10d\n", Aij.x, Aij.y, Aij.z, j + 1);
            if (g.flag[4] == 0)
                sum += RAYRRD(g, Ai, i, Aij, j, p1ij, p2ij);
            if (!(dot(Aij - Ai, g.normal(j)) > 0))
                continue;
            // RR: back from the field point through plate j, then plate i.
            const Vec3 ub = unitFromTo(Aij, g.P);
            if (trace1)
                Appendf(g.sink, "  UB=%20.10f%20.10f%20.10f%10d\n", ub.x, ub.y, ub.z, j + 1);
            int L = j, verdict = 0;
            Vec3 Q2, Q1;
            REFPNT(Aij, g.T, L, 1, Q2, ub, verdict, g.P);
            if (trace1 && L == 0)
                Appendf(g.sink, "  OQ%20.10f%20.10f%20.10f%10d\n", Q2.x, Q2.y, Q2.z, j + 1);
            if (!refpntHit(L, verdict))
                continue;
            L = i;
            REFPNT(Q2, g.T, L, 1, Q1, unitFromTo(Q2, Ai), verdict, g.P);
            if (trace1 && L == 0)
                Appendf(g.sink, "  RP%20.10f%20.10f%20.10f%10d\n", Q1.x, Q1.y, Q1.z, i + 1);
            if (!refpntHit(L, verdict))
                continue;
            if ((j + 1 < NPLATE && g.blocked(Q2, g.P, j + 1, NPLATE - 1)) ||
                (i > 0 && g.blocked(Q1, g.A, 0, i - 1)))
                continue;
            const bool shadow = (j - i == 1) ? RRSHAD(g, Q2, Q1, i, j) : g.blocked(Q1, Q2, i + 1, j - 1);
            if (shadow || g.flag[2] == 1)
                continue;
            RAYDIR(Aij, g.P, u, dist, th, ph);
            const FieldPair E = SRCFLD(g, p1ij, p2ij, th, ph, dist);
            sum += g.rx.received(E, th, ph);
            if (trace) {
                Appendf(g.sink, "  REFLECTED FROM PLATE%4d  TO PLATE%4d  FIELD IS\n", i + 1, j + 1);
                PRTFLD(g.sink, E);
            }
        }

        if (NPLATE <= 2)
            continue;
        const LegsFromSource fromImage(g, Ai, g.P, i);
        for (int m = i + 2; m < NPLATE; ++m) {
            const Vec3 &Ea = g.edgeA(m), &Eb = g.edgeB(m);
            Vec3 D, Q;
            double beta0 = 0;
            if (!g.edgeOver(m, i) || fromImage.surelyMisses(m))
                continue;
            VBETA(g, Ai, g.P, Ea, Eb, D, beta0);
            if (!g.hitAlong(Ai, unitFromTo(Ai, D), i, Q) || (i > 0 && g.blocked(g.A, Q, 0, i - 1)))
                continue;
            if ((m - i == 2) ? RRSHAD(g, Q, D, i, m - 1) : g.blocked(Q, D, i + 1, m - 2))
                continue;
            if (g.flag[3] != 1 && (m + 1 >= NPLATE || !g.blocked(D, g.P, m + 1, NPLATE - 1))) {
                RAYDIR(D, g.P, u, dist, th, ph);
                FieldPair E;
                int word = diffld::kPlain;
                DIFFLD(g, g.P, {}, Ai, Ea, Eb, p2i, p1i, g.WA[static_cast<size_t>(m - 1)], th, ph, E, D,
                       beta0, word, m);
                if (word != diffld::kDone)
                    continue;
                sum += g.rx.received(E, th, ph);
                if (trace) {
                    Appendf(g.sink, "  REFLECTED FROM PLATE%4d  TO EDGE%4d  FIELD IS\n", i + 1, 2 * m + 2);
                    PRTFLD(g.sink, E);
                }
            }
            if (g.flag[5] == 0) {
                sum += RAYRDR(g, Ai, p1i, p2i, i, m);
                sum += RAYRDD(g, Ai, p1i, p2i, i, m);
            }
        }
    }

    if (g.flag[4] == 0)
        sum += RAYRRR(g);
    if (g.DEBUG > 0) {
        Appendf(g.sink, "\n  THE FIELD CONTRIBUTED FROM DIRECT, ");
        Appendf(g.sink, "R, RD, RR, RRD, RDR, RDD, AND RRR ARE\n");
        PRTFLD(g.sink, sum);
    }
    return sum;
}

FieldPair RAYRDR(GtdCall& g, const Vec3& Ai, const Vec3& p1i, const Vec3& p2i, int i, int m) {
    FieldPair sum;
    const int NPLATE = g.T.NPLATE;
    for (int r = m + 1; r < NPLATE; ++r) {
        const Vec3& Pr = g.fieldImage[static_cast<size_t>(r)];
        if (!g.fieldImageBelow[static_cast<size_t>(r)] ||
            diffractedLegSurelyMisses(g, Ai, Pr, g.edgeA(m), g.edgeB(m), OneEdgeLeg::FromField, r))
            continue;
        Vec3 D, Q, u;
        double beta0 = 0, dist = 0, th = 0, ph = 0;
        VBETA(g, Ai, Pr, g.edgeA(m), g.edgeB(m), D, beta0);
        if (!g.hitAlong(Pr, unitFromTo(D, Pr), r, Q))
            continue;
        if (legBlocked(g, D, Q, m, r) || (r + 1 < NPLATE && g.blocked(Q, g.P, r + 1, NPLATE - 1)))
            continue;
        RAYDIR(D, Pr, u, dist, th, ph);
        FieldPair E;
        int word = diffld::kPlain;
        DIFFLD(g, Pr, {}, Ai, g.edgeA(m), g.edgeB(m), p1i, p2i, g.WA[static_cast<size_t>(m - 1)], th, ph, E,
               D, beta0, word, m);
        if (word != diffld::kDone)
            continue;
        sum += g.rx.mirrored(g.normal(r)).received(E, th, ph);
        if (g.DEBUG != 0) {
            Appendf(g.sink, "  REFLECTED FROM PLATE%4d  TO EDGE%4d  REFLECTED FROM PLATE%4d\n", i + 1,
                    2 * m + 2, r + 1);
            PRTFLD(g.sink, E);
        }
    }
    return sum;
}

FieldPair RAYRDD(GtdCall& g, const Vec3& Ai, const Vec3& p1i, const Vec3& p2i, int i, int m) {
    FieldPair sum;
    const int NPLATE = g.T.NPLATE;
    for (int q = m + 2; q < NPLATE; ++q) {
        // As in the two-edge tracer: a path a profile point surely overtops needs no search.
        if (edgeToEdgeSurelyOvertopped(g, Ai, g.P, m, q))
            continue;
        Vec3 D1, D2, u;
        double beta0 = 0, dist = 0, th = 0, ph = 0;
        V2DIF(g, Ai, g.P, g.edgeA(m), g.edgeB(m), g.edgeA(q), g.edgeB(q), D1, D2, beta0);
        if (DDPNT(g, D1, D2, m + 1, q - 2) == 1)
            continue;
        if (q + 1 < NPLATE && g.blocked(D2, g.P, q + 1, NPLATE - 1))
            continue;
        RAYDIR(D1, D2, u, dist, th, ph);
        FieldPair E;
        int word = diffld::kPlain;
        DIFFLD(g, D2, {}, Ai, g.edgeA(m), g.edgeB(m), p2i, p1i, g.WA[static_cast<size_t>(m - 1)], th, ph, E,
               D1, beta0, word, m);
        if (word != diffld::kDone)
            continue;
        RAYDIR(D2, g.P, u, dist, th, ph);
        word = diffld::kIncident;
        DIFFLD(g, g.P, Ai, D1, g.edgeA(q), g.edgeB(q), p1i, p2i, g.WA[static_cast<size_t>(q - 1)], th, ph, E,
               D2, beta0, word, q);
        if (word != diffld::kDone)
            continue;
        sum += g.rx.received(E, th, ph);
        if (g.DEBUG > 0) {
            Appendf(g.sink, "REFLECTED FROM PLATE%4d  TO EDGE%4d  AND TO EDGE%4d\n", i + 1, 2 * m + 2,
                    2 * q + 2);
            PRTFLD(g.sink, E);
        }
    }
    return sum;
}

FieldPair RAYRRD(GtdCall& g, const Vec3& Ai, int i, const Vec3& Aij, int j, const Vec3& p1ij,
                 const Vec3& p2ij) {
    FieldPair sum;
    const int NPLATE = g.T.NPLATE;
    const LegsFromSource fromImage(g, Aij, g.P, j);
    for (int m = j + 2; m < NPLATE; ++m) {
        Vec3 D, Q1, Q2, u;
        double beta0 = 0, dist = 0, th = 0, ph = 0;
        // The side of plate j does not depend on X (the plates run along X), so the edge's own end
        // answers it before the diffraction point is searched.
        if (!g.edgeOver(m, j) || fromImage.surelyMisses(m))
            continue;
        VBETA(g, Aij, g.P, g.edgeA(m), g.edgeB(m), D, beta0);
        if (!g.hitAlong(Aij, unitFromTo(Aij, D), j, Q2))
            continue;
        // The first reflection point lies on the leg from the second one back to the first image.
        if (!g.hitAlong(Q2, unitFromTo(Q2, Ai), i, Q1))
            continue;
        if (i >= 1 && g.blocked(g.A, Q1, 0, i - 1))
            continue;
        if (legBlocked(g, Q1, Q2, i, j))
            continue;
        if (m + 1 < NPLATE &&
            (g.blocked(D, g.P, m + 1, NPLATE - 1) || (m >= 2 && g.blocked(D, g.P, 0, m - 2))))
            continue;
        if ((m - j == 2) ? RRSHAD(g, Q2, D, j, m - 1) : g.blocked(Q2, D, j + 1, m - 2))
            continue;
        RAYDIR(D, g.P, u, dist, th, ph);
        FieldPair E;
        int word = diffld::kPlain;
        DIFFLD(g, g.P, {}, Aij, g.edgeA(m), g.edgeB(m), p1ij, p2ij, g.WA[static_cast<size_t>(m - 1)], th, ph,
               E, D, beta0, word, m);
        if (word != diffld::kDone)
            continue;
        sum += g.rx.received(E, th, ph);
        if (g.DEBUG != 0) {
            Appendf(g.sink, "  REFLECTING FROM PLATE%4d  TO PLATE%4d  AND DIFFRACTING OFF EDGE%4d\n", i + 1,
                    j + 1, 2 * m + 2);
            PRTFLD(g.sink, E);
        }
    }
    return sum;
}

FieldPair RAYRRR(GtdCall& g) {
    FieldPair sum;
    const int NPLATE = g.T.NPLATE;
    for (int i = 0; i < NPLATE; ++i) {
        const Vec3 Ai = g.image(g.A, i);
        if (!g.imageBelow(g.A, Ai, i))
            continue;
        const Vec3 p1i = g.image(g.pt1, i), p2i = g.image(g.pt2, i);
        for (int j = i + 1; j < NPLATE; ++j) {
            const Vec3 Aij = g.image(Ai, j);
            if (!g.imageBelow(Ai, Aij, j))
                continue;
            const Vec3 p1ij = g.image(p1i, j), p2ij = g.image(p2i, j);
            for (int l = j + 1; l < NPLATE; ++l) {
                const Vec3 Aijl = g.image(Aij, l);
                if (!g.imageBelow(Aij, Aijl, l))
                    continue;
                Vec3 Q1, Q2, Q3;
                if (!g.hitAlong(Aijl, unitFromTo(Aijl, g.P), l, Q3) ||
                    !g.hitAlong(Aij, unitFromTo(Aij, Q3), j, Q2) ||
                    !g.hitAlong(Ai, unitFromTo(Ai, Q2), i, Q1))
                    continue;
                if (i > 0) {
                    if (g.blocked(g.A, Q1, 0, i - 1)) {
                        Appendf(g.sink, "  NEED HIGHER MODE FIELD -DRRR-\n");
                        continue;
                    }
                    if (i + 1 < NPLATE && g.blocked(g.A, Q1, i + 1, NPLATE - 1))
                        continue;
                }
                if (l + 1 < NPLATE) {
                    if (g.blocked(Q3, g.P, l + 1, NPLATE - 1)) {
                        Appendf(g.sink, "  NEED HIGHER MODE FIELD -RRRD-\n");
                        continue;
                    }
                    if (l > 0 && g.blocked(Q3, g.P, 0, l - 1))
                        continue;
                }
                if (j - i == 1) {
                    if (RRSHAD(g, Q1, Q2, i, j))
                        continue;
                } else if (g.blocked(Q1, Q2, i + 1, j - 1)) {
                    Appendf(g.sink, "  NEED HIGHER MODE FIELD -RDRR-\n");
                    continue;
                }
                if (l - j == 1) {
                    if (RRSHAD(g, Q2, Q3, j, l))
                        continue;
                } else if (g.blocked(Q2, Q3, j + 1, l - 1)) {
                    Appendf(g.sink, "  NEED HIGHER MODE FIELD -RRDR-\n");
                    continue;
                }
                Vec3 u;
                double dist = 0, th = 0, ph = 0;
                RAYDIR(Aijl, g.P, u, dist, th, ph);
                const FieldPair E = SRCFLD(g, g.image(p1ij, l), g.image(p2ij, l), th, ph, dist);
                sum += g.rx.received(E, th, ph);
                if (g.DEBUG != 0) {
                    Appendf(g.sink, "  TRIPLE REFLECTED FIELD FROM PLATE%5d  TO PLATE%5d  TO PLATE%5d\n",
                            i + 1, j + 1, l + 1);
                    PRTFLD(g.sink, E);
                }
            }
        }
    }
    return sum;
}

} // namespace kelvd
