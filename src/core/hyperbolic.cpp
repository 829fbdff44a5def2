// Hyperbolic functions and their inverses, from the double-double exponential and logarithm
// kernels in forms that do not cancel, rounded once.
#include "core/elementary_kernels.hpp"
#include "core/elementary_math.hpp"

#include <array>
#include <cmath>
#include <cstddef>
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

// The fast paths (Ziv's strategy): e^a from the fast exponential reduction, carried to a
// relative error below 2^-72, then the forms of the accurate path in double arithmetic with
// a rigorous bound; RoundIfUnambiguous answers or the accurate path takes over. Below
// kSeriesBound sinh and tanh take their Taylor series instead, where e^a - e^-a would cancel.
constexpr double kSeriesBound = 1.0 / 64.0;
constexpr double kExponentialError = 0x1p-72;
constexpr int kGreatestScale = 1023;  // 2^k m for m < 2 is finite
// A Fast2Sum's low part is at most half an ulp of its head; a Dekker quotient's correction is
// below 3 2^-53 of the quotient (the remainder and the operands' low parts).
constexpr double kSumLowShare = 0x1p-52;
constexpr double kQuotientLowShare = 0x1p-50;

bool RoundIfUnambiguous(const BoundedValue& v, double& result) {
    return quorvex::RoundIfUnambiguous(v.hi, v.lo, v.err, result);
}

// e^a / 2 and e^-a / 2 for a <= kSingleExponentialBound, each within 2^-72 of itself: two
// independent evaluations, as e^-a from its own reduction has ExponentialFast's bound too
// (|n| <= 2^16) and costs no division, which e^a's reciprocal would.
struct HalfExponentials {
    DoubleDouble up;
    DoubleDouble down;
};

HalfExponentials HalfExponentialsFast(double a) {
    const auto [up, down] = ExponentialPairFast(a);
    const double upScale = PowerOfTwo(up.exponent - 1);
    const double downScale = PowerOfTwo(down.exponent - 1);
    return {{up.mantissa.hi * upScale, up.mantissa.lo * upScale},
            {down.mantissa.hi * downScale, down.mantissa.lo * downScale}};
}

// e^a / 2 for kSingleExponentialBound < a <= kHyperbolicOverflowBound, where e^-a / 2 is
// below 2^-115 of it, if the result is finite.
bool HalfExponentialFast(double a, double& result) {
    const ScaledDoubleDouble e = ExponentialFast(a);
    if (e.exponent - 1 > kGreatestScale) return false;
    double m = 0.0;
    if (!quorvex::RoundIfUnambiguous(e.mantissa.hi, e.mantissa.lo, kExponentialError * e.mantissa.hi,
                                     kSumLowShare * e.mantissa.hi, m))
        return false;
    result = m * PowerOfTwo(e.exponent - 1);
    return true;
}

// a + a^3 P(a^2) for 2^-27 <= a < kSeriesBound: the Taylor series truncated below 2^-80 a; the
// cubic term, at most a^3 / 3 <= 2^-13.6 a, is rounded within 5u of itself, so the error is
// below 2^-64.2 a.
template <std::size_t N>
BoundedValue OddSeriesFast(double a, const std::array<double, N>& p) {
    constexpr double kRelativeError = 0x1p-64;
    const double u = a * a;
    double sum = p[N - 1];
    for (std::size_t k = N - 1; k-- > 0;) sum = p[k] + u * sum;
    return {a, (a * u) * sum, kRelativeError * a};
}

// sinh a = a + a^3/3! + ... + a^9/9! and tanh a = a - a^3/3 + ... - 1382 a^11/155925, Taylor
// series.
constexpr std::array<double, 4> kSinhSeries = {
    0.16666666666666666,
    0.0083333333333333332,
    0.00019841269841269841,
    2.7557319223985893e-06,
};
constexpr std::array<double, 5> kTanhSeries = {
    -0.33333333333333331, 0.13333333333333333, -0.053968253968253971, 0.021869488536155203, -0.0088632355299021973,
};

