// Whole evaluations through the driver: values, NaN and every error the pipeline raises.
#include "pipeline/driver.hpp"

#include "support/evaluation_rows.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <string_view>

namespace quorvex {
namespace {

using namespace std::literals;
using testing::ExpectError;

constexpr std::u16string_view kEmpty = u"計算する文字がありません\r\n（空白文字では？）";
constexpr std::u16string_view kUnbalanced = u"”（”と”）”の数が一致しません";

// Values as the parse of the last text, the NaN of an expression that does not reduce, and the
// error of the stage that fails.
TEST(Driver, EvaluationsOfTheDataFile) { EXPECT_EQ(testing::ExpectOutcomes("evaluations/driver.tsv"), 71); }

TEST(Driver, NegativeZeroSurvivesToTheHost) {
    const double value = EvaluateExpression(u"-0");
    EXPECT_EQ(value, 0.0);
    EXPECT_TRUE(std::signbit(value));
}

TEST(Driver, NullAndNulTerminateTheExpression) {
    ExpectError([] { EvaluateExpression(static_cast<const char16_t*>(nullptr)); }, {"EConvertError", 0, kEmpty});
    EXPECT_EQ(EvaluateExpression(std::u16string_view(u"1+2\0+5", 6)), 3);
}

// A text is tokenized in the scan that finds it is its own working text and short; a unit to
// rewrite, a NUL or a length past the short ones, wherever it comes, gives the same value.
TEST(Driver, RewrittenUnitsNulsAndLengthsAroundTheShortOnes) {
    for (const std::size_t size : {1, 2, 505, 506, 509, 510, 511, 512, 513, 1000}) {
        std::u16string sum(size % 2 == 0 ? u"0" : u"");  // "01+1+...+1" or "1+1+...+1", size units
        while (sum.size() < size) sum += sum.empty() || sum.back() == u'0' || sum.back() == u'+' ? u'1' : u'+';
        const auto ones = static_cast<double>((size + 1) / 2);
        SCOPED_TRACE(size);
        EXPECT_EQ(EvaluateExpression(sum.c_str()), ones);
        EXPECT_EQ(EvaluateExpression(std::u16string_view(sum)), ones);
        for (const std::u16string_view tail : {u" "sv, u"+ 1"sv, u"+[1]"sv, u"+1\0+9"sv, u"+1\0 "sv, u"+SQRT(1)"sv}) {
            const std::u16string text = sum + std::u16string(tail);
            const double expected = ones + (tail.size() > 1 ? 1 : 0);
            EXPECT_EQ(EvaluateExpression(std::u16string_view(text)), expected) << "tail " << tail.size();
            EXPECT_EQ(EvaluateExpression(text.c_str()), expected) << "tail " << tail.size();
            EXPECT_EQ(EvaluateExpression((u"{0}+" + text).c_str()), expected) << "tail " << tail.size();
        }
    }
}

TEST(Driver, AFailedEvaluationLeavesNothingBehind) {
    ExpectError([] { EvaluateExpression(u"(1+2"); }, {"EFunctionError", 0, kUnbalanced});
    EXPECT_EQ(EvaluateExpression(u"(1+2)*3"), 9);
}

}  // namespace
}  // namespace quorvex
