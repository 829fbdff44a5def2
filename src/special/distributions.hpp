// The normal, Student t and F distribution kernels, the factorial and the Fisher
// transformation. The normal tails through erfc of a double-double score, t and F through the
// incomplete beta ratio with x and 1 - x both exact and their densities from the beta power term.
// Measured against mpmath (tests/data/reference/distributions.tsv): ndist and nsdist 0.56, tdist
// 0.56, fdist 0.78, fact 0.87, fisher 0.50 units of the 15th digit at worst.
#pragma once

#include <cstdint>

namespace quorvex::special {

// density != 0: the normal density at x; density = 0: the cumulative probability.
double NormalDistribution(double x, double mu, double sigma, std::int32_t density);
double StandardNormal(double x, std::int32_t density);
// Phi(x).
double StandardNormalCdf(double x);
// kind 1: lower cumulative probability; kind 2: upper; any other: the density. The probabilities
// are I_e(df/2, 1/2) / 2 with e = df / (df + x^2) and 1 - e both in double-double; the density one
// exponential of a double-double exponent. Within 0.8 units of the 15th digit (mpmath, df up to
// 1e7, |x| up to 6000).
double StudentT(double x, std::int32_t df, std::int32_t kind);
// kind 1: lower cumulative probability; kind 2: upper; any other: the density; as StudentT,
// within 0.9 units of the 15th digit for d1, d2 up to 1e6.
double FisherF(double x, std::int32_t d1, std::int32_t d2, std::int32_t kind);
// x! for natural x (within 1e-12); anything else raises EFunctionError 10004.
double Factorial(double x);
// ln((x + 1) / (1 - x)) / 2, odd, as log1p(2|x| / (1 - |x|)) / 2 within two ulps; |x| >= 1
// raises EFunctionError 10004.
double Fisher(double x);
// (e^2x - 1) / (e^2x + 1).
double FisherInverse(double x);

}  // namespace quorvex::special
