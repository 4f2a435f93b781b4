#include "point_loop.h"

#include "engine_constants.h"
#include "error_codes.h"
#include "field_models.h"
#include "fixed_text.h"
#include "geometry.h"
#include "text_format.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <limits>
#include <exception>

namespace kelvd {

namespace {

constexpr double kMicroampsPerDdm = 150.0 / 0.175;
constexpr double kTwoPartBreakY = 10000.0; // feet: where a two-part approach changes segment

// S + (E - S) i / (n - 1), the product formed first; a one-point cut stays at S.
double interp(double S, double E, int i, int n) { return n > 1 ? S + (E - S) * i / (n - 1) : S; }

bool finite(const Vec3& v) { return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z); }

double elevationFrom(const Vec3& th, const Vec3& P) {
    const double dx = P.x - th.x, dy = P.y - th.y;
    return std::atan2(P.z - th.z, std::sqrt(dx * dx + dy * dy));
}

// The angles (degrees) of the fixed-angle level run: 1 degree, then 0.1 degree steps, and 0.02 degree
// steps while the previous angle lies inside one of the three fine bands.
std::vector<double> fixedAngleSteps(int n) {
    std::vector<double> a;
    double alpha = 1.0;
    for (int i = 0; i < n; ++i) {
        if (i > 0) {
            const bool fine = (alpha > 1.79 && alpha < 2.19) || (alpha > 2.79 && alpha < 3.19) ||
                              (alpha > 3.79 && alpha < 4.19);
            alpha += fine ? 0.02 : 0.1;
        }
        a.push_back(alpha);
    }
    return a;
}

// Each vertex as "%29s%10.3f%17s%10.3f%17s%10.3f\n" of one-blank strings and X, Y, Z.
void writeVertices(std::string& out, const Profile& profile) {
    for (int i = 0; i < profile.NV; ++i) {
        const Vec3& v = profile.v[static_cast<size_t>(i)];
        out.append(29, ' ');
        AppendFixed(out, v.x, 10, 3);
        out.append(17, ' ');
        AppendFixed(out, v.y, 10, 3);
        out.append(17, ' ');
        AppendFixed(out, v.z, 10, 3);
        out += "\r\n";
    }
}

// How close a field point may come to an antenna and to the ground (feet). Within the antenna
// element's half-length no model has a field; on the ground the models' rays degenerate (a diffraction
// point on the field point itself, a singular optics integrand, an exact cancellation of direct and
// reflected ray), so none of their values there can be trusted.
constexpr double kAtAntenna = 0.05;
constexpr double kOnGround = 0.001;

// Distance (feet) from (y, z) to the profile in the vertical plane along the runway: its segments, or its
// single vertex.
double distanceToProfile(const Profile& profile, double y, double z) {
    const int nv = std::clamp(profile.NV, 0, limits::kMaxVertices);
    double best = std::numeric_limits<double>::infinity();
    for (int i = 0; i < nv; ++i) {
        const Vec3& a = profile.v[static_cast<size_t>(i)];
        const Vec3& b = profile.v[static_cast<size_t>(i + 1 < nv ? i + 1 : i)];
        const double dy = b.y - a.y, dz = b.z - a.z;
        const double len2 = dy * dy + dz * dz;
        const double t = len2 > 0 ? std::clamp(((y - a.y) * dy + (z - a.z) * dz) / len2, 0.0, 1.0) : 0.0;
        best = std::min(best, std::hypot(y - (a.y + t * dy), z - (a.z + t * dz)));
    }
    return best;
}

// The report line and true when the field point is one at which the model of this antenna has no
// field: at the antenna, or on its ground profile.
bool degenerateFieldPoint(const Vec3& P, const Vec3& A, int antenna, const Profile& profile,
                          std::string& fort7) {
    if (length(P - A) < kAtAntenna) {
        Appendf(fort7, "  FIELD POINT%11.3f%11.3f%11.3f IS AT ANTENNA%2d\n", P.x, P.y, P.z, antenna + 1);
        return true;
    }
    if (distanceToProfile(profile, P.y, P.z) <= kOnGround) {
        Appendf(fort7, "  FIELD POINT%11.3f%11.3f%11.3f LIES ON THE GROUND PROFILE\n", P.x, P.y, P.z);
        return true;
    }
    return false;
}

Complex phasor(double magnitude, double phaseDeg) {
    return magnitude * Complex(std::cos(phaseDeg * kRadPerDeg), std::sin(phaseDeg * kRadPerDeg));
}

} // namespace

