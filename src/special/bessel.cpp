// Bessel functions of the first and second kind of real order: the ascending series for small
// arguments, Hankel's expansion for large ones, and accurate methods where those cancel.
#include "special/bessel.hpp"

#include "core/checked_float.hpp"
#include "core/elementary_math.hpp"
#include "core/errors.hpp"
#include "core/power.hpp"
#include "special/bessel_steed.hpp"
#include "special/gamma.hpp"
#include "special/iteration.hpp"
#include "special/sine_pi.hpp"

#include <quorvex/quorvex.hpp>

#include <cmath>
#include <string_view>

namespace quorvex::special {
namespace {

constexpr std::u16string_view kBesselJPole = u"第1種ベッセル関数besseljが発散しました（z=0で発散）";
constexpr std::u16string_view kBesselJNoConvergence = u"第1種ベッセル関数besseljは収束しませんでした";
constexpr std::u16string_view kBesselYPole = u"第2種ベッセル関数besselyが発散しました（z=0で発散）";
constexpr std::u16string_view kBesselYImaginary =
    u"第2種ベッセル関数besselyはaが整数でz<0の時、虚数となり計算できません";
constexpr std::u16string_view kBesselYNoConvergence = u"第2種ベッセル関数besselyは収束しませんでした";

constexpr double kTwoOverPi = 0.6366197723675814;

// The regimes: the ascending series below 5.5, Hankel's expansion above 45.
constexpr double kSeriesLimit = 5.5;
constexpr double kAsymptoticLimit = 45.0;
// Hankel's expansion keeps 15 digits while nu^2 <= 10 x (its largest term stays near 1); past
// that its terms grow before they fall and their rounding swamps the result.
constexpr double kHankelOrderSquarePerArgument = 10.0;
// Steed's method serves up to this argument: its CF1 takes about x terms.
constexpr double kSteedArgumentLimit = 1000.0;
// Gamma(nu + 1) overflows past this argument.
constexpr double kLargestGammaArgument = 171.0;
// n! overflows from n = 171 on.
constexpr double kLargestFactorialOrder = 170.0;
// Below 5.5, |Y_k(x)| overflows before k = 300.
constexpr double kLargestSmallArgumentOrder = 300.0;
// Weber's formula divides by sin(nu pi): closer than this to an integer it loses digits.
constexpr double kWeberIntegerDistance = 0.1;

bool IsInteger(double v) { return v - std::trunc(v) == 0.0; }

// (-1)^n for an integral n.
double ParitySign(double n) { return std::fmod(n, 2.0) != 0.0 ? -1.0 : 1.0; }

double SquareRootTwoOverPiX(double x) { return CheckedSqrt(CheckedDivide(2.0, CheckedMultiply(x, kPi))); }

// (x/2)^nu / Gamma(nu + 1). Below 0, 1 / Gamma(z) = sin(pi z) Gamma(1 - z) / pi with sin(pi z)
// reduced exactly: near the poles the rounding of pi z would cost the reciprocal its digits
// (all of J's terms carry it). Past the range of Gamma through logarithms, so that a large order
// underflows towards zero as J does instead of overflowing. The power's rules still apply (a
// negative x with a non-integer order is invalid).
double SeriesLeadingTerm(double x, double nu) {
    const double half = CheckedDivide(x, 2.0);
    const double order = CheckedAdd(nu, 1.0);
    if (order < 0.0) {
        const double reciprocal = CheckedMultiply(SinPi(order), Gamma(CheckedSubtract(1.0, order)));
        return CheckedDivide(CheckedMultiply(Power(half, nu), reciprocal), kPi);
    }
    if (order <= kLargestGammaArgument) return CheckedDivide(Power(half, nu), Gamma(order));
    if (half < 0.0 && !IsInteger(nu)) return Power(half, nu);
    const double magnitude =
        CheckedExp(CheckedSubtract(CheckedMultiply(nu, CheckedLn(std::fabs(half))), LogGamma(order)));
    return half < 0.0 ? ParitySign(nu) * magnitude : magnitude;
}

// J_nu(x) = (x/2)^nu / Gamma(nu + 1) sum over i of (-x^2/4)^i / (i! (nu + 1)_i), J_-n = (-1)^n J_n.
// Each term is measured against the leading one, so that a small J keeps its digits too.
double AscendingSeriesJ(double x, double nu, double eps) {
    double sigma = 1.0;
    if (nu < 0.0 && IsInteger(nu)) {
        sigma = ParitySign(std::trunc(nu));
        nu = -nu;
    }
    const double p = SeriesLeadingTerm(x, nu);
    const double minusSquare = -CheckedMultiply(x, x);
    double r = p;
    double t = 1.0;
    IterateToTolerance(eps, kBesselJNoConvergence, 1, [&](int i) {
        t = CheckedDivide(CheckedDivide(CheckedDivide(CheckedMultiply(t, minusSquare), 4.0), i), CheckedAdd(i, nu));
        r = CheckedAdd(r, CheckedMultiply(p, t));
        return t;
    });
    return CheckedMultiply(r, sigma);
}

// For a positive (or integer) order the series of J decreases from its first term, so it has
// nothing to cancel, while x^2/4 < |nu| + 1.
bool SeriesIsMonotone(double x, double nu) { return (nu >= 0.0 || IsInteger(nu)) && x * x / 4.0 < std::fabs(nu) + 1.0; }

enum class Kind { kFirst, kSecond };

bool HankelIsAccurate(double x, double nu) { return nu * nu <= kHankelOrderSquarePerArgument * x; }

// Hankel's expansion sqrt(2/(pi x)) (P cos phi - Q sin phi) for J, (P sin phi + Q cos phi) for Y,
// phi = x - (nu/2 + 1/4) pi, with P, Q the even and odd parts of the series in mu = 4 nu^2.
// cos phi and sin phi come from those of x and of (nu/2 + 1/4) pi: forming phi itself would
// round away the digits of the phase at large x.
double HankelExpansion(double x, double nu, double eps, Kind kind) {
    const double m = CheckedSqrt(CheckedDivide(kTwoOverPi, x));
    const double shift = CheckedAdd(CheckedDivide(nu, 2.0), 0.25);
    const double sinX = Sin(x);
    const double cosX = Cos(x);
    const double cs = CosPi(shift) * cosX + SinPi(shift) * sinX;
    const double sn = CosPi(shift) * sinX - SinPi(shift) * cosX;
    const double mu = CheckedMultiply(4.0, CheckedMultiply(nu, nu));
    const double o = CheckedDivide(CheckedDivide(0.25, x), x);
    const double a = kind == Kind::kFirst ? cs : sn;
    const double b = kind == Kind::kFirst ? -sn : cs;
    const auto message = kind == Kind::kFirst ? kBesselJNoConvergence : kBesselYNoConvergence;
    const auto muMinusSquare = [mu](double odd) { return CheckedSubtract(mu, odd * odd); };
    double r = CheckedMultiply(m, CheckedAdd(a, CheckedDivide(CheckedDivide(CheckedMultiply(b, mu - 1.0), 8.0), x)));
    double p = CheckedDivide(CheckedMultiply(CheckedMultiply(-o, mu - 1.0), mu - 9.0), 32.0);
    double q = CheckedDivide(CheckedMultiply(CheckedMultiply(CheckedMultiply(-o, mu - 1.0), mu - 9.0), mu - 25.0),
                             CheckedMultiply(x, 768.0));
    IterateToTolerance(eps, message, 1, [&](int i) {
        const double v = CheckedMultiply(m, CheckedAdd(CheckedMultiply(a, p), CheckedMultiply(b, q)));
        r = CheckedAdd(r, v);
        if (eps > std::fabs(v)) return v;
        const double k = 4.0 * i;
        const auto overTwoFactorsAndSixteen = [](double value, double first, double second) {
            return CheckedDivide(CheckedDivide(CheckedDivide(value, first), second), 16.0);
        };
        const double qFactor = overTwoFactorsAndSixteen(muMinusSquare(k + 5.0), 2.0 * i + 2.0, 2.0 * i + 3.0);
        q = CheckedMultiply(CheckedMultiply(CheckedMultiply(-q, o), muMinusSquare(k + 3.0)), qFactor);
        const double pProduct =
            CheckedMultiply(CheckedMultiply(CheckedMultiply(-p, o), muMinusSquare(k + 1.0)), muMinusSquare(k + 3.0));
        p = overTwoFactorsAndSixteen(pProduct, 2.0 * i + 1.0, 2.0 * i + 2.0);
        return v;
    });
    return r;
}

// Steed's method for 0 < x <= 1000 and an order >= 0; its overflow is EOverflow.
double SteedJPositive(double x, double nu) { return SteedBesselJ(x, nu, kBesselJNoConvergence); }

double SteedYPositive(double x, double nu) { return SteedBesselY(x, nu, kBesselYNoConvergence); }

// Any real order by J_-a = cos(a pi) J_a - sin(a pi) Y_a, Y_-a = sin(a pi) J_a + cos(a pi) Y_a
// (for an integer a: (-1)^a times the positive order).
double SteedJ(double x, double nu) {
    if (nu >= 0.0) return SteedJPositive(x, nu);
    const double a = -nu;
    if (IsInteger(a)) return ParitySign(a) * SteedJPositive(x, a);
    return CheckedSubtract(CosPi(a) * SteedJPositive(x, a), CheckedMultiply(SinPi(a), SteedYPositive(x, a)));
}

double SteedY(double x, double nu) {
    if (nu >= 0.0) return SteedYPositive(x, nu);
    const double a = -nu;
    if (IsInteger(a)) return CheckedMultiply(ParitySign(a), SteedYPositive(x, a));
    return CheckedAdd(SinPi(a) * SteedJPositive(x, a), CheckedMultiply(CosPi(a), SteedYPositive(x, a)));
}

// |x| > 45, where Hankel's expansion is accurate; else Steed's method up to its limit; else the
// ascending series while it cannot cancel. Nothing accurate is left in between: the expansion
// cannot meet the tolerance there, which is reported as its failure to converge.
double LargeArgumentJ(double x, double nu, double eps) {
    if (x < 0.0) RaiseInvalidOp();  // sqrt(2 / (pi x)) of Hankel's expansion
    if (HankelIsAccurate(x, nu)) return HankelExpansion(x, nu, eps, Kind::kFirst);
    if (x <= kSteedArgumentLimit) return SteedJ(x, nu);
    if (SeriesIsMonotone(x, nu)) return AscendingSeriesJ(x, nu, eps);
    RaiseConvergeError(kBesselJNoConvergence);
}

double LargeArgumentY(double x, double nu, double eps) {
    if (HankelIsAccurate(x, nu)) return HankelExpansion(x, nu, eps, Kind::kSecond);
    if (x <= kSteedArgumentLimit) return SteedY(x, nu);
    RaiseConvergeError(kBesselYNoConvergence);
}

// Y_a(x) for 0 < x < 5.5 and a >= 0: Temme's series at the nearest order mu = a - n within 1/2,
// then upward recurrence Y_(v+1) = (2v/x) Y_v - Y_(v-1), which is stable for Y.
double TemmeY(double x, double a, double eps) {
    const double n = std::round(a);
    if (n > kLargestSmallArgumentOrder) RaiseOverflow();
    const double mu = a - n;
    OrderPair pair = TemmeSeries(x, mu, eps, kBesselYNoConvergence);
    if (n == 0.0) return pair.lower;
    for (double k = 1.0; k < n; k += 1.0) {
        const double next =
            CheckedSubtract(CheckedMultiply(CheckedDivide(CheckedMultiply(2.0, mu + k), x), pair.upper), pair.lower);
        pair = {pair.upper, next};
    }
    return pair.upper;
}

// Y_nu(x) for x > 0 at orders where Weber's formula cancels: Temme below 5.5, Steed's method up
// to 45, Hankel's expansion beyond. Negative orders by Y_-a = sin(a pi) J_a + cos(a pi) Y_a.
double AccurateY(double x, double nu, double eps) {
    if (x >= kSeriesLimit) return x <= kAsymptoticLimit ? SteedY(x, nu) : LargeArgumentY(x, nu, eps);
    if (nu >= 0.0) return TemmeY(x, nu, eps);
    const double a = -nu;
    if (IsInteger(a)) return CheckedMultiply(ParitySign(a), TemmeY(x, a, eps));
    return CheckedAdd(CheckedMultiply(SinPi(a), AscendingSeriesJ(x, a, eps)),
                      CheckedMultiply(CosPi(a), TemmeY(x, a, eps)));
}

// Weber's formula (J_nu cos(nu pi) - J_-nu) / sin(nu pi), in the order J_nu, cos, J_-nu, sin.
double WeberY(double x, double nu, double eps) {
    const double jPlus = BesselJ(x, nu, eps);
    const double c = Cos(CheckedMultiply(nu, kPi));
    const double jMinus = BesselJ(x, -nu, eps);
    const double s = Sin(CheckedMultiply(nu, kPi));
    return CheckedDivide(CheckedSubtract(CheckedMultiply(jPlus, c), jMinus), s);
}

// Y_0(x) = (2/pi)(ln(x/2) + gamma) J_0(x) + (2/pi) sum over i of (-1)^(i+1) H_i (x^2/4)^i / (i!)^2.
double LogarithmicSeriesY0(double x, double eps) {
    const double logHalf = CheckedLn(CheckedDivide(x, 2.0));
    double r =
        CheckedDivide(CheckedMultiply(CheckedMultiply(CheckedAdd(logHalf, kEulerGamma), 2.0), BesselJ(x, 0.0)), kPi);
    const double q = CheckedDivide(CheckedMultiply(x, x), 4.0);
    double harmonic = 1.0;
    double t = CheckedMultiply(q, kTwoOverPi);
    IterateToTolerance(eps, kBesselYNoConvergence, 1, [&](int i) {
        const double v = CheckedMultiply(harmonic, t);
        r = CheckedAdd(r, v);
        if (eps > std::fabs(v)) return v;
        harmonic = CheckedAdd(harmonic, CheckedDivide(1.0, i + 1.0));
        t = CheckedDivide(CheckedMultiply(-t, q), CheckedMultiply(i + 1.0, i + 1.0));
        return v;
    });
    return r;
}

// Y_n(x) for an integer n != 0: (2/pi) ln(x/2) J_n(x), minus the finite sum over k < n of
// (n-k-1)! (x/2)^(2k-n) / (pi k!), minus the sum over j of (psi(j+1) + psi(n+j+1)) (-x^2/4)^j
// (x/2)^n / (pi j! (n+j)!).
double LogarithmicSeriesYn(double x, double nu, double eps) {
    double n = std::trunc(nu);
    const double sigma = n < 0.0 ? ParitySign(n) : 1.0;
    n = std::fabs(n);
    double r =
        CheckedDivide(CheckedMultiply(CheckedMultiply(CheckedLn(CheckedDivide(x, 2.0)), 2.0), BesselJ(x, n, eps)), kPi);
    const double p = Power(CheckedDivide(x, 2.0), n);
    const double q = CheckedDivide(CheckedMultiply(x, x), 4.0);
    double factorial = 1.0;  // (n - 1)!
    for (double k = 2.0; k <= n - 1.0; k += 1.0) factorial = CheckedMultiply(factorial, k);
    const double bigN = CheckedMultiply(factorial, n);  // n!
    r = CheckedSubtract(r, CheckedDivide(factorial, CheckedMultiply(p, kPi)));
    double w = CheckedDivide(CheckedMultiply(factorial, q), CheckedMultiply(p, kPi));
    for (double i = 1.0; i <= n - 1.0; i += 1.0) {
        w = CheckedDivide(w, n - i);
        r = CheckedSubtract(r, w);
        w = CheckedDivide(CheckedMultiply(w, q), i + 1.0);
    }
    const double psiSum = CheckedAdd(Digamma(1.0), Digamma(n + 1.0));
    r = CheckedSubtract(r, CheckedDivide(CheckedDivide(CheckedMultiply(p, psiSum), bigN), kPi));
    double bigW = CheckedDivide(CheckedDivide(CheckedDivide(CheckedMultiply(-q, p), kPi), bigN), n + 1.0);
    IterateToTolerance(eps, kBesselYNoConvergence, 1, [&](int j) {
        const double v = CheckedMultiply(bigW, CheckedAdd(Digamma(j + 1.0), Digamma(n + j + 1.0)));
        r = CheckedSubtract(r, v);
        if (eps > std::fabs(v)) return v;
        bigW = CheckedDivide(CheckedDivide(CheckedMultiply(bigW, -q), j + 1.0), n + j + 1.0);
        return v;
    });
    return CheckedMultiply(sigma, r);
}

// Y_nu(x) for a non-integer order: Weber's formula away from the integers, an accurate method
// near them. A convergence failure inside is reported as Y's own.
double NonIntegerOrderY(double x, double nu, double eps) {
    try {
        if (std::fabs(nu - std::round(nu)) >= kWeberIntegerDistance) return WeberY(x, nu, eps);
        if (x < 0.0) RaiseInvalidOp();  // as the power or square root of J at x < 0 would
        return AccurateY(x, nu, eps);
    } catch (const EConvergeError&) {
        RaiseConvergeError(kBesselYNoConvergence);
    }
}

}  // namespace

double BesselJ(double x, double nu, double eps) {
    if (x == 0.0) {
        if (nu == 0.0) return 1.0;
        if (nu < 0.0 && !IsInteger(nu)) RaiseFunctionError(kBesselJPole);
        return 0.0;
    }
    if (nu == -0.5) return CheckedMultiply(SquareRootTwoOverPiX(x), Cos(x));
    if (nu == 0.5) return CheckedMultiply(SquareRootTwoOverPiX(x), Sin(x));
    const double size = std::fabs(x);
    if (size < kSeriesLimit) return AscendingSeriesJ(x, nu, eps);
    if (size > kAsymptoticLimit) return LargeArgumentJ(x, nu, eps);
    if (x > 0.0) return SteedJ(x, nu);
    if (!IsInteger(nu)) RaiseInvalidOp();
    return CheckedMultiply(ParitySign(nu), SteedJ(-x, nu));
}

double BesselY(double x, double nu, double eps) {
    if (x == 0.0) RaiseFunctionError(kBesselYPole);
    if (!IsInteger(nu)) return NonIntegerOrderY(x, nu, eps);
    if (x < 0.0) RaiseFunctionError(kBesselYImaginary);
    if (x > kAsymptoticLimit) return LargeArgumentY(x, nu, eps);
    if (x >= kSeriesLimit) return SteedY(x, nu);
    if (std::fabs(nu) > kLargestFactorialOrder) return AccurateY(x, nu, eps);
    return nu == 0.0 ? LogarithmicSeriesY0(x, eps) : LogarithmicSeriesYn(x, nu, eps);
}

}  // namespace quorvex::special