// sinh a = e^a / 2 - e^-a / 2 for a >= kSeriesBound, each within 2^-72.8 of itself, their low
// parts below 2^-22 of their heads: the two sums of the low parts round within 2^-74 cosh a, so
// the error is below 2^-72.2 cosh a, at most 2^-66 sinh a. Likewise cosh a.
DoubleDouble SinhPair(const HalfExponentials& h) {
    const DoubleDouble d = FastTwoSum(h.up.hi, -h.down.hi);  // exact: e^-a < e^a
    return FastTwoSum(d.hi, d.lo + (h.up.lo - h.down.lo));   // no more than 64 times cancelled
}

DoubleDouble CoshPair(const HalfExponentials& h) {
    const DoubleDouble d = FastTwoSum(h.up.hi, h.down.hi);
    return FastTwoSum(d.hi, d.lo + (h.up.lo + h.down.lo));
}

bool SinhFast(double a, double& result) {
    if (a < kSeriesBound) return RoundIfUnambiguous(OddSeriesFast(a, kSinhSeries), result);
    if (a > kSingleExponentialBound) return HalfExponentialFast(a, result);
    const HalfExponentials h = HalfExponentialsFast(a);
    const DoubleDouble s = SinhPair(h);
    return quorvex::RoundIfUnambiguous(s.hi, s.lo, kExponentialError * (h.up.hi + h.down.hi), kSumLowShare * s.hi,
                                       result);
}

bool CoshFast(double a, double& result) {
    if (a > kSingleExponentialBound) return HalfExponentialFast(a, result);
    const HalfExponentials h = HalfExponentialsFast(a);
    const DoubleDouble c = CoshPair(h);
    return quorvex::RoundIfUnambiguous(c.hi, c.lo, kExponentialError * (h.up.hi + h.down.hi), kSumLowShare * c.hi,
                                       result);
}

// tanh a = sinh a / cosh a for kSeriesBound <= a <= kTanhSaturation, by Dekker's division;
// with sinh within 2^-72.2 cosh and cosh within 2^-72.2 of itself, the quotient is within
// 2^-72.2 (1 + tanh a), plus 2^-100 tanh a for the division and 2^-103 tanh a as the correction
// (below 2^-51 of it) takes the rounded reciprocal of cosh, divided alongside the quotient.
bool TanhFast(double a, double& result) {
    if (a < kSeriesBound) return RoundIfUnambiguous(OddSeriesFast(a, kTanhSeries), result);
    const HalfExponentials h = HalfExponentialsFast(a);
    const DoubleDouble s = SinhPair(h);
    const DoubleDouble c = CoshPair(h);
    const double q = s.hi / c.hi;
    const double reciprocal = 1.0 / c.hi;
    const DoubleDouble p = TwoProduct(q, c.hi);
    const double low = (((s.hi - p.hi) - p.lo) + s.lo - q * c.lo) * reciprocal;
    return quorvex::RoundIfUnambiguous(q, low, kExponentialError * (1.0 + q), kQuotientLowShare * q, result);
}

// The inverse functions as ln w, w >= 1 carried in double-double to within 2^-100 of itself, so
// that ln w moves by under 2^-99: below 2^-71 of the result, which is at least 2^-27.5
// (acosh x >= sqrt(2 (x - 1)), x - 1 >= 2^-52). LogApproximation adds its own bound. Past
// kLargeArgument w = 2a, off by under 2^-82 in ln; past kGreatestFastArgument the accurate path.
constexpr double kGreatestFastArgument = 0x1p999;
constexpr double kArgumentError = 0x1p-99;
constexpr double kLargeArgumentError = 0x1p-81;

bool LogFast(DoubleDouble w, double argumentError, double& result) {
    const BoundedValue v = LogApproximation(w);
    return quorvex::RoundIfUnambiguous(v.hi, v.lo, v.err + argumentError, result);
}

// asinh a = ln(a + sqrt(a^2 + 1)) for 2^-27 <= a <= kGreatestFastArgument.
bool AsinhFast(double a, double& result) {
    if (a > kGreatestFastArgument) return false;
    if (a > kLargeArgument) return LogFast({2.0 * a, 0.0}, kLargeArgumentError, result);
    const DoubleDouble root = SquareRootFast(Add(TwoProduct(a, a), 1.0));
    return LogFast(Add(root, a), kArgumentError, result);
}

