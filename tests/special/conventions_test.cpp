// The numerics' shared pieces: combinatorics, the zero and pole tests, the iteration cap and
// the continued-fraction step.
#include "special/combinatorics.hpp"
#include "special/conventions.hpp"
#include "special/iteration.hpp"

#include "support/error_matchers.hpp"

#include <gtest/gtest.h>

#include <cmath>

namespace quorvex::special {
namespace {

TEST(Combinatorics, BinomialFactorialAndBitLength) {
    struct Row {
        std::int32_t n, k;
        double value;
    };
    for (const Row& row : {Row{5, 2, 10}, Row{7, 0, 1}, Row{7, 7, 1}, Row{7, 6, 7}, Row{7, 1, 7}, Row{52, 5, 2598960},
                           Row{60, 30, 118264581564861424.0}, Row{2147483647, 2147483646, 2147483647}}) {
        SCOPED_TRACE(std::to_string(row.n) + " " + std::to_string(row.k));
        EXPECT_EQ(BinomialCoefficient(row.n, row.k), row.value);
    }
    EXPECT_THROW(BinomialCoefficient(1100, 550), EOverflow);
    EXPECT_EQ(IntFactorial(-3), 1);
    EXPECT_EQ(IntFactorial(1), 1);
    EXPECT_EQ(IntFactorial(10), 3628800);
    EXPECT_NEAR(IntFactorial(170) / std::tgamma(171.0), 1.0, 1e-13);
    EXPECT_THROW(IntFactorial(171), EOverflow);
    for (const auto& [n, bits] : {std::pair{1, 1}, {8, 4}, {7, 3}, {0, 0}, {-5, 0}, {2147483647, 31}, {-2147483647 - 1, 0}}) {
        EXPECT_EQ(BitLength(n), bits) << n;
    }
}

TEST(Conventions, ZeroAndPoleTests) {
    EXPECT_TRUE(IsZeroByTest(1e-12));
    EXPECT_TRUE(IsZeroByTest(-1e-12));
    EXPECT_FALSE(IsZeroByTest(1.0000000000000002e-12));
    for (const double pole : {0.0, -0.0, -1.0, -2.0, -1e300}) EXPECT_TRUE(IsNonPositiveInteger(pole)) << pole;
    for (const double regular : {1.0, -0.5, -1.0000000000000002, 1e-300}) EXPECT_FALSE(IsNonPositiveInteger(regular)) << regular;
}

TEST(Conventions, IterationStopsBelowToleranceOrRaisesAtTheCap) {
    // sum of 2^-i converges: the first term below eps ends the loop.
    double sum = 0;
    int last = 0;
    IterateToTolerance(1e-3, u"unused", 1, [&](int i) {
        last = i;
        const double term = std::ldexp(1.0, -i);
        sum += term;
        return term;
    });
    EXPECT_EQ(last, 10);
    int calls = 0;
    testing::ExpectError(
        [&] { IterateToTolerance(1e-15, u"収束しませんでした", 1, [&](int) { ++calls; return 1.0; }); },
        {"EConvergeError", 10010, u"収束しませんでした"});
    EXPECT_EQ(calls, 999);  // i = 1 .. 999; reaching 1000 is the failure
    testing::ExpectError([] { RaiseFunctionError(u"発散しました"); }, {"EFunctionError", 10008, u"発散しました"});
}

TEST(Conventions, LentzStepEvaluatesAContinuedFraction) {
    // 1 + 1/(1 + 1/(1 + ...)) is the golden ratio: b = 1, a = 1 throughout.
    LentzState state{1.0, 1.0, 0.0};
    IterateToTolerance(1e-15, u"unused", 1, [&](int) { return LentzStep(state, 1.0, 1.0, TinyGuard::kExactZero); });
    EXPECT_NEAR(state.h, (1.0 + std::sqrt(5.0)) / 2.0, 1e-15);
    EXPECT_EQ(GuardTiny(0.0, TinyGuard::kExactZero), kTinyValue);
    EXPECT_EQ(GuardTiny(1e-13, TinyGuard::kExactZero), 1e-13);
    EXPECT_EQ(GuardTiny(1e-13, TinyGuard::kZeroTest), kTinyValue);
}

}  // namespace
}  // namespace quorvex::special

namespace quorvex::special {
namespace {

TEST(Combinatorics, HugeBinomialsTakeTheShorterProduct) {
    // Two billion factors the long way; three the short way, with the value unchanged.
    EXPECT_NEAR(BinomialCoefficient(2000000000, 1999999998) / (2e9 * 1999999999.0 / 2), 1.0, 1e-15);
    EXPECT_THROW(BinomialCoefficient(2147483647, 1073741823), EOverflow);
}

}  // namespace
}  // namespace quorvex::special
