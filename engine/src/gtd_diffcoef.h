#ifndef KELVD_GTD_DIFFCOEF_H
#define KELVD_GTD_DIFFCOEF_H

#include "engine_types.h"

#include <string>

namespace kelvd {

// Fresnel integrals C(x) = int_0^x cos t / sqrt(2 pi t) dt and S(x) likewise with sin, of |x|, by the
// rational approximations (about 1e-6 accurate).
void FRESNL(double& C, double& S, double x);

// The transition function F(X) of the uniform wedge diffraction coefficient.
Complex FERNEL(double X);

// cos x / sin x; 1e50 where |sin x| <= 1e-50.
double COTAN(double x);
double SGN(double x);

// What a term of the uniform coefficient takes exactly on its shadow boundary, where it jumps by the
// field of the geometrical-optics ray that the boundary switches on or off. Mean: the mean of its two
// sides (a sign of 0), the coefficient on its own. AsTraced: the side that the ray tracers count such a
// point to (a ray grazing an edge is not blocked; a reflection point on a plate's border lies outside
// the plate), so that the ray and the diffracted field together take the limit both sides agree on.
enum class OnBoundary { Mean, AsTraced };

// The soft and hard wedge diffraction coefficients Ds, Dh and the spreading factor A for diffraction
// angle phi and incidence angle phip (degrees, from the face of the first plate), the ray's angle to the
// edge beta0 (degrees), distances s (edge to observer) and sp (source to edge) in wavelengths and the
// wedge angle WA (degrees of ground). Mode 1 plane, 2 cylindrical, 3 spherical wave, 4 distance Lgiven.
// Degenerate geometry (sin beta0 = 0, a zero distance) gives Ds = Dh = 0 and A = 0. With debug 1 the
// coefficient's trace lines are appended to sink.
void DIFCOF(double phi, double phip, double beta0, double s, double sp, double WA, double Lgiven, double& A,
            int mode, Complex& Ds, Complex& Dh, int debug, std::string& sink,
            OnBoundary onBoundary = OnBoundary::Mean);

} // namespace kelvd

#endif
