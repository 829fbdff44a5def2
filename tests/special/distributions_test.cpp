// The distribution kernels against closed forms (normal by std::erfc, t with 1 to 4 degrees of
// freedom, F with 2 in either place), the factorial and the Fisher transformation.
#include "special/distributions.hpp"

#include "core/errors.hpp"
#include "support/accuracy.hpp"
#include "support/evaluation_rows.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <numbers>
#include <string>
#include <vector>

namespace quorvex::special {
namespace {

constexpr double kPi = std::numbers::pi;

using testing::RelativeError;

TEST(Distributions, NormalAgainstErfc) {
    // Phi(z) = erfc(-z / sqrt 2) / 2 with the argument formed as the kernel forms it; erf(z) + 1
    // lost the lower tail (Phi(-10) = 7.6e-24 came out as noise). Erfc and the density go
    // through exp(-z^2), which turns the rounding of z^2 into about 1e-16 z^2 relative.
    struct NormalRow {
        double x, mu, sigma;
    };
    for (const NormalRow& row :
         {NormalRow{0, 0, 1}, NormalRow{1, 0, 1}, NormalRow{-1, 0, 1}, NormalRow{-10, 0, 1}, NormalRow{-37, 0, 1},
          NormalRow{8, 0, 1}, NormalRow{1, 1, 2}, NormalRow{-3, 1.5, 2.5}, NormalRow{4, -2, 0.5}}) {
        SCOPED_TRACE(std::to_string(row.x) + " " + std::to_string(row.mu) + " " + std::to_string(row.sigma));
        const double z = (row.x - row.mu) / std::sqrt(row.sigma * 2 * row.sigma);
        const double tolerance = 4e-16 * (16 + z * z);
        EXPECT_LE(RelativeError(NormalDistribution(row.x, row.mu, row.sigma, 0), std::erfc(-z) / 2), tolerance);
        const double density = std::exp(-z * z) / (row.sigma * std::sqrt(2 * kPi));
        EXPECT_LE(RelativeError(NormalDistribution(row.x, row.mu, row.sigma, 7), density), tolerance);
    }
    EXPECT_EQ(StandardNormalCdf(0), 0.5);
    EXPECT_EQ(NormalDistribution(1, 1, 2, 0), 0.5);
    EXPECT_NEAR(StandardNormal(0, 1), 1 / std::sqrt(2 * kPi), 1e-16);
    // A zero deviation divides by zero, or 0 by 0 where x is the mean, in either mode.
    EXPECT_THROW(NormalDistribution(1, 0, 0, 0), EZeroDivide);
    EXPECT_THROW(NormalDistribution(1, 0, 0, 1), EZeroDivide);
    EXPECT_THROW(NormalDistribution(0, 0, 0, 0), EInvalidOp);
    EXPECT_THROW(NormalDistribution(0, 0, 0, 1), EInvalidOp);
}

// tests/data/distributions.tsv: the normal's deep tails, t and F against closed forms and 50-digit
// values, and the errors of the kernels, the factorial and the Fisher transformation.
TEST(Distributions, MatchTheirTable) {
    using A = std::vector<double>;
    const auto integer = [](const A& a, std::size_t at) { return static_cast<std::int32_t>(a.at(at)); };
    EXPECT_EQ(testing::ExpectRoutineRows(
                  "distributions.tsv",
                  {{"normal", [&](const A& a) { return NormalDistribution(a.at(0), a.at(1), a.at(2), integer(a, 3)); }},
                   {"t", [&](const A& a) { return StudentT(a.at(0), integer(a, 1), integer(a, 2)); }},
                   {"F", [&](const A& a) { return FisherF(a.at(0), integer(a, 1), integer(a, 2), integer(a, 3)); }},
                   {"fact", [](const A& a) { return Factorial(a.at(0)); }},
                   {"fisher", [](const A& a) { return Fisher(a.at(0)); }}}),
              64);
}

TEST(Distributions, FisherF) {
    // No mass below 0.
    EXPECT_EQ(FisherF(-1, 3, 4, 1), 0.0);
    EXPECT_EQ(FisherF(-1, 3, 4, 2), 1.0);
    EXPECT_EQ(FisherF(-1, 3, 4, 0), 0.0);
    EXPECT_EQ(FisherF(0, 3, 4, 0), 0.0);
    EXPECT_EQ(FisherF(0, 3, 4, 1), 0.0);
    EXPECT_EQ(FisherF(0, 3, 4, 2), 1.0);
    // Powers and B(1000, 1000) apart leave the doubles (0 / 0 before); the exponents near 1386
    // carry 1e-16 relative per unit. References computed to 50 digits.
    EXPECT_NEAR(FisherF(1, 2000, 2000, 1), 0.5, 1e-13);
    EXPECT_LE(RelativeError(FisherF(1.1, 2000, 2000, 2), 0.016563899553125071), 1e-12);
    EXPECT_LE(RelativeError(FisherF(1, 2000, 2000, 0), 8.9195055729271604), 1e-12);
    EXPECT_LE(RelativeError(FisherF(3, 1000, 1000, 0), 7.1331595423034661e-63), 1e-12);
}

TEST(Distributions, FactorialAndFisherTransformation) {
    EXPECT_EQ(Factorial(0), 1.0);
    EXPECT_EQ(Factorial(5), 120.0);
    EXPECT_EQ(Factorial(5 + 1e-13), 120.0);  // within the zero test above a natural number
    // 170 rounded products: about 1e-16 each.
    EXPECT_LE(RelativeError(Factorial(170), std::tgamma(171.0)), 2e-14);
    EXPECT_THROW(Factorial(171), EOverflow);
    // atanh and tanh; the forms with log1p and expm1 keep the digits of a small x.
    for (const double x : {0.5, -0.9, 1e-8, -1e-300, 0.999999}) {
        SCOPED_TRACE(x);
        EXPECT_LE(RelativeError(Fisher(x), std::atanh(x)), 4e-16);
    }
    for (const double x : {0.5493061443340549, -3.0, 1e-8, 20.0}) {
        SCOPED_TRACE(x);
        EXPECT_LE(RelativeError(FisherInverse(x), std::tanh(x)), 4e-16);
    }
    EXPECT_EQ(Fisher(0), 0.0);
    EXPECT_THROW(FisherInverse(400), EOverflow);
}

}  // namespace
}  // namespace quorvex::special
