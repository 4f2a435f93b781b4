#include "gtd_model.h"

#include "engine_constants.h"
#include "gtd_diffract.h"
#include "gtd_plates.h"
#include "gtd_quiet_legs.h"
#include "gtd_reflect.h"
#include "gtd_source.h"
#include "gtd_trace.h"
#include "text_format.h"

#include <algorithm>
#include <cmath>

namespace kelvd {

namespace {
constexpr double kHalfElement = 0.05; // feet: the antenna is an element of 0.1 ft
} // namespace

int GTDFLD(FieldContext& ctx, Complex& E, double cant) {
    const RunInputs& in = ctx.in;
    GtdCall g(in, ctx.gtd, ctx.fort7, ctx.antenna);
    g.cant = cant;
    if (in.profileFromGround) {
        // The profile was cut afresh for this antenna and point: what was seen over the last one says
        // nothing about this one.
        for (auto& edge : ctx.gtd.edgeSeen)
            edge[static_cast<size_t>(ctx.antenna)] = 0;
    }
    if (BuildPlates(g, ctx.profile) >= 0)
        return 1;

    const double lambda = in.lambda;
    const double s = 1 / lambda;
    g.amp = Complex(0.1 / lambda, 0);
    const Vec3& Af = in.ant[static_cast<size_t>(ctx.antenna)].pos;
    const double cr = cant * kRadPerDeg;
    const Vec3 c{std::cos(cr), std::sin(cr), 0};
    g.pt1 = s * (Af - kHalfElement * c);
    g.pt2 = s * (Af + kHalfElement * c);
    const int vertices = 2 * (g.T.NPLATE + 1);
    for (int i = 0; i < vertices; ++i)
        g.T.DRV[static_cast<size_t>(i)] = s * g.T.DRV[static_cast<size_t>(i)];
    g.P = s * ctx.P;
    g.A = s * Af;
    g.rx = ReceivingFrame(g.A, g.P);
    g.markEdgeSides();
    g.markFieldImages();
    g.quiet = FindQuietBounds(g);
    if (g.DEBUG == 1)
        Appendf(g.sink, "   FIELD POINT     %20.10f%20.10f%20.10f\n", g.P.x, g.P.y, g.P.z);

    FieldPair sum = RAYRFL(g);
    sum += RAYDIF(g);
    // The rays were summed by their components in the receiving frame: E2 is what the aircraft receives.
    E = sum.E2 / (lambda * kMetresPerFoot);
    if (g.DEBUG != 0) {
        Appendf(g.sink, "\n  THE TOTAL FIELD IS\n");
        PRTFLD(g.sink, sum);
    }
    return 0;
}

} // namespace kelvd
