// The Riemann, Dirichlet and Hurwitz zeta functions and the polylogarithm. zeta: its Taylor
// series about 0, a direct sum or Hasse's series, the functional equation for s < 0 with (2 pi)^-u
// Gamma(u) in double-double (DLMF 25.4.1); hzeta by Euler-Maclaurin summation (DLMF 25.11.5); the
// polylogarithm by its power series, the accelerated alternating series (Cohen, Rodriguez
// Villegas, Zagier 2000), the duplication formula, the series in ln x (DLMF 25.12.12) or
// Jonquiere's sum over its branches, by region. Measured against mpmath
// (tests/data/reference/zeta.tsv): zeta 1.48, deta 1.33, hzeta 0.50, polylog 1.22 units of the
// 15th digit at worst.
#pragma once

#include "special/conventions.hpp"

#include <cstdint>

namespace quorvex::special {

// zeta(s); s = 1 raises EFunctionError. eps sets the method through ln eps; eps <= 0, or one the
// series cannot meet in double precision, raises EConvergeError at once.
double RiemannZeta(double s, double eps);
inline double RiemannZeta(double s) { return RiemannZeta(s, kDefaultTolerance); }

// eta(s) = (1 - 2^(1-s)) zeta(s); eta(1) = ln 2.
double DirichletEta(double s, double eps);
inline double DirichletEta(double s) { return DirichletEta(s, kDefaultTolerance); }

// zeta(s, a) by Euler-Maclaurin summation; a = 1 is zeta(s) before any check, then a <= 0 and
// s <= 1 raise EFunctionError. A tolerance below the expansion's smallest term raises
// EConvergeError.
double HurwitzZeta(double s, double a, double eps);
inline double HurwitzZeta(double s, double a) { return HurwitzZeta(s, a, kDefaultTolerance); }

// Li_s(x) for |x| <= 1 (|x| > 1 raises EFunctionError): the power series, the Euler transform in
// -x / (1 - x), or for s <= 0 and |x| >= 1/4 the series in ln x. For s > 0 and x >= 1/2, where
// the power series cannot meet eps, the Euler transform diverges (EOverflow, at once).
double Polylog(double s, double x, double eps);
inline double Polylog(double s, double x) { return Polylog(s, x, kDefaultTolerance); }

// The n-th difference sum of the polylogarithm's series in -x / (1 - x); EOverflow past row 1023.
double PolylogDifference(double s, std::int32_t n);

}  // namespace quorvex::special
