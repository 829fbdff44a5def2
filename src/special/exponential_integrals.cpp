// Ei, E_n and li. Ei sums its power series below 40 and its asymptotic series beyond; E_n sums
// its power series near the origin and its continued fraction further out; each reaches the
// other's negative half-line and words the other's errors as its own.
#include "special/exponential_integrals.hpp"

#include "core/checked_float.hpp"
#include "core/utf16.hpp"
#include "special/iteration.hpp"

#include <quorvex/quorvex.hpp>

#include <cmath>
#include <cstdint>
#include <optional>
#include <string_view>

namespace quorvex::special {
namespace {

constexpr std::u16string_view kEiDivergent = u"指数積分expiが発散しました（0が代入されました）";
constexpr std::u16string_view kEiNotConverged = u"指数積分expiは収束しませんでした";
constexpr std::u16string_view kEiOverflow = u"指数積分expiでオーバーフローが発生しました";
constexpr std::u16string_view kEnDivergent = u"一般化指数積分expnが発散しました（n=1,x=0で発散します）";
constexpr std::u16string_view kEnNotConverged = u"一般化指数積分expnが収束しませんでした";
constexpr std::u16string_view kEnOverflow = u"一般化指数積分expnでオーバーフローが発生しました";
// Followed by the message of the error that Ei raised.
constexpr std::u16string_view kEnOtherErrorPrefix = u"一般化指数積分expnで以下のエラーが発生しました\r\n\r\n";
constexpr std::u16string_view kLiAtOne = u"対数積分liの引数に1が代入されました";
constexpr std::u16string_view kLiNegative = u"対数積分liの引数に負の値が代入されました";

// Ei sums its power series below this and its asymptotic series from it on.
constexpr double kEiAsymptoticBound = 40.0;
// E_n sums its power series below this...
constexpr double kEnSeriesBound = 0.5;
// ...and below this for orders under kEnLowOrderLimit: for those the continued fraction
// converges slowly below 1.5 (150 steps at 0.5) and its rounding grows to 2e-14, while the
// series stays within 3e-15 (it cancels as e^2x, which is what ends it at 1.5).
constexpr double kEnLowOrderSeriesBound = 1.5;
constexpr std::int32_t kEnLowOrderLimit = 20;
// From this order on the continued fraction serves every x > 0: it converges in few steps for
// large orders, while the series, whose sum is about 1/n, stops on an absolute term below eps,
// so that its relative error grows as n · 5e-17 (5e-14 at n = 1000).
constexpr std::int32_t kEnFractionOnlyOrder = 50;

// e^x · factor with e^x taken in two halves, so that only a product beyond the largest double
// overflows (e^x alone overflows from 709.8 on, Ei(x) only from 716.4 on).
double ScaledExp(double x, double factor) {
    const double half = CheckedExp(x / 2.0);
    return CheckedMultiply(half, CheckedMultiply(half, factor));
}

// Ei(x) = γ + ln x + Σ x^i/(i·i!), i >= 1. The test measures t = x^i/i!, not the term t/i.
double EiPowerSeries(double x, double eps) {
    double r = CheckedAdd(kEulerGamma, CheckedLn(x));
    double t = x;
    IterateToTolerance(eps, kEiNotConverged, 1, [&](int i) {
        if (i > 1) t = CheckedDivide(CheckedMultiply(t, x), i);
        r = CheckedAdd(r, CheckedDivide(t, i));
        return t;
    });
    return r;
}

// e^-x · Ei(x) ~ 1/x · Σ k!/x^k, k >= 0: asymptotic, its terms shrink while k < x.
double EiAsymptoticRatio(double x, double eps) {
    double s = 1.0;
    double t = CheckedDivide(1.0, x);
    IterateToTolerance(eps, kEiNotConverged, 1, [&](int i) {
        if (i > 1) t = CheckedDivide(CheckedMultiply(t, i), x);
        s = CheckedAdd(s, t);
        return t;
    });
    return CheckedDivide(s, x);
}

// (-x)^(n-1)/(n-1)! · (ψ(n) - ln x), ψ(n) = -γ + Σ 1/i for i < n; the power over the factorial
// is carried as one ratio, as in the sum below.
double EnLogarithmicTerm(std::int32_t n, double x) {
    double psiMinusLn = -kEulerGamma - CheckedLn(x);
    double ratio = 1.0;
    for (std::int32_t i = 1; i < n; ++i) {
        ratio = ratio * -x / i;
        psiMinusLn += 1.0 / i;
    }
    return ratio * psiMinusLn;
}

// E_n(x) = (-x)^(n-1)/(n-1)! · (ψ(n) - ln x) - Σ (-x)^i/((i-n+1)·i!), i >= 0, i != n-1. The
// test measures the last term taken; the skipped one leaves it unchanged (10 before the first).
// (-x)^i/i! is carried as one ratio, so that with an eps that cannot be met the sum reaches its
// cap rather than overflowing i! at 171.
double EnPowerSeries(std::int32_t n, double x, double eps) {
    const double order = n;
    const std::int64_t skipped = static_cast<std::int64_t>(n) - 1;
    double r = EnLogarithmicTerm(n, x);
    if (n != 1) r -= 1.0 / (1.0 - order);
    double power = 1.0;  // (-x)^i/i!
    double term = 10.0;
    IterateToTolerance(eps, kEnNotConverged, 1, [&](int i) {
        power = power * -x / i;
        if (i != skipped) {
            term = power / (i - order + 1.0);
            r -= term;
        }
        return term;
    });
    return r;
}

// E_n(x) = e^-x · 1/(x+n- 1·n/(x+n+2- 2(n+1)/(x+n+4- ...))), the fraction by modified Lentz
// from the tiny start and e^-x applied afterwards: folded into the first step, e^-x would have
// to stay far above the tiny start value, which it does not beyond x of about 40.
double EnContinuedFraction(std::int32_t n, double x, double eps, double exponential) {
    const double order = n;
    LentzState fraction{kTinyValue, kTinyValue, 0.0};
    LentzStep(fraction, 1.0, x + order, TinyGuard::kExactZero);
    IterateToTolerance(eps, kEnNotConverged, 1, [&](int i) {
        const double a = i * (order + i - 1.0);
        return LentzStep(fraction, -a, x + order + 2.0 * i, TinyGuard::kExactZero);
    });
    return CheckedMultiply(fraction.h, exponential);
}

// E_n(x) for x > 0. The caller may know the fraction's factor e^-x exactly (li, whose x here is
// the rounded -ln of its argument, knows that the factor is its argument).
double EnOnPositiveAxis(std::int32_t n, double x, double eps, std::optional<double> exponential) {
    const double seriesBound = n < kEnLowOrderLimit ? kEnLowOrderSeriesBound : kEnSeriesBound;
    if (n < kEnFractionOnlyOrder && x < seriesBound) return EnPowerSeries(n, x, eps);
    return EnContinuedFraction(n, x, eps, exponential ? *exponential : CheckedExp(-x));
}

// Ei(x) = -E_1(-x) for x < 0, every error of E_1 worded as Ei's failure to converge.
double EiOnNegativeAxis(double x, double eps, std::optional<double> exponential) {
    try {
        return -EnOnPositiveAxis(1, -x, eps, exponential);
    } catch (const Exception&) {
        RaiseConvergeError(kEiNotConverged);
    }
}

// E_n(x) = -Ei(-x) for x < 0 and every order, Ei's errors worded as E_n's.
double EnOnNegativeAxis(double x, double eps) {
    try {
        return -ExpIntegralEi(-x, eps);
    } catch (const EFunctionError&) {
        RaiseFunctionError(kEnOverflow);
    } catch (const EConvergeError&) {
        RaiseFunctionError(kEnNotConverged);
    } catch (const Exception& e) {
        throw Exception(JoinMessage({kEnOtherErrorPrefix, e.Message()}), kDomainHelpContext);
    }
}

// Ei(x) for x > 0; every error but its own failure to converge is an overflow. Beyond 40 the
// asymptotic ratio is multiplied by e^x, which the caller may know exactly (li knows e^(ln x));
// otherwise e^x · ratio is taken, not exp(ln s + x)/x, whose rounded exponent cost up to 4e-14
// near x = 700.
double EiOnPositiveAxis(double x, double eps, std::optional<double> exponential) {
    try {
        if (CheckedLn(eps) > x) return kEulerGamma + CheckedLn(std::fabs(x));
        if (x < kEiAsymptoticBound) return EiPowerSeries(x, eps);
        const double ratio = EiAsymptoticRatio(x, eps);
        return exponential ? CheckedMultiply(*exponential, ratio) : ScaledExp(x, ratio);
    } catch (const EConvergeError&) {
        throw;
    } catch (const Exception&) {
        RaiseFunctionError(kEiOverflow);
    }
}

}  // namespace

double ExpIntegralEi(double x, double eps) {
    if (x == 0.0) RaiseFunctionError(kEiDivergent);
    return x > 0.0 ? EiOnPositiveAxis(x, eps, std::nullopt) : EiOnNegativeAxis(x, eps, std::nullopt);
}

double ExpIntegralEn(std::int32_t n, double x, double eps) {
    if (x == 0.0) {
        if (n == 1) RaiseFunctionError(kEnDivergent);
        return 1.0 / (static_cast<double>(n) - 1.0);
    }
    if (n == 0) return CheckedDivide(CheckedExp(-x), x);
    if (x < 0.0) return EnOnNegativeAxis(x, eps);
    return EnOnPositiveAxis(n, x, eps, std::nullopt);
}

double LogIntegral(double x, double eps) {
    if (x == 1.0) RaiseFunctionError(kLiAtOne);
    if (x < 0.0) RaiseFunctionError(kLiNegative);
    if (x == 0.0) return 0.0;
    // e^(ln x) is x itself: neither Ei's asymptotic series nor E_1's fraction then needs an
    // exponential of the rounded ln x, which would be off by up to 6e-14 relative for x far
    // from 1. ln x is not 0 here, as x is not 1.
    const double lnX = CheckedLn(x);
    return lnX > 0.0 ? EiOnPositiveAxis(lnX, eps, x) : EiOnNegativeAxis(lnX, eps, x);
}

}  // namespace quorvex::special
