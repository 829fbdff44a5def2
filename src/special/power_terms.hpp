// The power terms of the beta and incomplete gamma families, x^a y^b / B(a, b) and
// x^a e^-x / Gamma(a), with their logarithms carried in double-double: the exponents are sums
// of large logarithms that nearly cancel (a ln x ~ 1e7 where the term is of order 1), and a
// double exponent would put its own rounding, |exponent| ulps, on the result.
#pragma once

#include "core/double_double.hpp"

namespace quorvex::special {

// ln B(a, b) for a, b > 0, within 1e-30 absolute (Gamma products below 10, Stirling's series in
// double-double beyond). a + b overflowing raises EOverflow.
DoubleDouble LogBeta(double a, double b);

// Double-double products and quotients (Dekker's, core/double_double.hpp) that stay defined for
// every finite operand: past kSplitLimit in magnitude, where Dekker's splitting would leave the
// doubles, they fall back to one rounded double operation (such operands make results whose
// last digits nothing downstream resolves anyway: exponents of 1e290).
inline constexpr double kSplitLimit = 1e290;
DoubleDouble Times(DoubleDouble a, double b);
DoubleDouble Times(DoubleDouble a, DoubleDouble b);
DoubleDouble Over(DoubleDouble a, DoubleDouble b);
DoubleDouble ExactTimes(double a, double b);

// ln(x^a y^b / B(a, b)) for a, b > 0 and 0 < x < 1 with y = 1 - x (both given to double-double
// accuracy; the smaller is taken as it is, the larger through log1p of the smaller).
DoubleDouble LogBetaPowerTerm(double a, double b, DoubleDouble x, DoubleDouble y);
// x^a y^b / B(a, b), the same conditions.
double BetaPowerTerm(double a, double b, DoubleDouble x, DoubleDouble y);

// ln(x^a e^-x / Gamma(a)) for a > 0, x > 0: a ln(x/a) + a - x + ln(a / (2 pi)) / 2 - S(a) from
// a = 10 on (no ln Gamma of the size of a ln a to cancel), a ln x - x - ln Gamma(a) below.
DoubleDouble LogGammaPowerTerm(double a, double x);

// ln(x^a e^-x) for x > 0, any a.
DoubleDouble LogPowerTimesDecay(double a, double x);

}  // namespace quorvex::special
