// The incomplete gamma functions against closed forms, the Poisson tail, the standard library's
// error functions and exponential integral, and the recurrence in a.
#include "special/incomplete_gamma.hpp"

#include "support/accuracy.hpp"
#include "support/evaluation_rows.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

namespace quorvex::special {
namespace {

using testing::RelativeError;
using testing::WorstRow;

// tests/data/incomplete_gamma.tsv: closed forms, the Poisson sums and the standard library's
// error functions and exponential integral; 50-digit references where the upper function went
// wrong; the errors in their order and the caps that name the routine that iterated.
TEST(IncompleteGamma, MatchTheirTable) {
    WorstRow lower(2e-15, "lower, closed forms");
    WorstRow upper(1e-14, "upper, closed forms");
    WorstRow fiftyDigit(2.0, "upper, 50 digits");  // units of the 15th digit
    const std::vector<testing::DataRow> rows = testing::ReadDataRows("incomplete_gamma.tsv");
    for (const testing::DataRow& row : rows) {
        SCOPED_TRACE(row.where);
        ASSERT_GE(row.fields.size(), 4u);
        const bool isLower = row.fields[1] == "lower";
        const std::vector<double> a = testing::Numbers(row.fields[2]);
        ASSERT_GE(a.size(), 2u);
        const double eps = a.size() > 2 ? a[2] : kDefaultTolerance;
        const auto value = [&] {
            return isLower ? LowerIncompleteGamma(a[0], a[1], eps) : UpperIncompleteGamma(a[0], a[1], eps);
        };
        const std::string& table = row.fields[0];
        if (table == "error") {
            testing::ExpectErrorOf(value, row, 3);
            continue;
        }
        const double reference = std::strtod(row.fields[3].c_str(), nullptr);
        if (table == "fifty-digit") {
            fiftyDigit.Digits(value(), reference, row.where);
        } else {
            ASSERT_EQ(table, "closed");
            (isLower ? lower : upper).Relative(value(), reference, row.where);
        }
    }
    EXPECT_EQ(rows.size(), 64u);
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
