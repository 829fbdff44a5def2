// Bessel functions of the first and second kind of real order. For x > 0 and an order a >= 0:
//  - J below x = 5.5, and wherever x^2 < 10 (a + 1): the ascending series in double-double
//    (A&S 9.1.10), whose terms cannot cancel beyond what 106 bits absorb;
//  - Y below x = 2: Temme's series at the order within 1/2 of 0 and the upward recurrence
//    (A&S 9.1.27) in double-double;
//  - x > 45 with a^2 <= 2x: Hankel's expansion at the order itself (A&S 9.2.5, 9.2.6);
//  - x > 45 and a <= 12000: Hankel's expansion at the order within 1/2 of 0 and the one above,
//    carried up to a by the recurrence in double-double: upwards for Y (stable), and for J
//    while a < x - 30 (neutral there); for J beyond, Miller's recurrence down from far above a
//    to below x - 30, scaled to the upward values there;
//  - else Steed's method (CF1, CF2 and the Wronskian; Numerical Recipes 6.7): 5.5 <= x <= 45
//    for J (2 <= x <= 45 for Y), and near and past the turning point for orders above 12000,
//    where its CF1 oscillates through at most 30 terms and its recurrence runs from a down to
//    x, a range bounded by where J underflows and Y overflows.
// Negative orders by J_-a = cos(a pi) J_a - sin(a pi) Y_a, Y_-a = sin(a pi) J_a + cos(a pi) Y_a
// (A&S 9.1.2), with sin and cos of a pi reduced exactly; (-1)^n for an integer a = n.
// Measured against mpmath over x from 1e-6 to 1e6 and orders from -1000 to 1000: within
// 1.6 units of the 15th significant digit (of the modulus sqrt(J^2 + Y^2) by a zero).
#include "special/bessel.hpp"

#include "core/checked_float.hpp"
#include "core/elementary_math.hpp"
#include "core/errors.hpp"
#include "special/bessel_hankel.hpp"
#include "special/bessel_steed.hpp"
#include "special/iteration.hpp"
#include "special/messages.hpp"
#include "special/sine_pi.hpp"

#include <quorvex/quorvex.hpp>

#include <cmath>
#include <string_view>