// acosh x = ln(x + sqrt((x - 1)(x + 1))) for 1 <= x <= kGreatestFastArgument, x - 1 exact.
bool AcoshFast(double x, double& result) {
    if (x > kGreatestFastArgument) return false;
    if (x > kLargeArgument) return LogFast({2.0 * x, 0.0}, kLargeArgumentError, result);
    const double t = x - 1.0;
    const DoubleDouble root = SquareRootFast(Multiply(TwoSum(t, 2.0), t));
    return LogFast(Add(root, x), kArgumentError, result);
}

// atanh a = ln(1 + 2a / (1 - a)) / 2 for 2^-27 <= a < 1; halving is exact. The quotient by
// Dekker's division, its correction (below 2^-51 of it) by the reciprocal of the denominator's
// head, divided alongside: within 2^-101.5 of itself, so w is within 2^-100.9.
bool AtanhFast(double a, double& result) {
    const double numerator = 2.0 * a;
    const DoubleDouble den = FastTwoSum(1.0, -a);  // exact: a < 1
    const double q = numerator / den.hi;
    const double reciprocal = 1.0 / den.hi;
    const DoubleDouble p = TwoProduct(q, den.hi);
    const DoubleDouble d = {q, (((numerator - p.hi) - p.lo) - q * den.lo) * reciprocal};
    const DoubleDouble w = Add(d, 1.0);
    const BoundedValue v = LogApproximation(w);
    return quorvex::RoundIfUnambiguous(0.5 * v.hi, 0.5 * v.lo, 0.5 * (v.err + kArgumentError), result);
}

}  // namespace

double Sinh(double x) {
    if (!std::isfinite(x)) return x;
    const double a = std::fabs(x);
    if (a < kTinyArgument) return x;
    if (a > kHyperbolicOverflowBound) return std::copysign(kInfinity, x);
    if (double fast = 0.0; SinhFast(a, fast)) return std::copysign(fast, x);
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
    if (double fast = 0.0; CoshFast(a, fast)) return fast;
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
    if (double fast = 0.0; TanhFast(a, fast)) return std::copysign(fast, x);
    // (e^2a - 1) / (e^2a + 1) = m / (m + 2) with m = e^2a - 1.
    const DoubleDouble m = Expm1Kernel({2.0 * a, 0.0});
    return std::copysign(Round(Divide(m, Add(m, 2.0))), x);
}

double Asinh(double x) {
    if (!std::isfinite(x)) return x;
    const double a = std::fabs(x);
    if (a < kTinyArgument) return x;
    if (double fast = 0.0; AsinhFast(a, fast)) return std::copysign(fast, x);
    if (a > kLargeArgument) return std::copysign(Round(Add(LogKernel({a, 0.0}), kLn2DoubleDouble)), x);
    // ln(a + sqrt(a^2 + 1)) = ln(1 + a + a^2 / (1 + sqrt(a^2 + 1))): no cancellation near 0.
    const DoubleDouble square = TwoProduct(a, a);
    const DoubleDouble root = SquareRoot(Add(square, 1.0));
    const DoubleDouble d = Add(Divide(square, Add(root, 1.0)), a);
    return std::copysign(Round(Log1pKernel(d)), x);
}

double Acosh(double x) {
    if (std::isnan(x) || x == kInfinity) return x;
    if (x < 1.0) return kNaN;
    if (double fast = 0.0; AcoshFast(x, fast)) return fast;
    if (x > kLargeArgument) return Round(Add(LogKernel({x, 0.0}), kLn2DoubleDouble));
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
    if (double fast = 0.0; AtanhFast(a, fast)) return std::copysign(fast, x);
    // ln((1 + a) / (1 - a)) / 2 = ln(1 + 2a / (1 - a)) / 2.
    const DoubleDouble d = Divide({2.0 * a, 0.0}, TwoSum(1.0, -a));
    return std::copysign(Halved(Log1pKernel(d)), x);
}

}  // namespace quorvex
