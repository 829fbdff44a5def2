// NumberText: the writer's 15-digit rounding and layout, the reader's grammar, and the two together
// (tests/data/number_text_format.tsv, tests/data/number_text_parse.tsv).
#include "core/number_text.hpp"

#include "core/decimal_separator.hpp"
#include "core/utf16.hpp"
#include "support/evaluation_rows.hpp"
#include "support/number_text_oracle.hpp"

#include <gtest/gtest.h>
#include <quorvex/quorvex.hpp>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace quorvex {
namespace {

using testing::ExactRuleText;
using testing::Layout;

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Restores the locale's separator even when the test body fails.
class SeparatorScope {
public:
    explicit SeparatorScope(char16_t separator) { EXPECT_TRUE(SetDecimalSeparator(separator)); }
    ~SeparatorScope() { SetDecimalSeparator(0); }
    SeparatorScope(const SeparatorScope&) = delete;
    SeparatorScope& operator=(const SeparatorScope&) = delete;
};

// The expected texts use "."; the machine's locale must not decide the outcome.
class NumberText : public ::testing::Test {
    SeparatorScope separator_{u'.'};
};
using NumberTextFormat = NumberText;
using NumberTextParse = NumberText;
using NumberTextScale = NumberText;

std::string Show(double x) {
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.17g", x);
    return buffer;
}

std::string Format(double x) { return ToUtf8(FormatNumberText(x)); }

void ExpectNotANumber(const std::u16string& text) {
    EXPECT_FALSE(TryParseNumberText(text).has_value());
    try {
        ParseNumberText(text);
        ADD_FAILURE() << "accepted";
    } catch (const Exception& e) {
        EXPECT_STREQ(e.ClassName(), "EConvertError");
        EXPECT_EQ(ToUtf8(e.Message()), "'" + ToUtf8(text) + "' は浮動小数点数ではありません");
        EXPECT_EQ(e.HelpContext(), 0);
    }
}

TEST_F(NumberTextFormat, WritesFifteenDigitsInFixedOrScientificLayout) {
    const std::vector<testing::DataRow> rows = testing::ReadDataRows("number_text_format.tsv");
    for (const testing::DataRow& row : rows) {
        SCOPED_TRACE(row.where);
        ASSERT_EQ(row.fields.size(), 2u);
        EXPECT_EQ(Format(std::strtod(row.fields[0].c_str(), nullptr)), row.fields[1]);
    }
    EXPECT_EQ(rows.size(), 37u);
    // A signalling NaN, which strtod does not give.
    EXPECT_EQ(Format(std::bit_cast<double>(0x7FF0000000000001ULL)), "NAN");
}

TEST_F(NumberTextFormat, AgreesWithTheExactDigitsAwayFromTheRoundingBoundary) {
    // Magnitudes 1e-3 .. 1e22 keep the scaling to one exactly representable power of ten.
    std::mt19937_64 rng(0x5eed1234);
    std::uniform_int_distribution<int> decade(-3, 21);
    std::uniform_real_distribution<double> mantissa(1.0, 10.0);
    int checked = 0;
    int failures = 0;
    for (int i = 0; i < 20000 && failures < 10; ++i) {
        const double x = (i % 2 == 0 ? 1 : -1) * mantissa(rng) * std::pow(10.0, decade(rng));
        const auto expected = ExactRuleText(x);
        if (!expected) continue;
        ++checked;
        if (const std::string actual = Format(x); actual != *expected) {
            ++failures;
            ADD_FAILURE() << Show(x) << " written " << actual << ", expected " << *expected;
        }
    }
    EXPECT_GT(checked, 15000);
}

TEST_F(NumberTextFormat, FollowsTheStepwiseRuleAtEveryRoundingBoundary) {
    // Just off the powers of ten, where the intermediate reaches 10^18 and is divided by ten,
    // at the 16th-digit boundaries, and anywhere.
    std::mt19937_64 rng(0x18d1617);
    std::vector<double> values;
    for (int e = -12; e <= 17; ++e) {
        double x = std::strtod(("1e" + std::to_string(e)).c_str(), nullptr);
        for (int step = 0; step < 64; ++step, x = std::nextafter(x, 0.0)) values.insert(values.end(), {x, -x});
    }
    std::uniform_int_distribution<int> decade(-13, 17);
    for (int i = 0; i < 200000; ++i) {
        const double boundary = (static_cast<double>(rng() % 900000000000000ULL + 100000000000000ULL) + 0.5) *
                                std::pow(10.0, decade(rng) - 14);
        values.insert(values.end(), {boundary, std::nextafter(boundary, 0.0), std::nextafter(boundary, 1e300)});
        values.push_back(std::uniform_real_distribution<double>(1.0, 10.0)(rng) * std::pow(10.0, decade(rng)));
    }
    for (const double x : values) {
        if (std::fabs(x) < 1e-13 || std::fabs(x) >= 1e18) continue;
        ASSERT_EQ(Format(x), testing::StepwiseRuleText(x)) << Show(x);
    }
}

// The rows of tests/data/number_text_parse.tsv the reader rejects, or those it accepts.
std::vector<testing::DataRow> ParseRows(bool rejected) {
    std::vector<testing::DataRow> rows = testing::ReadDataRows("number_text_parse.tsv");
    std::erase_if(rows, [rejected](const testing::DataRow& row) { return (row.fields.back() == "none") != rejected; });
    return rows;
}

TEST_F(NumberTextParse, AcceptsTheGrammarWithoutRequiringDigits) {
    const std::vector<testing::DataRow> rows = ParseRows(false);
    for (const testing::DataRow& row : rows) {
        SCOPED_TRACE(row.where);
        ASSERT_EQ(row.fields.size(), 2u);
        const double expected = std::strtod(row.fields[1].c_str(), nullptr);
        const double value = ParseNumberText(ToUtf16(row.fields[0]));
        EXPECT_EQ(value, expected);
        EXPECT_EQ(std::signbit(value), std::signbit(expected));
    }
    EXPECT_EQ(rows.size(), 23u);
    // Underflow too, in a text too long for a row.
    EXPECT_EQ(std::bit_cast<std::uint64_t>(ParseNumberText(u"0." + std::u16string(400, u'0') + u"1")), 0u);
}

TEST_F(NumberTextParse, RejectsEverythingElseNamingTheText) {
    const std::vector<testing::DataRow> rows = ParseRows(true);
    for (const testing::DataRow& row : rows) {
        SCOPED_TRACE(row.where);
        ExpectNotANumber(ToUtf16(row.fields[0]));
    }
    EXPECT_EQ(rows.size(), 25u);
    // The digits themselves overflow before the scaling could bring them back.
    ExpectNotANumber(u"1." + std::u16string(400, u'0'));
    ExpectNotANumber(u"1" + std::u16string(400, u'0') + u"e-1000");  // even where the scaling alone gives 0
}

TEST_F(NumberTextParse, FifteenDigitTextsReadAsStrtodAndWriteBackCanonically) {
    // Exact digits and one correctly rounded operation by an exact power of ten match strtod.
    std::mt19937_64 rng(20240611);
    std::uniform_int_distribution<long long> body(100000000000000, 999999999999999);
    std::uniform_int_distribution<int> dropped(0, 14);
    std::uniform_int_distribution<int> scale(-19, 8);
    for (int i = 0; i < 20000 && !HasFailure(); ++i) {
        long long digits = body(rng);
        for (int d = dropped(rng); d > 0; --d) digits = digits / 10 * 10;
        const int s = scale(rng);
        const bool negative = i % 3 == 0;
        const std::string text = (negative ? "-" : "") + std::to_string(digits) + "E" + std::to_string(s);
        SCOPED_TRACE(text);
        const double value = ParseNumberText(ToUtf16(text));
        EXPECT_EQ(value, std::strtod(text.c_str(), nullptr));
        const std::string canonical = Layout(negative, std::to_string(digits), s + 14);
        EXPECT_EQ(Format(value), canonical);
        EXPECT_EQ(ParseNumberText(ToUtf16(canonical)), value);
    }
}

TEST(NumberTextSeparator, CommaReplacesTheFullStopBothWays) {
    const SeparatorScope comma(u',');
    EXPECT_EQ(Format(2.5), "2,5");
    EXPECT_EQ(Format(-0.0001), "-0,0001");
    EXPECT_EQ(Format(1.5e-7), "1,5E-7");
    EXPECT_EQ(ParseNumberText(u"2,5"), 2.5);
    EXPECT_EQ(ParseNumberText(u" -1,5E3 "), -1500.0);
    ExpectNotANumber(u"2.5");
}

TEST_F(NumberTextScale, LimitsAndIdentity) {
    struct Case {
        double v;
        long long p;
        double expected;
    };
    const std::vector<Case> cases = {
        {1.0, 632, kInf},  {-1.0, 632, kInf},  {0.0, 700, kInf}, {1e300, -632, 0.0}, {-1.0, -700, 0.0}, {1.0, 22, 1e22},
        {1.0, -22, 1e-22}, {3.0, 5, 300000.0}, {-0.0, 0, -0.0},  {0.1, 0, 0.1},      {kInf, 0, kInf},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Show(c.v) + " * 10^" + std::to_string(c.p));
        const double scaled = ScaleByPowerOfTen(c.v, c.p);
        EXPECT_EQ(scaled, c.expected);
        EXPECT_EQ(std::signbit(scaled), std::signbit(c.expected));
    }
    EXPECT_TRUE(std::isnan(ScaleByPowerOfTen(kNaN, 0)));
}
}  // namespace
}  // namespace quorvex

