// The error function family.
#include "special/error_function.hpp"

#include "core/checked_float.hpp"
#include "core/elementary_math.hpp"

#include <array>
#include <cmath>

namespace quorvex::special {
namespace {

// The exponential sum of erfc: weights a[k] and nodes b[k].
constexpr std::array<double, 8> kErfcWeights = {
    0.2963168851992274,    0.18158112513463706,    0.06818664514249395,  0.01569075431619667,
    0.0022129011668151756, 0.00019139581309874287, 9.710132840105517e-06, 1.6664244717430776e-07};
constexpr std::array<double, 8> kErfcNodes = {
    0.061215864449553875, 0.5509427800560021, 1.530396620587704,  2.9995795231130065,
    4.958677771282467,    7.414712510993354,  10.476510435654523, 14.845555734559795};
constexpr double kPoleLimit = 6.103997330986882;
constexpr double kPoleScale = 12.697489996511568;
constexpr double kTwoOverSqrtPi = 1.1283791670955126;
// Below this |x| the difference 1 - erfc(x) cancels more than one digit.
constexpr double kSmallErfArgument = 0.5;

}  // namespace

double Erfc(double x) {
    double p = 0.0;
    if (x < kPoleLimit) p = CheckedDivide(2.0, CheckedAdd(CheckedExp(CheckedMultiply(kPoleScale, x)), 1.0));
    const double square = CheckedMultiply(x, x);
    for (std::size_t k = 0; k < kErfcWeights.size(); ++k) {
        const double weighted = CheckedMultiply(CheckedMultiply(x, CheckedExp(-square)), kErfcWeights[k]);
        p = CheckedAdd(p, CheckedDivide(weighted, CheckedAdd(square, kErfcNodes[k])));
    }
    return p;
}

// 1 - erfc(x) keeps only absolute accuracy, which near 0 leaves few of the 15 digits shown;
// there the library's own erf is used.
double Erf(double x) {
    if (std::fabs(x) < kSmallErfArgument) return CheckResult(ErfNearZero(x), x);
    return CheckedSubtract(1.0, Erfc(x));
}

double InverseErfc(double y) {
    const double pp = y <= 1.0 ? y : CheckedSubtract(2.0, y);
    const double t = CheckedSqrt(CheckedMultiply(-2.0, CheckedLn(CheckedDivide(pp, 2.0))));
    const double ratio = CheckedDivide(CheckedAdd(2.30753, CheckedMultiply(0.27061, t)),
                                       CheckedAdd(1.0, CheckedMultiply(t, CheckedAdd(0.99229, CheckedMultiply(0.04481, t)))));
    double x = CheckedMultiply(-0.70711, CheckedSubtract(ratio, t));
    for (int step = 0; step < 2; ++step) {
        const double err = CheckedSubtract(Erfc(x), pp);
        const double slope = CheckedSubtract(CheckedMultiply(kTwoOverSqrtPi, CheckedExp(-CheckedMultiply(x, x))),
                                             CheckedMultiply(x, err));
        x = CheckedAdd(x, CheckedDivide(err, slope));
    }
    return y > 1.0 ? -x : x;
}

double InverseErf(double y) { return InverseErfc(CheckedSubtract(1.0, y)); }

}  // namespace quorvex::special
