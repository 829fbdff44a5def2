// Elementary functions with their own formulas.
#include "functions/elementary.hpp"

#include "core/checked_float.hpp"
#include "core/elementary_math.hpp"
#include "core/errors.hpp"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace quorvex {
namespace {

constexpr double kTwoToThe52 = 4503599627370496.0;
constexpr double kNearBound = 1e-12;
constexpr double kHalfPi = std::numbers::pi / 2.0;
constexpr double kInfinity = std::numeric_limits<double>::infinity();
// The largest x whose e^x is finite: CheckedExp overflows on every finite x past it.
constexpr double kLargestFiniteExpArgument = 0x1.62e42fefa39efp+9;  // 709.78271289338397
// From this |x| on 1/x is far enough from ±1 for acos(1/x) and asin(1/x) to keep their digits.
constexpr double kReciprocalBound = 2.0;

bool IsNearZero(double x) { return std::fabs(x) <= kNearBound; }

// x is within 1e-12 of b, relative to the smaller magnitude but never tighter than 1e-12.
bool IsNear(double x, double b) {
    return std::fabs(x - b) <= std::max(std::min(std::fabs(x), std::fabs(b)) * kNearBound, kNearBound);
}

double Half(double v) { return CheckedMultiply(0.5, v); }

// sqrt(x x + 1)
double HypotenuseOfOne(double x) { return CheckedSqrt(CheckedAdd(CheckedMultiply(x, x), 1.0)); }

// ln(1 + v), checked.
double CheckedLog1p(double v) { return CheckResult(Log1p(v), v); }

// The formulas gave +0 at -0.
double WithoutNegativeZero(double v) { return v == 0.0 ? 0.0 : v; }

// value, where the logarithmic formula ln(argument) it replaces was defined; where that formula
// took the logarithm of 0 or of a negative number, its EZeroDivide or EInvalidOp.
double ValueWhereLogDefined(double argument, double value) {
    if (argument <= 0.0) return CheckedLn(argument);
    return value;
}

// sqrt((|x| - 1)(|x| + 1)) for 1 <= |x| < 2, where |x| - 1 is exact.
double RootOfSquareLessOne(double magnitude) {
    return CheckedSqrt(CheckedMultiply(CheckedSubtract(magnitude, 1.0), CheckedAdd(magnitude, 1.0)));
}

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
    if (x == 0.0) return 0.0;
    // The overflow of e^|x|, without evaluating it: (e^x - e^-x) / 2 overflowed from 709.78 on,
    // sinh itself only from 710.48; the value is the library's correctly rounded Sinh, which does
    // not cancel.
    const double magnitude = std::fabs(x);
    if (magnitude > kLargestFiniteExpArgument && magnitude < kInfinity) RaiseOverflow();
    return Sinh(x);
}

double HyperbolicCosecant(double x) {
    // The formula's sine was exactly 0 within 1e-12 of 0, a division by zero.
    return CheckedDivide(1.0, IsNearZero(x) ? 0.0 : HyperbolicSine(x));
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

double InverseSecant(double x) {
    const double magnitude = std::fabs(x);
    if (magnitude >= kReciprocalBound) return CheckResult(Acos(CheckedDivide(1.0, x)), x);
    return Atan2(RootOfSquareLessOne(magnitude), Sign(x));
}

double InverseCosecant(double x) {
    const double magnitude = std::fabs(x);
    if (magnitude >= kReciprocalBound) return CheckResult(Asin(CheckedDivide(1.0, x)), x);
    return Atan2(Sign(x), RootOfSquareLessOne(magnitude));
}

double InverseHyperbolicSine(double x) {
    return WithoutNegativeZero(ValueWhereLogDefined(CheckedAdd(x, HypotenuseOfOne(x)), Asinh(x)));
}

double InverseHyperbolicCosine(double x) {
    const double ratio = CheckedDivide(CheckedSubtract(x, 1.0), CheckedAdd(x, 1.0));
    const double scaled = CheckedMultiply(CheckedSqrt(ratio), CheckedAdd(x, 1.0));
    return ValueWhereLogDefined(CheckedAdd(x, scaled), Acosh(x));
}

double InverseHyperbolicSecant(double x) {
    if (IsNearZero(x)) return kInfinity;
    if (IsNear(x, 1.0)) return 0.0;
    const double below = CheckedSubtract(1.0, x);
    const double root = CheckedSqrt(CheckedMultiply(below, CheckedAdd(1.0, x)));
    return CheckedLog1p(CheckedDivide(CheckedAdd(below, root), x));
}

double InverseHyperbolicCotangent(double x) {
    if (IsNear(x, 1.0)) return kInfinity;
    if (IsNear(x, -1.0)) return -kInfinity;
    const double magnitude = std::fabs(x);
    const double value = magnitude >= kReciprocalBound
                             ? CheckResult(Atanh(CheckedDivide(1.0, magnitude)), x)
                             : Half(CheckedLog1p(CheckedDivide(2.0, CheckedSubtract(magnitude, 1.0))));
    return std::copysign(value, x);
}

double InverseHyperbolicCosecant(double x) {
    if (IsNearZero(x)) return kInfinity;
    const double argument = x < 0.0 ? CheckedDivide(CheckedSubtract(1.0, HypotenuseOfOne(x)), x)
                                    : CheckedDivide(CheckedAdd(HypotenuseOfOne(x), 1.0), x);
    return ValueWhereLogDefined(argument, Asinh(CheckedDivide(1.0, x)));
}

double InverseHyperbolicTangent(double x) {
    if (IsNear(x, 1.0)) return kInfinity;
    if (IsNear(x, -1.0)) return -kInfinity;
    return WithoutNegativeZero(CheckResult(Atanh(x), x));
}

}  // namespace quorvex
