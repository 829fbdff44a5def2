// Whole evaluations through the driver: values, NaN and every error the pipeline raises.
#include "pipeline/driver.hpp"

#include "core/number_text.hpp"
#include "support/error_matchers.hpp"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <string>

namespace quorvex {
namespace {

using testing::ExpectedError;
using testing::ExpectError;

constexpr std::uint64_t kNotReducedBits = 0xFFF8000000000000ULL;

// The expected value as the text whose parse the host receives.
struct ValueCase {
    std::u16string_view expression;
    std::u16string_view value;
};

TEST(Driver, EvaluatesToTheParseOfTheLastText) {
    const ValueCase cases[] = {
        {u"5173023.231774955", u"5173023.231774955"},  // a typed number is parsed as typed
        {u"(1)+2*---3", u"-5"},                        // one more minus folds in each round of the engine
        {u"2*e+1", u"0"},                              // "e+1" reads as 0
        {u"5", u"5"},
        {u" 1 0 0 ", u"100"},
        {u"2-3-4", u"-5"},
        {u"8/2/2", u"2"},
        {u"0^2", u"0"},
        {u"(-2)^-1", u"-0.5"},
        {u"-3^2", u"-9"},
        {u"2*-(3)", u"-6"},
        {u"-(-(-(2)))", u"-2"},
        {u"(1+2)-3^3", u"-24"},
        {u"1-(2)-(3)", u"-4"},
        {u"(2)(-3)", u"-1"},
        {u"((5))", u"5"},
        {u"1.5e-3*2", u"0.003"},
        {u"1.5E-3", u"0.0015"},
        {u"1e+5", u"100000"},
        {u"2e5", u"200000"},
        {u"-1e-3", u"-0.001"},
        {u"mne", u"1.67492716e-27"},
        {u"HE", u"4.35974381e-18"},
        {u"Mel", u"9.10938188e-31"},
        {u"u0", u"1.25663706143592e-6"},
        {u"2*deg0", u"546.3"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.expression.begin(), c.expression.end()));
        EXPECT_EQ(EvaluateExpression(c.expression), ParseNumberText(c.value));
    }
}

TEST(Driver, NegativeZeroSurvivesToTheHost) {
    const double value = EvaluateExpression(u"-0");
    EXPECT_EQ(value, 0.0);
    EXPECT_TRUE(std::signbit(value));
}

TEST(Driver, IrreducibleExpressionsGiveTheNegativeQuietNaN) {
    const std::u16string_view cases[] = {
        u")(",    u"2(3)",     u"(2)(3)",    u"+3",        u"5-",      u"1+",      u"max(5)",
        u"(1,2)", u"sin(1,2)", u"(1+2)-3^2", u"max(1,,2)", u"max(,1)", u"max(1,)", u"max(sin(1),2)",
    };
    for (const auto expression : cases) {
        SCOPED_TRACE(std::string(expression.begin(), expression.end()));
        EXPECT_EQ(std::bit_cast<std::uint64_t>(EvaluateExpression(expression)), kNotReducedBits);
    }
}

struct ErrorCase {
    std::u16string_view expression;
    ExpectedError error;
};

constexpr std::u16string_view kEmpty = u"計算する文字がありません\r\n（空白文字では？）";
constexpr std::u16string_view kUnbalanced = u"”（”と”）”の数が一致しません";
constexpr std::u16string_view kEmptyBrackets = u"\r\n数値が入力されていない（）があります";
constexpr std::u16string_view kJoin = u"eに数値を代入する際にエラーになりました";
constexpr std::u16string_view kLeadingE = u"eを含む文字列が、正しい数値になっていません";
constexpr std::u16string_view kOverflow = u"オーバーフローが発生しました";
constexpr std::u16string_view kDivision = u"分母が0になり、0での除算が発生しました";

TEST(Driver, RaisesTheErrorOfTheStageThatFails) {
    const ErrorCase cases[] = {
        {u"", {"EConvertError", 0, kEmpty}},
        {u"    ", {"EConvertError", 0, kEmpty}},
        {u"(1+2", {"EFunctionError", 0, kUnbalanced}},
        {u"((1)", {"EFunctionError", 0, kUnbalanced}},
        {u"abc", {"EConvertError", 0, u"'abc' は浮動小数点数ではありません"}},
        {u"sin", {"EConvertError", 0, u"'sin' は浮動小数点数ではありません"}},
        {u"1e400", {"EConvertError", 0, u"'1e400' は浮動小数点数ではありません"}},
        {u"mnu", {"EConvertError", 0, u"'mnu' は浮動小数点数ではありません"}},
        {u"1\u30002", {"EConvertError", 0, u"'1\u30002' は浮動小数点数ではありません"}},
        {u"()", {"EFunctionError", 0, kEmptyBrackets}},
        {u"2*()", {"EFunctionError", 0, kEmptyBrackets}},
        {u"1+sin", {"EFunctionError", 0, u"\r\n関数”sin\"の引数が数値以外の文字列になっています"}},
        {u"sincos0", {"EFunctionError", 0, u"\r\n関数”sin\"の引数が数値以外の文字列になっています"}},
        {u"1/0", {"EFunctionError", 0, kDivision}},
        {u"0^-1", {"EFunctionError", 0, kDivision}},
        {u"10^400", {"EFunctionError", 0, kOverflow}},
        {u"10^-400", {"EFunctionError", 0, kOverflow}},  // the power overflows before its reciprocal
        {u"1e300*1e300", {"EFunctionError", 0, kOverflow}},
        {u"0/0", {"EInvalidOp", 0, u"不正な浮動小数点数演算命令"}},
        {u"(-8)^(1/3)", {"EInvalidOp", 0, u"不正な浮動小数点数演算命令"}},
        {u"2^", {"EStringListError", 0, u"リストのインデックスが範囲を超えています (2)"}},
        {u"1+2^", {"EStringListError", 0, u"リストのインデックスが範囲を超えています (4)"}},
        {u"2*+3", {"EConvertError", 0, u"'+' は浮動小数点数ではありません"}},
        {u"2*---3", {"EConvertError", 0, u"'-' は浮動小数点数ではありません"}},
        {u"max(sin(-1),2)", {"EConvertError", 0, u"'sin' は浮動小数点数ではありません"}},
        {u"1+3e", {"EConvertError", 0, kJoin}},
        {u"1e-", {"EConvertError", 0, kJoin}},
        {u"2e(3)", {"EConvertError", 0, kJoin}},
        {u"e", {"EConvertError", 0, kLeadingE}},
        {u"e+1", {"EConvertError", 0, kLeadingE}},
        {u"E*2", {"EConvertError", 0, kLeadingE}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.expression.begin(), c.expression.end()));
        ExpectError([&] { EvaluateExpression(c.expression); }, c.error);
    }
}

TEST(Driver, NullAndNulTerminateTheExpression) {
    ExpectError([] { EvaluateExpression(static_cast<const char16_t*>(nullptr)); }, {"EConvertError", 0, kEmpty});
    EXPECT_EQ(EvaluateExpression(std::u16string_view(u"1+2\0+5", 6)), 3);
}

TEST(Driver, AFailedEvaluationLeavesNothingBehind) {
    ExpectError([] { EvaluateExpression(u"(1+2"); }, {"EFunctionError", 0, kUnbalanced});
    EXPECT_EQ(EvaluateExpression(u"(1+2)*3"), 9);
}

}  // namespace
}  // namespace quorvex
