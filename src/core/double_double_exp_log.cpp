// The kernels want finite arguments in their domain; the rest (infinities, NaN, 0) goes to the
// plain functions, whose special values are those of C99.
#include "core/double_double_exp_log.hpp"

#include "core/checked_float.hpp"
#include "core/elementary_kernels.hpp"
#include "core/elementary_math.hpp"

#include <cmath>

namespace quorvex {
namespace {

// e^x underflows below the first and overflows past the second; the kernel serves in between.
constexpr double kExpUnderflow = -746.0;
constexpr double kExpOverflow = 710.0;
// The scaled mantissa's exponent range in which both its parts are normal doubles.
constexpr int kLeastNormalExponent = -968;
constexpr int kLargestExponent = 1023;

}  // namespace

DoubleDouble LogDoubleDouble(DoubleDouble x) {
    if (!(x.hi > 0.0) || std::isinf(x.hi)) return {Log(x.hi), 0.0};
    return LogKernel(x);
}

DoubleDouble Log1pDoubleDouble(DoubleDouble x) {
    if (!(x.hi > -1.0) || std::isinf(x.hi)) return {Log1p(x.hi), 0.0};
    return Log1pKernel(x);
}

DoubleDouble AtanOfRatioDoubleDouble(DoubleDouble y, DoubleDouble x) { return AtanOfRatio(y, x); }

double ExpOfDoubleDouble(DoubleDouble exponent) {
    if (!std::isfinite(exponent.hi) || !std::isfinite(exponent.lo)) return CheckedExp(exponent.hi + exponent.lo);
    if (exponent.hi < kExpUnderflow) return 0.0;
    if (exponent.hi > kExpOverflow) return CheckedExp(exponent.hi);  // EOverflow
    const ScaledDoubleDouble v = ExpKernel(exponent);
    return CheckResult(RoundScaled(v.mantissa, v.exponent), exponent.hi);
}

DoubleDouble ExpToDoubleDouble(DoubleDouble exponent) {
    if (!std::isfinite(exponent.hi) || exponent.hi < kExpUnderflow || exponent.hi > kExpOverflow) {
        return {Exp(exponent.hi), 0.0};
    }
    const ScaledDoubleDouble v = ExpKernel(exponent);
    if (v.exponent < kLeastNormalExponent || v.exponent > kLargestExponent) return {Exp(exponent.hi), 0.0};
    DoubleDouble value = {std::ldexp(v.mantissa.hi, v.exponent), std::ldexp(v.mantissa.lo, v.exponent)};
    if (std::isinf(value.hi)) return {value.hi, 0.0};
    // One Newton step on ln: the kernel's 2^-85 becomes the logarithm's 2^-95 of the exponent.
    const DoubleDouble residual = Subtract(exponent, LogKernel(value));
    return Add(value, Multiply(value, residual.hi));
}

}  // namespace quorvex