int FlightPoints(const RunInputs& in, std::vector<FlightPoint>& points) {
    points.clear();
    const int n = in.NPTS;
    if (n <= 0)
        return 0;
    const auto& P = in.P;
    const Vec3& th = in.theodolite;
    std::vector<double> steps;
    double a1 = 0, a2 = 0;
    switch (in.TYPE) {
    case 1:
    case 2:
    case 3:
    case 7:
        break;
    case 4:
        a1 = std::atan2(P[2] - th.z, std::hypot(P[0] - th.x, P[1] - th.y));
        a2 = std::atan2(P[5] - th.z, std::hypot(P[3] - th.x, P[4] - th.y));
        break;
    case 5:
        steps = fixedAngleSteps(n);
        break;
    case 6:
        if (n / 4 < 2 || 3 * n / 4 < 2)
            return errors::kCard;
        break;
    default:
        return errors::kCard;
    }

    for (int i = 0; i < n; ++i) {
        FlightPoint fp;
        Vec3& X = fp.P;
        switch (in.TYPE) {
        case 1: {
            const double alpha = interp(P[1], P[4], i, n) * kRadPerDeg;
            const double phiDeg = interp(P[2], P[5], i, n);
            const double phi = phiDeg * kRadPerDeg;
            X = {-P[0] * std::cos(alpha) * std::sin(phi), P[0] * std::cos(alpha) * std::cos(phi),
                 P[0] * std::sin(alpha)};
            fp.ALPHA = elevationFrom(th, X) * kDegPerRad;
            fp.azimuth = phiDeg;
            break;
        }
        case 2:
            X = {interp(P[0], P[3], i, n), interp(P[1], P[4], i, n), interp(P[2], P[5], i, n)};
            fp.ALPHA = elevationFrom(th, X) * kDegPerRad;
            fp.azimuth = ATAN2S(-X.x, X.y) * kDegPerRad;
            break;
        case 3:
        case 6:
            if (in.TYPE == 3) {
                X.x = interp(P[0], P[3], i, n);
                X.y = interp(P[1], P[4], i, n);
            } else {
                const int Q = n / 4, N = 3 * n / 4;
                const double Xm = P[0] + (P[1] - kTwoPartBreakY) * (P[3] - P[0]) / (P[1] - P[4]);
                if (i + 1 < Q) {
                    X.x = P[0] + (Xm - P[0]) * i / (Q - 1);
                    X.y = P[1] + (kTwoPartBreakY - P[1]) * i / (Q - 1);
                } else {
                    const int j = i - Q;
                    X.x = Xm + (P[3] - Xm) * j / (N - 1);
                    X.y = kTwoPartBreakY + (P[4] - kTwoPartBreakY) * j / (N - 1);
                }
            }
            X.z = std::tan(P[2] * kRadPerDeg) * std::sqrt(X.x * X.x + X.y * X.y);
            fp.ALPHA = P[2];
            fp.azimuth = ATAN2S(-X.x, X.y) * kDegPerRad;
            break;
        case 4:
        case 5: {
            const double alpha =
                in.TYPE == 4 ? (n > 1 ? a1 + i * (a2 - a1) / (n - 1) : a1) : steps[static_cast<size_t>(i)] * kRadPerDeg;
            const double h = (P[2] - th.z) / std::tan(alpha);
            const double radicand = h * h - th.x * th.x;
            if (!(radicand >= 0))
                return errors::kCard;
            X = {0, std::sqrt(radicand) + th.y, P[2]};
            fp.ALPHA = alpha * kDegPerRad;
            fp.azimuth = 0;
            break;
        }
        case 7: {
            const double phiDeg = interp(P[1], P[4], i, n);
            const double phi = phiDeg * kRadPerDeg;
            X = {-P[0] * std::sin(phi), P[0] * std::cos(phi), P[2]};
            fp.ALPHA = elevationFrom(th, X) * kDegPerRad;
            fp.azimuth = phiDeg;
            break;
        }
        default:
            break;
        }
        if (!finite(X) || !std::isfinite(fp.ALPHA) || !std::isfinite(fp.azimuth))
            return errors::kCard;
        points.push_back(fp);
    }
    return 0;
}

