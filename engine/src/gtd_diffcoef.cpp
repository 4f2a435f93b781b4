#include "gtd_diffcoef.h"

#include "engine_constants.h"
#include "text_format.h"

#include <cmath>

namespace kelvd {

namespace {
// Near a cotangent pole the exact form of a term is the product of a large and a small factor, each good
// to about 1e-16 / d relative at a distance d from the pole; closer than this the term takes its
// expansion in eps instead, which keeps the transition function's phase factor e^(jX): where they meet
// both agree to about 1e-5 relative even at L = 1e4 wavelengths.
constexpr double kPoleDistance = 1e-4;
// Above this value of every transition argument the coefficient takes its non-uniform (Keller) form.
constexpr double kUniformLimit = 50;
// The transition function takes its small-argument series below kSeriesLimit and its large-argument
// series above kAsymptoticLimit, where each is good to about 1e-6 and so joins the form by the Fresnel
// integrals without a step that shows in the field.
constexpr double kSeriesLimit = 0.005;
constexpr double kAsymptoticLimit = 30;

// The side a term takes exactly on its boundary (eps = 0). A term's distance eps is positive where the
// ray of its boundary exists; the boundaries of the rays the tracers follow are those of term 2 with
// N = 0 (the incident ray), term 3 with N = 1 and term 4 with N = 0 (the rays reflected by the two
// faces). Traced, the incident ray grazing the edge counts (+1) and a reflection point on the edge does
// not (-1); any other boundary (term 1 has none outside the wedge) keeps the mean (0).
struct BoundaryOfRay {
    bool traced;
    int N;
    double side;
};
constexpr BoundaryOfRay kTracedBoundary[4] = {{false, 0, 0}, {true, 0, 1}, {true, 1, -1}, {true, 0, -1}};

double boundarySide(double eps, int term, int N, OnBoundary onBoundary) {
    const BoundaryOfRay& b = kTracedBoundary[term];
    if (eps != 0 || onBoundary == OnBoundary::Mean || !b.traced || N != b.N)
        return SGN(eps);
    return b.side;
}

double horner(const double* c, int n, double y) {
    double r = c[0];
    for (int i = 1; i < n; ++i)
        r = r * y + c[i];
    return r;
}
} // namespace

void FRESNL(double& C, double& S, double x) {
    static constexpr double PC[] = {5.100785e-11, 5.244297e-09, 5.451182e-07, 3.273308e-05,
                                    0.001020418,  0.01102544,   0.1840965};
    static constexpr double PS[] = {6.677681e-10, 5.883158e-08, 5.051141e-06,
                                    0.0002441816, 0.00612132,   0.0802649};
    static constexpr double PP[] = {0.0008768258, -0.004169289,  0.007970943, -0.006792801, -0.0003095341,
                                    0.005972151,  -1.606428e-05, -0.02493322, -4.444091e-09};
    static constexpr double PQ[] = {-0.0006633926, 0.003401409, -0.00727169,   0.007428246,
                                    -0.0004027145, -0.00931491, -1.207998e-06, 0.1994711};
    const double ax = std::fabs(x);
    if (ax <= 4) {
        const double y = (ax + 4) * (4 - ax);
        const double r = std::sqrt(ax);
        C = r * horner(PC, 7, y);
        S = ax * r * horner(PS, 6, y);
        return;
    }
    const double y = 4 / ax;
    const double c = std::cos(ax), s = std::sin(ax);
    const double P = horner(PP, 9, y);
    const double Q = horner(PQ, 8, y);
    const double r = std::sqrt(y);
    C = (Q * s + P * c) * r + 0.5;
    S = (P * s - Q * c) * r + 0.5;
}

Complex FERNEL(double X) {
    const Complex j(0, 1);
    if (X > kAsymptoticLimit) {
        const double X2 = X * X;
        return {1 - 3 / (4 * X2) + 75 / (16 * X2 * X2), 1 / (2 * X) - 15 / (8 * X2 * X)};
    }
    if (X < kSeriesLimit) {
        const Complex e1 = std::polar(1.0, kPi / 4), e2 = std::polar(1.0, -kPi / 4);
        return (std::sqrt(kPi * X) - 2 * X * e1 - (2 * X * X / 3) * e2) * std::exp(j * (kPi / 4 + X));
    }
    double C = 0, S = 0;
    FRESNL(C, S, X);
    return std::sqrt(kTwoPi) * std::sqrt(X) * std::exp(j * X) * Complex(0.5 - S, 0.5 - C);
}

double COTAN(double x) {
    const double s = std::sin(x);
    return std::fabs(s) <= 1e-50 ? 1e50 : std::cos(x) / s;
}

double SGN(double x) {
    return x < 0 ? -1.0 : (x > 0 ? 1.0 : 0.0);
}

void DIFCOF(double phi, double phip, double beta0, double s, double sp, double WA, double Lgiven, double& A,
            int mode, Complex& Ds, Complex& Dh, int debug, std::string& sink, OnBoundary onBoundary) {
    Ds = Dh = 0;
    A = 0;
    double gs = 1, gh = 1;
    if (phip <= 0.001) {
        gs = 0;
        gh = 0.5;
    }
    const double n = (360 - WA) / 180;
    const double bm = (phi - phip) * kRadPerDeg;
    const double bp = (phi + phip) * kRadPerDeg;
    const double sb = std::sin(beta0 * kRadPerDeg);
    if (std::fabs(sb) < 1e-12 || n <= 0 || (mode != 4 && (s <= 0 || (mode != 1 && sp <= 0))))
        return;
    // Angles from absurd coordinates (a vertex at 1e308 ft) are not finite: no diffraction, and no
    // conversion of a NaN to an integer below.
    if (!std::isfinite(bm) || !std::isfinite(bp) || std::fabs(bm) > 1e6 || std::fabs(bp) > 1e6)
        return;

    double L = 0;
    switch (mode) {
    case 1:
        L = s * sb * sb;
        A = 1 / std::sqrt(s);
        break;
    case 2:
        L = s * sp / (s + sp);
        A = 1 / std::sqrt(s * sb);
        break;
    case 3:
        L = sb * sb * s * sp / (s + sp);
        A = std::sqrt(sp / ((s + sp) * s));
        break;
    default:
        L = Lgiven;
        A = 1;
        break;
    }

    const double t[4] = {(kPi + bm) / (2 * n), (kPi - bm) / (2 * n), (kPi + bp) / (2 * n),
                         (kPi - bp) / (2 * n)};
    // Nearest integers, also for negative arguments (rounding towards zero would break reciprocity).
    const int N[4] = {static_cast<int>(std::floor((kPi + bm) / (kTwoPi * n) + 0.5)),
                      static_cast<int>(std::floor((bm - kPi) / (kTwoPi * n) + 0.5)),
                      static_cast<int>(std::floor((kPi + bp) / (kTwoPi * n) + 0.5)),
                      static_cast<int>(std::floor((bp - kPi) / (kTwoPi * n) + 0.5))};
    double X[4];
    for (int i = 0; i < 4; ++i) {
        const double b = i < 2 ? bm : bp;
        const double c = std::cos(n * kPi * N[i] - b / 2);
        X[i] = kTwoPi * L * 2 * c * c;
    }
    if (debug == 1) {
        Appendf(sink, "  BETA0%20.10fBETAP%20.10fBETAN%20.10fL%20.10fAS%20.10f\n", beta0, bp, bm, L, A);
        Appendf(sink, "  ANG1%20.10fANG2%20.10fANG3%20.10f ANG4%20.10f\n", t[0], t[1], t[2], t[3]);
        Appendf(sink, "  ARG1%20.10f ARG2%20.10f ARG3%20.10f ARG4%20.10f\n", X[0], X[1], X[2], X[3]);
        Appendf(sink, "  NPN%10dNNN%10dNPP%10dNNP%10d WN%20.10f\n", N[0], N[1], N[2], N[3], n);
    }

    const Complex eq = std::polar(1.0, kPi / 4);
    if (X[0] <= kUniformLimit || X[1] <= kUniformLimit || X[2] <= kUniformLimit || X[3] <= kUniformLimit) {
        const Complex C0 = -std::polar(1.0, -kPi / 4) / (2 * n * kTwoPi * sb);
        const double d[4] = {t[0] - N[0] * kPi, t[1] + N[1] * kPi, t[2] - N[2] * kPi, t[3] + N[3] * kPi};
        Complex T[4];
        for (int i = 0; i < 4; ++i) {
            if (std::fabs(d[i]) > kPoleDistance) {
                T[i] = COTAN(t[i]) * FERNEL(X[i]);
            } else {
                const double eps = 2 * n * d[i];
                const double side = boundarySide(eps, i, N[i], onBoundary);
                T[i] = n * eq * (kTwoPi * std::sqrt(L) * side - 2 * kTwoPi * L * eps * eq) *
                       std::polar(1.0, X[i]);
                if (debug == 1)
                    Appendf(sink, "  (C%d)  SMALL EPSI%20.10f%20.10f\n", i + 1, T[i].real(), T[i].imag());
            }
        }
        if (debug == 1) {
            for (int i = 0; i < 4; ++i) {
                const Complex F = FERNEL(X[i]);
                Appendf(sink, "  COT%20.10f FERNEL%20.10f%20.10f RESULT%20.10f%20.10f\n", COTAN(t[i]),
                        F.real(), F.imag(), T[i].real(), T[i].imag());
            }
            Appendf(sink, "  GH%20.10f GS%20.10f C0%20.10f%20.10f\n", gh, gs, C0.real(), C0.imag());
        }
        Dh = gh * C0 * (T[0] + T[1] + T[2] + T[3]);
        Ds = gs * C0 * (T[0] + T[1] - T[2] - T[3]);
        return;
    }
    const Complex C0 = std::polar(1.0, -kPi / 4) * std::sin(kPi / n) / (kTwoPi * n * sb);
    const double cm = 1 / (std::cos(kPi / n) - std::cos(bm / n));
    const double cp = 1 / (std::cos(kPi / n) - std::cos(bp / n));
    Ds = gs * C0 * (cm - cp);
    Dh = gh * C0 * (cm + cp);
    if (debug == 1)
        Appendf(sink, "  C0%10.4f K1%10.4f K2%10.4f\n", C0.real(), cm, cp);
}

} // namespace kelvd
