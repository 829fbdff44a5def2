// The Riemann, Dirichlet and Hurwitz zeta functions and the polylogarithm.
#pragma once

#include "special/conventions.hpp"

#include <cstdint>

namespace quorvex::special {

// zeta(s); s = 1 raises EFunctionError.
double RiemannZeta(double s, double eps);
inline double RiemannZeta(double s) { return RiemannZeta(s, kDefaultTolerance); }

// eta(s) = (1 - 2^(1-s)) zeta(s); eta(1) = ln 2.
double DirichletEta(double s, double eps);
inline double DirichletEta(double s) { return DirichletEta(s, kDefaultTolerance); }

// zeta(s, a); a = 1 is zeta(s).
double HurwitzZeta(double s, double a, double eps);
inline double HurwitzZeta(double s, double a) { return HurwitzZeta(s, a, kDefaultTolerance); }

// Li_s(x) for |x| <= 1.
double Polylog(double s, double x, double eps);
inline double Polylog(double s, double x) { return Polylog(s, x, kDefaultTolerance); }

// The n-th difference sum of the polylogarithm's series in -x / (1 - x).
double PolylogDifference(double s, std::int32_t n);

}  // namespace quorvex::special
