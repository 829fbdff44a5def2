// The incomplete gamma functions against closed forms, the Poisson tail, the standard library's
// error functions and exponential integral, and the recurrence in a.
#include "special/incomplete_gamma.hpp"

#include "support/accuracy.hpp"
#include "support/evaluation_rows.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace quorvex::special {
namespace {

using testing::RelativeError;

// tests/data/incomplete_gamma.tsv: closed forms, the Poisson sums and the standard library's
// error functions and exponential integral; 50-digit references where the upper function went
// wrong; the errors in their order and the caps that name the routine that iterated.
TEST(IncompleteGamma, MatchTheirTable) {
    using A = std::vector<double>;
    using testing::ToleranceAt;
    EXPECT_EQ(testing::ExpectRoutineRows(
                  "incomplete_gamma.tsv",
                  {{"lower", [](const A& a) { return LowerIncompleteGamma(a.at(0), a.at(1), ToleranceAt(a, 2)); }},
                   {"upper", [](const A& a) { return UpperIncompleteGamma(a.at(0), a.at(1), ToleranceAt(a, 2)); }}}),
              64);
}

TEST(IncompleteGamma, SidesAddUpToGammaAndFollowTheRecurrence) {
    // gamma(a, x) + Gamma(a, x) = Gamma(a) and Gamma(a + 1, x) = a Gamma(a, x) + x^a e^-x, at
    // the edges of every region. std::tgamma is the independent whole; Gamma(a) inside carries
    // 1e-16 times ln Gamma(a) (29 at a = 16.5), hence the tolerance.
    for (const double a : {0.3, 1.0, 2.5, 7.0, 15.5}) {
        for (const double x : {0.2, 1.0999, 1.1, a + 0.999, a + 1.0, a + 12.0}) {
            SCOPED_TRACE("a=" + std::to_string(a) + " x=" + std::to_string(x));
            EXPECT_LE(RelativeError(LowerIncompleteGamma(a, x) + UpperIncompleteGamma(a, x), std::tgamma(a)), 1e-14);
            const double next = a * UpperIncompleteGamma(a, x) + std::pow(x, a) * std::exp(-x);
            EXPECT_LE(RelativeError(UpperIncompleteGamma(a + 1, x), next), 1e-14);
        }
    }
}

TEST(IncompleteGamma, OnlyTheLowerFunctionRefusesThePoles) {
    // x = 0 at a pole is the logarithm of 0.
    EXPECT_NO_THROW(UpperIncompleteGamma(-3, 0.5));
    EXPECT_THROW(UpperIncompleteGamma(0, 0), EZeroDivide);
    EXPECT_THROW(LowerIncompleteGamma(-0.5, 0), EZeroDivide);
    EXPECT_EQ(LowerIncompleteGamma(2.5, 0), 0.0);
}

}  // namespace
}  // namespace quorvex::special
