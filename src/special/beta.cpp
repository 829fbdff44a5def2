// The beta family and the chi-square distribution.
#include "special/beta.hpp"

#include "core/checked_float.hpp"
#include "core/elementary_math.hpp"
#include "special/gamma.hpp"
#include "special/incomplete_gamma.hpp"
#include "special/iteration.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <string_view>

namespace quorvex::special {
namespace {

constexpr std::u16string_view kBetaNonPositiveA = u"ベータ関数betaの定数aに0以下の値が入ってます";
constexpr std::u16string_view kBetaNonPositiveB = u"ベータ関数betaの定数bに0以下の値が入ってます";
constexpr std::u16string_view kRegularizedNonPositiveA = u"正規化された不完全ベータ関数ibetaの定数aに0以下の値が入ってます";
constexpr std::u16string_view kRegularizedNonPositiveB = u"正規化された不完全ベータ関数ibetaの定数bに0以下の値が入ってます";
constexpr std::u16string_view kRegularizedOutsideUnit =
    u"正規化された不完全ベータ関数ibetaの引数xに0より小さい、あるいは1より大きい数が入っています";
constexpr std::u16string_view kRegularizedNoConvergence = u"正規化された不完全ベータ関数ibetaの計算は収束しませんでした";
constexpr std::u16string_view kIncompleteNonPositiveA = u"不完全ベータ関数xbetaの定数aに0以下の値が入ってます";
constexpr std::u16string_view kIncompleteNonPositiveB = u"不完全ベータ関数xbetaの定数bに0以下の値が入ってます";
constexpr std::u16string_view kIncompleteOutsideUnit =
    u"不完全ベータ関数xbetaの引数xに0より小さい、あるいは1より大きい数が入っています";
constexpr std::u16string_view kChiSquareNonPositiveK = u"累積χ2乗分布関数chisqの定数aに0以下の値が入ってます";
constexpr std::u16string_view kChiSquareNegativeX =
    u"累積χ2乗分布関数chisqの引数xに0より小さい、あるいは1より大きい数が入っています";

bool IsOutsideUnitInterval(double x) { return x < 0.0 || x > 1.0; }

// From here on ln Gamma is taken by Stirling's series, whose terms are known in closed form, so
// that the large and nearly equal logarithms of ln Gamma(a) - ln Gamma(a + b) need not cancel.
constexpr double kStirlingLimit = 10.0;
constexpr double kHalfLogTwoPi = 0.91893853320467274;

// Coefficients B(2k) / (2k (2k - 1)) of Stirling's series for k = 1 .. 8, in powers 1/x^(2k-1).
constexpr std::array<double, 8> kStirlingCoefficients = {
    1.0 / 12.0, -1.0 / 360.0, 1.0 / 1260.0, -1.0 / 1680.0, 1.0 / 1188.0, -691.0 / 360360.0, 1.0 / 156.0, -3617.0 / 122400.0};

// ln Gamma(x) - ((x - 1/2) ln x - x + ln(2 pi) / 2) for x >= 10; the first omitted term is below
// 2e-18.
double StirlingCorrection(double x) {
    const double inverseSquare = CheckedDivide(1.0, CheckedMultiply(x, x));
    double sum = 0.0;
    for (auto coefficient = kStirlingCoefficients.rbegin(); coefficient != kStirlingCoefficients.rend(); ++coefficient) {
        sum = CheckedAdd(CheckedMultiply(sum, inverseSquare), *coefficient);
    }
    return CheckedDivide(sum, x);
}

// ln B(a, b) for a, b > 0. Below 10 as exp(ln Gamma(b) + ln Gamma(a) - ln Gamma(a + b)) would
// take it, summed in that order. From 10 on Stirling's series, arranged so that nothing larger
// than the result cancels: with the smaller parameter b below 10,
//   ln Gamma(b) - (a - 1/2) ln(1 + b/a) - b ln(a + b) + b + S(a) - S(a + b),
// and with both from 10 on,
//   ln(2 pi)/2 - ln(a + b)/2 - (a - 1/2) ln(1 + b/a) - (b - 1/2) ln(1 + a/b) + S(a) + S(b) - S(a + b).
// (The plain sum lost digits in proportion to ln Gamma(a + b): 5e-12 relative at B(1, 10000).)
double LogBeta(double a, double b) {
    const double large = std::max(a, b);
    const double small = std::min(a, b);
    if (large < kStirlingLimit) {
        return CheckedSubtract(CheckedAdd(LogGamma(b), LogGamma(a)), LogGamma(CheckedAdd(a, b)));
    }
    const double total = CheckedAdd(large, small);
    const double corrections = CheckedSubtract(StirlingCorrection(large), StirlingCorrection(total));
    const double largeTerm = CheckedMultiply(CheckedSubtract(large, 0.5), CheckResult(Log1p(small / large), small));
    if (small < kStirlingLimit) {
        const double shift = CheckedSubtract(small, CheckedMultiply(small, CheckedLn(total)));
        return CheckedAdd(CheckedAdd(CheckedSubtract(LogGamma(small), largeTerm), shift), corrections);
    }
    const double smallTerm = CheckedMultiply(CheckedSubtract(small, 0.5), CheckResult(Log1p(large / small), large));
    const double logs = CheckedSubtract(CheckedSubtract(kHalfLogTwoPi, CheckedMultiply(0.5, CheckedLn(total))),
                                        CheckedAdd(largeTerm, smallTerm));
    return CheckedAdd(CheckedAdd(logs, StirlingCorrection(small)), corrections);
}

// x^a (1 - x)^b / (a B(a, b)) from the logarithms of x and 1 - x, in one exponential: the
// power and B(a, b) apart leave the double range for large a and b (0 / 0 for a = b = 1000 at
// x = 1/2) while their quotient does not.
double FrontFactor(double a, double b, double logX, double logComplement) {
    const double logPowers = CheckedAdd(CheckedMultiply(a, logX), CheckedMultiply(b, logComplement));
    return CheckedExp(CheckedSubtract(CheckedSubtract(logPowers, CheckedLn(a)), LogBeta(a, b)));
}

// The continued fraction 1/(1 + d1/(1 + d2/(1 + ...))) of I_x(a, b) in the modified Lentz form:
// d(2m) = m (b - m) x / ((a + 2m - 1)(a + 2m)), d(2m+1) = -(a + m)(a + b + m) x / ((a + 2m)(a + 2m + 1)),
// an even and an odd step per iteration, stopping on the odd one.
double BetaFraction(double a, double b, double x, double eps) {
    double start = CheckedSubtract(1.0, CheckedDivide(CheckedMultiply(CheckedAdd(a, b), x), CheckedAdd(a, 1.0)));
    // The start is compared with eps itself, not with the zero test.
    if (eps > std::fabs(start)) start = kTinyValue;
    start = CheckedDivide(1.0, start);
    LentzState state{start, 1.0, start};
    IterateToTolerance(eps, kRegularizedNoConvergence, 1, [&](int m) {
        const double twoM = 2.0 * m;
        const double even = CheckedDivide(CheckedMultiply(CheckedMultiply(m, CheckedSubtract(b, m)), x),
                                          CheckedMultiply(CheckedAdd(a, twoM - 1.0), CheckedAdd(a, twoM)));
        LentzStep(state, even, 1.0, TinyGuard::kZeroTest);
        const double odd = CheckedDivide(-CheckedMultiply(CheckedMultiply(CheckedAdd(a, m), CheckedAdd(CheckedAdd(a, b), m)), x),
                                         CheckedMultiply(CheckedAdd(a, twoM), CheckedAdd(a, twoM + 1.0)));
        return LentzStep(state, odd, 1.0, TinyGuard::kZeroTest);
    });
    return state.h;
}

}  // namespace

double Beta(double a, double b) {
    if (a <= 0.0) RaiseFunctionError(kBetaNonPositiveA);
    if (b <= 0.0) RaiseFunctionError(kBetaNonPositiveB);
    return CheckedExp(LogBeta(a, b));
}

double IncompleteBetaRegularized(double a, double b, double x, double eps) {
    if (a <= 0.0) RaiseFunctionError(kRegularizedNonPositiveA);
    if (b <= 0.0) RaiseFunctionError(kRegularizedNonPositiveB);
    if (IsOutsideUnitInterval(x)) RaiseFunctionError(kRegularizedOutsideUnit);
    // The limits at the end points, where the front factor would take the logarithm of 0.
    if (x == 0.0) return 0.0;
    if (x == 1.0) return 1.0;
    // Beyond the bound the fraction converges slowly: I_x(a, b) = 1 - I_(1-x)(b, a). The bound is
    // written twice as it is stated, once from each side.
    const double sum = CheckedAdd(CheckedAdd(a, b), 2.0);
    const bool swapped = x > CheckedDivide(CheckedAdd(a, 1.0), sum) ||
                         x > CheckedSubtract(1.0, CheckedDivide(CheckedAdd(b, 1.0), sum));
    // ln(1 - x) through log1p, so that a small x keeps its digits; after the swap ln(1 - x) is
    // the logarithm of the caller's x itself.
    const double logX = CheckedLn(x);
    const double logComplement = CheckResult(Log1p(-x), -x);
    if (swapped) {
        const double complement = CheckedSubtract(1.0, x);
        return CheckedSubtract(1.0, CheckedMultiply(FrontFactor(b, a, logComplement, logX),
                                                    BetaFraction(b, a, complement, eps)));
    }
    return CheckedMultiply(FrontFactor(a, b, logX, logComplement), BetaFraction(a, b, x, eps));
}

double IncompleteBeta(double a, double b, double x, double eps) {
    if (a <= 0.0) RaiseFunctionError(kIncompleteNonPositiveA);
    if (b <= 0.0) RaiseFunctionError(kIncompleteNonPositiveB);
    if (IsOutsideUnitInterval(x)) RaiseFunctionError(kIncompleteOutsideUnit);
    const double regularized = IncompleteBetaRegularized(a, b, x, eps);
    return CheckedMultiply(regularized, Beta(a, b));
}

double ChiSquareCdf(double x, double k, double eps) {
    if (k <= 0.0) RaiseFunctionError(kChiSquareNonPositiveK);
    if (x < 0.0) RaiseFunctionError(kChiSquareNegativeX);
    const double halfK = CheckedDivide(k, 2.0);
    const double lower = LowerIncompleteGamma(halfK, CheckedDivide(x, 2.0), eps);
    return CheckedDivide(lower, Gamma(halfK));
}

}  // namespace quorvex::special
