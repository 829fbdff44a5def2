// The library's elementary functions against reference values computed by mpmath at 320 bits
// or more (tests/data/generate_elementary_math.py), and against C99's special values.
#include "core/elementary_kernels.hpp"
#include "core/elementary_math.hpp"
#include "support/accuracy.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <limits>
#include <map>
#include <optional>
#include <sstream>
#include <string>

namespace quorvex {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kPi = 3.1415926535897931;
constexpr double kHalfPi = 1.5707963267948966;
constexpr double kMinSubnormal = 4.9406564584124654e-324;

using Function = double (*)(double, double);

const std::map<std::string, Function>& Functions() {
    static const std::map<std::string, Function> functions = {
        {"exp", [](double x, double) { return Exp(x); }},
        {"expm1", [](double x, double) { return Expm1(x); }},
        {"log", [](double x, double) { return Log(x); }},
        {"log1p", [](double x, double) { return Log1p(x); }},
        {"sin", [](double x, double) { return Sin(x); }},
        {"cos", [](double x, double) { return Cos(x); }},
        {"tan", [](double x, double) { return Tan(x); }},
        {"asin", [](double x, double) { return Asin(x); }},
        {"acos", [](double x, double) { return Acos(x); }},
        {"atan", [](double x, double) { return Atan(x); }},
        {"atan2", [](double x, double y) { return Atan2(x, y); }},
        {"sinh", [](double x, double) { return Sinh(x); }},
        {"cosh", [](double x, double) { return Cosh(x); }},
        {"tanh", [](double x, double) { return Tanh(x); }},
        {"asinh", [](double x, double) { return Asinh(x); }},
        {"acosh", [](double x, double) { return Acosh(x); }},
        {"atanh", [](double x, double) { return Atanh(x); }},
        {"hypot", [](double x, double y) { return Hypot(x, y); }},
        {"erf", [](double x, double) { return ErfNearZero(x); }},
    };
    return functions;
}

// The spacing of doubles at v, as the generator counts it.
double UnitInLastPlace(double v) { return std::ldexp(1.0, std::max(std::ilogb(v) - 52, -1074)); }

TEST(ElementaryMath, MatchesHighPrecisionReference) {
    std::ifstream data(QUORVEX_TEST_DATA_DIR "/elementary_math.tsv");
    ASSERT_TRUE(data) << "missing " QUORVEX_TEST_DATA_DIR "/elementary_math.tsv";
    // Units in the last place off the correctly rounded value, per function: every row exact.
    std::map<std::string, testing::WorstRow> table;
    std::string line;
    while (std::getline(data, line)) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream fields(line);
        std::string name, xText, yText, expectedText;
        fields >> name >> xText >> yText >> expectedText;
        ASSERT_TRUE(fields && Functions().count(name)) << line;
        const double x = std::strtod(xText.c_str(), nullptr);
        const double expected = std::strtod(expectedText.c_str(), nullptr);
        const double actual = Functions().at(name)(x, std::strtod(yText.c_str(), nullptr));
        // A zero of the wrong sign or a non-finite miss counts as infinitely far.
        double ulps = 0.0;
        if (actual != expected || std::signbit(actual) != std::signbit(expected)) {
            ulps = std::isfinite(expected) && actual != expected
                       ? std::fabs(actual - expected) / UnitInLastPlace(expected)
                       : kInf;
        }
        char got[40];
        std::snprintf(got, sizeof got, " gave %a", actual);
        table.try_emplace(name, 0.0, name).first->second.Add(ulps, line + got);
    }
    for (const auto& [name, row] : table) std::printf("%-6s %s\n", name.c_str(), row.Summary().c_str());
    EXPECT_EQ(table.size(), Functions().size());
}

struct SpecialValue {
    const char* name;
    double x;
    double y;
    double expected;  // NaN: any NaN
};

