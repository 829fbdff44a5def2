// The Riemann, Dirichlet and Hurwitz zeta functions and the polylogarithm.
#pragma once

#include "special/conventions.hpp"

#include <cstdint>

namespace quorvex::special {

// zeta(s); s = 1 raises EFunctionError. eps sets the method through ln eps (eps = 0 divides by
// zero); below about 1e-25 the series stops at its rounding and reaches its cap (EConvergeError)
// after about 1.4 s.
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
// -x / (1 - x), or for s <= 0 and |x| >= 1/4 the series in ln x. For s > 0 and x near 1, where
// x^999 / 999^s >= eps (x > 0.97 or so), the Euler transform diverges (EOverflow).
double Polylog(double s, double x, double eps);
inline double Polylog(double s, double x) { return Polylog(s, x, kDefaultTolerance); }

// The n-th difference sum of the polylogarithm's series in -x / (1 - x).
double PolylogDifference(double s, std::int32_t n);

}  // namespace quorvex::special