void ReportHeader(const RunInputs& in, std::string& o) {
    const auto& s = in.rayIgnore;
    Appendf(o, "THE INPUT DATA FOR THIS SIMULATION IS AS FOLLOWS:    ");
    Appendf(o, "%d%d%d%d%d%d%d%d%d%d%d%d\n", s[0], s[1], s[2], s[3], s[4], s[5], s[6], s[7], s[8], s[9], s[10],
            s[11]);
    if (in.MODEL != 0 && in.MODEL != 2) {
        static const char* const kIgnored[limits::kRaySwitches] = {
            "   IGNORED DIRECT RAY.\n",
            "   IGNORED SINGLY REFLECTED RAY.\n",
            "   IGNORED DOUBLY REFLECTED RAY.\n",
            "   IGNORED REFLECTED-DIFFRACTED RAY.\n",
            "   IGNORED REFLECTED-REFLECTED-DIFFRACTED AND RRR RAYS.\n",
            "   IGNORED REFLECTED-DIFFRACTED-REFLECTED RAY.\n",
            "   IGNORED SINGLY DIFFRACTED RAY.\n",
            "   IGNORED DIFFRACTED-REFLECTED RAY.\n",
            "   IGNORED DIFFRACTED-REFLECTED-DIFFRACTED.\n",
            "   IGNORED DOUBLY DIFFRACTED RAY.\n",
            "   IGNORED DIFFRACTED-DIFFRACTED-REFLECTED RAY.\n",
            "   IGNORED DIFFRACTED-REFLECTED-REFLECTED RAY.\n",
        };
        long sum = 0;
        for (size_t i = 0; i < s.size(); ++i) {
            if (s[i] >= 1)
                Appendf(o, "%s", kIgnored[i]);
            sum += s[i];
        }
        if (sum == 0)
            Appendf(o, "   ALL 13 RAYS ARE CONSIDERED\n");
    }
    if (in.MODEL == 0) {
        Appendf(o, "  FIELDS CALCULATED WITH FLAT EARTH MODEL");
    } else if (in.MODEL == 1) {
        if (in.AMODE == 0 || in.AMODE == 1) {
            Appendf(o, "  FIELDS CALCULATED WITH GTD , NO ARRAY FACTOR ,\n");
            Appendf(o, "  WITH FIRST PLATE DB ATTEN%8.2f  PHASE%8.2f  DEGREES\n", -in.lastHeaderDb,
                    -in.lastHeaderPhase);
        } else if (in.AMODE == 2 || in.AMODE == 3) {
            Appendf(o, "  FIELDS CAL WITH GTD , WITH THREE ANTENNA ,\n");
            Appendf(o, "  WITH FIRST PLATE  DB ATTEN =%8.2f  PHASE%8.2f  DEGREES\n", -in.lastHeaderDb,
                    -in.lastHeaderPhase);
        }
    } else if (in.MODEL == 2) {
        Appendf(o, "  FIELDS CALCULATED WITH PHYSICAL OPTICS MODEL\n");
    }
    Appendf(o, "     %s\n", in.title.c_str());

    Appendf(o, "  THE PLATE DATA IS:\n");
    Appendf(o, "      THE NUMBER OF EDGES IS %d\n", in.NV);
    Appendf(o, "     POSITION OF VERTICES:     X(COORD.)%17sY(COORD.)%17sZ(COORD.)\n", " ", " ");
    if (!in.profileFromGround)
        writeVertices(o, in.cardProfile);

    Appendf(o, "  THE FACILITY DATA IS:\n");
    Appendf(o, "   NA=%2d  FREQ=%8.3f  LAMBDA=%8.3f  M=%6.3f A=%6.3f MC150=%6.3f", in.NA, in.FREQ, in.lambda, in.M,
            in.A, in.MC150);
    Appendf(o, "  \n   RELATIVE PERMI =%9.4f%9.4f      CONDUCTIVITY =%9.4f\n", in.permRe, in.permIm,
            in.conductivity);

    const Vec3& th = in.theodolite;
    Appendf(o, "  THE THEODOLITE DATA IS:\n");
    Appendf(o, "     X(COORD.)     Y(COORD.)    Z(COORD.)     ");
    Appendf(o, "PATH REF. ANGLE   WIDTH REF. ANGLE\n");
    Appendf(o, "   %10.3f   %10.3f   %10.3f%8s%10.3f%8s%10.3f\n", th.x, th.y, th.z, " ", in.pathRefAngle, " ",
            in.widthRefAngle);

    Appendf(o, "  THE ANTENNA DATA IS:\n");
    if (in.A > 0.0001) {
        Appendf(o, "     ANTENNA   X(COORD.)   Y(COORD.)   Z(COORD.)   ");
        Appendf(o, "CANT(deg)   ISS(MAG.)   ISS(PHS.)   ICS(MAG.)   ICS(PHS.)");
        Appendf(o, "   ICC(MAG.)   ICC(PHS.)\n");
    }
    for (int i = 0; i < in.NA; ++i) {
        const AntennaInput& a = in.ant[static_cast<size_t>(i)];
        Appendf(o, "        %1d  %10.3f  %10.3f  %10.3f  %10.3f  %10.5f", i + 1, a.pos.x, a.pos.y, a.pos.z, a.CANT,
                a.issMag);
        Appendf(o, "  %10.3f  %10.5f  %10.3f  %10.5f  %10.3f\n", a.issPha, a.icsMag, a.icsPha, a.iccMag, a.iccPha);
    }

    const auto& P = in.P;
    Appendf(o, "  THE PATTERN CUT FOR THIS SIM. IS:\n");
    switch (in.TYPE) {
    case 1:
        Appendf(o, "     THE PATTERN IS A CONSTANT RADIUS CUT WITH ALPHA ");
        Appendf(o, "INCREMENTED FROM\n");
        Appendf(o, "     %10.3f DEGREES TO %10.3f DEGREES AND THE RADIUS IS %10.3f\n", P[1], P[4], P[0]);
        break;
    case 2:
        Appendf(o, "     THE PATTERN IS A STRAIGHT LINE CUT WITH THE \n");
        Appendf(o, "     INITIAL COORDINATES-          X=%10.3f  Y=%10.3f  Z=%10.3f\n", P[0], P[1], P[2]);
        Appendf(o, "     THE FINAL COORDINATES-          X=%10.3f  Y=%10.3f  Z=%10.3f\n", P[3], P[4], P[5]);
        break;
    case 3:
    case 6: {
        const double t = std::tan(P[2] * kRadPerDeg);
        const double Zi = t * std::sqrt((P[0] - th.x) * (P[0] - th.x) + (P[1] - th.y) * (P[1] - th.y)) + th.z;
        const double Zf = t * std::sqrt((P[3] - th.x) * (P[3] - th.x) + (P[4] - th.y) * (P[4] - th.y)) + th.z;
        Appendf(o, "     THE PATTERN IS A CONSTANT %5.3f DEGREE CUT WITH THE\n", P[2]);
        Appendf(o, "     INITIAL COORDINATES-    X=%10.3f  Y=%10.3f  Z=%10.3f\n", P[0], P[1], Zi);
        Appendf(o, "     THE FINAL COORDINATES-          X=%10.3f  Y=%10.3f  Z=%10.3f\n", P[3], P[4], Zf);
        break;
    }
    case 7:
        Appendf(o, "     THE PATTERN IS AN ORBITAL CUT WITH PHI INCREMENTED FROM\n");
        Appendf(o, "     %10.3f DEGREES TO %10.3f DEGREES AND THE ORBIT IS %10.3f\n", P[1], P[4], P[0]);
        break;
    default:
        break;
    }
}

