// The double-double kernels the elementary functions share, and their constants. Internal to
// core/: callers outside it use elementary_math.hpp.
#pragma once

#include "core/double_double.hpp"

#include <bit>
#include <cmath>
#include <cstdint>

namespace quorvex {

// A value 2^exponent * mantissa, for results whose scaled form would overflow or underflow.
struct ScaledDoubleDouble {
    DoubleDouble mantissa;
    int exponent;
};

// e^x for |x.hi| <= 746, with the mantissa in [0.7, 1.5) and relative error below 2^-85.
ScaledDoubleDouble ExpKernel(DoubleDouble x);

// e^x - 1 for |x.hi| <= 700, relative error below 2^-75 (2^-85 for |x| < ln 2 / 2048).
DoubleDouble Expm1Kernel(DoubleDouble x);

// e^a for |a| <= 711 by the fast paths' reduction in plain double arithmetic: the mantissa in
// [0.7, 2), relative error below 2^-72.8.
ScaledDoubleDouble ExponentialFast(double a);

// ExponentialFast(a) and ExponentialFast(-a) before their last Fast2Sum (each low part below
// 2^-22 of its head), evaluated side by side in one call.
struct ExponentialPair {
    ScaledDoubleDouble up;
    ScaledDoubleDouble down;
};
ExponentialPair ExponentialPairFast(double a);

// 2^k for -1022 <= k <= 1023, from its bits.
inline double PowerOfTwo(int k) {
    constexpr int kBias = 1023;
    constexpr int kMantissaBits = 52;
    return std::bit_cast<double>(static_cast<std::uint64_t>(k + kBias) << kMantissaBits);
}

// ln(a) for a > 0 finite, absolute error below 2^-95 and relative error below 2^-85.
DoubleDouble LogKernel(DoubleDouble a);

// ln(1 + d) for d > -1, relative error below 2^-85, also for tiny d.
DoubleDouble Log1pKernel(DoubleDouble d);

// atan(num / den) for num, den >= 0, not both zero, both below 2^990; relative error below 2^-90.
DoubleDouble AtanOfRatio(DoubleDouble num, DoubleDouble den);

// Ziv's rounding test, as in CRlibm and CORE-MATH: whether every value within err of hi + lo has
// the same nearest double, which is then in result (else the caller takes its accurate path).
// err is widened by the rounding of lo +- err itself (2^-52 |lo| and 2^-50 err), so any true
// bound err makes the answer correctly rounded. A caller that knows a bound lowBound >= |lo|
// before lo itself passes it: the test then waits on lo for two additions only, and its e is at
// least that of |lo|, so whenever it answers, the test with |lo| answers the same. It answers
// through a reference, not an optional: an optional passed on from one of a fast path's several
// returns is put together in memory a byte at a time and read back whole, stalling the chain.
inline bool RoundIfUnambiguous(double hi, double lo, double err, double lowBound, double& result) {
    constexpr double kErrorMargin = 1.0 + 0x1p-50;
    constexpr double kLowRounding = 0x1p-52;
    const double e = err * kErrorMargin + lowBound * kLowRounding;
    result = hi + (lo + e);
    return result == hi + (lo - e);
}

inline bool RoundIfUnambiguous(double hi, double lo, double err, double& result) {
    return RoundIfUnambiguous(hi, lo, err, std::fabs(lo), result);
}

// The double nearest to v * 2^exponent, rounded once even where it is subnormal; +-inf on overflow.
double RoundScaled(DoubleDouble v, int exponent);

// A value hi + lo known to within err: a fast path's result before RoundIfUnambiguous.
struct BoundedValue {
    double hi;
    double lo;
    double err;
};

// ln(a) for 2^-1000 <= a.hi <= 2^1000, |a.lo| <= ulp(a.hi), by the fast path's reduction in
// plain double arithmetic: within err, which is 2^-66 |ln a| + 2^-102.
BoundedValue LogApproximation(DoubleDouble a);

}  // namespace quorvex
