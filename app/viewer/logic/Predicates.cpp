#include "viewer/logic/Predicates.h"

#include <cmath>

namespace viewer {
namespace {

// Expansion arithmetic: a number held exactly as a sum of doubles that do not overlap, smallest
// magnitude first, zeros removed (an expansion of the value 0 is the one term 0). Sums and products
// of doubles are split into the rounded result and its exact error (the error of a product by a
// fused multiply-add), which keeps every step exact under round-to-nearest.
template <int N>
struct Expansion {
    double term[N];
    int count = 0;

    double Sign() const { return term[count - 1]; }
};

inline void TwoSum(double a, double b, double& sum, double& error) {
    sum = a + b;
    const double bVirtual = sum - a;
    const double aVirtual = sum - bVirtual;
    error = (a - aVirtual) + (b - bVirtual);
}

inline void FastTwoSum(double a, double b, double& sum, double& error) {
    sum = a + b;
    error = b - (sum - a);
}

inline void TwoProduct(double a, double b, double& product, double& error) {
    product = a * b;
    error = std::fma(a, b, -product);
}

// a − b exactly.
Expansion<2> Difference(double a, double b) {
    Expansion<2> e;
    double sum = 0;
    double error = 0;
    TwoSum(a, -b, sum, error);
    if (error != 0)
        e.term[e.count++] = error;
    e.term[e.count++] = sum;
    return e;
}

// h = e + f (or e − f with negate), merging by magnitude; h has room for e.count + f.count terms.
template <int N, int M, int K>
void Add(const Expansion<N>& e, const Expansion<M>& f, Expansion<K>& h, bool negate = false) {
    const double sign = negate ? -1.0 : 1.0;
    int ei = 0;
    int fi = 0;
    double enow = e.term[0];
    double fnow = sign * f.term[0];
    const auto nextE = [&] { enow = ++ei < e.count ? e.term[ei] : 0.0; };
    const auto nextF = [&] { fnow = ++fi < f.count ? sign * f.term[fi] : 0.0; };
    const auto takeE = [&] { return (fnow > enow) == (fnow > -enow); };
    h.count = 0;
    double q = 0;
    if (takeE()) {
        q = enow;
        nextE();
    } else {
        q = fnow;
        nextF();
    }
    double qNew = 0;
    double hh = 0;
    if (ei < e.count && fi < f.count) {
        if (takeE()) {
            FastTwoSum(enow, q, qNew, hh);
            nextE();
        } else {
            FastTwoSum(fnow, q, qNew, hh);
            nextF();
        }
        q = qNew;
        if (hh != 0)
            h.term[h.count++] = hh;
        while (ei < e.count && fi < f.count) {
            if (takeE()) {
                TwoSum(q, enow, qNew, hh);
                nextE();
            } else {
                TwoSum(q, fnow, qNew, hh);
                nextF();
            }
            q = qNew;
            if (hh != 0)
                h.term[h.count++] = hh;
        }
    }
    while (ei < e.count) {
        TwoSum(q, enow, qNew, hh);
        nextE();
        q = qNew;
        if (hh != 0)
            h.term[h.count++] = hh;
    }
    while (fi < f.count) {
        TwoSum(q, fnow, qNew, hh);
        nextF();
        q = qNew;
        if (hh != 0)
            h.term[h.count++] = hh;
    }
    if (q != 0 || h.count == 0)
        h.term[h.count++] = q;
}

// h = e × b.
template <int N, int K>
void Scale(const Expansion<N>& e, double b, Expansion<K>& h) {
    static_assert(K >= 2 * N);
    h.count = 0;
    double q = 0;
    double hh = 0;
    TwoProduct(e.term[0], b, q, hh);
    if (hh != 0)
        h.term[h.count++] = hh;
    for (int i = 1; i < e.count; ++i) {
        double product = 0;
        double productError = 0;
        double sum = 0;
        TwoProduct(e.term[i], b, product, productError);
        TwoSum(q, productError, sum, hh);
        if (hh != 0)
            h.term[h.count++] = hh;
        FastTwoSum(product, sum, q, hh);
        if (hh != 0)
            h.term[h.count++] = hh;
    }
    if (q != 0 || h.count == 0)
        h.term[h.count++] = q;
}

// h = e × f.
template <int N, int M, int K>
void Multiply(const Expansion<N>& e, const Expansion<M>& f, Expansion<K>& h) {
    static_assert(K >= 2 * N * M);
    Scale(e, f.term[0], h);
    for (int j = 1; j < f.count; ++j) {
        Expansion<2 * N> part;
        Scale(e, f.term[j], part);
        Expansion<K> sum;
        Add(h, part, sum);
        for (int i = 0; i < sum.count; ++i)
            h.term[i] = sum.term[i];
        h.count = sum.count;
    }
}

int SignOf(double v) {
    return (v > 0) - (v < 0);
}

int ExactOrient(const Point2& a, const Point2& b, const Point2& c) {
    const Expansion<2> acx = Difference(a.x, c.x);
    const Expansion<2> bcy = Difference(b.y, c.y);
    const Expansion<2> acy = Difference(a.y, c.y);
    const Expansion<2> bcx = Difference(b.x, c.x);
    Expansion<8> left;
    Expansion<8> right;
    Multiply(acx, bcy, left);
    Multiply(acy, bcx, right);
    Expansion<16> det;
    Add(left, right, det, true);
    return SignOf(det.Sign());
}

// u × v − w × z for differences u, v, w, z.
Expansion<16> Cross(const Expansion<2>& u, const Expansion<2>& v, const Expansion<2>& w,
                    const Expansion<2>& z) {
    Expansion<8> left;
    Expansion<8> right;
    Multiply(u, v, left);
    Multiply(w, z, right);
    Expansion<16> result;
    Add(left, right, result, true);
    return result;
}

Expansion<16> Lift(const Expansion<2>& dx, const Expansion<2>& dy) {
    Expansion<8> xx;
    Expansion<8> yy;
    Multiply(dx, dx, xx);
    Multiply(dy, dy, yy);
    Expansion<16> result;
    Add(xx, yy, result);
    return result;
}

int ExactInCircle(const Point2& a, const Point2& b, const Point2& c, const Point2& d) {
    const Expansion<2> adx = Difference(a.x, d.x);
    const Expansion<2> ady = Difference(a.y, d.y);
    const Expansion<2> bdx = Difference(b.x, d.x);
    const Expansion<2> bdy = Difference(b.y, d.y);
    const Expansion<2> cdx = Difference(c.x, d.x);
    const Expansion<2> cdy = Difference(c.y, d.y);
    Expansion<512> aTerm;
    Expansion<512> bTerm;
    Expansion<512> cTerm;
    Multiply(Lift(adx, ady), Cross(bdx, cdy, cdx, bdy), aTerm);
    Multiply(Lift(bdx, bdy), Cross(cdx, ady, adx, cdy), bTerm);
    Multiply(Lift(cdx, cdy), Cross(adx, bdy, bdx, ady), cTerm);
    Expansion<1024> ab;
    Add(aTerm, bTerm, ab);
    Expansion<1536> det;
    Add(ab, cTerm, det);
    return SignOf(det.Sign());
}

} // namespace

namespace detail {

int Orient2DExact(const Point2& a, const Point2& b, const Point2& c) {
    return ExactOrient(a, b, c);
}

int InCircleExact(const Point2& a, const Point2& b, const Point2& c, const Point2& d) {
    return ExactInCircle(a, b, c, d);
}

} // namespace detail
} // namespace viewer
