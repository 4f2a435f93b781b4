#include "po_model.h"

#include "engine_constants.h"

#include <algorithm>
#include <cmath>

namespace kelvd {

namespace {

// Phases are reduced before their sine and cosine are taken.
double ReducePhase(double x) { return x - kTwoPi * std::trunc(x / kTwoPi); }

// The integrand (Fa, Fb) at S = (Ys, Zs) and the step to take from there along the unit tangent
// (ty, tz), limited to [hmin, hmax]. Where S meets the field point or the antenna's foot point the
// integrand is singular (integrably so) and is taken as zero, with the shortest step.
void Evaluate(const POGeometry& g, double Ys, double Zs, double ty, double tz, double hmin, double hmax,
              double& Fa, double& Fb, double& h) {
    const double Yf = g.P.y, Zf = g.P.z, Za = g.A.z, Xa = g.A.x;
    const double r1 = std::sqrt((Yf - Ys) * (Yf - Ys) + (Zf - Zs) * (Zf - Zs));
    const double r2 = std::sqrt(Ys * Ys + (Zs - Za) * (Zs - Za));
    if (!(r1 > 0) || !(r2 > 0)) {
        Fa = Fb = 0;
        h = hmin;
        return;
    }
    const double L = r1 + r2;
    const double Rt = std::sqrt(L * L + Xa * Xa);
    const double gs = Rt / L;
    const double A1 = gs * r1, A2 = gs * r2;
    const double B = std::sqrt((1 / r1 + 1 / r2) / (gs * gs * gs));
    const double C = (Yf - Ys) / (A2 * A2 * A1 * A1 * B);
    const double D = C / (g.k * A2);
    const double phi = ReducePhase(g.k * Rt);
    const double c = std::cos(phi), s = std::sin(phi);
    Fa = C * c - D * s;
    Fb = C * s + D * c;

    const double w = std::fabs(((-(Yf - Ys) * ty - (Zf - Zs) * tz) / r1 + (Ys * ty + (Zs - Za) * tz) / r2) / gs);
    h = (g.lambda / po::kStepDivisor) / w;
    // A NaN step (w = 0 / 0) must not stall the walk: it counts as the shortest.
    if (!(h >= hmin)) h = hmin;
    if (h > hmax) h = hmax;
}

// The first segment's unit tangent (ty, tz): from vertex 0 to the first vertex apart from it; level
// for a profile of one vertex (or none, which starts at the origin).
void FirstTangent(const Profile& profile, int nv, double& ty, double& tz) {
    ty = 1;
    tz = 0;
    for (int s = 1; s < nv; ++s) {
        const double dy = profile.v[s].y - profile.v[0].y, dz = profile.v[s].z - profile.v[0].z;
        const double len = std::hypot(dy, dz);
        if (len > 0 && std::isfinite(len)) {
            ty = dy / len;
            tz = dz / len;
            return;
        }
    }
}

// The contribution to Ga and Gb (before the scaling) of the ground before the profile's first vertex
// S0: the first segment's line continued backwards without end. Integrating by parts, the integral of
// F e^(jk Rt) along that line up to S0 is F(S0) e^(jk Rt(S0)) / (jk Rt'), to first order in 1 / k, with
// Rt' = (L / Rt) ((S0 - P).t / r1 + (S0 - F).t / r2) the derivative of Rt along the unit tangent t at S0
// (F = (0, Za), where r2 is measured from); a segment's weight 2 w2 is W, the height of F above the
// line. At S0 = (0, 0) with t = (1, 0): W = Za, Rt' = -Yf h / (rho Rs), the classic start term.
void StartTerm(const POGeometry& g, const Profile& profile, int nv, double& Ga, double& Gb) {
    Ga = Gb = 0;
    const double Y0 = nv > 0 ? profile.v[0].y : 0, Z0 = nv > 0 ? profile.v[0].z : 0;
    double ty = 1, tz = 0;
    FirstTangent(profile, nv, ty, tz);
    const double Yf = g.P.y, Zf = g.P.z, Za = g.A.z, Xa = g.A.x, k = g.k;
    const double dYf = Yf - Y0, dZf = Zf - Z0, dZa = Z0 - Za;
    const double W = Y0 * tz - dZa * ty;
    const double r1 = std::sqrt(dYf * dYf + dZf * dZf);
    const double r2 = std::sqrt(Y0 * Y0 + dZa * dZa);
    // F on or below the line, or the field point on S0: the term is undefined and left out.
    if (!(W > 0) || !(r1 > 0)) return;
    const double L = r1 + r2;
    const double Rt = std::sqrt(L * L + Xa * Xa);
    const double gs = std::sqrt(Xa * Xa / (L * L) + 1);
    const double A1 = gs * r1, A2 = gs * r2;
    const double B = std::sqrt((1 / r1 + 1 / r2) / (gs * gs * gs));
    const double C = dYf / (A2 * A2 * A1 * A1 * B);
    const double a1 = -dYf * ty - dZf * tz;
    const double a2 = Y0 * ty + dZa * tz;
    const double dRt = a1 * L / (r1 * Rt) + a2 * L / (r2 * Rt);
    double T = 0;
    if (dRt != 0)
        T = W * C / k / dRt;
    else if (dYf == 0 && ty != 0)
        // Straight above S0 C and Rt' can vanish together (above a level start at the foot point);
        // their ratio keeps its limit as the field point moves along Y.
        T = -W * gs * r1 / (k * ty * A2 * A2 * A1 * A1 * B);
    else
        return; // a stationary phase at S0 itself: the first-order form has no value there
    const double phase = ReducePhase(k * Rt);
    const double s = std::sin(phase), c = std::cos(phase);
    Ga = -T * (c / (k * A2) + s);
    Gb = T * (c - s / (k * A2));
}

} // namespace

void POSEG(const POGeometry& g, double Y1, double Z1, double Y2, double Z2, POSums& sums, double walkLength) {
    const double Ls = std::hypot(Y2 - Y1, Z2 - Z1);
    if (!(Ls > 0) || !std::isfinite(Ls)) return;
    const double ty = (Y2 - Y1) / Ls, tz = (Z2 - Z1) / Ls;
    const double budgetStep = std::max(Ls, walkLength) / static_cast<double>(po::kStepBudget);
    const double hmin = std::max(g.lambda / po::kStepDivisor, budgetStep);
    const double hmax = std::max(po::kMaxStepWavelengths * g.lambda, hmin);

    double Ys = Y1, Zs = Z1;
    double Fa = 0, Fb = 0, h = 0;
    Evaluate(g, Ys, Zs, ty, tz, hmin, hmax, Fa, Fb, h);
    double p = h;
    double Sa = 0, Sb = 0;
    bool last = false;
    for (;;) {
        Ys += h * ty;
        Zs += h * tz;
        double Fa2 = 0, Fb2 = 0, hNext = 0;
        Evaluate(g, Ys, Zs, ty, tz, hmin, hmax, Fa2, Fb2, hNext);
        Sa += (Fa + Fa2) * h;
        Sb += (Fb + Fb2) * h;
        ++sums.steps;
        if (last) break;
        Fa = Fa2;
        Fb = Fb2;
        h = hNext;
        p += h;
        if (p >= Ls) {
            // The remainder up to the segment's end; negative when the first step overshot it.
            h = Ls + h - p;
            p = Ls;
            last = true;
        }
    }
    const double w2 = ((Z1 - g.A.z) * ty - Y1 * tz) / 2;
    sums.Ga += Sa * w2;
    sums.Gb += Sb * w2;
}

Complex POFLD(const POGeometry& g, const Profile& profile, POSums* out) {
    POSums sums;
    // Without a positive wavelength the step rule has no length scale and the walk would not end.
    if (!(g.lambda > 0) || !std::isfinite(g.lambda) || !(g.k > 0) || !std::isfinite(g.k)) {
        if (out) *out = sums;
        return {};
    }
    const double Xf = g.P.x, Yf = g.P.y, Zf = g.P.z;
    const double Xa = g.A.x, Ya = g.A.y, Za = g.A.z;

    const double R = std::sqrt((Yf - Ya) * (Yf - Ya) + (Xa - Xf) * (Xa - Xf) + (Zf - Za) * (Zf - Za));
    const double phid = ReducePhase(g.k * R);

    const int nv = std::clamp(profile.NV, 0, limits::kMaxVertices);
    StartTerm(g, profile, nv, sums.Ga, sums.Gb);

    // The segments up to the field point, for the step budget (moving a start to the shadow line only
    // shortens a segment).
    double walk = 0;
    for (int s = 0; s + 1 < nv && profile.v[s].y < Yf; ++s) {
        const Vec3 &a = profile.v[s], &b = profile.v[s + 1];
        const double Y2 = std::min(b.y, Yf);
        const double Z2 = b.y > Yf ? a.z + (Yf - a.y) * (b.z - a.z) / (b.y - a.y) : b.z;
        walk += std::hypot(Y2 - a.y, Z2 - a.z);
    }

    double prev = -1, cur = -1;
    for (int s = 0; s + 1 < nv; ++s) {
        double Y1 = profile.v[s].y, Z1 = profile.v[s].z;
        double Y2 = profile.v[s + 1].y, Z2 = profile.v[s + 1].z;
        if (Y1 >= Yf) break;
        if (Y2 > Yf) {
            Z2 = Z1 + (Yf - Y1) * (Z2 - Z1) / (Y2 - Y1);
            Y2 = Yf;
        }
        if (Y2 - Ya > 0) cur = (Za - Z2) / (Y2 - Ya);
        if (prev >= 0) {
            if (cur >= prev) continue; // hidden behind the shadow line of the last visible segment
            if ((Za - Z1) / (Y1 - Ya) > prev) {
                // Only the part above the shadow line is lit: start there.
                if (Y1 != Y2) {
                    const double m = (Z2 - Z1) / (Y2 - Y1);
                    const double b = Z1 - (Y1 - Ya) * m;
                    Y1 = (Za - b) / (m + prev) + Ya;
                }
                Z1 = Za - prev * (Y1 - Ya);
            }
        }
        POSEG(g, Y1, Z1, Y2, Z2, sums, walk);
        prev = cur;
    }

    const double f = 1 / std::sqrt(2 * g.lambda);
    sums.Ga *= f;
    sums.Gb *= f;
    // At the antenna itself the direct ray has no defined value; it is left out there.
    const double q = R > 0 ? (Yf - Ya) / (R * R) : 0;
    if (out) *out = sums;
    const double scale = 0.5 / g.lambda;
    return {scale * (sums.Ga - sums.Gb - q * std::sin(phid)), -scale * (sums.Ga + sums.Gb + q * std::cos(phid))};
}

Complex POFLD(const FieldContext& ctx) {
    POGeometry g;
    g.P = ctx.P;
    g.A = ctx.in.ant[ctx.antenna].pos;
    g.lambda = ctx.in.lambda;
    g.k = ctx.in.k;
    return POFLD(g, ctx.profile);
}

} // namespace kelvd