// C99 Annex F's special cases, and the edges where our own code answers without the kernels.
constexpr SpecialValue kSpecialValues[] = {
    {"exp", kInf, 0, kInf},
    {"exp", -kInf, 0, 0.0},
    {"exp", 710.0, 0, kInf},
    {"exp", -746.0, 0, 0.0},
    {"exp", -0.0, 0, 1.0},
    {"exp", kNaN, 0, kNaN},
    {"expm1", -0.0, 0, -0.0},
    {"expm1", -kInf, 0, -1.0},
    {"expm1", kInf, 0, kInf},
    {"expm1", 710.0, 0, kInf},
    {"log", 0.0, 0, -kInf},
    {"log", -0.0, 0, -kInf},
    {"log", -1e-300, 0, kNaN},
    {"log", 1.0, 0, 0.0},
    {"log", kInf, 0, kInf},
    {"log", -kInf, 0, kNaN},
    {"log1p", -1.0, 0, -kInf},
    {"log1p", -1.5, 0, kNaN},
    {"log1p", -0.0, 0, -0.0},
    {"log1p", kInf, 0, kInf},
    {"sin", -0.0, 0, -0.0},
    {"sin", kInf, 0, kNaN},
    {"cos", -kInf, 0, kNaN},
    {"tan", -0.0, 0, -0.0},
    {"tan", kInf, 0, kNaN},
    {"cos", -0.0, 0, 1.0},
    {"sin", kNaN, 0, kNaN},
    {"asin", -0.0, 0, -0.0},
    {"asin", 1.0000000000000002, 0, kNaN},
    {"acos", -1.0, 0, kPi},
    {"acos", 1.0, 0, 0.0},
    {"acos", -1.0000000000000002, 0, kNaN},
    {"atan", kInf, 0, kHalfPi},
    {"atan", -kInf, 0, -kHalfPi},
    {"atan", -0.0, 0, -0.0},
    {"atan2", 0.0, -0.0, kPi},
    {"atan2", -0.0, -0.0, -kPi},
    {"atan2", 0.0, 0.0, 0.0},
    {"atan2", -0.0, 0.0, -0.0},
    {"atan2", -0.0, -1.0, -kPi},
    {"atan2", 1.0, 0.0, kHalfPi},
    {"atan2", -1.0, -0.0, -kHalfPi},
    {"atan2", kInf, kInf, 0.78539816339744828},
    {"atan2", kInf, -kInf, 2.3561944901923448},
    {"atan2", -kInf, 1.0, -kHalfPi},
    {"atan2", 1.0, kInf, 0.0},
    {"atan2", -1.0, -kInf, -kPi},
    {"atan2", kNaN, 1.0, kNaN},
    {"sinh", -kInf, 0, -kInf},
    {"sinh", -0.0, 0, -0.0},
    {"sinh", 711.0, 0, kInf},
    {"sinh", -711.0, 0, -kInf},
    {"cosh", -kInf, 0, kInf},
    {"cosh", -711.0, 0, kInf},
    {"cosh", 0.0, 0, 1.0},
    {"tanh", -kInf, 0, -1.0},
    {"tanh", -0.0, 0, -0.0},
    {"tanh", 30.0, 0, 1.0},
    {"asinh", -kInf, 0, -kInf},
    {"asinh", -0.0, 0, -0.0},
    {"acosh", 1.0, 0, 0.0},
    {"acosh", 0.9999999999999999, 0, kNaN},
    {"acosh", kInf, 0, kInf},
    {"acosh", -kInf, 0, kNaN},
    {"atanh", 1.0, 0, kInf},
    {"atanh", -1.0, 0, -kInf},
    {"atanh", -0.0, 0, -0.0},
    {"atanh", 1.0000000000000002, 0, kNaN},
    {"hypot", kInf, kNaN, kInf},
    {"hypot", kNaN, -kInf, kInf},
    {"hypot", kNaN, 1.0, kNaN},
    {"hypot", -0.0, 0.0, 0.0},
    {"hypot", 1.5e308, 1.5e308, kInf},
    {"hypot", -kMinSubnormal, 0.0, kMinSubnormal},
    {"erf", -0.0, 0, -0.0},
    {"erf", 0.75, 0, kNaN},
    {"erf", kNaN, 0, kNaN},
};

TEST(ElementaryMath, SpecialValuesOfC99) {
    for (const SpecialValue& row : kSpecialValues) {
        SCOPED_TRACE(::testing::Message() << row.name << "(" << row.x << ", " << row.y << ")");
        const double actual = Functions().at(row.name)(row.x, row.y);
        if (std::isnan(row.expected)) {
            EXPECT_TRUE(std::isnan(actual)) << actual;
        } else {
            EXPECT_EQ(actual, row.expected);
            EXPECT_EQ(std::signbit(actual), std::signbit(row.expected));
        }
    }
}

struct RoundingCase {
    double hi;
    double lo;
    double err;
    std::optional<double> expected;
};

// Intervals around the midpoints of 1 and its neighbours: above 1 the spacing is 2^-52, below
// it 2^-53, so the midpoints are 1 + 2^-53 and 1 - 2^-54.
const RoundingCase kRoundingCases[] = {
    {1.0, 0x1p-54, 0x1p-60, 1.0},
    {1.0, 0x1p-53 - 0x1p-70, 0x1p-72, 1.0},
    {1.0, 0x1p-53 - 0x1p-70, 0x1p-69, std::nullopt},  // reaches the midpoint
    {1.0, 0x1p-53 + 0x1p-70, 0x1p-72, 1.0000000000000002},
    {1.0, 0x1p-53, 0.0, std::nullopt},  // the midpoint itself: lo's rounding counts
    {1.0, -0x1p-55, 0x1p-60, 1.0},
    {1.0, -0x1p-54 + 0x1p-72, 0x1p-74, 1.0},
    {1.0, -0x1p-54 + 0x1p-72, 0x1p-71, std::nullopt},  // below 1 the spacing halves
    {1.0, -0x1p-54 - 0x1p-72, 0x1p-74, 0.99999999999999989},
    {-1.0, 0x1p-54 - 0x1p-72, 0x1p-74, -1.0},
    {0.75, 0x1p-3, 0x1p-60, 0.875},  // lo need not be below an ulp of hi
};

TEST(ElementaryMath, RoundingTestAnswersOnlyWhenBothEndsAgree) {
    for (const RoundingCase& row : kRoundingCases) {
        SCOPED_TRACE(::testing::Message() << std::hexfloat << row.hi << " + " << row.lo << " +- " << row.err);
        EXPECT_EQ(RoundIfUnambiguous(row.hi, row.lo, row.err), row.expected);
    }
}

}  // namespace
}  // namespace quorvex
