// The normal, Student t and F distribution kernels, the factorial and the Fisher
// transformation.
#include "special/distributions.hpp"

#include "core/checked_float.hpp"
#include "core/double_double.hpp"
#include "core/double_double_exp_log.hpp"
#include "core/elementary_math.hpp"
#include "core/power.hpp"
#include "special/beta.hpp"
#include "special/conventions.hpp"
#include "special/error_function.hpp"
#include "special/gamma.hpp"
#include "special/messages.hpp"
#include "special/power_terms.hpp"

#include <cmath>
#include <limits>
#include <string_view>

namespace quorvex::special {
namespace {

// Help context of the errors of the factorial and the Fisher transformation.
constexpr std::int32_t kSmallFunctionHelpContext = 10004;

constexpr int kLowerCumulative = 1;
constexpr int kUpperCumulative = 2;

// I_x(a, b) for x = p / (p + q) with p and q exact in double-double (d1 x, x^2 by Dekker's
// product): x and 1 - x = q / (p + q) both to double-double accuracy, since a large parameter
// multiplies the logarithm of either (1e5 units of the 15th digit at t(-4.857, 5053691) from the
// rounding of 1 - x alone).
double RegularizedBetaOfRatio(double a, double b, DoubleDouble p, DoubleDouble q) {
    const DoubleDouble total = Add(p, q);
    return IncompleteBetaRegularized(a, b, Over(p, total), Over(q, total), kDefaultTolerance);
}

// ln(1 + v), checked.
double CheckedLog1p(double v) { return CheckResult(Log1p(v), v); }

// Beyond this |z| erfc(z) is 0 or 2 and e^(-z^2) is 0, so no low part is needed (and none could
// be formed: Dekker's product wants factors below 2^995).
constexpr double kRefinedStandardScore = 40.0;

// (x - mu) / sqrt(2 sigma^2) in double-double, for a score already formed in doubles without
// fault and below kRefinedStandardScore: the normal tails are erfc and e^(-z^2) at this z, which
// turn the z^2 ulps of a rounded z into their own relative error (47 units of the 15th digit at
// ndist(-30.7, 1.3, 0.9)). x - mu is exact by Knuth's TwoSum, 2 sigma^2 by Dekker's product.
DoubleDouble RefinedStandardScore(double x, double mu, double sigma) {
    return Over(TwoSum(x, -mu), SquareRoot(ExactTimes(CheckedMultiply(sigma, 2.0), sigma)));
}

}  // namespace

double NormalDistribution(double x, double mu, double sigma, std::int32_t density) {
    const Checked twoVariance = Checked(sigma) * 2.0 * sigma;
    if (density != 0) {
        // The exponent in doubles for its faults, and for the region; e^(-z^2) from z's two parts.
        const double exponent = double(-Power(CheckedSubtract(x, mu), 2.0) / twoVariance);
        double kernel = CheckedExp(exponent);
        if (exponent > -kRefinedStandardScore * kRefinedStandardScore) {
            const DoubleDouble z = RefinedStandardScore(x, mu, sigma);
            kernel = ExpOfNegativeSquare(z.hi, z.lo);
        }
        return double(kernel / CheckedSqrt(Checked(sigma) * kTwoPi * sigma));
    }
    // (erf(z) + 1) / 2 written as erfc(-z) / 2: the same value, without the cancellation of
    // erf(z) + 1 in the lower tail (Phi(-10) = 7.6e-24 was lost entirely).
    const double z = double((Checked(x) - mu) / CheckedSqrt(twoVariance));
    if (std::fabs(z) >= kRefinedStandardScore) return CheckedMultiply(Erfc(-z), 0.5);
    const DoubleDouble refined = RefinedStandardScore(x, mu, sigma);
    return CheckedMultiply(ErfcOfSum(-refined.hi, -refined.lo), 0.5);
}

double StandardNormal(double x, std::int32_t density) { return NormalDistribution(x, 0.0, 1.0, density); }

double StandardNormalCdf(double x) { return StandardNormal(x, 0); }

double StudentT(double x, std::int32_t df, std::int32_t kind) {
    const double nu = df;
    const double a = CheckedDivide(nu, 2.0);
    CheckedMultiply(x, x);  // x^2 past the doubles raises EOverflow; below it, it is carried exactly
    const DoubleDouble square = ExactTimes(x, x);
    if (kind == kLowerCumulative || kind == kUpperCumulative) {
        // I_e(nu/2, 1/2) with e = nu / (nu + x^2) is the probability of both tails beyond |x|.
        const double halfTails = CheckedDivide(RegularizedBetaOfRatio(a, 0.5, {nu, 0.0}, square), 2.0);
        const bool upperTail = (kind == kUpperCumulative) == (x >= 0.0);
        return upperTail ? halfTails : CheckedSubtract(1.0, halfTails);
    }
    if (nu <= 0.0) {
        // Refused in the order of the plain formula: x^2 / nu, its logarithm, then B(1/2, nu/2).
        CheckedExp(CheckedMultiply(-(nu + 1.0) / 2.0, CheckedLog1p(CheckedDivide(square.hi, nu))));
        return Beta(0.5, a);
    }
    // (1 + x^2/nu)^(-(nu + 1)/2) / (sqrt(nu) B(1/2, nu/2)) as one exponential of a double-double
    // exponent: 1e-16 relative on each of its terms (up to 1e7) was 1e4 units of the 15th digit.
    const DoubleDouble logKernel = Times(Log1pDoubleDouble(Over(square, {nu, 0.0})), -(nu + 1.0) / 2.0);
    const DoubleDouble logScale = Add(LogBeta(0.5, a), Times(LogDoubleDouble({nu, 0.0}), 0.5));
    return ExpOfDoubleDouble(Subtract(logKernel, logScale));
}

double FisherF(double x, std::int32_t d1, std::int32_t d2, std::int32_t kind) {
    const double first = d1;
    const double second = d2;
    const double h = CheckedDivide(first, 2.0);
    const double f = CheckedDivide(second, 2.0);
    if (kind == kLowerCumulative || kind == kUpperCumulative) {
        const double scaled = CheckedMultiply(first, x);
        if (d1 <= 0 || d2 <= 0) {
            // Refused by the incomplete beta function, with its messages for I_m(f, h).
            return IncompleteBetaRegularized(f, h, double(second / (Checked(second) + scaled)));
        }
        if (x < 0.0) return kind == kLowerCumulative ? 0.0 : 1.0;  // no mass below 0
        // The upper probability is I_m(f, h) with m = d2 / (d2 + d1 x); the lower one, 1 - I_m(f, h),
        // is I_(1-m)(h, f), evaluated as such so that a small lower probability keeps its digits.
        const DoubleDouble exactScaled = ExactTimes(first, x);
        if (kind == kUpperCumulative) return RegularizedBetaOfRatio(f, h, {second, 0.0}, exactScaled);
        return RegularizedBetaOfRatio(h, f, exactScaled, {second, 0.0});
    }
    if (x <= 0.0) return 0.0;
    if (d1 <= 0 || d2 <= 0) return Beta(h, f);  // refused, with its messages
    // y^h (1 - y)^f / (x B(h, f)) with y = d1 x / (d1 x + d2), the power term in one exponential
    // of a double-double exponent (1.2e4 units of the 15th digit at f(0.9113, 49340, 5444) through
    // double logarithms).
    // d1 x and its share d1 x / (d1 x + d2) checked in doubles first, for their faults as ever.
    const Checked plainScaled = Checked(first) * x;
    static_cast<void>(plainScaled / (plainScaled + second));
    const DoubleDouble scaled = ExactTimes(first, x);
    const DoubleDouble total = Add(scaled, second);
    return CheckedDivide(BetaPowerTerm(h, f, Over(scaled, total), Over({second, 0.0}, total)), x);
}

double Factorial(double x) {
    if (x == 0.0) return 1.0;
    if (!IsZeroByTest(std::fabs(x) - std::trunc(x)))
        RaiseFunctionError(kFactorialNotNatural, kSmallFunctionHelpContext);
    Checked r = 1.0;
    for (double i = 1.0; x >= i; i += 1.0) r *= i;
    return double(r);
}

double Fisher(double x) {
    if (x >= 1.0 || x <= -1.0) RaiseFunctionError(kFisherOutsideRange, kSmallFunctionHelpContext);
    // ln((x + 1) / (1 - x)) / 2 as ln(1 + 2x / (1 - x)) / 2: the quotient formed first keeps only
    // the absolute digits of a small x (1e-8 relative off at x = 1e-8). Odd, so that 1 - |x| is
    // exact near ±1; 1 + 2x / (1 - x) cancelled near -1 (-17.5637 for -17.6164).
    const double magnitude = std::fabs(x);
    const double quotient = double(2.0 * Checked(magnitude) / (1.0 - Checked(magnitude)));
    return std::copysign(CheckedDivide(CheckedLog1p(quotient), 2.0), x);
}

double FisherInverse(double x) {
    // (e^2x - 1) / (e^2x + 1) with e^2x - 1 taken by expm1, which keeps the digits of a small x.
    const Checked grown = CheckResult(Expm1(CheckedMultiply(2.0, x)), x);
    return double(grown / (grown + 2.0));
}

}  // namespace quorvex::special
