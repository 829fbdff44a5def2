// The zeta family: Hasse's alternating binomial series for Riemann zeta with a short direct sum
// where that already reaches the tolerance, Euler-Maclaurin summation for Hurwitz zeta, and the
// polylogarithm by its power series, its Euler transform in -x / (1 - x) or its series in ln x.
#include "special/zeta.hpp"

#include "core/checked_float.hpp"
#include "core/elementary_math.hpp"
#include "core/power.hpp"
#include "special/combinatorics.hpp"
#include "special/gamma.hpp"
#include "special/iteration.hpp"

#include <cmath>
#include <limits>
#include <string_view>

namespace quorvex::special {
namespace {

constexpr std::u16string_view kZetaPole = u"リーマンゼータ関数zetaが発散しました（引数に1が入りました）";
constexpr std::u16string_view kZetaNoConvergence = u"リーマンゼータ関数zetaは収束しませんでした";
constexpr std::u16string_view kHurwitzShiftNotPositive = u"Hurwitzのゼータ関数hzetaの係数aに0以下の数が代入されました";
constexpr std::u16string_view kHurwitzOrderAtMostOne = u"Hurwitzのゼータ関数hzetaの引数xに1以下の数が代入されました";
constexpr std::u16string_view kHurwitzNoConvergence = u"Hurwitzのゼータ関数hzetaは収束しませんでした";
constexpr std::u16string_view kPolylogOutsideDisc = u"多重対数関数polylogの引数xに|x|>1が入力されています";
constexpr std::u16string_view kPolylogNoConvergence = u"多重対数関数polylogは収束しませんでした";

constexpr double kLn2 = 0.6931471805599453;
// The direct sum runs while L = -ln(eps) / u is below this: at most e^3 + 5 terms.
constexpr double kDirectSumLimit = 3.0;
constexpr double kDirectSumExtraTerms = 5.0;
// Gamma overflows past this argument.
constexpr double kLargestGammaArgument = 171.0;
// The power series of the polylogarithm is used when its last term before the cap is below eps.
constexpr int kLastPowerSeriesTerm = kIterationCap - 1;
// Past this order 999^s overflows, while the 999th term is far below any tolerance already.
constexpr double kLargestPowerSeriesTestOrder = 100.0;
// For s <= 0 and |x| from here to 1 the polylogarithm is summed in powers of ln x: the Euler
// transform's binomial differences of (k+1)^-s cancel there, worse as -s grows.
constexpr double kLogarithmicSeriesLimit = 0.25;
// Hurwitz zeta sums its first terms directly; from a + 10 on, each Euler-Maclaurin correction is
// smaller than the one before by about ((s + 2j) / (2 pi (a + 10)))^2.
constexpr int kHurwitzDirectTerms = 10;

// s = -2, -4, ...: the trivial zeros.
bool IsTrivialZero(double s) { return s < 0.0 && s == std::trunc(s) && std::fmod(-std::trunc(s), 2.0) == 0.0; }

// 1 + 2^-u + ... + (n - 1)^-u with n = trunc(e^L) + 5: the tail is below eps when L < 3.
double DirectZetaSum(double u, double bigL) {
    const double n = std::trunc(CheckedExp(bigL)) + kDirectSumExtraTerms;
    double r = 1.0;
    for (double i = 2.0; i < n; i += 1.0) r = CheckedAdd(r, Power(i, -u));
    return r;
}

// 1 - 2^e as -expm1(e ln 2): near e = 0 the plain difference keeps only the digits of 2^e that
// differ from 1, and this factor is the pole of zeta at 1.
double OneMinusPowerOfTwo(double e) { return -Expm1(CheckedMultiply(e, kLn2)); }

// Hasse: zeta(u) = 1 / (1 - 2^(1-u)) sum over m of 2^-(m+1) sum over k of (-1)^k C(m, k) (k+1)^-u;
// each term relative to the running sum decides the stop. oneMinusU is 1 - u exactly: for a
// reflected s it is s itself, which 1 - u would no longer hold once u = 1 - s is rounded.
double HasseZetaSeries(double u, double oneMinusU, double eps) {
    const double d = OneMinusPowerOfTwo(oneMinusU);
    double r = CheckedDivide(0.5, d);
    IterateToTolerance(eps, kZetaNoConvergence, 1, [&](int m) {
        double sum = 0.0;
        for (int k = 0; k <= m; ++k) {
            const double term = CheckedMultiply(BinomialCoefficient(m, k), Power(CheckedDivide(1.0, k + 1.0), u));
            sum = k % 2 == 0 ? CheckedAdd(sum, term) : CheckedSubtract(sum, term);
        }
        const double t = CheckedDivide(CheckedMultiply(sum, Power(0.5, m + 1.0)), d);
        r = CheckedAdd(r, t);
        return CheckedDivide(t, r);
    });
    return r;
}

// The functional equation zeta(s) = 2 (2 pi)^(-u) sin(pi s / 2) Gamma(u) zeta(u), u = 1 - s. Past the
// range of Gamma, (2 pi)^(-u) Gamma(u) goes through logarithms: zeta(s) itself stays finite
// down to s = -259 or so.
double ReflectZeta(double zetaOfU, double s, double u) {
    const double sine = Sin(CheckedDivide(CheckedMultiply(kPi, s), 2.0));
    double r = CheckedMultiply(zetaOfU, 2.0);
    if (u > kLargestGammaArgument) {
        const double logRatio = CheckedSubtract(LogGamma(u), CheckedMultiply(u, CheckedLn(kTwoPi)));
        return CheckedMultiply(CheckedMultiply(r, sine), CheckedExp(logRatio));
    }
    r = CheckedMultiply(r, Power(kTwoPi, -u));
    r = CheckedMultiply(r, sine);
    return CheckedMultiply(r, Gamma(u));
}

// The Euler transform: the sum over i of w^(i+1) PolylogDifference(s, i), w = -x / (1 - x).
// For s = 0, -1, -2, ... it ends after 1 - s terms; otherwise it runs to the cap.
double EulerTransformedPolylog(double s, double x, double eps) {
    const double w = CheckedDivide(-x, CheckedSubtract(1.0, x));
    double r = 0.0;
    const auto step = [&](int i) {
        const double t = CheckedMultiply(Power(w, i + 1.0), PolylogDifference(s, i));
        r = CheckedAdd(r, t);
        return t;
    };
    const bool finite = s <= 0.0 && s == std::trunc(s);
    const double terms = finite ? 1.0 - std::trunc(s) : kIterationCap;
    if (terms >= kIterationCap) {
        IterateToTolerance(eps, kPolylogNoConvergence, 0, step);
    } else {
        for (int i = 0; i < static_cast<int>(terms); ++i) {
            if (eps > std::fabs(step(i))) break;
        }
    }
    return r;
}

// Li_s(x) = Gamma(1-s) (-mu)^(s-1) + sum over k >= 0 of zeta(s-k) mu^k / k! with mu = ln x, the
// principal logarithm (ln|x| + i pi for x < 0), converging like (|mu| / 2 pi)^k. Its real part
// in polar form: mu = rho e^(i theta), -mu = rho e^(i (theta - pi)). For s <= 0 no two terms are
// large and opposite, unlike the binomial differences of the Euler transform.
double LogarithmicPolylog(double s, double x, double eps) {
    const double logSize = CheckedLn(std::fabs(x));
    const double imaginary = x < 0.0 ? kPi : 0.0;
    const double rho = Hypot(logSize, imaginary);
    const double theta = Atan2(imaginary, logSize);
    const double exponent = CheckedSubtract(s, 1.0);
    double r = CheckedMultiply(CheckedMultiply(Gamma(CheckedSubtract(1.0, s)), Power(rho, exponent)),
                               Cos(CheckedMultiply(exponent, theta - kPi)));
    double scaled = 1.0;  // rho^k / k!
    IterateToTolerance(eps, kPolylogNoConvergence, 0, [&](int k) {
        if (k > 0) scaled = CheckedDivide(CheckedMultiply(scaled, rho), k);
        const double zeta = RiemannZeta(CheckedSubtract(s, k));
        r = CheckedAdd(r, CheckedMultiply(CheckedMultiply(zeta, scaled), Cos(k * theta)));
        // A trivial zero of zeta says nothing about the terms still to come.
        if (zeta == 0.0) return 1.0;
        return CheckedMultiply(zeta, scaled) / std::fmax(1.0, std::fabs(r));
    });
    return r;
}

// x^999 / 999^s, the last term the power series may add.
double LastPowerSeriesTerm(double s, double x) {
    const double order = std::fmin(s, kLargestPowerSeriesTestOrder);
    return CheckedDivide(Power(x, kLastPowerSeriesTerm), Power(kLastPowerSeriesTerm, order));
}

}  // namespace

double RiemannZeta(double s, double eps) {
    if (s == 1.0) RaiseFunctionError(kZetaPole);
    if (s == 0.0) return -0.5;
    if (IsTrivialZero(s)) return 0.0;
    const double u = s < 0.0 ? CheckedSubtract(1.0, s) : s;
    const double oneMinusU = s < 0.0 ? s : CheckedSubtract(1.0, s);
    const double bigL = CheckedDivide(-CheckedLn(eps), u);
    const double zetaOfU = bigL < kDirectSumLimit ? DirectZetaSum(u, bigL) : HasseZetaSeries(u, oneMinusU, eps);
    return s < 0.0 ? ReflectZeta(zetaOfU, s, u) : zetaOfU;
}

double DirichletEta(double s, double eps) {
    if (s == 1.0) return kLn2;
    const double factor = OneMinusPowerOfTwo(CheckedSubtract(1.0, s));
    return CheckedMultiply(factor, RiemannZeta(s, eps));
}

double HurwitzZeta(double s, double a, double eps) {
    if (a == 1.0) return RiemannZeta(s, eps);
    if (a <= 0.0) RaiseFunctionError(kHurwitzShiftNotPositive);
    if (s <= 1.0) RaiseFunctionError(kHurwitzOrderAtMostOne);
    double r = 0.0;
    for (int k = 0; k < kHurwitzDirectTerms; ++k) r = CheckedAdd(r, Power(CheckedAdd(a, k), -s));
    const double z = CheckedAdd(a, kHurwitzDirectTerms);
    const double tail = Power(z, CheckedSubtract(1.0, s));
    r = CheckedAdd(r, CheckedDivide(tail, CheckedSubtract(s, 1.0)));
    r = CheckedAdd(r, CheckedDivide(CheckedDivide(tail, z), 2.0));
    // B_2j / (2j)! s (s+1) ... (s+2j-2) z^(1-s-2j) = (-1)^(j+1) 2 zeta(2j) (s)_(2j-1) z^(1-s) / (2 pi z)^(2j)
    const double circle = CheckedMultiply(kTwoPi, z);
    double g = CheckedDivide(CheckedDivide(CheckedMultiply(CheckedMultiply(2.0, s), tail), circle), circle);
    double previous = std::numeric_limits<double>::infinity();
    IterateToTolerance(eps, kHurwitzNoConvergence, 1, [&](int j) {
        const double t = CheckedMultiply(g, RiemannZeta(2.0 * j));
        // Past its smallest term the expansion only diverges: the tolerance is out of reach.
        if (std::fabs(t) > previous) RaiseConvergeError(kHurwitzNoConvergence);
        previous = std::fabs(t);
        r = CheckedAdd(r, t);
        const double relative = CheckedDivide(t, r);
        if (eps > std::fabs(relative)) return relative;
        const double rising = CheckedMultiply(CheckedAdd(s, 2.0 * j - 1.0), CheckedAdd(s, 2.0 * j));
        g = CheckedDivide(CheckedDivide(CheckedMultiply(-g, rising), circle), circle);
        return relative;
    });
    return r;
}

double Polylog(double s, double x, double eps) {
    if (std::fabs(x) > 1.0) RaiseFunctionError(kPolylogOutsideDisc);
    if (x == 1.0) return RiemannZeta(s, eps);
    if (x == -1.0) return -DirichletEta(s, eps);
    if (s <= 0.0 && std::fabs(x) >= kLogarithmicSeriesLimit) return LogarithmicPolylog(s, x, eps);
    if (!(s > 0.0 && eps > std::fabs(LastPowerSeriesTerm(s, x)))) return EulerTransformedPolylog(s, x, eps);
    double r = x;
    IterateToTolerance(eps, kPolylogNoConvergence, 2, [&](int i) {
        const double t = CheckedDivide(Power(x, i), Power(i, s));
        r = CheckedAdd(r, t);
        return t;
    });
    return r;
}

double PolylogDifference(double s, std::int32_t n) {
    double sum = 0.0;
    for (std::int32_t k = 0; k <= n; ++k) {
        const double term = CheckedMultiply(BinomialCoefficient(n, k), Power(k + 1.0, -s));
        sum = k % 2 == 0 ? CheckedSubtract(sum, term) : CheckedAdd(sum, term);
    }
    return sum;
}

}  // namespace quorvex::special