namespace quorvex {
namespace {

TEST(NumberTextIntegers, AreWrittenAsTheirExactDigits) {
    // Against the decimal digits of the integer itself, on every magnitude below 10^15.
    std::mt19937_64 random(31);
    for (int i = 0; i < 20000; ++i) {
        const int digits = 1 + i % 15;
        std::uint64_t limit = 1;
        for (int d = 0; d < digits; ++d) limit *= 10;
        const auto integer = static_cast<std::int64_t>(random() % limit) * (i % 2 == 0 ? 1 : -1);
        SCOPED_TRACE(integer);
        const std::string expected = integer == 0 ? "0" : std::to_string(integer);
        EXPECT_EQ(ToUtf8(FormatNumberText(static_cast<double>(integer))), expected);
    }
    EXPECT_EQ(ToUtf8(FormatNumberText(999999999999999.0)), "999999999999999");
    EXPECT_EQ(ToUtf8(FormatNumberText(1e15)), "1E15");
    EXPECT_EQ(ToUtf8(FormatNumberText(-0.0)), "-0");
}

TEST(NumberTextReadBack, IsWhatTheWrittenTextReadsAs) {
    // Bit for bit, on random bit patterns (every exponent, subnormals, both signs), on values
    // next to a 15-digit rounding boundary, and on the edges of the range.
    std::vector<double> values = {0.0,
                                  -0.0,
                                  kInf,
                                  -kInf,
                                  kNaN,
                                  1e15,
                                  999999999999999.0,
                                  999999999999999.5,
                                  0.0001,
                                  0.00009999999999999995,
                                  std::numeric_limits<double>::max(),
                                  std::numeric_limits<double>::min(),
                                  std::numeric_limits<double>::denorm_min(),
                                  1.7976931348623e308,
                                  1.79769313486231e308,
                                  4.9406564584124654e-324};
    std::mt19937_64 random(2026);
    for (int i = 0; i < 200000; ++i) values.push_back(std::bit_cast<double>(random()));
    for (int i = 0; i < 100000; ++i) {
        // d.dddddddddddddd5 * 10^e and its neighbours.
        const double boundary = (static_cast<double>(random() % 900000000000000ULL + 100000000000000ULL) + 0.5) *
                                std::pow(10.0, static_cast<int>(random() % 600) - 320);
        values.push_back(boundary);
        values.push_back(std::nextafter(boundary, 0.0));
        values.push_back(std::nextafter(boundary, kInf));
    }
    for (int i = 0; i < 200000; ++i) {
        // The magnitudes of everyday results, and short decimals (trailing zeros in 15 digits).
        const double everyday = std::pow(10.0, std::uniform_real_distribution<double>(-9.0, 25.0)(random));
        values.push_back(i % 2 == 0 ? everyday : -everyday);
        values.push_back(static_cast<double>(random() % 100000) / std::pow(10.0, static_cast<int>(random() % 12)));
    }
    // U+066B, the Arabic separator, as a locale may give it.
    for (const char16_t separator : {u'.', u',', u'\u066B'}) {
        for (const double x : values) {
            const auto expected = TryParseNumberText(WriteNumberText(x, separator).View(), separator);
            double actual = 0.0;
            ASSERT_EQ(ReadBackNumberText(x, actual, separator), expected.has_value()) << Show(x);
            if (expected) {
                ASSERT_EQ(std::bit_cast<std::uint64_t>(actual), std::bit_cast<std::uint64_t>(*expected)) << Show(x);
            }
        }
    }
}

TEST(NumberTextShortDecimals, ReadAsTheGeneralGrammarReadsThem) {
    // A leading space sends a text down the general path; the value must not change.
    std::mt19937_64 random(7);
    for (const char16_t separator : {u'.', u','}) {
        for (int i = 0; i < 50000; ++i) {
            std::u16string text;
            const std::size_t length = 1 + random() % 16;
            const std::size_t point = random() % (length + 1);
            for (std::size_t k = 0; k < length; ++k)
                text += k == point ? separator : static_cast<char16_t>(u'0' + random() % 10);
            const auto fast = TryParseNumberText(text, separator);
            const auto general = TryParseNumberText(u" " + text, separator);
            ASSERT_EQ(fast.has_value(), general.has_value()) << ToUtf8(text);
            if (fast) {
                ASSERT_EQ(std::bit_cast<std::uint64_t>(*fast), std::bit_cast<std::uint64_t>(*general)) << ToUtf8(text);
            }
        }
    }
}

}  // namespace
}  // namespace quorvex
