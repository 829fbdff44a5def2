// sin(pi x) and cos(pi x): x mod 2 and the distance to the nearest half-integer are exact in
// binary floating point, so the only roundings are those of pi r in double-double and of the
// library's correctly rounded Sin and Cos.
#include "special/sine_pi.hpp"

#include "core/double_double.hpp"
#include "core/double_double_exp_log.hpp"
#include "core/elementary_math.hpp"

#include <cmath>
#include <limits>

namespace quorvex::special {
namespace {

// pi rounded to double-double.

// x = r + q/2 (mod 2) with |r| <= 1/4 exact and q in 0..3: the quadrant of pi x.
struct ReducedHalfTurns {
    double r;
    int q;
};

ReducedHalfTurns ReduceHalfTurns(double x) {
    const double m = std::fmod(x, 2.0);  // exact, |m| < 2
    const double n = NearestInteger(2.0 * m);
    const int q = (static_cast<int>(n) % 4 + 4) % 4;
    return {m - 0.5 * n, q};
}

// sin(pi r) and cos(pi r) for |r| <= 1/4: pi r = t + dt in double-double (|dt| <= 2^-53 |t|),
// then sin(t + dt) = sin t + dt cos t and cos(t + dt) = cos t - dt sin t to within dt^2,
// so each is within about one ulp (A&S 4.3.16, 4.3.17 to first order).
struct SineCosinePair {
    double sine;
    double cosine;
};

SineCosinePair SineCosineOfPiTimes(double r) {
    const DoubleDouble product = Multiply(kPiDoubleDouble, r);
    const double t = product.hi;
    const double dt = product.lo;
    const double s = Sin(t);
    const double c = Cos(t);
    return {s + dt * c, c - dt * s};
}

}  // namespace

double SinPi(double x) {
    if (!std::isfinite(x)) return std::numeric_limits<double>::quiet_NaN();
    const ReducedHalfTurns reduced = ReduceHalfTurns(x);
    if (reduced.r == 0.0 && reduced.q % 2 == 0) return x == 0.0 ? x : 0.0;
    const SineCosinePair pair = SineCosineOfPiTimes(reduced.r);
    switch (reduced.q) {
        case 0: return pair.sine;
        case 1: return pair.cosine;
        case 2: return -pair.sine;
        default: return -pair.cosine;
    }
}

double CosPi(double x) {
    if (!std::isfinite(x)) return std::numeric_limits<double>::quiet_NaN();
    const ReducedHalfTurns reduced = ReduceHalfTurns(x);
    if (reduced.r == 0.0 && reduced.q % 2 != 0) return 0.0;
    const SineCosinePair pair = SineCosineOfPiTimes(reduced.r);
    switch (reduced.q) {
        case 0: return pair.cosine;
        case 1: return -pair.sine;
        case 2: return -pair.cosine;
        default: return pair.sine;
    }
}

}  // namespace quorvex::special
