#include "po_model.h"

#include "engine_constants.h"

#include <algorithm>
#include <cmath>

namespace kelvd {

namespace {

// Phases are reduced before their sine and cosine are taken.
double ReducePhase(double x) { return x - kTwoPi * std::trunc(x / kTwoPi); }

// The integrand at one point S of a segment, written as (Yf - Ys) b e^(j k Rt): the factor Yf - Ys is
// linear along the segment and is integrated exactly; b e^(j k Rt) is smooth there and is taken as the
// exponential of a cubic between two points, from its values and its logarithmic derivatives.
struct Node {
    double p = 0;   // Yf - Ys
    Complex b;      // the amplitude: (1 + j / (k A2)) / (A2^2 A1^2 B)
    double kRt = 0; // the phase, not reduced
    Complex e;      // b e^(j k Rt)
    Complex dlog;   // d/ds ln(b e^(j k Rt)) along the tangent
    double h = 0;   // the step to take from here
};

// The integrand at S = (Ys, Zs) and the step from there along the unit tangent (ty, tz), limited to
// [hmin, hmax]. The distances run from the true antenna position A and field point P: the lateral
// stationary point of the ground's line through S lies where the ray A-S-P is straight, so its path is
// Rt = sqrt(L^2 + (Xf - Xa)^2), L = r1 + r2 being the path in the profile plane. Where S meets the field
// point or the antenna's foot point the integrand is singular (integrably so) and is taken as zero, with
// the shortest step.
void Evaluate(const POGeometry& g, double Ys, double Zs, double ty, double tz, double hmin, double hmax, Node& n) {
    const double dYf = g.P.y - Ys, dZf = g.P.z - Zs, dYa = Ys - g.A.y, dZa = Zs - g.A.z;
    const double dX = g.P.x - g.A.x, k = g.k;
    n.p = dYf;
    const double r1 = std::sqrt(dYf * dYf + dZf * dZf);
    const double r2 = std::sqrt(dYa * dYa + dZa * dZa);
    if (!(r1 > 0) || !(r2 > 0) || !std::isfinite(r1 + r2)) {
        n.b = n.e = n.dlog = 0;
        n.kRt = 0;
        n.h = hmin * g.stepScale;
        return;
    }
    const double L = r1 + r2;
    const double Rt = std::sqrt(L * L + dX * dX);
    const double gs = Rt / L;
    const double A1 = gs * r1, A2 = gs * r2;
    const double inv = 1 / r1 + 1 / r2;
    const double B = std::sqrt(inv / (gs * gs * gs));
    const Complex q(1, 1 / (k * A2));
    n.b = q / (A2 * A2 * A1 * A1 * B);
    n.kRt = k * Rt;
    const double phi = ReducePhase(n.kRt);
    n.e = n.b * Complex(std::cos(phi), std::sin(phi));

    // Derivatives along the tangent: r1' = a1 / r1, r2' = a2 / r2, L' = r1' + r2'.
    const double a1 = -dYf * ty - dZf * tz, a2 = dYa * ty + dZa * tz;
    const double c1 = a1 / r1, c2 = a2 / r2;
    const double dL = c1 + c2;
    const double dRt = L * dL / Rt;
    const double dlnG = -dL * dX * dX / (L * Rt * Rt);
    const double dlnR1 = c1 / r1, dlnR2 = c2 / r2;
    const double dlnInv = -(dlnR1 / r1 + dlnR2 / r2) / inv;
    const double dlnA2 = dlnG + dlnR2;
    const Complex dlnQ = Complex(0, -dlnA2 / (k * A2)) / q;
    n.dlog = dlnQ - 2.5 * dlnG - 2 * dlnR1 - 2 * dlnR2 - 0.5 * dlnInv + Complex(0, k * dRt);

    // The step keeps the exponent's curvature over a step small: the phase's (k Rt'') and the
    // amplitude's, which changes on the scale of the nearer distance.
    const double ddL = (1 - c1 * c1) / r1 + (1 - c2 * c2) / r2;
    const double ddRt = (dL * dL * dX * dX / (Rt * Rt) + L * ddL) / Rt;
    const double near = std::min(r1, r2);
    const double curvature = k * std::fabs(ddRt) + 3 / (near * near);
    double h = std::min(std::sqrt(2 * po::kStepCurvature / curvature), po::kStepNearFraction * near);
    // A NaN step must not stall the walk: it counts as the shortest.
    if (!(h >= hmin)) h = hmin;
    if (h > hmax) h = hmax;
    n.h = h * g.stepScale;
}

// The moments M_m = int_0^1 t^m e^(mu t) dt, m = 0 .. 5: by their series for small |mu|, else upwards
// from M_0 = (e^mu - 1) / mu, which is stable once |mu| is not small.
constexpr int kMoments = 6;
void Moments(Complex mu, Complex emu, Complex (&M)[kMoments]) {
    if (std::abs(mu) < 1) {
        for (Complex& m : M) m = 0;
        Complex term = 1; // mu^n / n!
        for (int n = 0; n < 20; ++n) {
            for (int m = 0; m < kMoments; ++m) M[m] += term / static_cast<double>(n + m + 1);
            term *= mu / static_cast<double>(n + 1);
        }
        return;
    }
    M[0] = (emu - 1.0) / mu;
    for (int m = 1; m < kMoments; ++m) M[m] = (emu - static_cast<double>(m) * M[m - 1]) / mu;
}

// The integral over one step of length h from n0 to n1 (a Filon-type rule): the linear factor exactly,
// times exp(mu t + nu u + kappa v) over t in [0, 1], with u = t^2 - t and v = 2t^3 - 3t^2 + t, the cubic
// that matches the values and the logarithmic derivatives at both ends; the rotation mu is integrated
// exactly and nu, kappa to second and first order. Where an end has no integrand (a singular point),
// the step is a trapezoid.
Complex StepIntegral(const Node& n0, const Node& n1, double h) {
    if (n0.b == Complex(0) || n1.b == Complex(0))
        return 0.5 * h * (n0.p * n0.e + n1.p * n1.e);
    const Complex ratio = n1.b / n0.b;
    const Complex mu(std::log(std::abs(ratio)), std::arg(ratio) + (n1.kRt - n0.kRt));
    const Complex nu = 0.5 * h * (n1.dlog - n0.dlog);
    const Complex kappa = 0.5 * h * (n0.dlog + n1.dlog) - mu;
    Complex M[kMoments];
    Moments(mu, n1.e / n0.e, M);
    // The weight 1 + nu u + kappa v + nu^2 u^2 / 2 as a polynomial in t, times p0 + dp t.
    const Complex nu2 = 0.5 * nu * nu;
    const Complex w[5] = {1.0, kappa - nu, nu - 3.0 * kappa + nu2, 2.0 * kappa - 2.0 * nu2, nu2};
    const double p0 = n0.p, dp = n1.p - n0.p;
    Complex sum = p0 * w[0] * M[0];
    for (int m = 1; m < 5; ++m) sum += (p0 * w[m] + dp * w[m - 1]) * M[m];
    sum += dp * w[4] * M[5];
    return h * n0.e * sum;
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

// The contribution to Ga and Gb (before the scaling) of the ground before S0 on the line through S0
// with the unit tangent t, continued backwards without end. Integrating by parts, the integral of
// F e^(jk Rt) along that line up to S0 is F(S0) e^(jk Rt(S0)) / (jk Rt'), to first order in 1 / k, with
// Rt' = (L / Rt) ((S0 - P).t / r1 + (S0 - F).t / r2) the derivative of Rt along the unit tangent t at S0
// (F = (Ya, Za), the antenna's trace in the profile plane, where r2 is measured from); a segment's
// weight is -W, W being the height of F above the line. With the antenna at Y = 0, S0 = (0, 0) and t =
// (1, 0): W = Za, Rt' = -Yf h / (rho Rs), the classic start term.
void StartTerm(const POGeometry& g, double Y0, double Z0, double ty, double tz, double& Ga, double& Gb) {
    Ga = Gb = 0;
    const double k = g.k, dX = g.P.x - g.A.x;
    const double dYf = g.P.y - Y0, dZf = g.P.z - Z0, dYa = Y0 - g.A.y, dZa = Z0 - g.A.z;
    const double W = dYa * tz - dZa * ty;
    const double r1 = std::sqrt(dYf * dYf + dZf * dZf);
    const double r2 = std::sqrt(dYa * dYa + dZa * dZa);
    // F on or below the line, or the field point on S0: the term is undefined and left out.
    if (!(W > 0) || !(r1 > 0)) return;
    const double L = r1 + r2;
    const double Rt = std::sqrt(L * L + dX * dX);
    const double gs = std::sqrt(dX * dX / (L * L) + 1);
    const double A1 = gs * r1, A2 = gs * r2;
    const double B = std::sqrt((1 / r1 + 1 / r2) / (gs * gs * gs));
    const double C = dYf / (A2 * A2 * A1 * A1 * B);
    const double a1 = -dYf * ty - dZf * tz;
    const double a2 = dYa * ty + dZa * tz;
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

    Node n0, n1;
    Evaluate(g, Y1, Z1, ty, tz, hmin, hmax, n0);
    Complex S = 0;
    double p = 0;
    for (bool last = false; !last;) {
        double h = n0.h;
        // The last step ends on the segment's end.
        if (p + h >= Ls) {
            h = Ls - p;
            last = true;
        }
        p += h;
        if (last)
            Evaluate(g, Y2, Z2, ty, tz, hmin, hmax, n1);
        else
            Evaluate(g, Y1 + p * ty, Z1 + p * tz, ty, tz, hmin, hmax, n1);
        S += StepIntegral(n0, n1, h);
        ++sums.steps;
        n0 = n1;
    }
    // The weight: the depth of the antenna's trace (Ya, Za) below the segment's line.
    const double w = (Z1 - g.A.z) * ty - (Y1 - g.A.y) * tz;
    sums.Ga += S.real() * w;
    sums.Gb += S.imag() * w;
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
    // The segments up to the field point, for the step budget (moving a start to the shadow line only
    // shortens a segment).
    double walk = 0;
    for (int s = 0; s + 1 < nv && profile.v[s].y < Yf; ++s) {
        const Vec3 &a = profile.v[s], &b = profile.v[s + 1];
        const double Y2 = std::min(b.y, Yf);
        const double Z2 = b.y > Yf ? a.z + (Yf - a.y) * (b.z - a.z) / (b.y - a.y) : b.z;
        walk += std::hypot(Y2 - a.y, Z2 - a.z);
    }

    // The ground before the first vertex is the first segment's line continued backwards. Its integral
    // is an end term where the phase runs fast, as it does below the antenna; an antenna standing before
    // the first vertex has the stretch from its foot point on that line integrated like a segment.
    double ty = 1, tz = 0;
    FirstTangent(profile, nv, ty, tz);
    const double Y0 = nv > 0 ? profile.v[0].y : 0, Z0 = nv > 0 ? profile.v[0].z : 0;
    const double back = Y0 < Yf ? std::min(0.0, (Ya - Y0) * ty + (Za - Z0) * tz) : 0.0;
    const double Ys = Y0 + back * ty, Zs = Z0 + back * tz;
    StartTerm(g, Ys, Zs, ty, tz, sums.Ga, sums.Gb);
    if (back < 0) POSEG(g, Ys, Zs, Y0, Z0, sums, walk - back);

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
