// Polynomials given by their coefficients, constant term first.
#pragma once

#include <span>

namespace quorvex {

// c[0] + c[1] x + ... + c[n] x^n by Horner's rule.
inline double EvaluatePolynomial(std::span<const double> coefficients, double x) {
    double sum = 0.0;
    for (auto c = coefficients.rbegin(); c != coefficients.rend(); ++c) sum = sum * x + *c;
    return sum;
}

}  // namespace quorvex
