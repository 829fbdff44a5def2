// The beta family and the chi-square distribution against closed forms, binomial sums and the
// standard library.
#include "special/beta.hpp"

#include "support/accuracy.hpp"
#include "support/evaluation_rows.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>
#include <vector>

namespace quorvex::special {
namespace {

using testing::RelativeError;

// B(1/2, n) = 2 prod over k < n of k / (k + 1/2), in long double.
double HalfBeta(int n) {
    long double product = 2;
    for (int k = 1; k < n; ++k) product *= k / (k + 0.5L);
    return static_cast<double>(product);
}

// B(a, b) by long double log-gammas: 64-bit logarithms of a few thousand keep 15 digits.
double WideBeta(double a, double b) {
    return static_cast<double>(std::exp(std::lgamma(static_cast<long double>(a)) +
                                        std::lgamma(static_cast<long double>(b)) -
                                        std::lgamma(static_cast<long double>(a) + b)));
}

TEST(Beta, AgainstClosedFormsAndWideLogGammas) {
    struct Row {
        double a, b, reference;
    };
    // The result is exp(ln B): its relative error is the absolute error of ln B, a few units of
    // 1e-16 times |ln B| (315 at B(50, 10000)), and below 10, where the log-gammas are summed as
    // they are, times ln Gamma(a + b) (13 at B(9.75, 0.5)). The plain sum of log-gammas lost
    // 1e-16 times ln Gamma(a + b) everywhere: B(1, 10000) came out 5e-12 off.
    for (const Row& row :
         {Row{2, 3, 1.0 / 12}, Row{0.5, 0.5, std::numbers::pi}, Row{1, 10000, 1e-4},
          Row{10000, 2, 1 / (10000.0 * 10001.0)}, Row{0.5, 10000, HalfBeta(10000)},
          Row{9.75, 0.5, std::beta(9.75, 0.5)}, Row{10, 0.5, HalfBeta(10)}, Row{3, 9.5, std::beta(3.0, 9.5)},
          Row{0.01, 50, WideBeta(0.01, 50)}, Row{10, 10, WideBeta(10, 10)}, Row{50, 10000, WideBeta(50, 10000)},
          Row{100, 100, WideBeta(100, 100)}, Row{300, 299.5, WideBeta(300, 299.5)}}) {
        SCOPED_TRACE(std::to_string(row.a) + ", " + std::to_string(row.b));
        const double tolerance =
            4e-16 * std::max({1.0, std::fabs(std::log(row.reference)), std::lgamma(row.a + row.b)});
        EXPECT_LE(RelativeError(Beta(row.a, row.b), row.reference), tolerance);
        EXPECT_EQ(Beta(row.a, row.b), Beta(row.b, row.a));
    }
}

// tests/data/beta.tsv: the regularized incomplete beta function against closed forms and binomial
// sums, the chi-square distribution against closed forms, both against 50-digit values where they
// went wrong, and the errors of both in their order.
TEST(Beta, MatchTheirTable) {
    using A = std::vector<double>;
    using testing::ToleranceAt;
    EXPECT_EQ(testing::ExpectRoutineRows(
                  "beta.tsv",
                  {{"beta", [](const A& a) { return Beta(a.at(0), a.at(1)); }},
                   {"ibeta",
                    [](const A& a) { return IncompleteBetaRegularized(a.at(0), a.at(1), a.at(2), ToleranceAt(a, 3)); }},
                   {"xbeta", [](const A& a) { return IncompleteBeta(a.at(0), a.at(1), a.at(2), ToleranceAt(a, 3)); }},
                   {"chisq", [](const A& a) { return ChiSquareCdf(a.at(0), a.at(1), ToleranceAt(a, 2)); }}}),
              50);
    EXPECT_EQ(ChiSquareCdf(0, 3), 0.0);
}

TEST(Beta, RegularizedSymmetryEndPointsAndLargeParameters) {
    // I_x(a, b) + I_(1-x)(b, a) = 1 with x and 1 - x exact, across the swap bound.
    for (const double a : {0.3, 2.0, 17.0}) {
        for (const double b : {0.5, 4.0, 60.0}) {
            for (const double x : {0.0625, 0.25, 0.5, 0.875}) {
                SCOPED_TRACE(std::to_string(a) + ", " + std::to_string(b) + ", " + std::to_string(x));
                EXPECT_NEAR(IncompleteBetaRegularized(a, b, x) + IncompleteBetaRegularized(b, a, 1 - x), 1.0, 4e-15);
            }
        }
    }
    // The end points give their limits without taking ln 0, after the checks.
    for (const double a : {0.1, 1.0, 7.0}) {
        EXPECT_EQ(IncompleteBetaRegularized(a, 2.5, 0.0), 0.0);
        EXPECT_EQ(IncompleteBetaRegularized(a, 2.5, 1.0), 1.0);
        EXPECT_EQ(IncompleteBeta(a, 2.5, 1.0), Beta(a, 2.5));
    }
    // x^a (1 - x)^b and B(a, b) apart are both below the doubles here (0 / 0 before); the one
    // exponent -1386 carries 1e-16 relative per unit.
    EXPECT_NEAR(IncompleteBetaRegularized(1000, 1000, 0.5), 0.5, 1e-13);
    EXPECT_EQ(IncompleteBetaRegularized(1e7, 1e7, 0.5), 0.5);
    EXPECT_NEAR(IncompleteBeta(2, 3, 0.4), 0.5248 / 12, 3e-17);
}

}  // namespace
}  // namespace quorvex::special
