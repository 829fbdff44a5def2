// The error function family.
#include "special/error_function.hpp"

#include "core/checked_float.hpp"
#include "core/double_double.hpp"
#include "core/elementary_math.hpp"

#include <array>
#include <cmath>
#include <numbers>

namespace quorvex::special {
namespace {

// The exponential sum of erfc: weights a[k] and nodes b[k].
constexpr std::array<double, 8> kErfcWeights = {0.2963168851992274,    0.18158112513463706,   0.06818664514249395,
                                                0.01569075431619667,   0.0022129011668151756, 0.00019139581309874287,
                                                9.710132840105517e-06, 1.6664244717430776e-07};
constexpr std::array<double, 8> kErfcNodes = {0.061215864449553875, 0.5509427800560021, 1.530396620587704,
                                              2.9995795231130065,   4.958677771282467,  7.414712510993354,
                                              10.476510435654523,   14.845555734559795};
constexpr double kPoleLimit = 6.103997330986882;
// Beyond this |x| erfc(x) is 0 (it underflows from 27.3 on) or 2 (from -6 on).
constexpr double kSaturatedArgument = 1e8;
constexpr double kPoleScale = 12.697489996511568;
constexpr double kTwoOverSqrtPi = 1.1283791670955126;
constexpr double kSqrtPiOverTwo = 0.88622692545275801;
constexpr double kLn2 = std::numbers::ln2;
// Below this |x| the difference 1 - erfc(x) cancels more than one digit.
constexpr double kSmallErfArgument = 0.5;
// erfinv(y) = t (1 + t^2 / 3 + 7 t^4 / 30 + ...), t = sqrt(pi) y / 2 (DLMF 7.17.2): the
// coefficients of t^3 and t^5.
constexpr double kInverseErfCubic = 0.33333333333333333;
constexpr double kInverseErfQuintic = 0.23333333333333333;
// The series' guess is within 1.5e-3 relative for |y| < 0.5, the rational one of A&S 26.2.23 within
// 3.2e-4 absolute: two Halley (cubic) or Newton (quadratic) steps bring either below 1e-17.
constexpr int kRefinementSteps = 2;
// Below this erfc(x) nears the subnormal numbers, whose few bits cannot steer a Halley step on
// erfc; the Newton steps there work on ln erfc.
constexpr double kLogRefinementBound = 1e-280;

// The exponential sum S(x^2) = sum a[k] / (x^2 + b[k]), erfc(x) = x e^(-x^2) S(x^2) past the pole.
double ExponentialSum(double square) {
    Checked sum = 0.0;
    for (std::size_t k = 0; k < kErfcWeights.size(); ++k) sum += kErfcWeights[k] / (Checked(square) + kErfcNodes[k]);
    return double(sum);
}

// x with erfc(x) = p for p < 1e-280 (x > 25): Newton steps on ln erfc(x) - ln p, with
// ln erfc(x) = ln(x S(x^2)) - x^2 (x^2 exact in two parts) and its slope -2 / (sqrt(pi) x S(x^2)).
double RefineInLogs(double x, double p) {
    const double logP = CheckedLn(p);
    for (int step = 0; step < kRefinementSteps; ++step) {
        const DoubleDouble square = TwoProduct(x, x);
        const Checked scaled = Checked(x) * ExponentialSum(square.hi);
        const Checked gap = CheckedLn(scaled) - square.lo + (Checked(-square.hi) - logP);
        x = double(x + gap * kSqrtPiOverTwo * scaled);
    }
    return x;
}

// x with erfc(x) = p for 1e-280 <= p <= 0.5: Halley steps on erfc(x) - p.
double RefineOnErfc(double x, double p) {
    for (int step = 0; step < kRefinementSteps; ++step) {
        const Checked err = Checked(Erfc(x)) - p;
        const Checked slope = kTwoOverSqrtPi * Checked(ExpOfNegativeSquare(x, 0.0)) - x * err;
        x = double(x + err / slope);
    }
    return x;
}

// erfinv(y) for 0 <= y < 0.5: the series' guess, then Halley steps on the accurate erf.
double InverseErfNearZero(double y) {
    const Checked t = kSqrtPiOverTwo * Checked(y);
    const Checked t2 = t * t;
    const Checked series = kInverseErfCubic + t2 * kInverseErfQuintic;
    double x = double(t * (1.0 + t2 * series));
    for (int step = 0; step < kRefinementSteps; ++step) {
        const Checked err = Checked(Erf(x)) - y;
        const Checked slope = kTwoOverSqrtPi * Checked(ExpOfNegativeSquare(x, 0.0)) + x * err;
        x = double(x - err / slope);
    }
    return x;
}

}  // namespace

double ExpOfNegativeSquare(double hi, double lo) {
    const DoubleDouble square = TwoProduct(hi, hi);
    const double decay = CheckedExp(-square.hi);
    // Past exp's underflow the low part, half an ulp of a large square, need not be small.
    if (decay == 0.0) return 0.0;
    return CheckedMultiply(decay, Exp(-(square.lo + 2.0 * hi * lo)));
}

double ErfcOfSum(double hi, double lo) {
    // Far out erfc is 0 or 2 to every digit, and its square would overflow from 1.3e154 on: an
    // overflow error there was a fault, erf(-1e200) is -1.
    if (std::fabs(hi) > kSaturatedArgument) return hi > 0.0 ? 0.0 : 2.0;
    Checked p = 0.0;
    if (hi < kPoleLimit) p = 2.0 / (CheckedExp(kPoleScale * Checked(hi)) + 1.0);
    const Checked square = Checked(hi) * hi;
    const Checked decay = Checked(hi) * ExpOfNegativeSquare(hi, lo);
    for (std::size_t k = 0; k < kErfcWeights.size(); ++k) {
        const Checked weighted = decay * kErfcWeights[k];
        p += weighted / (square + kErfcNodes[k]);
    }
    return double(p);
}

double Erfc(double x) { return ErfcOfSum(x, 0.0); }

// 1 - erfc(x) keeps only absolute accuracy, which near 0 leaves few of the 15 digits shown;
// there the library's own erf is used.
double Erf(double x) {
    if (std::fabs(x) < kSmallErfArgument) return CheckResult(ErfNearZero(x), x);
    return CheckedSubtract(1.0, Erfc(x));
}

double InverseErfc(double y) {
    if (y > 1.0 - kSmallErfArgument && y < 1.0 + kSmallErfArgument) return InverseErf(CheckedSubtract(1.0, y));
    const double pp = y <= 1.0 ? y : CheckedSubtract(2.0, y);
    // ln(pp / 2) as ln pp - ln 2: pp / 2 underflows to 0 at the smallest subnormal.
    const Checked t = CheckedSqrt(-2.0 * (Checked(CheckedLn(pp)) - kLn2));
    const Checked ratio = (2.30753 + 0.27061 * t) / (1.0 + t * (0.99229 + 0.04481 * t));
    const double guess = double(-0.70711 * (ratio - t));
    const double x = pp < kLogRefinementBound ? RefineInLogs(guess, pp) : RefineOnErfc(guess, pp);
    return y > 1.0 ? -x : x;
}

double InverseErf(double y) {
    const double magnitude = std::fabs(y);
    if (magnitude < kSmallErfArgument) return std::copysign(InverseErfNearZero(magnitude), y);
    return std::copysign(InverseErfc(CheckedSubtract(1.0, magnitude)), y);
}

}  // namespace quorvex::special
