// The numerics' shared pieces: combinatorics, the zero and pole tests, the iteration cap and
// the continued-fraction step.
#include "special/combinatorics.hpp"
#include "special/conventions.hpp"
#include "special/iteration.hpp"

#include "support/error_matchers.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

namespace quorvex::special {
namespace {

TEST(Combinatorics, BinomialFactorialAndBitLength) {
    struct Row {
        std::int32_t n, k;
        double value;
    };
    // The long product over n - 2 factors left 388486306529.936 for 881461 over 2, and its
    // multiplications overflowed on the way to 1029 over 514 (mpmath: 1.42982068649890406e308).
    for (const Row& row :
         {Row{5, 2, 10}, Row{7, 0, 1}, Row{7, 7, 1}, Row{7, 6, 7}, Row{7, 1, 7}, Row{52, 5, 2598960},
          Row{60, 30, 118264581564861424.0}, Row{2147483647, 2147483646, 2147483647}, Row{881461, 2, 388486306530.0},
          Row{1000002, 2, 500001500001.0}, Row{1029, 514, 0x1.9739f88dc9682p+1023}}) {
        SCOPED_TRACE(std::to_string(row.n) + " " + std::to_string(row.k));
        EXPECT_EQ(BinomialCoefficient(row.n, row.k), row.value);
    }
    EXPECT_THROW(BinomialCoefficient(1100, 550), EOverflow);
    EXPECT_THROW(BinomialCoefficient(1030, 515), EOverflow);
    EXPECT_EQ(IntFactorial(-3), 1);
    EXPECT_EQ(IntFactorial(1), 1);
    EXPECT_EQ(IntFactorial(10), 3628800);
    EXPECT_NEAR(IntFactorial(170) / std::tgamma(171.0), 1.0, 1e-13);
    EXPECT_THROW(IntFactorial(171), EOverflow);
    for (const auto& [n, bits] :
         {std::pair{1, 1}, {8, 4}, {7, 3}, {0, 0}, {-5, 0}, {2147483647, 31}, {-2147483647 - 1, 0}}) {
        EXPECT_EQ(BitLength(n), bits) << n;
    }
}

TEST(Conventions, ZeroAndPoleTests) {
    EXPECT_TRUE(IsZeroByTest(1e-12));
    EXPECT_TRUE(IsZeroByTest(-1e-12));
    EXPECT_FALSE(IsZeroByTest(1.0000000000000002e-12));
    for (const double pole : {0.0, -0.0, -1.0, -2.0, -1e300}) EXPECT_TRUE(IsNonPositiveInteger(pole)) << pole;
    for (const double regular : {1.0, -0.5, -1.0000000000000002, 1e-300})
        EXPECT_FALSE(IsNonPositiveInteger(regular)) << regular;
}

__extension__ typedef unsigned __int128 Wide;  // GCC's, in the Linux and the MinGW builds alike

TEST(Combinatorics, BinomialAgreesWithExactIntegers) {
    // Pascal's triangle in 64-bit integers, through row 67 (C(67, 33) < 2^64): exact below 2^53,
    // the nearest double beyond. And n over 2, 3 in 128-bit integers for large n.
    std::vector<std::uint64_t> row{1};
    for (std::int32_t n = 1; n <= 67; ++n) {
        std::vector<std::uint64_t> next(n + 1, 1);
        for (std::int32_t k = 1; k < n; ++k) next[k] = row[k - 1] + row[k];
        row = next;
        for (std::int32_t k = 0; k <= n; ++k) {
            ASSERT_EQ(BinomialCoefficient(n, k), static_cast<double>(row[k])) << n << " " << k;
        }
    }
    for (const std::int32_t n : {1000, 94906267, 94906268, 1000002, 2147483647}) {
        const auto wide = static_cast<Wide>(n);
        EXPECT_EQ(BinomialCoefficient(n, 2), static_cast<double>(wide * (wide - 1) / 2)) << n;
        EXPECT_EQ(BinomialCoefficient(n, n - 3), static_cast<double>(wide * (wide - 1) * (wide - 2) / 6)) << n;
    }
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
        [&] {
            IterateToTolerance(1e-15, u"収束しませんでした", 1, [&](int) {
                ++calls;
                return 1.0;
            });
        },
        {"EConvergeError", 10010, u"収束しませんでした"});
    EXPECT_EQ(calls, 999);  // i = 1 .. 999; reaching 1000 is the failure
    testing::ExpectError([] { RaiseFunctionError(u"発散しました"); }, {"EFunctionError", 10008, u"発散しました"});
}

TEST(Conventions, IterationGivesUpOnceTheToleranceIsOutOfReach) {
    const testing::ExpectedError failure{"EConvergeError", 10010, u"収束しませんでした"};
    // No measure is below eps <= 0: no round is run.
    for (const double eps : {0.0, -0.0, -1.0, std::nan("")}) {
        int calls = 0;
        testing::ExpectError(
            [&] {
                IterateToTolerance(eps, failure.message, 1, [&](int) {
                    ++calls;
                    return 0.0;
                });
            },
            failure);
        EXPECT_EQ(calls, 0) << eps;
    }
    // Relative: 1 + 1/2 + 1/4 + ... measured by term / sum. Met while eps is above 2^-54; below,
    // it raises at the first term no larger than 2^-54 of the sum (2^-53 once the sum is 2).
    struct Row {
        double eps;
        int last;
        bool met;
    };
    for (const Row& row : {Row{1e-3, 9, true}, Row{0x1p-53, 53, true}, Row{0x1p-54 * 1.0000001, 53, true},
                           Row{1e-17, 53, false}, Row{1e-300, 53, false}}) {
        SCOPED_TRACE(row.eps);
        double sum = 1;
        int last = 0;
        const auto run = [&] {
            IterateToTolerance(row.eps, failure.message, 1, RelativeMeasure{}, [&](int i) {
                last = i;
                sum += std::ldexp(1.0, -i);
                return std::ldexp(1.0, -i) / sum;
            });
        };
        if (row.met) {
            run();
        } else {
            testing::ExpectError(run, failure);
        }
        EXPECT_EQ(last, row.last);
    }
    // Absolute: the terms 2^-i added to 1e6 (whose last unit is 2^-33) end the loop at the first
    // one below 2^-54 of it, while still shrinking: with the value no further term changes,
    // whatever eps asks.
    double sum = 1e6;
    int last = 0;
    IterateToTolerance(1e-300, failure.message, 1, AbsoluteMeasure{sum}, [&](int i) {
        last = i;
        sum += std::ldexp(1.0, -i);
        return std::ldexp(1.0, -i);
    });
    EXPECT_EQ(last, 35);  // 2^-35 <= 2^-54 * 1e6 = 2^-34.07
    double everyTerm = 1e6;
    for (int i = 1; i <= 100; ++i) everyTerm += std::ldexp(1.0, -i);
    EXPECT_EQ(sum, everyTerm);
    // Rounding noise within an ulp that no longer shrinks ends it too.
    const double one = 1.0;
    last = 0;
    IterateToTolerance(1e-300, failure.message, 1, AbsoluteMeasure{one}, [&](int i) {
        last = i;
        return 0x1p-52;
    });
    EXPECT_EQ(last, 2);
    // A loop that states no measure only runs to the cap.
    int calls = 0;
    testing::ExpectError(
        [&] {
            IterateToTolerance(1e-300, failure.message, 1, [&](int) {
                ++calls;
                return 1e-200;
            });
        },
        failure);
    EXPECT_EQ(calls, 999);
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

TEST(Combinatorics, HugeBinomialsTakeTheShorterProduct) {
    // Two billion factors the long way; three the short way, with the value unchanged.
    EXPECT_NEAR(BinomialCoefficient(2000000000, 1999999998) / (2e9 * 1999999999.0 / 2), 1.0, 1e-15);
    EXPECT_THROW(BinomialCoefficient(2147483647, 1073741823), EOverflow);
}

}  // namespace
}  // namespace quorvex::special
