// Multi-argument calls: argument lists, aggregates, combin, the integer functions and Weibull.
#include "functions/multi_arg_dispatch.hpp"

#include "pipeline/registries.hpp"
#include "support/evaluation_rows.hpp"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <string_view>

namespace quorvex {
namespace {

using testing::ExpectErrors;
using testing::ExpectValues;

TEST(MultiArgCall, ArgumentListsReduceEachArgument) {
    ExpectValues({
        {u"max(,1)", u"NAN"},
        {u"max(1,)", u"NAN"},
        {u"mod(7,3)+1", u"2"},
        {u"max(--3,1)", u"3"},
        {u"max(1,--3)", u"3"},
        {u"max(1,(2)(3))", u"NAN"},
        {u"max(1,2-)", u"NAN"},
        {u"2*max(-1,-2)^2", u"2"},
    });
    ExpectErrors({
        {u"max(sin(-1),2)", {"EConvertError", 0, u"'sin' は浮動小数点数ではありません"}},
        {u"max(1,2^)", {"EStringListError", 0, u"リストのインデックスが範囲を超えています (2)"}},
    });
}

TEST(MultiArgCall, EveryRegistryNameIsDispatched) {
    // Served names check their own arguments; an empty list makes each of them complain.
    for (const auto name : kMultiArgFunctionRegistry) {
        SCOPED_TRACE(ToUtf8(name));
        try {
            EXPECT_EQ(DispatchMultiArgFunction(name, {}).View(), u"False");  // not served yet
        } catch (const EFunctionError& e) {
            EXPECT_NE(e.HelpContext(), 0);
        }
    }
    EXPECT_EQ(DispatchMultiArgFunction(u"sin", {u"1", u"2"}).View(), u"False");
}

TEST(Aggregates, ValuesAndErrors) {
    ExpectValues({
        {u"min(-0,0)", u"0"},
        {u"max(1/3,0.333333333333333)", u"0.333333333333333"},
        {u"average(1,2)", u"1.5"},
        {u"sum(0.1,0.2,-0.3)", u"5.55111512312578E-17"},  // one rounding, at the end
        {u"max(1e-400,-0)", u"-0"},                       // not strictly greater: the argument wins
        {u"combin(5,0)", u"1"},
        {u"combin(0,0)", u"1"},
        {u"combin(5,5)", u"1"},
        {u"combin(7,6)", u"7"},
        {u"combin(52,5)", u"2598960"},
        {u"combin(6/2,1)", u"3"},
        {u"combin(5)", u"NAN"},
        // The shorter product, exact below 2^53 and never overflowing on the way to a finite value.
        {u"combin(881461,2)", u"388486306530"},
        {u"combin(1000002,1000000)", u"500001500001"},
        {u"combin(2147483647,3)", u"1.65058671443549E27"},
    });
    ExpectErrors({
        {u"combin(2,5)",
         {"EFunctionError", 10006,
          u"Combin関数の引数で、抜き取り数は総数より小さくなくてはなりません\r\n　　　　　　Combin(総数,抜き取り数)"}},
        {u"combin(-1,0)", {"EFunctionError", 10006, u"Combin関数の引数は自然数でなくてはなりません"}},
        {u"combin(2+3)", {"EFunctionError", 10006, u"Combin関数の引数は２つにして下さい\r\nCombin(総数,抜き取り数)"}},
        {u"combin(5,2.5)", {"EFunctionError", 10006, u"Combin関数に整数ではない数が入力されました"}},
        {u"combin(5.0,2)", {"EFunctionError", 10006, u"Combin関数に整数ではない数が入力されました"}},
        {u"combin(1100,550)", {"EOverflow", 0, u"浮動小数点数のオーバーフロー"}},
        {u"combin(1030,515)", {"EOverflow", 0, u"浮動小数点数のオーバーフロー"}},
        {u"combin(2147483647,1073741823)", {"EOverflow", 0, u"浮動小数点数のオーバーフロー"}},
        {u"sum(1e308,1e308)", {"EOverflow", 0, u"浮動小数点数のオーバーフロー"}},
        {u"average(1e308,1e308)", {"EOverflow", 0, u"浮動小数点数のオーバーフロー"}},
        {u"max(1,sin)", {"EConvertError", 0, u"'sin' は浮動小数点数ではありません"}},
    });
    // The engine never passes an empty list; the handlers still refuse one.
    for (const auto& [name, message] : {std::pair{u"max", u"Max関数へ入力される数値がありません"},
                                        std::pair{u"min", u"Min関数へ入力される数値がありません"},
                                        std::pair{u"sum", u"Sum関数へ入力される数値がありません"},
                                        std::pair{u"average", u"Average関数へ入力される数値がありません"}}) {
        testing::ExpectError([name = name] { DispatchMultiArgFunction(name, {}); }, {"EFunctionError", 10006, message});
    }
}

TEST(Aggregates, LongArgumentsAreReadWhole) {
    ExpectValues({
        {u"max(1000000000000000000000000000,1)", u"1E27"},
        {u"min(0.000000000000000000000000000001,1)", u"1E-30"},
        {u"max(1.0000000000000000000000e5,1)", u"100000"},
        {u"min(-1.0000000000000000000000e5,1)", u"-100000"},
        {u"sum(1000000000000000000000000000,1)", u"1E27"},
        {u"average(1.0000000000000000000000e5,0)", u"50000"},
        {u"combin(000000000000000000000000000005,2)", u"10"},
        {u"and(0000000000000000000000000000012,10)", u"8"},
        {u"weibull(1.0000000000000000000000000000,1,1,1)", u"0.632120558828558"},
        {u"beta(1.0000000000000000000000000000,2)", u"0.5"},
        {u"not 000000000000000000000000000001", u"-2"},
    });
    // A single argument is answered as it came.
    const std::u16string_view whole = u"1.0000000000000000000000e5";
    EXPECT_EQ(DispatchMultiArgFunction(u"max", {std::pmr::u16string(whole)}).View(), whole);
}

TEST(IntegerFunctions, ValuesAndErrors) {
    ExpectValues({
        {u"mod(7,3)", u"1"},
        {u"mod(7,-3)", u"1"},
        {u"div(7,2)", u"3"},
        {u"shl(1,32)", u"1"},
        {u"shl(1,-1)", u"-2147483648"},
        {u"shr(-1,0)", u"-1"},
        {u"andn(12,-10)", u"8"},
        {u"xorn(-12,-10)", u"6"},
        {u"andn(0,0)", u"0"},
        {u"orn(0,0)", u"0"},
        {u"xorn(0,0)", u"0"},
        {u"andn(-2147483648,-1)", u"0"},
        {u"xorn(-2147483648,0)", u"-2147483648"},
        {u"and($FF,x0F)", u"15"},  // a single-token argument reaches the handler as typed
    });
    ExpectErrors({
        {u"div(7,0)", {"EFunctionError", 10007, u"div関数に整数ではない数が入力されました"}},
        {u"mod(7,0)", {"EFunctionError", 10006, u"mod関数に整数ではない数が入力されました"}},
        {u"div(-2147483648,-1)", {"EFunctionError", 10007, u"div関数に整数ではない数が入力されました"}},
        {u"mod(-2147483648,-1)", {"EFunctionError", 10006, u"mod関数に整数ではない数が入力されました"}},
        {u"and(2147483648,1)", {"EFunctionError", 10007, u"and関数に整数ではない数が入力されました"}},
        {u"and(1,2,3)", {"EFunctionError", 10007, u"and関数の引数は２つにして下さい"}},
        {u"andn(1+1)", {"EFunctionError", 10007, u"and関数の引数は２つにして下さい"}},
        {u"orn(-2147483648,1)", {"EFunctionError", 10007, u"or関数に整数ではない数が入力されました"}},
        {u"xorn(-2147483648,-1)", {"EFunctionError", 10007, u"xor関数に整数ではない数が入力されました"}},
        {u"shl(1.5,1)", {"EFunctionError", 10007, u"shl関数に整数ではない数が入力されました"}},
        {u"shr(1,2,3)", {"EFunctionError", 10007, u"shr関数の引数は２つにして下さい"}},
        {u"mod(1+0)", {"EFunctionError", 10006, u"mod関数の引数は２つにして下さい"}},
        {u"xor(1,1e10)", {"EFunctionError", 10007, u"xor関数に整数ではない数が入力されました"}},
    });
}

// Every integer argument at the edges of 32 bits: a value or a clear error, and soon.
TEST(MultiArgCall, ExtremeIntegerArguments) {
    struct Row {
        std::u16string_view pattern;               // %d stands for the integer
        std::array<std::string_view, 4> outcomes;  // at 2147483647, -2147483648, 0, -1: a value or an error class
    };
    const Row rows[] = {
        {u"pgamma(%d,0.5)", {"EOverflow", "EFunctionError", "EFunctionError", "EFunctionError"}},
        {u"pgamma(%d,-0.5)", {"EOverflow", "EFunctionError", "EFunctionError", "EFunctionError"}},
        {u"expn(%d,0.5)", {"2.82437847990678E-10", "EFunctionError", "1.21306131942527", "EFunctionError"}},
        {u"tdist(0.5,%d,1)", {"0.691462461248397", "EFunctionError", "EFunctionError", "EFunctionError"}},
        {u"tdist(0.5,3,%d)", {"0.313180911008829", "0.313180911008829", "0.313180911008829", "0.313180911008829"}},
        {u"fdist(0.5,%d,3,1)", {"0.111610225434544", "EFunctionError", "EFunctionError", "EFunctionError"}},
        {u"fdist(0.5,3,%d,2)", {"0.682270330376515", "EFunctionError", "EFunctionError", "EFunctionError"}},
        {u"ndist(0.5,0,1,%d)", {"0.352065326764299", "0.352065326764299", "0.691462461274013", "0.352065326764299"}},
        {u"combin(%d,2)", {"2.30584300599247E18", "EFunctionError", "EFunctionError", "EFunctionError"}},
        {u"combin(2147483647,%d)", {"1", "EFunctionError", "1", "EFunctionError"}},
        {u"shl(1,%d)", {"-2147483648", "1", "1", "-2147483648"}},
        {u"shr(-1,%d)", {"1", "-1", "-1", "1"}},
        {u"xorn(%d,1)", {"2147483646", "EFunctionError", "1", "0"}},
        {u"div(%d,-1)", {"-2147483647", "EFunctionError", "0", "1"}},
        {u"mod(%d,-1)", {"0", "EFunctionError", "0", "0"}},
        {u"notn(%d)", {"0", "2147483647", "1", "0"}},
        {u"besselj(2,%d)", {"0", "0", "0.223890779141236", "-0.576724807756873"}},
        {u"bessely(%d,2)", {"4.39263410154653E-7", "EFunctionError", "EFunctionError", "EFunctionError"}},
        {u"polylog(%d,0.5)", {"0.5", "EOverflow", "1", "2"}},
        {u"zeta(%d)", {"1", "0", "-0.5", "-0.0833333333333333"}},
        {u"(-1)^%d", {"-1", "EInvalidOp", "1", "-1"}},
        {u"weibull(1,1,1,%d)", {"EFunctionError", "EFunctionError", "0.367879441171442", "EFunctionError"}},
    };
    constexpr std::array<std::u16string_view, 4> kIntegers = {u"2147483647", u"-2147483648", u"0", u"-1"};
    for (const Row& row : rows) {
        for (std::size_t i = 0; i < kIntegers.size(); ++i) {
            const std::u16string expression = FillPlaceholder(row.pattern, kIntegers[i]);
            SCOPED_TRACE(ToUtf8(expression));
            std::string outcome;
            try {
                outcome = ToUtf8(FormatNumberText(EvaluateExpression(expression)));
            } catch (const Exception& e) {
                outcome = e.ClassName();
            }
            EXPECT_EQ(outcome, row.outcomes[i]);
        }
    }
}

TEST(Weibull, ModesAndTheOrderOfChecks) {
    ExpectValues({
        {u"weibull(0,2,1,0)", u"0"},
        {u"weibull(0,1,1,0)", u"1"},
        {u"weibull3(2,2,1,3,0)", u"-0.735758882342885"},
        {u"weibull(2,3,1.5,1-1)", u"0.332252836258223"},  // computed mode arrives as "0"
        // 1 - e^-t for a tiny t, as -expm1(-t) (mpmath: 9.98003992015968e-51, 1.11111111111111e-41).
        {u"weibull(1e-50,1,1.002,1)", u"9.98003992015968E-51"},
        {u"weibull(1e-20,2,3,1)", u"1.11111111111111E-41"},
        {u"weibull(0.001,1.5,2,1)", u"1.11802773877319E-5"},
        {u"weibull3(2.0000001,1,1,2,1)", u"9.99999948363423E-8"},
        // t = (d / beta)^alpha past its quotient's overflow, and a large t whose e^-t needs t exactly (mpmath).
        {u"weibull(1e300,2,1e-300,1)", u"1"},
        {u"weibull(1e300,2,1e-300,0)", u"0"},
        {u"weibull3(3.4312171429454,3.40388817564481,0.137516766892473,2.65293521544244,0)", u"4.49478131950927E-156"},
    });
    const char* const kClass = "EFunctionError";
    ExpectErrors({
        {u"weibull(-1,1,1,0)", {kClass, 10006, u"Weibull関数の第１引数は0以上でなくてはなりません"}},
        {u"weibull(1,0,1,0)", {kClass, 10006, u"Weibull関数の第２引数（形状母数）は0より大きくなくてはなりません"}},
        {u"weibull(1,1,0,0)", {kClass, 10006, u"Weibull関数の第３引数（尺度母数）は0より大きくなくてはなりません"}},
        {u"weibull(1,1,1,2)", {kClass, 10006, u"Weibull関数のモードには0または1を入力してください"}},
        {u"weibull(1,1,1,1.0)", {kClass, 10006, u"Weibull関数のモードには0または1を入力してください"}},
        {u"weibull(-1,0,0,7)", {kClass, 10006, u"Weibull関数の第１引数は0以上でなくてはなりません"}},
        {u"weibull(1,1,1)", {kClass, 10006, u"Weibull関数の引数が足りません\r\nWeibull(x,α,β,[0 or 1])"}},
        {u"weibull(1,1,1,0,0)", {kClass, 10006, u"Weibull関数の引数が足りません\r\nWeibull(x,α,β,[0 or 1])"}},
        {u"weibull3(1,1,1,0,2)", {kClass, 10006, u"Weibull3関数のモードには0または1を入力してください"}},
        {u"weibull3(-1,1,1,0,5)", {kClass, 10006, u"Weibull3関数のモードには0または1を入力してください"}},
        {u"weibull3(-1,1,1,0,1)", {kClass, 10006, u"Weibull3関数の第１引数は0より大きくなくてはなりません"}},
        {u"weibull3(1,1,1,0)", {kClass, 10006, u"Weibull3関数の引数が足りません\r\nWeibull3(x,α,β,γ,[0 or 1])"}},
        // Faults of the arithmetic pass untranslated.
        {u"weibull(0,0.5,1,0)", {"EZeroDivide", 0, u"0 による浮動小数点数除算"}},
        {u"weibull3(1,0.5,1,2,0)", {"EInvalidOp", 0, u"不正な浮動小数点数演算命令"}},
        {u"weibull3(1,1,0,0,1)", {"EZeroDivide", 0, u"0 による浮動小数点数除算"}},
    });
}

TEST(Tolerances, FormerTimeBombsEndAtOnce) {
    // Short calls that ran for seconds (the cubic binomial sums of zeta and polylog to their cap
    // of 1000, a quadratic quadrature, a product over a million factors). The outcome is the
    // contract; that each returns within a millisecond is what the rule behind it ensures (a
    // tolerance <= 0 raises at once, one out of reach once the terms stop changing the sum).
    const char* const kConverge = "EConvergeError";
    const std::u16string_view zeta = u"リーマンゼータ関数zetaは収束しませんでした";
    const std::u16string_view polylog = u"多重対数関数polylogは収束しませんでした";
    ExpectErrors({
        {u"zeta(2,1e-30)", {kConverge, 10010, zeta}},
        {u"deta(2,1e-300)", {kConverge, 10010, zeta}},
        {u"hzeta(0.5,1,1e-30)", {kConverge, 10010, zeta}},
        {u"zeta(2,0)", {kConverge, 10010, zeta}},
        {u"polylog(1,0,0)", {kConverge, 10010, polylog}},
        {u"polylog(1,0.25,-1)", {kConverge, 10010, polylog}},
        {u"sum(zeta(2,1e-24),zeta(2,1e-24),zeta(2,1e-24),zeta(2,1e-24),zeta(2,1e-24),zeta(2,1e-24),"
         u"zeta(2,1e-24),zeta(2,1e-24),zeta(2,1e-24),zeta(2,1e-24),zeta(2,1e-24),zeta(2,1e-24),zeta(2,1e-24))",
         {kConverge, 10010, zeta}},
        {u"fsi(10,0)", {kConverge, 10010, u"フレネル正弦積分fsiは収束しませんでした"}},
        {u"ci(10,-1)", {kConverge, 10010, u"余弦積分ciは収束しませんでした"}},
    });
    ExpectValues({
        {u"polylog(2,-0.99,1e-30)", u"-0.81552588147734"},
        {u"bsi(1,1e-300)", u"0.946083070367183"},
        {u"combin(1000002,2)", u"500001500001"},
        {u"zeta(646)", u"1"},
        {u"deta(700)", u"1"},
        {u"hzeta(700,1)", u"1"},
    });
}

}  // namespace
}  // namespace quorvex