namespace quorvex::special {
namespace {

constexpr double kTwoOverPi = 0.6366197723675814;

// The ascending series of J serves below this argument (at any order, and at negative x).
constexpr double kSeriesLimit = 5.5;
// Temme's series serves Y below this argument; CF2 converges above it.
constexpr double kTemmeLimit = 2.0;
// Hankel's expansion serves above this argument.
constexpr double kAsymptoticLimit = 45.0;
// Hankel's expansion at the order itself keeps its terms below 1 while nu^2 <= 2x; beyond, its
// terms grow before they fall and their rounding shows in the 15th digit.
constexpr double kHankelOrderSquarePerArgument = 2.0;
// The upward recurrence carries J while the order stays this far below x; past it, near the
// turning point, Steed's CF1 converges after a few dozen terms.
constexpr double kTurningPointBand = 30.0;
// The recurrence from Hankel's expansion runs through this many orders at most (well under a
// millisecond); beyond, Debye's expansions would be needed.
constexpr double kLargestRecurrenceOrder = 12000.0;
// Where nu (alpha - tanh alpha), cosh alpha = nu / x, exceeds this, J_nu(x) ~ exp(-that) underflows
// and Y_nu(x) overflows, with room for the factor (pi nu tanh alpha / 2)^(-1/2) (Debye, A&S 9.3.2, 9.3.3).
constexpr double kDebyeExponentBeyondRange = 800.0;
// Below 2, |Y_k(x)| overflows before k = 300.
constexpr double kLargestSmallArgumentOrder = 300.0;

bool IsInteger(double v) { return v - std::trunc(v) == 0.0; }

// (-1)^n for an integral n.
double ParitySign(double n) { return std::fmod(n, 2.0) != 0.0 ? -1.0 : 1.0; }

double SquareRootTwoOverPiX(double x) { return double(CheckedSqrt(2.0 / (Checked(x) * kPi))); }

bool HankelIsAccurate(double x, double nu) { return nu * nu <= kHankelOrderSquarePerArgument * x; }

// Hankel's expansion sqrt(2/(pi x)) (P cos phi - Q sin phi) for J, (P sin phi + Q cos phi) for Y,
// phi = x - (nu/2 + 1/4) pi, with P, Q the even and odd parts of the series in mu = 4 nu^2.
// cos phi and sin phi come from those of x and of (nu/2 + 1/4) pi: forming phi itself would
// round away the digits of the phase at large x.
double HankelExpansion(double x, double nu, double eps, BesselKind kind) {
    const Checked m = CheckedSqrt(kTwoOverPi / Checked(x));
    const double shift = double(Checked(nu) / 2.0 + 0.25);
    const double sinX = Sin(x);
    const double cosX = Cos(x);
    const double cs = CosPi(shift) * cosX + SinPi(shift) * sinX;
    const double sn = CosPi(shift) * sinX - SinPi(shift) * cosX;
    // A double, not Checked: once mu is finite, mu - 1, mu - 9, ... cannot fault, and stay raw.
    const double mu = double(4.0 * (Checked(nu) * nu));
    const Checked o = Checked(0.25) / x / x;
    const double a = kind == BesselKind::kFirst ? cs : sn;
    const double b = kind == BesselKind::kFirst ? -sn : cs;
    const auto message = kind == BesselKind::kFirst ? kBesselJNoConvergence : kBesselYNoConvergence;
    const auto muMinusSquare = [mu](double odd) { return CheckedSubtract(mu, odd * odd); };
    Checked r = m * (a + Checked(b) * (mu - 1.0) / 8.0 / x);
    Checked p = -o * (mu - 1.0) * (mu - 9.0) / 32.0;
    Checked q = -o * (mu - 1.0) * (mu - 9.0) * (mu - 25.0) / (Checked(x) * 768.0);
    IterateToTolerance(eps, message, 1, [&](int i) {
        const Checked v = m * (a * p + b * q);
        r += v;
        if (eps > std::fabs(double(v))) return double(v);
        const double k = 4.0 * i;
        const auto overTwoFactorsAndSixteen = [](double value, double first, double second) {
            return double(Checked(value) / first / second / 16.0);
        };
        const double qFactor = overTwoFactorsAndSixteen(muMinusSquare(k + 5.0), 2.0 * i + 2.0, 2.0 * i + 3.0);
        q = -q * o * muMinusSquare(k + 3.0) * qFactor;
        const double pProduct = double(-p * o * muMinusSquare(k + 1.0) * muMinusSquare(k + 3.0));
        p = overTwoFactorsAndSixteen(pProduct, 2.0 * i + 1.0, 2.0 * i + 2.0);
        return double(v);
    });
    return double(r);
}

// Whether J_nu(x) underflows and Y_nu(x) overflows.
bool BeyondDoubleRange(double x, double nu) { return DebyeExponent(x, nu) > kDebyeExponentBeyondRange; }

// Whether the recurrence from Hankel's expansion is within reach.
bool RecurrenceServes(double x, double nu) { return x > kAsymptoticLimit && nu <= kLargestRecurrenceOrder; }

// Steed's method beyond x = 45 serves only near the turning point, where CF1 is short: between
// the recurrence's reach and its own stands nothing accurate.
void RequireSteedReach(double x, double nu, std::u16string_view message) {
    if (x > kAsymptoticLimit && nu < x - kTurningPointBand) RaiseConvergeError(message);
}

double FiniteOrOverflow(double value) {
    if (!std::isfinite(value)) RaiseOverflow();
    return value;
}

// J_a(x) for x > 0 and a >= 0.
double PositiveOrderJ(double x, double a, double eps, std::u16string_view message) {
    if (x < kSeriesLimit) return SeriesBesselJ(x, a, eps, message);
    if (BeyondDoubleRange(x, a)) return 0.0;
    if (x * x < kSeriesOrderFactor * (a + 1.0)) return SeriesBesselJ(x, a, eps, message);
    if (x > kAsymptoticLimit && HankelIsAccurate(x, a)) return HankelExpansion(x, a, eps, BesselKind::kFirst);
    if (RecurrenceServes(x, a)) {
        const double below = x - kTurningPointBand;
        return a < below ? HankelRecurrence(x, a, BesselKind::kFirst, message) : TurningPointJ(x, a, below, message);
    }
    RequireSteedReach(x, a, message);
    return SteedBesselJ(x, a, message);
}

// Y_a(x) for 0 < x < 2 and a >= 0: Temme's series at the nearest order mu = a - n within 1/2,
// then the recurrence upwards.
double TemmeY(double x, double a, double eps, std::u16string_view message) {
    const double n = std::round(a);
    if (n > kLargestSmallArgumentOrder) RaiseOverflow();
    const double mu = a - n;
    const OrderPair pair = TemmeSeries(x, mu, eps, message);
    return FiniteOrOverflow(RecurUpwardsFrom(x, mu, n, pair.lower, pair.upper));
}

// Y_a(x) for x > 0 and a >= 0.
double PositiveOrderY(double x, double a, double eps, std::u16string_view message) {
    if (x < kTemmeLimit) return TemmeY(x, a, eps, message);
    if (x > kAsymptoticLimit && HankelIsAccurate(x, a)) return HankelExpansion(x, a, eps, BesselKind::kSecond);
    if (BeyondDoubleRange(x, a)) RaiseOverflow();
    if (RecurrenceServes(x, a)) return FiniteOrOverflow(HankelRecurrence(x, a, BesselKind::kSecond, message));
    RequireSteedReach(x, a, message);
    return SteedBesselY(x, a, message);
}

// J_nu(x) for x > 0.
double BesselJOfPositiveArgument(double x, double nu, double eps) {
    if (nu >= 0.0) return PositiveOrderJ(x, nu, eps, kBesselJNoConvergence);
    const double a = -nu;
    if (IsInteger(a)) return ParitySign(a) * PositiveOrderJ(x, a, eps, kBesselJNoConvergence);
    const double j = PositiveOrderJ(x, a, eps, kBesselJNoConvergence);
    const double y = PositiveOrderY(x, a, eps, kBesselJNoConvergence);
    return double(CosPi(a) * Checked(j) - SinPi(a) * Checked(y));
}

// Y_nu(x) for x > 0. At a half-integer -a, Y_-a = sin(a pi) J_a alone: Y_a may overflow there
// while the value is small.
double BesselYOfPositiveArgument(double x, double nu, double eps) {
    if (nu >= 0.0) return PositiveOrderY(x, nu, eps, kBesselYNoConvergence);
    const double a = -nu;
    if (IsInteger(a)) return CheckedMultiply(ParitySign(a), PositiveOrderY(x, a, eps, kBesselYNoConvergence));
    const double c = CosPi(a);
    const double j = CheckedMultiply(SinPi(a), PositiveOrderJ(x, a, eps, kBesselYNoConvergence));
    if (c == 0.0) return j;
    return double(j + c * Checked(PositiveOrderY(x, a, eps, kBesselYNoConvergence)));
}

void RequireFinite(double x, double nu) {
    if (!std::isfinite(x) || !std::isfinite(nu)) RaiseOverflow();
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
    RequireFinite(x, nu);
    // A negative x has real powers (the series) only for integer orders, and no square root
    // (Hankel's expansion) beyond -45.
    if (x < 0.0 && (!IsInteger(nu) || x < -kAsymptoticLimit)) RaiseInvalidOp();
    RequireReachableTolerance(eps, kBesselJNoConvergence);
    if (x > 0.0) return BesselJOfPositiveArgument(x, nu, eps);
    return CheckedMultiply(ParitySign(nu), BesselJOfPositiveArgument(-x, nu, eps));
}

double BesselY(double x, double nu, double eps) {
    if (x == 0.0) RaiseFunctionError(kBesselYPole);
    const bool integer = IsInteger(nu);
    if (x < 0.0) {
        if (integer) RaiseFunctionError(kBesselYImaginary);
        RaiseInvalidOp();  // as the power or square root of J at x < 0 would
    }
    if (nu == -0.5) return CheckedMultiply(SquareRootTwoOverPiX(x), Sin(x));
    if (nu == 0.5) return -CheckedMultiply(SquareRootTwoOverPiX(x), Cos(x));
    RequireFinite(x, nu);
    // An eps no method can meet is J's failure at the integer orders but 0, whose series began
    // with J's own, and Y's at the others.
    RequireReachableTolerance(eps, integer && nu != 0.0 ? kBesselJNoConvergence : kBesselYNoConvergence);
    return BesselYOfPositiveArgument(x, nu, eps);
}

}  // namespace quorvex::special
