// Hyperbolic functions and their inverses, from the double-double exponential and logarithm
// kernels in forms that do not cancel, rounded once.
#include "core/elementary_kernels.hpp"
#include "core/elementary_math.hpp"

#include <cmath>
#include <limits>

namespace quorvex {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInfinity = std::numeric_limits<double>::infinity();

// Below this |x| sinh, tanh, asinh and atanh round to x, cosh to 1.
constexpr double kTinyArgument = 0x1p-27;
// Past this e^-|x| is below 2^-115 of e^|x|: sinh and cosh are e^|x| / 2.
constexpr double kSingleExponentialBound = 40.0;
// Past this 1 - tanh|x| = 2 e^-2|x| / (1 + e^-2|x|) is below 2^-62: tanh rounds to +-1.
constexpr double kTanhSaturation = 22.0;
// Past this sinh and cosh overflow (ln(2 DBL_MAX) = 710.4758...; the kernel rounds the rest).
constexpr double kHyperbolicOverflowBound = 711.0;
// Past this sqrt(x^2 + 1) = x (1 + 2^-81): asinh and acosh are ln(2x) to far below an ulp.
constexpr double kLargeArgument = 0x1p40;

double Halved(DoubleDouble v) { return Round(Multiply(v, 0.5)); }

}  // namespace

double Sinh(double x) {
    if (!std::isfinite(x)) return x;
    const double a = std::fabs(x);
    if (a < kTinyArgument) return x;
    if (a > kHyperbolicOverflowBound) return std::copysign(kInfinity, x);
    if (a > kSingleExponentialBound) {
        const ScaledDoubleDouble e = ExpKernel({a, 0.0});
        return std::copysign(RoundScaled(e.mantissa, e.exponent - 1), x);
    }
    // (e^a - e^-a) / 2 = (m + m / (m + 1)) / 2 with m = e^a - 1: no cancellation near 0.
    const DoubleDouble m = Expm1Kernel({a, 0.0});
    return std::copysign(Halved(Add(m, Divide(m, Add(m, 1.0)))), x);
}

double Cosh(double x) {
    if (std::isnan(x)) return x;
    const double a = std::fabs(x);
    if (a < kTinyArgument) return 1.0;
    if (a > kHyperbolicOverflowBound) return kInfinity;
    const ScaledDoubleDouble e = ExpKernel({a, 0.0});
    if (a > kSingleExponentialBound) return RoundScaled(e.mantissa, e.exponent - 1);
    const DoubleDouble up = {std::ldexp(e.mantissa.hi, e.exponent), std::ldexp(e.mantissa.lo, e.exponent)};
    return Halved(Add(up, Divide({1.0, 0.0}, up)));
}

double Tanh(double x) {
    if (std::isnan(x)) return x;
    const double a = std::fabs(x);
    if (a < kTinyArgument) return x;
    if (a > kTanhSaturation) return std::copysign(1.0, x);
    // (e^2a - 1) / (e^2a + 1) = m / (m + 2) with m = e^2a - 1.
    const DoubleDouble m = Expm1Kernel({2.0 * a, 0.0});
    return std::copysign(Round(Divide(m, Add(m, 2.0))), x);
}

double Asinh(double x) {
    if (!std::isfinite(x)) return x;
    const double a = std::fabs(x);
    if (a < kTinyArgument) return x;
    if (a > kLargeArgument) return std::copysign(Round(Add(LogKernel({a, 0.0}), kLn2DD)), x);
    // ln(a + sqrt(a^2 + 1)) = ln(1 + a + a^2 / (1 + sqrt(a^2 + 1))): no cancellation near 0.
    const DoubleDouble square = TwoProduct(a, a);
    const DoubleDouble root = SquareRoot(Add(square, 1.0));
    const DoubleDouble d = Add(Divide(square, Add(root, 1.0)), a);
    return std::copysign(Round(Log1pKernel(d)), x);
}

double Acosh(double x) {
    if (std::isnan(x) || x == kInfinity) return x;
    if (x < 1.0) return kNaN;
    if (x > kLargeArgument) return Round(Add(LogKernel({x, 0.0}), kLn2DD));
    // ln(x + sqrt(x^2 - 1)) = ln(1 + t + sqrt(t (t + 2))), t = x - 1 exactly.
    const double t = x - 1.0;
    const DoubleDouble root = SquareRoot(Multiply(TwoSum(t, 2.0), t));
    return Round(Log1pKernel(Add(root, t)));
}

double Atanh(double x) {
    if (std::isnan(x)) return x;
    const double a = std::fabs(x);
    if (a > 1.0) return kNaN;
    if (a == 1.0) return std::copysign(kInfinity, x);
    if (a < kTinyArgument) return x;
    // ln((1 + a) / (1 - a)) / 2 = ln(1 + 2a / (1 - a)) / 2.
    const DoubleDouble d = Divide({2.0 * a, 0.0}, TwoSum(1.0, -a));
    return std::copysign(Halved(Log1pKernel(d)), x);
}

}  // namespace quorvex