int CheckComputable(const RunInputs& in, std::string& fort7) {
    struct Unusable {
        bool when;
        const char* format;
        double value;
    };
    const Unusable reasons[] = {
        {in.NA <= 0, "  NO FIELD COMPUTED: THE NUMBER OF ANTENNAS IS%10.0f\n", static_cast<double>(in.NA)},
        {in.NPTS <= 0, "  NO FIELD COMPUTED: THE NUMBER OF POINTS IS%10.0f\n", static_cast<double>(in.NPTS)},
        {in.MODEL < 0 || in.MODEL > 2, "  NO FIELD COMPUTED: THERE IS NO FIELD MODEL%10.0f\n",
         static_cast<double>(in.MODEL)},
        {!(in.FREQ > 0), "  NO FIELD COMPUTED: THE FREQUENCY IS%10.3f MHZ\n", in.FREQ},
        {in.TYPE < 1 || in.TYPE > 7, "  NO FIELD COMPUTED: THERE IS NO PATTERN CUT%10.0f\n",
         static_cast<double>(in.TYPE)},
    };
    int code = 0;
    for (const Unusable& r : reasons) {
        if (!r.when)
            continue;
        Appendf(fort7, r.format, r.value);
        code = errors::kCard;
    }
    return code;
}

double CLRCOR(double c, double DDM, Complex S, Complex L, double M) {
    const double r = std::abs(L / S);
    const double q = r / ((r + 1) * (r + 1));
    const double a2 = 0.75 * q * q;
    const double a3 = 1.25 * q * q * q;
    const double a4 = 2.734375 * q * q * q * q;
    const double s = (q + 2 * a2 + 3 * a3 + 4 * a4) / (1 - q - a2 - a3 - a4);
    const double c1 = 1 / (r + 1) + (1 - r) * s / (r + 1);
    const double c2 = r / (r + 1) - (1 - r) * s / (r + 1);
    return std::fabs(c * c2 + (2 * M + DDM) * c1 / 2) - (2 * M - DDM) * c1 / 2;
}

