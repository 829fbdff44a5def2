// sin(pi x) and cos(pi x) against mpmath's sinpi and cospi (40 digits), and their exact zeros.
#include "special/sine_pi.hpp"

#include "support/accuracy.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace quorvex::special {
namespace {

TEST(SinePi, AgainstMpmath) {
    struct Row {
        double x, sine, cosine;
    };
    // Within 2^-52 relative: one rounding of pi r in double-double and of Sin and Cos. The rows
    // next to integers are where sin(pi x) of a rounded pi x loses its digits.
    constexpr Row kRows[] = {
        {0.25, 0.707106781186547524400844362105, 0.707106781186547524400844362105},
        {-0.75, -0.707106781186547524400844362105, -0.707106781186547524400844362105},
        {1e-300, 3.1415926535897933171881021984e-300, 1.0},
        {-1e-5, -3.14159265307302221747502111146e-5, 0.999999999506519779986119109585},
        {0.499999999999999, 0.999999999999999999999999999995, 3.13908164820776870953131681413e-15},
        {0.333333333333333, 0.866025403784438094517877652719, 0.500000000000000956517862706067},
        {3.00000000001, -3.14159291352633492449842509618e-11, -0.999999999999999999999506519698},
        {-7.00000000001, 3.14159291352633492449842509618e-11, -0.999999999999999999999506519698},
        {-2.92508604710079, -0.233182499489428600900207122002, -0.972432990972572171443193799556},
        {123456.789, 0.615386370168505227273906820258, -0.788225611998767431383196059787},
    };
    testing::WorstRow sine(0x1p-52, "sin(pi x)");
    testing::WorstRow cosine(0x1p-52, "cos(pi x)");
    for (const Row& row : kRows) {
        sine.Relative(SinPi(row.x), row.sine, testing::Arguments({row.x}));
        cosine.Relative(CosPi(row.x), row.cosine, testing::Arguments({row.x}));
    }
}

TEST(SinePi, ExactZerosAndSigns) {
    for (const double n : {1.0, -3.0, 1e15, 4503599627370497.0, 1e300}) {
        SCOPED_TRACE(n);
        const double parity = std::fmod(n, 2.0) == 0.0 ? 1.0 : -1.0;
        EXPECT_EQ(SinPi(n), 0.0);
        EXPECT_EQ(CosPi(n), parity);
        if (std::fabs(n) >= 0x1p52) continue;  // n + 1/2 is no longer a double
        EXPECT_EQ(CosPi(n + 0.5), 0.0);
        EXPECT_EQ(SinPi(n + 0.5), parity);
    }
    EXPECT_TRUE(std::signbit(SinPi(-0.0)));
    EXPECT_TRUE(std::isnan(SinPi(std::numeric_limits<double>::infinity())));
    EXPECT_TRUE(std::isnan(CosPi(std::numeric_limits<double>::quiet_NaN())));
}

}  // namespace
}  // namespace quorvex::special
