// Hankel's asymptotic expansion at small orders with the three-term recurrence, for large x and
// orders up to and past x, where the expansion at the order itself would grow before it falls.
#include "special/bessel_hankel.hpp"

#include "core/double_double.hpp"
#include "core/elementary_math.hpp"
#include "special/conventions.hpp"
#include "special/iteration.hpp"
#include "special/sine_pi.hpp"

#include <cmath>

namespace quorvex::special {
namespace {

constexpr double kTwoOverPi = 0.6366197723675814;
// P and Q are summed until their terms fall below this (they are near 1 and 1/x at most).
constexpr double kExpansionTolerance = 0x1p-60;
// The recurrences scale their values by 2^-500 (exactly) once past 2^500, well inside the
// range of double-double products (2^995), and keep the scale aside.
constexpr double kRescaleAbove = 0x1p500;
constexpr double kRescaleFactor = 0x1p-500;
constexpr int kRescaleExponent = 500;

struct BesselPair {
    double j;
    double y;
};

// J_mu and Y_mu for |mu| <= 3/2 and x >= 45: sqrt(2/(pi x)) (P cos phi - Q sin phi) and
// (P sin phi + Q cos phi), phi = x - (mu/2 + 1/4) pi, P = sum (-1)^k a_2k(mu) / x^2k,
// Q = sum (-1)^k a_(2k+1)(mu) / x^(2k+1), a_k(mu) = (4mu^2 - 1)(4mu^2 - 9)...(4mu^2 - (2k-1)^2) / (k! 8^k).
// The phase from cos x, sin x and those of (mu/2 + 1/4) pi, each reduced exactly.
BesselPair HankelAtSmallOrder(double x, double mu, std::u16string_view message) {
    const double m = std::sqrt(kTwoOverPi / x);
    const double shift = mu / 2.0 + 0.25;
    const double sinX = Sin(x);
    const double cosX = Cos(x);
    const double cs = CosPi(shift) * cosX + SinPi(shift) * sinX;
    const double sn = CosPi(shift) * sinX - SinPi(shift) * cosX;
    const double square = 4.0 * mu * mu;
    const double eightX = 8.0 * x;
    double term = 1.0;
    double p = 1.0;
    double q = 0.0;
    IterateToTolerance(kExpansionTolerance, message, 1, [&](int k) {
        const double odd = 2.0 * k - 1.0;
        term *= (square - odd * odd) / (k * eightX);
        const int phase = k % 4;  // a_k / x^k enters P or Q with the sign of i^k
        if (phase == 1) q += term;
        if (phase == 2) p -= term;
        if (phase == 3) q -= term;
        if (phase == 0) p += term;
        return term;
    });
    return {m * (cs * p - sn * q), m * (sn * p + cs * q)};
}

// Two neighbouring members of a solution of the recurrence, as value * 2^exponent.
struct ScaledPair {
    DoubleDouble lower;
    DoubleDouble upper;
    int exponent;
};

void Rescale(ScaledPair& pair) {
    if (std::fabs(pair.upper.hi) <= kRescaleAbove) return;
    pair.lower = Multiply(pair.lower, kRescaleFactor);
    pair.upper = Multiply(pair.upper, kRescaleFactor);
    pair.exponent += kRescaleExponent;
}

// The orders mu + 2 ... mu + n + 1 from mu and mu + 1: C_(v+1) = (2v/x) C_v - C_(v-1), with 2v
// exact (mu + k itself would round when mu is small) and 1/x in double-double.
void RecurUpwards(double x, double mu, double n, ScaledPair& pair) {
    const DoubleDouble reciprocal = Divide(DoubleDouble{1.0, 0.0}, DoubleDouble{x, 0.0});
    for (double k = 1.0; k <= n; k += 1.0) {
        const DoubleDouble factor = Multiply(TwoSum(2.0 * mu, 2.0 * k), reciprocal);
        pair = {pair.upper, Subtract(Multiply(factor, pair.upper), pair.lower), pair.exponent};
        Rescale(pair);
    }
}

double Unscale(DoubleDouble value, int exponent) { return std::ldexp(Round(value), exponent); }

// J or Y at m = mu + n (lower) and m + 1 (upper) by the recurrence from Hankel's expansion at mu
// and mu + 1.
ScaledPair RecurFromHankel(double x, double mu, double n, BesselKind kind, std::u16string_view message) {
    const BesselPair low = HankelAtSmallOrder(x, mu, message);
    const BesselPair high = HankelAtSmallOrder(x, mu + 1.0, message);
    ScaledPair pair = kind == BesselKind::kFirst ? ScaledPair{{low.j, 0.0}, {high.j, 0.0}, 0}
                                                 : ScaledPair{{low.y, 0.0}, {high.y, 0.0}, 0};
    RecurUpwards(x, mu, n, pair);
    return pair;
}

// Miller's start: J_N / J_nu below e^-20 of Y_N / Y_nu, the size the start's error gains
// relative to J on the way down to nu.
constexpr double kMillerExponentMargin = 20.0;
constexpr double kMillerFirstLead = 10.0;
constexpr double kMillerLeadGrowth = 1.5;

// The lead N - nu of Miller's start, a whole number.
double MillerLead(double x, double nu) {
    const double floor = DebyeExponent(x, nu) + kMillerExponentMargin;
    double lead = kMillerFirstLead;
    while (DebyeExponent(x, nu + lead) < floor) lead *= kMillerLeadGrowth;
    return std::ceil(lead);
}

}  // namespace

double HankelRecurrence(double x, double nu, BesselKind kind, std::u16string_view message) {
    const double n = NearestInteger(nu);
    const ScaledPair pair = RecurFromHankel(x, nu - n, n, kind, message);
    return Unscale(pair.lower, pair.exponent);
}

double RecurUpwardsFrom(double x, double mu, double n, double atMu, double atMuPlusOne) {
    if (n == 0.0) return atMu;
    ScaledPair pair{{atMu, 0.0}, {atMuPlusOne, 0.0}, 0};
    RecurUpwards(x, mu, n - 1.0, pair);
    return Unscale(pair.upper, pair.exponent);
}

double DebyeExponent(double x, double nu) {
    if (nu <= x) return 0.0;
    const double ratio = x / nu;
    return nu * (Acosh(nu / x) - std::sqrt((1.0 - ratio) * (1.0 + ratio)));
}

// Downwards the recurrence is stable for J while the order exceeds x and neutral below: from
// 0 and 1 at an order N far enough above nu (Miller's algorithm) down to the orders m, m + 1
// below `below`, scaled there by a least-squares fit to the upward values, so that neither
// being near a zero matters.
double TurningPointJ(double x, double nu, double below, std::u16string_view message) {
    const double m = nu - (std::floor(nu - below) + 1.0);
    const double n = NearestInteger(m);
    const ScaledPair reference = RecurFromHankel(x, m - n, n, BesselKind::kFirst, message);
    ScaledPair down{{0.0, 0.0}, {1.0, 0.0}, 0};  // orders N + 1 and N
    const DoubleDouble reciprocal = Divide(DoubleDouble{1.0, 0.0}, DoubleDouble{x, 0.0});
    double atNu = 0.0;
    int exponentAtNu = 0;
    for (double k = MillerLead(x, nu); k > m - nu; k -= 1.0) {
        // down.upper holds the order nu + k
        if (k == 0.0) {
            atNu = Round(down.upper);
            exponentAtNu = down.exponent;
        }
        const DoubleDouble factor = Multiply(TwoSum(2.0 * nu, 2.0 * k), reciprocal);
        down = {down.upper, Subtract(Multiply(factor, down.upper), down.lower), down.exponent};
        Rescale(down);
    }
    // down.upper is now the order m, down.lower m + 1; reference holds them as lower, upper.
    const double atM = Round(down.upper);
    const double atM1 = Round(down.lower);
    const double jM = Unscale(reference.lower, reference.exponent);
    const double jM1 = Unscale(reference.upper, reference.exponent);
    const double factor = (jM * atM + jM1 * atM1) / (atM * atM + atM1 * atM1);
    return std::ldexp(factor * atNu, exponentAtNu - down.exponent);
}

}  // namespace quorvex::special