void EvaluateAntenna(const RunInputs& in, const GroundData& ground, const FlightPoint& fp, int n, FieldContext& ctx,
                     AntennaResult& out) {
    out = AntennaResult{};
    const Vec3& P = fp.P;
    const AntennaInput& a = in.ant[static_cast<size_t>(n)];
    ctx.antenna = n;
    ctx.P = P;
    if (in.profileFromGround) {
        PROFIL(ground, a.pos, P, ctx.profile);
        if (n == 0) {
            Appendf(out.fort7, "     POSITION OF VERTICES:     X(COORD.)%17sY(COORD.)", " ");
            Appendf(out.fort7, "%17sZ(COORD.)\n", " ");
            writeVertices(out.fort7, ctx.profile);
        }
    } else {
        ctx.profile = in.cardProfile;
    }

    if (degenerateFieldPoint(P, a.pos, n, ctx.profile, out.fort7)) {
        out.error = errors::kCard;
        return;
    }

    if (in.A >= 0.0001) {
        out.ISS = phasor(a.issMag, a.issPha);
        out.ICS = phasor(a.icsMag, a.icsPha);
        out.ICC = phasor(a.iccMag, a.iccPha);
    } else {
        out.ISS = phasor(std::sqrt(a.issMag) / 0.80235, a.issPha);
        out.ICS = phasor(std::sqrt(a.icsMag) * in.M, a.icsPha);
        out.ICC = phasor(std::sqrt(a.iccMag), a.iccPha);
    }

    ctx.fort7.clear();
    const int rc = CallFieldModel(ctx, out.E);
    out.fort7 += ctx.fort7;
    if (rc != 0) {
        out.error = rc;
        return;
    }
    // A field point on an antenna, or feeds with no real value, have no defined field.
    const Complex& E = out.E;
    if (!std::isfinite(E.real()) || !std::isfinite(E.imag()) || !std::isfinite(out.ISS.real() + out.ISS.imag()) ||
        !std::isfinite(out.ICS.real() + out.ICS.imag()) || !std::isfinite(out.ICC.real() + out.ICC.imag())) {
        out.error = errors::kCard;
        return;
    }
    Appendf(out.fort10, "%10.2f%10.2f%10.2f%20.11E%20.11E\n", P.x, P.y, P.z, E.real(), E.imag());
}

