// The incomplete gamma functions against closed forms, the Poisson tail, the standard library's
// error functions and exponential integral, and the recurrence in a.
#include "special/incomplete_gamma.hpp"

#include "special/messages.hpp"
#include "support/accuracy.hpp"
#include "support/error_matchers.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <numbers>
#include <string>

namespace quorvex::special {
namespace {

using testing::Arguments;
using testing::RelativeError;
using testing::WorstRow;

// Gamma(n) P(N >= n) for a Poisson variable N of mean x, that is gamma(n, x) for integral n:
// (n-1)! e^-x sum over k >= n of x^k / k!, in long double, positive terms only.
double PoissonTailGamma(int n, double x) {
    long double term = std::exp(static_cast<long double>(n) * std::log(static_cast<long double>(x)) - x) / n;
    long double sum = 0;
    for (int k = n; term > sum * 1e-22L; ++k) {
        sum += term;
        term *= static_cast<long double>(x) / (k + 1);
    }
    return static_cast<double>(sum);
}

// (n-1)! e^-x sum over k < n of x^k / k!: Gamma(n, x) for integral n, positive terms only.
double PoissonHeadGamma(int n, double x) {
    long double term = std::exp(-static_cast<long double>(x));
    long double sum = 0;
    for (int k = 0; k < n; ++k) {
        sum += term / std::tgamma(static_cast<long double>(k + 1));
        term *= x;
    }
    return static_cast<double>(sum * std::tgamma(static_cast<long double>(n)));
}

struct Row {
    const char* what;
    double a, x;
    double reference;
};

void ExpectTable(const std::function<double(double, double)>& routine, std::initializer_list<Row> rows,
                 double tolerance) {
    WorstRow worst(tolerance);
    for (const Row& row : rows) {
        worst.Relative(routine(row.a, row.x), row.reference, row.what + Arguments({row.a, row.x}));
    }
}

const double kSqrtPi = std::sqrt(std::numbers::pi);

TEST(IncompleteGamma, LowerAgainstClosedFormsAndThePoissonTail) {
    // Each region sums terms of one sign or a short alternating series: a few units of the last
    // digit, and Gamma(a) (for x beyond a + 1) adds its own 15 digits.
    const auto lower = [](double a, double x) { return LowerIncompleteGamma(a, x); };
    ExpectTable(lower,
                {{"1 - e^-x", 1, 0.25, 0.22119921692859512},
                 {"1 - e^-x", 1, 1e-9, -std::expm1(-1e-9)},
                 {"1 - e^-x", 1, 1.0999, -std::expm1(-1.0999)},
                 {"1 - e^-x", 1, 1.1, -std::expm1(-1.1)},
                 {"1 - e^-x", 1, 30, -std::expm1(-30.0)},
                 {"sqrt(pi) erf(sqrt x)", 0.5, 1e-6, kSqrtPi * std::erf(1e-3)},
                 {"sqrt(pi) erf(sqrt x)", 0.5, 0.7, kSqrtPi * std::erf(std::sqrt(0.7))},
                 {"sqrt(pi) erf(sqrt x)", 0.5, 4, kSqrtPi * std::erf(2.0)},
                 {"Gamma(2) - Gamma(2, 3)", 2, 3, 1 - 4 * std::exp(-3.0)},
                 // The series' terms carry x^a: measured absolutely they stopped it after one or
                 // two terms (5e-3 relative off at a = 30, x = 0.1; 6e-8 at a = 10).
                 {"Poisson tail", 30, 0.1, PoissonTailGamma(30, 0.1)},
                 {"Poisson tail", 10, 0.1, PoissonTailGamma(10, 0.1)},
                 {"Poisson tail", 2, 1e-5, PoissonTailGamma(2, 1e-5)},
                 // Gamma(a) - Gamma(a, x) cancels where x is well below a: gamma(50, 5) is 1e-35
                 // of Gamma(50), and gamma(10, 2) lost 4 digits.
                 {"Poisson tail", 50, 5, PoissonTailGamma(50, 5)},
                 {"Poisson tail", 10, 2, PoissonTailGamma(10, 2)},
                 {"Poisson tail", 5, 1.1, PoissonTailGamma(5, 1.1)},
                 {"Poisson tail", 5, 5.999, PoissonTailGamma(5, 5.999)},
                 {"Poisson tail", 5, 6, PoissonTailGamma(5, 6)},
                 {"Poisson tail", 12, 20, PoissonTailGamma(12, 20)}},
                2e-15);
}

TEST(IncompleteGamma, UpperAgainstClosedFormsAndTheExponentialIntegral) {
    // Looser than the lower table: the fraction gathers rounding over its steps (5e-15 at
    // E1(1.1)), Gamma(a) by exp(ln Gamma(a)) carries 1e-16 times ln Gamma(a) (39 at a = 20), and
    // the references built by the recurrence magnify std::expint's and std::erfc's rounding.
    const auto upper = [](double a, double x) { return UpperIncompleteGamma(a, x); };
    const auto e1 = [](double x) { return -std::expint(-x); };
    ExpectTable(upper,
                {{"e^-x", 1, 2, 0.1353352832366127},
                 {"e^-x", 1, 0.3, std::exp(-0.3)},
                 {"e^-x", 1, 1.1, std::exp(-1.1)},
                 // The fraction's factor x^a e^-x folded into a step that starts from 1e-30 gave
                 // about 1e-30 here, and was 1e-11 off at x = 40.
                 {"e^-x", 1, 40, std::exp(-40.0)},
                 {"e^-x", 1, 80, std::exp(-80.0)},
                 {"e^-x", 1, 700, std::exp(-700.0)},
                 {"Poisson head", 5, 60, PoissonHeadGamma(5, 60)},
                 {"Gamma(2) - gamma(2, 0.5)", 2, 0.5, 1.5 * std::exp(-0.5)},
                 {"sqrt(pi) erfc(sqrt x)", 0.5, 0.01, kSqrtPi * std::erfc(0.1)},
                 {"sqrt(pi) erfc(sqrt x)", 0.5, 9, kSqrtPi * std::erfc(3.0)},
                 {"sqrt(pi) erfc(sqrt x)", 0.5, 100, kSqrtPi * std::erfc(10.0)},
                 // Below a + 1 the fraction's first numerators are positive and its steps cancel:
                 // Gamma(20, 2) came out near 0, Gamma(10, 1.1) 2e-8 off.
                 {"Poisson head", 20, 2, PoissonHeadGamma(20, 2)},
                 {"Poisson head", 10, 1.1, PoissonHeadGamma(10, 1.1)},
                 {"Poisson head", 5, 5.999, PoissonHeadGamma(5, 5.999)},
                 {"Poisson head", 5, 6, PoissonHeadGamma(5, 6)},
                 // Non-positive integers: the fraction from 1.1 on, below it the limit of the
                 // series at the pole (the fraction needed thousands of steps below x = 0.07).
                 {"E1", 0, 2, 0.048900510708061},
                 {"E1", 0, 1.1, e1(1.1)},
                 {"E1", 0, 1.0999, e1(1.0999)},
                 {"E1", 0, 0.01, e1(0.01)},
                 {"E1", 0, 1e-8, e1(1e-8)},
                 {"e^-x / x - E1", -1, 0.05, std::exp(-0.05) / 0.05 - e1(0.05)},
                 {"e^-x / x - E1", -1, 3, std::exp(-3.0) / 3 - e1(3)},
                 {"(e^-x / x^2 - e^-x / x + E1) / 2", -2, 0.001,
                  (std::exp(-0.001) / 1e-6 - std::exp(-0.001) / 0.001 + e1(0.001)) / 2},
                 // Negative shapes: Gamma(a + 1, x) = a Gamma(a, x) + x^a e^-x from a = 1/2.
                 {"from Gamma(1/2, x)", -0.5, 0.5,
                  (std::exp(-0.5) / std::sqrt(0.5) - kSqrtPi * std::erfc(std::sqrt(0.5))) / 0.5},
                 {"from Gamma(1/2, x)", -0.5, 2,
                  (std::exp(-2.0) / std::sqrt(2.0) - kSqrtPi * std::erfc(std::sqrt(2.0))) / 0.5}},
                1e-14);
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

TEST(IncompleteGamma, ErrorsInTheirOrder) {
    using testing::ExpectError;
    ExpectError([] { LowerIncompleteGamma(1, -1); }, {"EFunctionError", 10008, kLowerNegativeArgument});
    ExpectError([] { LowerIncompleteGamma(0, -1); }, {"EFunctionError", 10008, kLowerNegativeArgument});  // x first
    ExpectError([] { LowerIncompleteGamma(0, 1); }, {"EFunctionError", 10008, kLowerPole});
    ExpectError([] { LowerIncompleteGamma(-3, 0.5); }, {"EFunctionError", 10008, kLowerPole});
    ExpectError([] { UpperIncompleteGamma(1, -1); }, {"EFunctionError", 10008, kUpperNegativeArgument});
    ExpectError([] { UpperIncompleteGamma(0, -1e-300); }, {"EFunctionError", 10008, kUpperNegativeArgument});
    // Only the lower function refuses the poles; x = 0 at a pole is the logarithm of 0.
    EXPECT_NO_THROW(UpperIncompleteGamma(-3, 0.5));
    EXPECT_THROW(UpperIncompleteGamma(0, 0), EZeroDivide);
    EXPECT_THROW(LowerIncompleteGamma(-0.5, 0), EZeroDivide);
    EXPECT_EQ(LowerIncompleteGamma(2.5, 0), 0.0);
}

TEST(IncompleteGamma, AgainstFiftyDigitReferencesWhereTheyWentWrong) {
    struct Row {
        const char* what;
        double a, x, reference;
    };
    // The upper function; units of the 15th significant digit.
    WorstRow worst(2.0);
    for (const Row& row :
         {Row{"e^-x underflowed: 0", 38.38, 776.47, 6.8805305352600863e-230},
          Row{"Gamma(a) - gamma(a, x), 22 units", 0.01, 1, 0.22036593781812581},
          Row{"Gamma(a) - gamma(a, x), 3 units", -0.012118025967561704, 0.003926941730971802, 5.1449909105754402},
          Row{"the fraction forwards, 3 units", 0.1498367043897087, 2.0340090234907393, 0.054222555768900366}}) {
        worst.Digits(UpperIncompleteGamma(row.a, row.x), row.reference, row.what);
    }
}

TEST(IncompleteGamma, ConvergenceCapsNameTheRoutineThatIterated) {
    // A tolerance of 0 is met by no term, so each region runs to the cap; the message names the
    // routine whose series or fraction ran, which also pins the region boundaries.
    using testing::ExpectError;
    struct CapRow {
        bool lower;
        double a, x;
        std::u16string_view message;
    };
    for (const CapRow& row :
         {CapRow{true, 1, 0.5, kLowerNoConvergence}, CapRow{true, 0.05, 1.0999, kLowerNoConvergence},
          CapRow{true, 0.05, 1.1, kUpperNoConvergence}, CapRow{true, 5, 5.999, kLowerNoConvergence},
          CapRow{true, 5, 6, kUpperNoConvergence}, CapRow{false, 0.05, 1.0999, kLowerNoConvergence},
          CapRow{false, 0.05, 1.1, kUpperNoConvergence}, CapRow{false, 5, 5.999, kLowerNoConvergence},
          CapRow{false, 5, 6, kUpperNoConvergence}, CapRow{false, -2, 0.5, kUpperNoConvergence},
          CapRow{false, -2, 1.1, kUpperNoConvergence}}) {
        SCOPED_TRACE(std::to_string(row.lower) + " a=" + std::to_string(row.a) + " x=" + std::to_string(row.x));
        ExpectError(
            [&] { row.lower ? LowerIncompleteGamma(row.a, row.x, 0.0) : UpperIncompleteGamma(row.a, row.x, 0.0); },
            {"EConvergeError", 10010, row.message});
    }
}

}  // namespace
}  // namespace quorvex::special
