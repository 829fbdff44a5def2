// Elementary functions with their own formulas.
#include "functions/elementary.hpp"

#include "core/checked_float.hpp"
#include "core/elementary_math.hpp"

#include <algorithm>
#include <cmath>
#include <limits>

namespace quorvex {
namespace {

constexpr double kTwoToThe52 = 4503599627370496.0;
constexpr double kNearBound = 1e-12;
constexpr double kHalfPi = 1.5707963267948966;
constexpr double kInfinity = std::numeric_limits<double>::infinity();

bool IsNearZero(double x) { return std::fabs(x) <= kNearBound; }

// x is within 1e-12 of b, relative to the smaller magnitude but never tighter than 1e-12.
bool IsNear(double x, double b) {
    return std::fabs(x - b) <= std::max(std::min(std::fabs(x), std::fabs(b)) * kNearBound, kNearBound);
}

double Half(double v) { return CheckedMultiply(0.5, v); }

// sqrt(x x + 1)
double HypotenuseOfOne(double x) { return CheckedSqrt(CheckedAdd(CheckedMultiply(x, x), 1.0)); }

}  // namespace

double IntegerPart(double x) {
    if (std::fabs(x) < 1.0) return 0.0;
    if (std::fabs(x) >= kTwoToThe52) return x;
    return std::trunc(x);
}

double FractionalPart(double x) {
    if (std::fabs(x) < 1.0) return x;
    if (std::fabs(x) >= kTwoToThe52) return 0.0;
    return CheckedSubtract(x, std::trunc(x));
}

double Sign(double x) {
    if (x > 0.0) return 1.0;
    if (x < 0.0) return -1.0;
    return 0.0;
}

double HyperbolicSine(double x) {
    if (IsNearZero(x)) return 0.0;
    const double up = CheckedExp(x);
    const double down = CheckedExp(-x);
    return CheckedDivide(CheckedSubtract(up, down), 2.0);
}

double HyperbolicCosine(double x) {
    if (IsNearZero(x)) return 1.0;
    const double up = CheckedExp(x);
    const double down = CheckedExp(-x);
    return CheckedDivide(CheckedAdd(up, down), 2.0);
}

double InverseCotangent(double x) {
    if (IsNearZero(x)) return kHalfPi;
    return Atan(CheckedDivide(1.0, x));
}

double InverseHyperbolicSine(double x) { return CheckedLn(CheckedAdd(x, HypotenuseOfOne(x))); }

double InverseHyperbolicCosine(double x) {
    const double ratio = CheckedDivide(CheckedSubtract(x, 1.0), CheckedAdd(x, 1.0));
    const double scaled = CheckedMultiply(CheckedSqrt(ratio), CheckedAdd(x, 1.0));
    return CheckedLn(CheckedAdd(x, scaled));
}

double InverseHyperbolicSecant(double x) {
    if (IsNearZero(x)) return kInfinity;
    if (IsNear(x, 1.0)) return 0.0;
    const double root = CheckedSqrt(CheckedSubtract(1.0, CheckedMultiply(x, x)));
    return CheckedLn(CheckedDivide(CheckedAdd(root, 1.0), x));
}

double InverseHyperbolicCotangent(double x) {
    if (IsNear(x, 1.0)) return kInfinity;
    if (IsNear(x, -1.0)) return -kInfinity;
    return Half(CheckedLn(CheckedDivide(CheckedAdd(x, 1.0), CheckedSubtract(x, 1.0))));
}

double InverseHyperbolicCosecant(double x) {
    if (IsNearZero(x)) return kInfinity;
    if (x < 0.0) return CheckedLn(CheckedDivide(CheckedSubtract(1.0, HypotenuseOfOne(x)), x));
    return CheckedLn(CheckedDivide(CheckedAdd(HypotenuseOfOne(x), 1.0), x));
}

double InverseHyperbolicTangent(double x) {
    if (IsNear(x, 1.0)) return kInfinity;
    if (IsNear(x, -1.0)) return -kInfinity;
    return Half(CheckedLn(CheckedDivide(CheckedAdd(x, 1.0), CheckedSubtract(1.0, x))));
}

}  // namespace quorvex