void CombinePoint(const RunInputs& in, const FlightPoint& fp, int i, const AntennaResult* antennas, PointResult& out) {
    out = PointResult{};
    const Vec3& P = fp.P;
    const auto& Pc = in.P;
    const Vec3& th = in.theodolite;

    if (i == 0) {
        if (in.TYPE == 4 || in.TYPE == 5) {
            const double a1 =
                in.TYPE == 4 ? std::atan2(Pc[2] - th.z, std::hypot(Pc[0] - th.x, Pc[1] - th.y)) * kDegPerRad : 1.0;
            const double a2 =
                in.TYPE == 4 ? std::atan2(Pc[5] - th.z, std::hypot(Pc[3] - th.x, Pc[4] - th.y)) * kDegPerRad : 4.5;
            Appendf(out.fort7, "0     THE PATTERN IS A LEVEL RUN AT ALTITUDE");
            Appendf(out.fort7, "%10.3f  WITH INITIAL AND FINAL ELEVATED ANGLE%10.3f%10.3f  IN DEGREES\n", Pc[2], a1,
                    a2);
        }
        Appendf(out.fort7, "               THE OUTPUT DATA IS AS FOLLOWS:\n");
        Appendf(out.fort7, "    X           Y          Z     ALPHA  DCDI    CDI      ET1     ET1PHA    ET2     "
                           "ET2PHA    ET3     ET3PHA  ECSMAG    ESSMAG\n");
    }

    Complex ESB, ECSB, ECLR, ECSBM;
    double ET[limits::kMaxAntennas] = {};
    double ETPHA[limits::kMaxAntennas] = {};
    const double X1 = in.ant[0].pos.x, Y1 = in.ant[0].pos.y;
    const double R0 = std::sqrt((P.x - X1) * (P.x - X1) + (P.y - Y1) * (P.y - Y1) + P.z * P.z);
    const Complex j(0, 1);

    for (int n = 0; n < in.NA; ++n) {
        const AntennaResult& a = antennas[n];
        out.fort7 += a.fort7;
        out.fort10 += a.fort10;
        if (a.error != 0) {
            out.error = a.error;
            return;
        }
        const Complex& E = a.E;
        const Complex En = E / std::exp(-j * in.k * R0);
        ET[n] = std::abs(En);
        if (ET[n] != 0)
            ETPHA[n] = std::atan2(En.imag(), En.real()) * kDegPerRad;
        ESB += E * a.ISS;
        ECSB += E * a.ICS;
        ECLR += E * a.ICC;
        ECSBM = ECSB / in.M;
    }

    double CDI = 0, DCDI = 8888.0, thetaT = 0, ESSMAG = 0, ECSMAG = 0;
    if (std::abs(ECSB) != 0) {
        const double Ap = in.A > 0.0001 ? in.A : 1.0;
        const double t = (Ap * ESB / ECSB).real();
        double DDM = std::fabs(t) < 1 ? 2 * in.M * t : (t < 0 ? -2 * in.M : 2 * in.M);
        if (in.clearanceCorrection)
            DDM = CLRCOR(in.MC150, DDM, ECSBM, ECLR, in.M);
        CDI = DDM * kMicroampsPerDdm;
        if (in.widthRefAngle != 0) {
            thetaT = ATAN2S(P.z - th.z, std::hypot(P.x - th.x, P.y - th.y)) * kDegPerRad;
            DCDI = CDI - (150.0 / in.widthRefAngle) * (in.pathRefAngle - thetaT);
        }
        ESSMAG = std::abs(ESB) * Ap;
        ECSMAG = std::abs(ECSB);
    } else if (in.widthRefAngle != 0) {
        DCDI = 0;
    }

    double x = 0, y = 0;
    if (in.PLOTON != 0) {
        switch (in.XSEL) {
        case 1: x = P.y; break;
        case 2: x = fp.ALPHA; break;
        case 3: x = -P.x; break;
        case 4: x = P.x; break;
        case 5: x = fp.azimuth; break;
        default: break;
        }
        switch (in.YSEL) {
        case 1: y = CDI; break;
        case 2: y = DCDI; break;
        case 3: y = ET[0]; break;
        case 4: y = ETPHA[0]; break;
        case 5: y = ET[1]; break;
        case 6: y = ETPHA[1]; break;
        case 7: y = ET[2]; break;
        case 8: y = ETPHA[2]; break;
        case 9: y = ECSMAG; break;
        case 10: y = ESSMAG; break;
        case 11: y = std::fabs(CDI); break;
        default: break;
        }
    }

    const double written[] = {CDI, DCDI, thetaT, ESSMAG, ECSMAG, x, y};
    for (double v : written)
        if (!std::isfinite(v)) {
            out.error = errors::kCard;
            return;
        }

    Appendf(out.fort7,
            "%10.3f %10.3f %10.3f %5.3f %5.3f %6.1f %6.1f %10.3E %6.1f %10.3E %6.1f %10.3E %6.1f %10.3E %10.3E\n", P.x,
            P.y, P.z, fp.ALPHA, thetaT, DCDI, CDI, ET[0], ETPHA[0], ET[1], ETPHA[1], ET[2], ETPHA[2], ECSMAG, ESSMAG);
    if (in.NA > 3)
        Appendf(out.fort7, " %10.3E %6.1f%10.3E %6.1f\n", ET[3], ETPHA[3], ET[4], ETPHA[4]);
    Appendf(out.plot, " %12.5E %12.5E\n", x, y);
}

void EvaluatePoint(const RunInputs& in, const GroundData& ground, const FlightPoint& fp, int i, FieldContext& ctx,
                   PointResult& out) {
    std::array<AntennaResult, limits::kMaxAntennas> antennas;
    for (int n = 0; n < in.NA; ++n) {
        EvaluateAntenna(in, ground, fp, n, ctx, antennas[static_cast<size_t>(n)]);
        if (antennas[static_cast<size_t>(n)].error != 0)
            break;
    }
    CombinePoint(in, fp, i, antennas.data(), out);
}

namespace {

bool takeStop(RunControl& control) {
    return control.stopRequested && control.stopRequested->exchange(0) != 0;
}

// Writes one evaluated point; returns its error (0 when the run goes on).
int writePoint(const PointResult& r, RunFiles& files) {
    files.write(RunFiles::kReport, r.fort7);
    files.write(RunFiles::kEcho, r.fort10);
    if (r.error != 0)
        return r.error;
    files.write(RunFiles::kPlot, r.plot);
    return 0;
}

void publishProgress(RunControl& control, size_t written, size_t total) {
    if (control.progress)
        control.progress->store(static_cast<std::int32_t>(written * 100 / total));
}

// The point loop on the run thread alone: each point evaluated, then written.
int runOnThisThread(const RunInputs& in, const GroundData& ground, const std::vector<FlightPoint>& points,
                    RunFiles& files, RunControl& control) {
    if (const int refused = ClearOutputs(files))
        return refused + errors::kFileBase;
    FieldContext ctx(in);
    PointResult r;
    for (size_t i = 0; i < points.size(); ++i) {
        if (takeStop(control))
            return errors::kStopped;
        EvaluatePoint(in, ground, points[i], static_cast<int>(i), ctx, r);
        if (const int rc = writePoint(r, files))
            return rc;
        publishProgress(control, i + 1, points.size());
        if (control.afterPoint)
            control.afterPoint(static_cast<int>(i));
    }
    return 0;
}

} // namespace

