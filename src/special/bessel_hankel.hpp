// J_nu(x) and Y_nu(x) of a non-negative order at large x from Hankel's expansion at an order
// within 1/2 of 0, carried to nu by the three-term recurrence.
#pragma once

#include <string_view>

namespace quorvex::special {

enum class BesselKind { kFirst, kSecond };

// J_nu(x) or Y_nu(x) for x >= 45 and 0 <= nu, Hankel's expansion (A&S 9.2.5-9.2.10) at
// mu = nu - round(nu) and mu + 1, then Y_(v+1) = (2v/x) Y_v - Y_(v-1) upwards in double-double
// to nu. Upwards the recurrence is stable for Y at every order and neutral for J while the
// order stays below x, so J is within a few units in the last place of the modulus
// sqrt(J^2 + Y^2) for nu < x and Y within a few units of itself. EConvergeError with the
// message when the expansion reaches its cap (it does not for x >= 45).
// Y overflowing the double range is infinite or NaN. The cost is nu steps.
double HankelRecurrence(double x, double nu, BesselKind kind, std::u16string_view message);

// J_nu(x) for x >= 45 and below < nu, where below < x leaves the turning point ahead: the
// recurrence down in double-double from far above nu (Miller's algorithm, A&S 9.12 example 1)
// to the orders just below `below`, scaled to HankelRecurrence's J there. Within a few units
// in the last place of J itself; 0 where J underflows. The cost is about nu steps plus the
// lead of Miller's start (hundreds of orders at x = 1e6).
double TurningPointJ(double x, double nu, double below, std::u16string_view message);

// C_(mu+n)(x) from C_mu and C_(mu+1) of a solution C of the recurrence, upwards in double-double
// and scaled by powers of two: stable for Y. Infinite where the value overflows.
double RecurUpwardsFrom(double x, double mu, double n, double atMu, double atMuPlusOne);

// nu (alpha - tanh alpha) with cosh alpha = nu / x for nu > x, else 0: by Debye's expansions
// (A&S 9.3.2, 9.3.3) J_nu(x) ~ e^-that and Y_nu(x) ~ -e^that, up to a factor near 1.
double DebyeExponent(double x, double nu);

}  // namespace quorvex::special
