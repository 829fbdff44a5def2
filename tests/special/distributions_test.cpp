// The distribution kernels against closed forms (normal by std::erfc, t with 1 to 4 degrees of
// freedom, F with 2 in either place), the factorial and the Fisher transformation.
#include "special/distributions.hpp"

#include "special/messages.hpp"
#include "support/accuracy.hpp"
#include "support/error_matchers.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>

namespace quorvex::special {
namespace {

constexpr double kPi = std::numbers::pi;

using testing::Arguments;
using testing::RelativeError;
using testing::WorstRow;

struct Row {
    double x;
    int first, second, kind;  // degrees of freedom (the second only for F)
    double reference;
};

std::string Describe(const Row& row) {
    return Arguments({row.x, static_cast<double>(row.first), static_cast<double>(row.second)}) + " kind " +
           std::to_string(row.kind);
}

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

TEST(Distributions, NormalTailsAgainstHighPrecision) {
    // mpmath's exact values: the deep tails, where a rounded z put z^2 ulps on the result.
    struct TailRow {
        double x, mu, sigma;
        int density;
        double reference;
    };
    WorstRow worst(1e-15);
    for (const TailRow& row : {TailRow{-30.7, 1.3, 0.9, 0, 3.40921110887248918165532185646e-277},
                               TailRow{-37.3, 0, 1, 0, 8.20549484493077334692559513811e-305},
                               TailRow{25.3, 0, 1, 1, 4.0469944154189541619040303242e-140},
                               TailRow{-21.1, 0.7, 1.3, 1, 2.65228802224804589972412808827e-62},
                               TailRow{12.5, 2.1, 0.3, 1, 1.44897245526406081251816603498e-261},
                               TailRow{-3, 1.5, -2.5, 1, 0.0315800633203576623073801324087}}) {
        worst.Relative(NormalDistribution(row.x, row.mu, row.sigma, row.density), row.reference,
                       Arguments({row.x, row.mu, row.sigma, static_cast<double>(row.density)}));
    }
}

TEST(Distributions, StudentTAgainstClosedForms) {
    const auto cauchyLower = [](double x) { return x < 0 ? std::atan(-1 / x) / kPi : 0.5 + std::atan(x) / kPi; };
    // df = 2: 1/2 + x / (2 sqrt(2 + x^2)), the lower tail rewritten without cancellation.
    const auto twoLower = [](double x) {
        const double root = std::sqrt(2 + x * x);
        return x < 0 ? 1 / (root * (root - x)) : 0.5 + x / (2 * root);
    };
    const auto threeLower = [](double x) {
        return 0.5 + (x / (std::sqrt(3.0) * (1 + x * x / 3)) + std::atan(x / std::sqrt(3.0))) / kPi;
    };
    const auto fourLower = [](double x) {
        const double q = 1 + x * x / 4;
        return 0.5 + 0.375 * x / std::sqrt(q) * (1 - x * x / (12 * q));
    };
    // The incomplete beta function and B(1/2, nu/2) give a few units of the last digit.
    WorstRow worst(4e-15);
    for (const Row& row :
         {Row{1, 1, 0, 1, 0.75}, Row{1, 1, 0, 2, 0.25},
          // The sign of x counts: the lower probability at -1 is 1/4.
          Row{-1, 1, 0, 1, 0.25}, Row{-1, 1, 0, 2, 0.75},
          // x = 0 reaches the end point 1 of the incomplete beta function.
          Row{0, 1, 0, 1, 0.5}, Row{0, 7, 0, 2, 0.5},
          // 1 - nu/(nu + x^2) formed by subtraction lost digits near 0 (3e-11 here).
          Row{1e-6, 1, 0, 1, cauchyLower(1e-6)}, Row{-1e-6, 1, 0, 2, 1 - cauchyLower(-1e-6)},
          Row{-30, 1, 0, 1, cauchyLower(-30)}, Row{1e3, 1, 0, 2, cauchyLower(-1e3)}, Row{2.5, 2, 0, 1, twoLower(2.5)},
          Row{-40, 2, 0, 1, twoLower(-40)}, Row{0.1, 2, 0, 2, twoLower(-0.1)}, Row{1.7, 3, 0, 1, threeLower(1.7)},
          Row{-0.3, 3, 0, 1, threeLower(-0.3)}, Row{1.7, 4, 0, 1, fourLower(1.7)}, Row{-5, 4, 0, 2, fourLower(5)},
          // Densities: 1/(pi (1 + x^2)) and (2 + x^2)^(-3/2); an exponent of
          // -(df + 1)/2 in integers gave (2 + x^2)^-1 shapes for even df.
          Row{0.5, 1, 0, 0, 1 / (kPi * 1.25)}, Row{-3, 1, 0, 0, 1 / (kPi * 10)}, Row{0, 2, 0, 0, std::pow(2.0, -1.5)},
          Row{1.5, 2, 0, 9, std::pow(4.25, -1.5)}, Row{-4, 2, 0, 0, std::pow(18.0, -1.5)}}) {
        worst.Relative(StudentT(row.x, row.first, row.kind), row.reference, Describe(row));
    }
}

TEST(Distributions, StudentTWithManyDegreesOfFreedom) {
    // Reference values computed to 50 digits. ln B(1/2, nu/2) and nu/(nu + x^2), rounded once,
    // are magnified by nu/2 in the exponent: 1e-16 per unit of nu x^2 / (nu + x^2), hence 2e-13.
    WorstRow worst(2e-13);
    for (const Row& row : {Row{1.5, 1000, 0, 1, 0.93303498058895691}, Row{1.5, 1000, 0, 2, 0.066965019411043086},
                           Row{1.5, 1000, 0, 0, 0.12950334867626564}, Row{-2.5, 1000, 0, 1, 0.0062892839005453984},
                           Row{3, 100000, 0, 2, 0.0013502304420323596}, Row{3, 100000, 0, 0, 0.0044325353568058633},
                           Row{0.5, 30, 0, 1, 0.68963849755743636}}) {
        worst.Relative(StudentT(row.x, row.first, row.kind), row.reference, Describe(row));
    }
}

TEST(Distributions, FisherFAgainstClosedForms) {
    // d1 = d2 = 2: lower x / (1 + x), density 1 / (1 + x)^2; d1 = 2: upper (d2 / (d2 + 2x))^(d2/2);
    // d2 = 2: lower (d1 x / (d1 x + 2))^(d1/2).
    const auto upperOfTwo = [](double x, double d2) { return std::pow(d2 / (d2 + 2 * x), d2 / 2); };
    const auto lowerOverTwo = [](double x, double d1) { return std::pow(d1 * x / (d1 * x + 2), d1 / 2); };
    WorstRow worst(4e-15);
    for (const Row& row : {Row{3, 2, 2, 1, 0.75}, Row{3, 2, 2, 2, 0.25}, Row{3, 2, 2, 0, 1.0 / 16},
                           // 1 - I_m(f, h) lost a small lower probability (1e-8 here kept 8 digits).
                           Row{1e-8, 2, 2, 1, 1e-8 / (1 + 1e-8)}, Row{1e-3, 6, 2, 1, lowerOverTwo(1e-3, 6)},
                           Row{0.7, 2, 9, 2, upperOfTwo(0.7, 9)}, Row{40, 2, 5, 2, upperOfTwo(40, 5)},
                           Row{0.2, 2, 5, 1, -std::expm1(2.5 * std::log(5 / 5.4))},
                           Row{2.5, 7, 2, 1, lowerOverTwo(2.5, 7)}, Row{2.5, 7, 2, 2, 1 - lowerOverTwo(2.5, 7)},
                           // Computed to 50 digits.
                           Row{0.7, 5, 7, 1, 0.35897550400621901}, Row{0.7, 5, 7, 0, 0.60221040417066866}}) {
        worst.Relative(FisherF(row.x, row.first, row.second, row.kind), row.reference, Describe(row));
    }
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
    // 50-digit references where the exponents in doubles went wrong: 1e5, 1.2e4 and 67 units of
    // the 15th digit; within 2 now.
    WorstRow digits(2.0);
    for (const Row& row : {Row{-4.85740317343848, 5053691, 0, 1, 5.9469406789422758e-7},
                           Row{0.9113, 49340, 5444, 0, 0.00042448701341161034},
                           Row{0.9904407737052456, 94738, 1163, 2, 0.59643628051060458}}) {
        const double value =
            row.second == 0 ? StudentT(row.x, row.first, row.kind) : FisherF(row.x, row.first, row.second, row.kind);
        digits.Digits(value, row.reference, Describe(row));
    }
}

TEST(Distributions, KernelErrorsComeFromTheIncompleteBetaFunctionAndBeta) {
    using testing::ExpectError;
    ExpectError([] { StudentT(1, 0, 1); }, {"EFunctionError", 10008, kRegularizedNonPositiveA});
    ExpectError([] { StudentT(1, -2, 2); }, {"EFunctionError", 10008, kRegularizedNonPositiveA});
    EXPECT_THROW(StudentT(1, 0, 0), EZeroDivide);  // the density divides x^2 by 0
    ExpectError([] { FisherF(1, 0, 4, 1); }, {"EFunctionError", 10008, kRegularizedNonPositiveB});
    ExpectError([] { FisherF(1, 3, 0, 2); }, {"EFunctionError", 10008, kRegularizedNonPositiveA});
    ExpectError([] { FisherF(-1, 0, 4, 1); },
                {"EFunctionError", 10008, kRegularizedNonPositiveB});  // checked below 0 too
    ExpectError([] { FisherF(1, 0, 4, 0); }, {"EFunctionError", 10008, kBetaNonPositiveA});
    ExpectError([] { FisherF(1, 3, -2, 0); }, {"EFunctionError", 10008, kBetaNonPositiveB});
}

TEST(Distributions, FactorialAndFisherTransformation) {
    using testing::ExpectError;
    EXPECT_EQ(Factorial(0), 1.0);
    EXPECT_EQ(Factorial(5), 120.0);
    EXPECT_EQ(Factorial(5 + 1e-13), 120.0);  // within the zero test above a natural number
    // 170 rounded products: about 1e-16 each.
    EXPECT_LE(RelativeError(Factorial(170), std::tgamma(171.0)), 2e-14);
    EXPECT_THROW(Factorial(171), EOverflow);
    for (const double refused : {2.5, -3.0, 5 - 1e-13}) {
        SCOPED_TRACE(refused);
        ExpectError([&] { Factorial(refused); }, {"EFunctionError", 10004, kFactorialNotNatural});
    }
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
    ExpectError([] { Fisher(1); }, {"EFunctionError", 10004, kFisherOutsideRange});
    ExpectError([] { Fisher(-1); }, {"EFunctionError", 10004, kFisherOutsideRange});
    ExpectError([] { Fisher(7); }, {"EFunctionError", 10004, kFisherOutsideRange});
}

}  // namespace
}  // namespace quorvex::special
