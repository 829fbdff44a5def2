// The single-argument evaluator: values, argument checks, translated faults, infinities and
// the integer functions, through whole evaluations.
#include "functions/unary_functions.hpp"

#include "support/evaluation_rows.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

namespace quorvex {
namespace {

using testing::ErrorRow;
using testing::ExpectErrors;
using testing::ExpectValues;

// Expected texts: the ordinary double functions rounded to 15 digits on the 16th (the docs'
// examples give each function once; these are the rest and the edges of the formulas).
TEST(UnaryFunctions, ElementaryValues) {
    ExpectValues({
        {u"exp(-800)", u"0"},
        {u"coth(0.5)", u"2.16395341373865"},
        {u"acsch(2)", u"0.481211825059603"},
        {u"acsch(-2)", u"-0.481211825059603"},
        {u"sinh(1e-13)", u"1E-13"},
        {u"cosh(-1e-13)", u"1"},
        {u"acot(-1e-13)", u"1.5707963267949"},  // pi/2 whatever the sign
        {u"asec(-2)", u"2.0943951023932"},
        {u"asech(1)", u"0"},
        {u"acosh(1)", u"0"},
        {u"coth(1e-13)", u"10000000000000"},
        {u"asinh(-1e7)", u"-16.8112428315183"},
        {u"tan(pi/2)", u"-286411383293069"},
        {u"sec(pi/2)", u"-286411383293069"},
        {u"sign(-0)", u"0"},
        {u"sign(2)", u"1"},
        {u"int(3.7)", u"3"},
        {u"int(-0.5)", u"0"},
        {u"frac(3.75)", u"0.75"},
        {u"frac(-2)", u"0"},
        {u"int(4503599627370497)", u"4.5035996273705E15"},
        {u"frac(4503599627370497)", u"0"},
        {u"frac(-0)", u"-0"},
    });
}

// Where the textbook formulas cancel (sinh near 0, asinh of large negatives, acosh, asec and
// asech near 1, fisher near -1, the erfc and normal tails, erfinv near 0 and -1): mpmath's exact
// values, within 1e-15 relative, a unit of the 15th digit shown.
TEST(UnaryFunctions, CancellingRegionsAgainstHighPrecision) {
    std::ifstream data(QUORVEX_TEST_DATA_DIR "/cancellation_references.tsv");
    ASSERT_TRUE(data) << "missing " QUORVEX_TEST_DATA_DIR "/cancellation_references.tsv";
    int rows = 0;
    for (std::string line; std::getline(data, line);) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream fields(line);
        std::string name, argument, reference;
        fields >> name >> argument >> reference;
        SCOPED_TRACE(line);
        double value = 0.0;
        ASSERT_EQ(EvaluateUnaryFunctionValue(std::u16string(name.begin(), name.end()),
                                             std::strtod(argument.c_str(), nullptr), value),
                  UnaryOutcome::kValue);
        const double exact = std::strtod(reference.c_str(), nullptr);
        EXPECT_LE(std::fabs(value - exact), 1e-15 * std::fabs(exact));
        ++rows;
    }
    EXPECT_EQ(rows, 79);
}

TEST(UnaryFunctions, ArgumentChecksComeFirst) {
    ExpectErrors({
        {u"ln(0)",
         {"EFunctionError", 10004,
          u"ln関数に0以下の数が入力されました\r\n\r\n（ln関数の引数は正数でなくてはなりません）"}},
        {u"log(-1)",
         {"EFunctionError", 10004,
          u"log関数に0以下の数が入力されました\r\n\r\n（log関数の引数は正数でなくてはなりません）"}},
        {u"sqrt(-1)", {"EFunctionError", 10004, u"sqrt関数に負数が入力されました\r\n\r\n（虚数になってしまいます）"}},
        {u"cot(0)",
         {"EFunctionError", 10005,
          u"　　cot関数にπ*nが入力されました\r\n\r\n（cot=cos/sinであるため、sin(π*n)は0の除算です）"}},
        {u"csc(-0)",
         {"EFunctionError", 10005,
          u"　　csc関数にπ*nが入力されました\r\n\r\n（csc=1/sinであるため、sin(π*n)は0の除算です）"}},
        {u"coth(0)",
         {"EFunctionError", 10005,
          u"　　coth関数に0が入力されました\r\n\r\n（coth={exp(x)+exp(-x)}/{exp(x)-exp(-x)}であるため、0の除算です）"}},
        {u"csch(0)",
         {"EFunctionError", 10005,
          u"　　csch関数に0が入力されました\r\n\r\n（ccsh=1/{exp(x)-exp(-x)}であるため、0の除算です）"}},
        {u"asin(1.5)",
         {"EFunctionError", 10005,
          u"　asin関数に1より大きい数が入力されました\r\n\r\n（asin関数の引数は1以下でなくてはなりません）"}},
        {u"asin(-1.5)",
         {"EFunctionError", 10005,
          u"　asin関数に1より大きい数が入力されました\r\n\r\n（asin関数の引数は1以下でなくてはなりません）"}},
        {u"acos(-1.5)",
         {"EFunctionError", 10005,
          u"　acos関数に1より大きい数が入力されました\r\n\r\n（acos関数の引数は1以下でなくてはなりません）"}},
        {u"asec(0.5)",
         {"EFunctionError", 10005,
          u"　asec関数に1より小さい数が入力されました\r\n\r\n（asec関数の引数は1以上でなくてはなりません）"}},
        {u"acsc(-0.5)",
         {"EFunctionError", 10005,
          u"　acsc関数に1より小さい数が入力されました\r\n\r\n（acsc関数の引数は1以上でなくてはなりません）"}},
        {u"acosh(0.5)",
         {"EFunctionError", 10005,
          u"　acosh関数に1より小さい数が入力されました\r\n\r\n（acosh関数の引数は1以上でなくてはなりません）"}},
        {u"asech(0)",
         {"EFunctionError", 10005,
          u"　asech関数に0以下、又は1より大きい数が入力されました\r\n\r\n（asech関数の引数は0より大きく1以下でなくては"
          u"なりません）"}},
        {u"asech(1.5)",
         {"EFunctionError", 10005,
          u"　asech関数に0以下、又は1より大きい数が入力されました\r\n\r\n（asech関数の引数は0より大きく1以下でなくては"
          u"なりません）"}},
        {u"acoth(0.5)",
         {"EFunctionError", 10005,
          u"　acoth関数に1より小さい数が入力されました\r\n\r\n（acoth関数の引数は1以上でなくてはなりません）"}},
        {u"acsch(0)",
         {"EFunctionError", 10005,
          u"　　　acsch関数に0が入力されました\r\n\r\n（acsch関数の引数は0以外でなくてはなりません）"}},
        {u"atanh(1.5)",
         {"EFunctionError", 10005,
          u"　atanh関数に1より大きい数が入力されました\r\n\r\n（atanh関数の引数は1以下でなくてはなりません）"}},
        {u"tan(x)", {"EFunctionError", 0, u"\r\n関数”tan\"の引数が数値以外の文字列になっています"}},
    });
}

constexpr std::u16string_view kRemark =
    u"\r\n\r\n関数の制約に関しては、ヘルプの「数式と関数の制約」の下にある\r\n対応する関数の「特徴と制約」をご覧下さい";

TEST(UnaryFunctions, FaultsAreReportedForTheFunction) {
    const std::u16string zeroDivide = std::u16string(u"関数で0での除算が発生しました") + std::u16string(kRemark);
    const std::u16string invalid = std::u16string(u"関数で不正な演算が発生しました") + std::u16string(kRemark);
    ExpectErrors({
        {u"exp(710)", {"EFunctionError", 0, u"exp関数でオーバーフローが発生しました"}},
        {u"sech(800)", {"EFunctionError", 0, u"sech関数でオーバーフローが発生しました"}},
        {u"sinh(-800)", {"EFunctionError", 0, u"sinh関数でオーバーフローが発生しました"}},
        {u"sqr(1e200)", {"EFunctionError", 0, u"sqr関数でオーバーフローが発生しました"}},
        {u"asinh(1e200)", {"EFunctionError", 0, u"asinh関数でオーバーフローが発生しました"}},  // x x first
        {u"acosh(-1)", {"EFunctionError", 0, u"acosh" + zeroDivide}},
        {u"acosh(-2)", {"EFunctionError", 0, u"acosh" + invalid}},
        {u"asinh(-1e9)", {"EFunctionError", 0, u"asinh" + zeroDivide}},
        {u"asinh(-1e8)", {"EFunctionError", 0, u"asinh" + zeroDivide}},
        {u"csch(1e-13)", {"EFunctionError", 0, u"csch" + zeroDivide}},
        // The faults of the formulas that the accurate values replace stay where they were.
        {u"sinh(709.9)", {"EFunctionError", 0, u"sinh関数でオーバーフローが発生しました"}},  // e^x overflows first
        {u"csch(-1e-12)", {"EFunctionError", 0, u"csch" + zeroDivide}},
        {u"csch(710)", {"EFunctionError", 0, u"csch関数でオーバーフローが発生しました"}},
        {u"asinh(1e155)", {"EFunctionError", 0, u"asinh関数でオーバーフローが発生しました"}},
        {u"asinh(-6.8e7)", {"EFunctionError", 0, u"asinh" + zeroDivide}},
        {u"acosh(-1.5)", {"EFunctionError", 0, u"acosh" + invalid}},
        {u"acosh(1e308)", {"EFunctionError", 0, u"acosh関数でオーバーフローが発生しました"}},
        {u"acsch(-1.8e-8)", {"EFunctionError", 0, u"acsch" + zeroDivide}},
        {u"acsch(1e155)", {"EFunctionError", 0, u"acsch関数でオーバーフローが発生しました"}},
    });
}

TEST(UnaryFunctions, InfinitiesAreWrittenAndThenRefused) {
    const std::vector<std::pair<std::u16string_view, std::u16string_view>> rows = {
        {u"atanh", u"1"},     {u"acoth", u"1"},     {u"atanh", u"-1"},     {u"acoth", u"-1"},
        {u"asech", u"1e-13"}, {u"acsch", u"1e-13"}, {u"acsch", u"-1e-13"}, {u"atanh", u"0.9999999999999"},
    };
    const std::u16string_view texts[] = {u"INF", u"INF", u"-INF", u"-INF", u"INF", u"INF", u"INF", u"INF"};
    for (std::size_t i = 0; i < rows.size(); ++i) {
        SCOPED_TRACE(ToUtf8(rows[i].first));
        EXPECT_EQ(EvaluateUnaryFunction(rows[i].first, rows[i].second), texts[i]);
    }
    ExpectErrors({
        {u"atanh(1)", {"EConvertError", 0, u"'INF' は浮動小数点数ではありません"}},
        {u"atanh(-1)", {"EConvertError", 0, u"'-INF' は浮動小数点数ではありません"}},
        {u"acoth(1)+1", {"EConvertError", 0, u"'INF' は浮動小数点数ではありません"}},
        {u"1-atanh(-1)", {"EConvertError", 0, u"'-INF' は浮動小数点数ではありません"}},
    });
}

TEST(UnaryFunctions, IntegerFunctions) {
    ExpectValues({
        {u"not(-1)", u"0"},
        {u"not(0)", u"-1"},
        {u"notn(-5)", u"2"},
        {u"notn(8)", u"-7"},
        {u"notn(1)", u"0"},
        {u"notn(7)", u"0"},
        {u"notn(256)", u"-255"},
        {u"notn(0)", u"1"},
        {u"notn(-2147483648)", u"2147483647"},
        {u"not(6/2)", u"-4"},  // a computed argument arrives as integer text
    });
    ExpectErrors({
        {u"not(2.5)", {"EFunctionError", 10007, u"not32関数に整数ではない数が入力されました"}},
        {u"not(2147483648)", {"EFunctionError", 10007, u"not32関数に整数ではない数が入力されました"}},
        {u"not(5.0)", {"EFunctionError", 10007, u"not32関数に整数ではない数が入力されました"}},
        {u"notn(2.5)", {"EFunctionError", 10007, u"not関数に整数ではない数が入力されました"}},
        {u"notn(1e3)", {"EFunctionError", 10007, u"not関数に整数ではない数が入力されました"}},
    });
}

TEST(UnaryFunctions, NamesItDoesNotServeAnswerFalseWithoutReadingTheArgument) {
    for (const std::u16string_view name : {u"max", u"pi", u"Sin", u"", u"sin(", u"beta"}) {
        SCOPED_TRACE(ToUtf8(name));
        EXPECT_EQ(EvaluateUnaryFunction(name, u"not a number"), u"False");
    }
}

}  // namespace
}  // namespace quorvex