// A point of a loop. Its antennas' parts are written by the helpers that evaluate them, the point by the
// helper that evaluates its last part, and the run thread reads it once its flag is set. Kept from loop to
// loop with their texts freed, so that no loop pays for faulting in fresh memory nor for freeing it (in a
// virtual machine the first costs the helpers microseconds a page, the second the run thread a walk over
// cache lines the helpers hold).
struct alignas(64) PointHelpers::Slot {
    std::atomic<int> pending{0}; // parts not yet evaluated
    std::atomic<std::uint8_t> ready{0};
    PointResult result;
    std::array<AntennaResult, limits::kMaxAntennas> antennas;
};

// One loop's points, taken in order by the helpers: whole, a point's antennas on one helper whose caches
// they share, except the last round of points, which is taken antenna by antenna so that the loop's end
// waits for a third of a point, not a whole one.
struct PointHelpers::Batch {
    Batch(PointHelpers& helpers, const RunInputs& in, const GroundData& ground, const std::vector<FlightPoint>& points,
          size_t seats, std::vector<Slot>& slots)
        : helpers(helpers), in(in), ground(ground), points(points), parts(static_cast<size_t>(std::max(in.NA, 1))),
          whole(points.size() - std::min(points.size(), seats)), items(whole + (points.size() - whole) * parts),
          seats(seats), slots(slots) {
        if (slots.size() < points.size())
            slots = std::vector<Slot>(points.size());
        for (size_t i = 0; i < points.size(); ++i) {
            slots[i].pending.store(static_cast<int>(parts), std::memory_order_relaxed);
            slots[i].ready.store(0, std::memory_order_relaxed);
        }
    }

    // A loop that ended early leaves texts in the points it did not write (the written ones have none).
    ~Batch() {
        for (size_t i = written; i < points.size(); ++i) {
            slots[i].result = PointResult{};
            for (AntennaResult& part : slots[i].antennas)
                part = AntennaResult{};
        }
    }

    // What each helper that takes one of the batch's seats does.
    void work() {
        FieldContext ctx(in);
        while (helpers.evaluate(*this, take(), ctx)) {
        }
    }

    // The next item nobody has taken, or the item count when all are taken or the loop has ended.
    size_t take() {
        return ended.load(std::memory_order_relaxed) ? items : std::min(next.fetch_add(1), items);
    }

    PointHelpers& helpers;
    const RunInputs& in;
    const GroundData& ground;
    const std::vector<FlightPoint>& points;
    const size_t parts; // parts of a point taken by antenna: one an antenna
    const size_t whole; // points taken whole, the first ones
    const size_t items; // the whole points and the parts of the others
    const size_t seats;
    std::vector<Slot>& slots;
    size_t written = 0; // points the run thread has written
    std::atomic<size_t> next{0};
    std::atomic<size_t> completed{0}; // points evaluated
    std::atomic<size_t> wakeAt{0};    // the completed count the waiting run thread waits for
    std::atomic<bool> ended{false};
    std::atomic<int> seatsLeft{0}; // seats no helper has taken yet
    std::uint32_t posted = 0;      // the post that gave it
};

size_t PointHelpers::wanted(int threads, size_t points) {
    // Asked once: each ask reads a system file, twice a run.
    static const size_t cores = std::max<size_t>(1, std::thread::hardware_concurrency());
    const size_t total = threads > 0 ? static_cast<size_t>(threads) : cores;
    return total > 1 && points > 1 ? std::min(total, points) : 0;
}

PointHelpers::PointHelpers() = default;

PointHelpers::~PointHelpers() {
    quit_.store(true);
    posted_.fetch_add(1);
    posted_.notify_all();
    for (auto& t : helpers_)
        t.join();
}

void PointHelpers::reserve(int threads, size_t points) {
    const size_t count = wanted(threads, points);
    while (helpers_.size() < count) {
        try {
            helpers_.emplace_back([this] { help(); });
        } catch (const std::exception&) {
            return;
        }
    }
}

void PointHelpers::help() {
    CLocaleScope locale;
    std::uint32_t seen = 0;
    for (;;) {
        posted_.wait(seen);
        seen = posted_.load();
        if (quit_.load())
            return;
        // Counted busy before the batch is looked at: withdraw clears it first and then waits for
        // the count, so a helper either sees no batch or is waited for.
        busy_.fetch_add(1);
        Batch* batch = batch_.load();
        if (batch && batch->posted == seen && batch->seatsLeft.fetch_sub(1) > 0)
            batch->work();
        if (busy_.fetch_sub(1) == 1)
            busy_.notify_all();
    }
}

