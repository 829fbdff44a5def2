// The power terms of the beta and incomplete gamma families, their logarithms in double-double.
#include "special/power_terms.hpp"

#include "core/checked_float.hpp"
#include "core/double_double_exp_log.hpp"
#include "core/elementary_math.hpp"
#include "special/gamma.hpp"

#include <array>
#include <cmath>

namespace quorvex::special {
namespace {

// From here on ln Gamma goes by Stirling's series.
constexpr double kStirlingLimit = 10.0;

// Past this magnitude a term of an exponent says only that the power term is 0 (or overflows).
constexpr double kHugeExponent = 1e300;

DoubleDouble Exact(double v) { return {v, 0.0}; }

// a * l, where a product beyond the doubles stands for an exponent far past the range.
DoubleDouble ScaledLog(double a, DoubleDouble l) {
    if (std::fabs(a) * std::fabs(l.hi) > kHugeExponent) return Exact(std::copysign(kHugeExponent, a * l.hi));
    return Times(l, a);
}

// ln Gamma(s + e) - ln Gamma(s) for |e| <= ulp(s): the low part of a sum whose rounding ln Gamma
// would otherwise see (5e-15 at ln Gamma(9.123 + 0.006)).
double LogGammaShift(double s, double e) { return e == 0.0 ? 0.0 : CheckedMultiply(e, Digamma(s)); }

// Below this Gamma(x) ~ 1/x, times Gamma(large) < 10!, could leave the doubles.
constexpr double kSmallestGammaProductArgument = 1e-290;

bool Splittable(double v) { return std::fabs(v) <= kSplitLimit; }

}  // namespace

DoubleDouble Times(DoubleDouble a, double b) {
    if (!Splittable(a.hi) || !Splittable(b)) return Exact(a.hi * b);
    return Multiply(a, b);
}

DoubleDouble Times(DoubleDouble a, DoubleDouble b) {
    if (!Splittable(a.hi) || !Splittable(b.hi)) return Exact(a.hi * b.hi);
    return Multiply(a, b);
}

DoubleDouble Over(DoubleDouble a, DoubleDouble b) {
    const double quotient = a.hi / b.hi;
    if (!Splittable(a.hi) || !Splittable(b.hi) || !Splittable(quotient) || b.hi == 0.0) return Exact(quotient);
    return Divide(a, b);
}

DoubleDouble ExactTimes(double a, double b) {
    if (!Splittable(a) || !Splittable(b)) return Exact(a * b);
    return TwoProduct(a, b);
}

DoubleDouble LogBeta(double a, double b) {
    if (std::isnan(a) || std::isnan(b)) return Exact(a + b);
    // An infinite parameter: infinity times 0 in the series, EInvalidOp as it always was.
    if (std::isinf(a) || std::isinf(b)) return Exact(CheckedMultiply(a + b, 0.0));
    const double large = std::fmax(a, b);
    const double small = std::fmin(a, b);
    const double total = CheckedAdd(large, small);  // EOverflow past the doubles, as ever
    const DoubleDouble sum = TwoSum(large, small);
    if (large < kStirlingLimit) {
        // One logarithm of Gamma(small) Gamma(large) / Gamma(small + large) in double-double where
        // the product stays in the doubles; the three logarithms apart cost three times as much.
        if (small >= kSmallestGammaProductArgument) {
            const DoubleDouble product = Multiply(GammaDoubleDouble(small), GammaDoubleDouble(large));
            const DoubleDouble ratio = Divide(product, GammaDoubleDouble(sum.hi));
            return Add(LogDoubleDouble(ratio), -LogGammaShift(sum.hi, sum.lo));
        }
        const DoubleDouble whole = Add(LogGammaDoubleDouble(sum.hi), LogGammaShift(sum.hi, sum.lo));
        return Subtract(Add(LogGammaDoubleDouble(small), LogGammaDoubleDouble(large)), whole);
    }
    const double corrections = StirlingCorrection(large) - StirlingCorrection(total);
    const DoubleDouble ratio = Over(Exact(small), Exact(large));
    const DoubleDouble logRatio = Log1pDoubleDouble(ratio);  // ln(1 + small / large)
    if (small < kStirlingLimit) {
        // ln Gamma(small + large) - ln Gamma(large) = small ln large + (small + large - 1/2) ln(1 + small/large)
        //   - small + S(small + large) - S(large)
        DoubleDouble rise = Times(LogDoubleDouble(Exact(large)), small);
        rise = Add(rise, Times(Add(sum, -0.5), logRatio));
        rise = Add(Add(rise, -small), -corrections);
        return Subtract(LogGammaDoubleDouble(small), rise);
    }
    // ln(2 pi)/2 - ln(a + b)/2 - (large - 1/2) ln(1 + small/large) - (small - 1/2) ln(1 + large/small)
    //   + S(large) + S(small) - S(a + b)
    const DoubleDouble logInverse = Log1pDoubleDouble(Over(Exact(large), Exact(small)));
    DoubleDouble result = Subtract(kHalfLogTwoPiDoubleDouble, Times(LogDoubleDouble(sum), 0.5));
    result = Subtract(result, Times(logRatio, TwoSum(large, -0.5)));
    result = Subtract(result, Times(logInverse, TwoSum(small, -0.5)));
    return Add(result, corrections + StirlingCorrection(small));
}

DoubleDouble LogBetaPowerTerm(double a, double b, DoubleDouble x, DoubleDouble y) {
    const bool xSmaller = x.hi <= y.hi;
    const DoubleDouble logX = xSmaller ? LogDoubleDouble(x) : Log1pDoubleDouble(Negate(y));
    const DoubleDouble logY = xSmaller ? Log1pDoubleDouble(Negate(x)) : LogDoubleDouble(y);
    return Subtract(Add(ScaledLog(a, logX), ScaledLog(b, logY)), LogBeta(a, b));
}

double BetaPowerTerm(double a, double b, DoubleDouble x, DoubleDouble y) {
    return ExpOfDoubleDouble(LogBetaPowerTerm(a, b, x, y));
}

DoubleDouble LogGammaPowerTerm(double a, double x) {
    if (a < kStirlingLimit) return Subtract(LogPowerTimesDecay(a, x), LogGammaDoubleDouble(a));
    const DoubleDouble lead = ScaledLog(a, LogDoubleDouble(Over(Exact(x), Exact(a))));
    const DoubleDouble half = Times(Subtract(LogDoubleDouble(Exact(a)), kLogTwoPiDoubleDouble), 0.5);
    return Add(Add(Add(lead, TwoSum(a, -x)), half), -StirlingCorrection(a));
}

DoubleDouble LogPowerTimesDecay(double a, double x) { return Add(ScaledLog(a, LogDoubleDouble(Exact(x))), -x); }

}  // namespace quorvex::special
