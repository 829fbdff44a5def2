// The incomplete gamma functions: each side by its series or by the continued fraction where
// that converges fast and accurately, the other side as Gamma(a) minus it where no digits cancel.
#include "special/incomplete_gamma.hpp"

#include "core/checked_float.hpp"
#include "core/power.hpp"
#include "special/gamma.hpp"
#include "special/iteration.hpp"

#include <cmath>
#include <string_view>

namespace quorvex::special {
namespace {

constexpr std::u16string_view kLowerNegativeArgument = u"第1種不完全ガンマ関数sgammaに負の値が入力されました";
constexpr std::u16string_view kLowerPole = u"第1種不完全ガンマ関数sgammaが発散しました（a=0,-1,-2..で発散）";
constexpr std::u16string_view kLowerNoConvergence = u"第1種不完全ガンマ関数sgammaは収束しませんでした";
constexpr std::u16string_view kUpperNegativeArgument = u"第2種不完全ガンマ関数bgammaに負の値が入力されました";
constexpr std::u16string_view kUpperNoConvergence = u"第2種不完全ガンマ関数bgammaは収束しませんでした";

// Below this x the series serve, from it on the continued fraction.
constexpr double kSeriesLimit = 1.1;
// Beyond this |a ln x| the power x^a alone would leave the double range.
constexpr double kLargestLogOfDouble = 709.0;

// x^a e^-x for x >= 1.1, through one exponential where x^a alone would overflow although the
// product does not.
double PowerTimesDecay(double a, double x) {
    const double logPower = CheckedMultiply(a, CheckedLn(x));
    if (std::fabs(logPower) < kLargestLogOfDouble) return CheckedMultiply(Power(x, a), CheckedExp(-x));
    return CheckedExp(CheckedSubtract(logPower, x));
}

// gamma(a, x) = x^a sum (-1)^n x^n / (n! (a + n)) for x < 1.1. The sum runs without its factor
// x^a and its terms are measured against the leading 1/a, so a small x^a neither ends it early
// nor is lost; the result is accurate to a few units of the last digit.
double LowerSeries(double a, double x, double eps) {
    double sum = CheckedDivide(1.0, a);
    double power = 1.0;  // x^i / i!
    IterateToTolerance(eps, kLowerNoConvergence, 1, [&](int i) {
        power = CheckedDivide(CheckedMultiply(power, x), i);
        const double term = CheckedDivide(power, CheckedAdd(a, i));
        sum = i % 2 != 0 ? CheckedSubtract(sum, term) : CheckedAdd(sum, term);
        return CheckedMultiply(term, a);
    });
    return CheckedMultiply(Power(x, a), sum);
}

// gamma(a, x) = x^a e^-x sum x^n / (a (a + 1) ... (a + n)) for 1.1 <= x < a + 1, where
// Gamma(a) - Gamma(a, x) would cancel (gamma(50, 5) is 1e-35 of Gamma(50)). All terms are
// positive and fall from the first, so the sum is accurate to a few units of the last digit.
double LowerPositiveSeries(double a, double x, double eps) {
    const double factor = PowerTimesDecay(a, x);
    double term = CheckedDivide(1.0, a);
    double sum = term;
    IterateToTolerance(eps, kLowerNoConvergence, 1, [&](int i) {
        term = CheckedMultiply(term, CheckedDivide(x, CheckedAdd(a, i)));
        sum = CheckedAdd(sum, term);
        return CheckedDivide(term, sum);
    });
    return CheckedMultiply(factor, sum);
}

// Gamma(a, x) for x >= 1.1 and x >= a + 1 (below a + 1 its first partial numerators are positive
// and its steps cancel: Gamma(20, 2) came out near 0, Gamma(10, 1.1) wrong by 2e-8): the fraction
// 1/(x - a + 1 - 1 (1 - a)/(x - a + 3 - 2 (2 - a)/(x - a + 5 - ...))) in the modified Lentz form,
// started from the tiny value, times x^a e^-x. The factor is applied after the fraction
// converged: folded into the first step it is lost wherever it is not far above the tiny start.
double UpperFraction(double a, double x, double eps) {
    LentzState state{kTinyValue, kTinyValue, 0.0};
    LentzStep(state, 1.0, CheckedAdd(CheckedSubtract(x, a), 1.0), TinyGuard::kExactZero);
    IterateToTolerance(eps, kUpperNoConvergence, 1, [&](int i) {
        const double b = CheckedAdd(CheckedSubtract(x, a), 2.0 * i + 1.0);
        const double alpha = CheckedMultiply(i, CheckedSubtract(a, i));
        return LentzStep(state, alpha, b, TinyGuard::kExactZero);
    });
    return CheckedMultiply(state.h, PowerTimesDecay(a, x));
}

// Gamma(-n, x) for x < 1.1, where the fraction needs thousands of steps: the limit of
// Gamma(a) - gamma(a, x) at the pole a = -n,
//   x^-n [(-1)^n x^n / n! (psi(n + 1) - ln x) - sum over k != n of (-1)^k x^k / (k! (k - n))],
// the term at k = n being the one with the logarithm. The sum is of the order 1 / (n + 1), so
// its terms are measured against that.
double UpperSeriesAtPole(double a, double x, double eps) {
    const double n = -a;
    const double logX = CheckedLn(x);
    double sum = 0.0;
    double power = 1.0;  // x^k / k!
    IterateToTolerance(eps, kUpperNoConvergence, 0, [&](int k) {
        if (k > 0) power = CheckedDivide(CheckedMultiply(power, x), k);
        const double sign = k % 2 != 0 ? -1.0 : 1.0;
        const double term = k == n ? CheckedMultiply(sign * power, CheckedSubtract(Digamma(n + 1.0), logX))
                                   : -CheckedDivide(sign * power, k - n);
        sum = CheckedAdd(sum, term);
        return CheckedMultiply(term, n + 1.0);
    });
    return CheckedMultiply(Power(x, a), sum);
}

}  // namespace

double LowerIncompleteGamma(double a, double x, double eps) {
    if (x < 0.0) RaiseFunctionError(kLowerNegativeArgument);
    if (IsNonPositiveInteger(a)) RaiseFunctionError(kLowerPole);
    if (x < kSeriesLimit) return LowerSeries(a, x, eps);
    if (x < a + 1.0) return LowerPositiveSeries(a, x, eps);
    const double whole = Gamma(a);
    return CheckedSubtract(whole, UpperFraction(a, x, eps));
}

double UpperIncompleteGamma(double a, double x, double eps) {
    if (x < 0.0) RaiseFunctionError(kUpperNegativeArgument);
    if (x < kSeriesLimit && IsNonPositiveInteger(a)) return UpperSeriesAtPole(a, x, eps);
    if (x >= kSeriesLimit && x >= a + 1.0) return UpperFraction(a, x, eps);
    const double whole = Gamma(a);
    return CheckedSubtract(whole, x < kSeriesLimit ? LowerSeries(a, x, eps) : LowerPositiveSeries(a, x, eps));
}

}  // namespace quorvex::special