void PointHelpers::post(Batch& batch, size_t seats) {
    batch.seatsLeft.store(static_cast<int>(seats));
    batch.posted = posted_.load() + 1;
    batch_.store(&batch);
    posted_.fetch_add(1);
    posted_.notify_all();
}

void PointHelpers::withdraw(Batch& batch) {
    Batch* posted = &batch;
    batch_.compare_exchange_strong(posted, nullptr);
    for (std::uint32_t busy = busy_.load(); busy != 0; busy = busy_.load())
        busy_.wait(busy);
}

bool PointHelpers::evaluate(Batch& batch, size_t item, FieldContext& ctx) {
    if (item >= batch.items)
        return false;
    if (item < batch.whole) {
        Slot& slot = batch.slots[item];
        EvaluatePoint(batch.in, batch.ground, batch.points[item], static_cast<int>(item), ctx, slot.result);
        pointReady(batch, slot);
        return true;
    }
    const size_t i = batch.whole + (item - batch.whole) / batch.parts, n = (item - batch.whole) % batch.parts;
    Slot& slot = batch.slots[i];
    if (static_cast<int>(n) < batch.in.NA)
        EvaluateAntenna(batch.in, batch.ground, batch.points[i], static_cast<int>(n), ctx, slot.antennas[n]);
    // The helper of the point's last part sees the others' parts (the count is read and written in one
    // sequentially consistent step by each).
    if (slot.pending.fetch_sub(1) != 1)
        return true;
    CombinePoint(batch.in, batch.points[i], static_cast<int>(i), slot.antennas.data(), slot.result);
    // Freed here, on the helpers, rather than all at the loop's end on the run thread.
    for (AntennaResult& part : slot.antennas)
        part = AntennaResult{};
    pointReady(batch, slot);
    return true;
}

void PointHelpers::pointReady(Batch& batch, Slot& slot) {
    slot.ready.store(1);
    const size_t completed = batch.completed.fetch_add(1) + 1;
    // Only a run thread that has said it waits for this many points needs waking (the flag, the count
    // and the target are all sequentially consistent, so either it sees the count or this sees it
    // waiting for it).
    if (runThreadWaits_.load() && completed >= batch.wakeAt.load()) {
        { std::lock_guard lock(mutex_); }
        done_.notify_all();
    }
}

void PointHelpers::waitFor(Batch& batch, size_t i, std::chrono::milliseconds timeout) {
    std::unique_lock lock(mutex_);
    // Woken when point i is ready and about a round of the helpers' points has completed since, not for
    // every point: each wake takes this thread onto a core a helper is using, and costs that helper tens
    // of microseconds in a virtual machine.
    const size_t target = std::min(batch.points.size(), std::max(i + batch.seats, batch.completed.load() + 1));
    batch.wakeAt.store(target);
    runThreadWaits_.store(true);
    done_.wait_for(lock, timeout,
                   [&] { return batch.completed.load() >= target && batch.slots[i].ready.load() != 0; });
    runThreadWaits_.store(false);
}

int PointHelpers::run(const RunInputs& in, const GroundData& ground, const std::vector<FlightPoint>& points,
                      RunFiles& files, RunControl& control) {
    const size_t n = points.size();
    const size_t seats = std::min(wanted(control.threads, n), helpers_.size());
    if (seats == 0)
        return runOnThisThread(in, ground, points, files, control);

    Batch batch(*this, in, ground, points, seats, slots_);
    // However the loop ends, no helper uses the batch after it.
    struct Withdraw {
        PointHelpers& helpers;
        Batch& batch;
        ~Withdraw() {
            batch.ended.store(true);
            helpers.withdraw(batch);
        }
    } withdrawing{*this, batch};
    post(batch, seats);
    // While the helpers compute the first points.
    if (const int refused = ClearOutputs(files))
        return refused + errors::kFileBase;

    // The run thread only writes: it also writes the report and echo files, whose writes may be held up
    // by the file system, and a thread held up there must not be one that evaluates.
    const auto stopping = [&] { return control.stopRequested && control.stopRequested->load() != 0; };
    for (size_t w = 0; w < n; ++w) {
        while (batch.slots[w].ready.load() == 0 && !stopping())
            waitFor(batch, w, std::chrono::milliseconds(20));
        if (takeStop(control))
            return errors::kStopped;
        PointResult& result = batch.slots[w].result;
        if (const int rc = writePoint(result, files))
            return rc;
        // Freed while the helpers compute, not all at the loop's end.
        result = PointResult{};
        batch.written = w + 1;
        publishProgress(control, w + 1, n);
        if (control.afterPoint)
            control.afterPoint(static_cast<int>(w));
    }
    return 0;
}

} // namespace kelvd
