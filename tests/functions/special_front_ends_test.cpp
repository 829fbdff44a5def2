// The special-function and distribution front-ends: counts, conversions, their messages, and
// whole expressions across the language against independent values.
#include "functions/multi_arg_dispatch.hpp"
#include "functions/special_front_ends.hpp"
#include "functions/unary_functions.hpp"

#include "pipeline/registries.hpp"
#include "support/evaluation_rows.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace quorvex {
namespace {

using testing::ExpectErrors;
using testing::ExpectValues;

const char* const kCount = "EFunctionError";
const char* const kNonNumeric = "EConvertError";

TEST(SpecialFrontEnds, FormsCountsAndConversions) {
    ExpectValues({
        {u"sgamma(1,0.25,1e-15)", u"0.221199216928595"},
        {u"polylog(2.5,0.5)", u"0.554997278717512"},
        {u"expn(0,2)", u"0.0676676416183064"},
        {u"expn(3,0)", u"0.5"},
        {u"ndist(0,0,1)", u"0.5"},
        {u"ndist(0,0,1,7)", u"0.398942280401433"},
        {u"tdist(1,1,2)", u"0.25"},
        {u"fdist(-1,3,4,1)", u"0"},
        {u"fdist(0,3,4,0)", u"0"},
        {u"expn(2.5)", u"NAN"},  // one number in brackets is no call
    });
    ExpectErrors({
        {u"sgamma(1)+sgamma(1+0)",
         {kCount, 10008,
          u"第1種不完全ガンマ関数sgammaの引数の数が合っていません\r\n\r\nsgamma(a,x) または "
          u"sgamma(a,x,収束判定値)です"}},
        {u"sgamma(1,2,3,4)",
         {kCount, 10008,
          u"第1種不完全ガンマ関数sgammaの引数の数が合っていません\r\n\r\nsgamma(a,x) または "
          u"sgamma(a,x,収束判定値)です"}},
        {u"beta(1,2,3)", {kCount, 10008, u"ベータ関数betaの引数の数が合っていません\r\n\r\nbeta(a,x)です"}},
        {u"sgamma(1,2,(atanh(1)))",
         {kNonNumeric, 10001, u"第1種不完全ガンマ関数sgammaの引数に数値ではない文字があります"}},
        {u"sgamma(1,2,x,4)",
         {kCount, 10008,  // the count comes before any conversion
          u"第1種不完全ガンマ関数sgammaの引数の数が合っていません\r\n\r\nsgamma(a,x) または "
          u"sgamma(a,x,収束判定値)です"}},
        {u"expn(-1,2)", {kCount, 10008, u"一般化指数積分expnの最初の引数に負の整数が入っています"}},
        {u"expn(2.5,1)", {kCount, 10008, u"一般化指数積分expnの最初の引数に数値ではない文字があります"}},
        {u"expn(2.5+0)", {kCount, 10008, u"一般化指数積分expnの最初の引数に数値ではない文字があります"}},
        {u"pgamma(0,2)", {kCount, 10008, u"ポリガンマ関数pgammaの最初の引数に自然数以外の数値が入っています"}},
        {u"pgamma(1.5,2)", {kCount, 10008, u"ポリガンマ関数pgammaの最初の引数に自然数以外の数値が入っています"}},
        {u"expi(0,1e-10)", {kCount, 10008, u"指数積分expiが発散しました（0が代入されました）"}},
        {u"ndist(1,0,0)", {"EZeroDivide", 10001, u"正規分布ndistの3番目の引数(標準偏差)に0が入力されています"}},
        {u"ndist(0,0,0)", {"EInvalidOp", 0, u"不正な浮動小数点数演算命令"}},
        {u"ndist(1,0,1,0.5)", {kNonNumeric, 10001, u"正規分布ndistの引数に数値ではない文字があります"}},
        {u"nsdist(1+1)",
         {kCount, 10008,
          u"標準正規分布の引数の数が合っていません\r\n\r\nnsdist(x,0か1) または ndist(x)です\r\n\r\n"
          u"4番目の引数に0を入れると累積確率、1を入れると確率密度となります"}},
        {u"tdist(1,2)",
         {kCount, 10008,
          u"t分布の累積関数の引数の数が合っていません\r\n\r\ntdist(x,自然数,形式) "
          u"です。形式は次の整数で、確率密度関数:0、下側累積分布関数:1、上側累積分布関数:2です。"}},
        {u"tdist(1.5,2.5,1)",
         {kNonNumeric, 10001,
          u"t分布tdistの引数に数値ではない文字があります\r\n\r\ntdist(x,自然数,形式) で、xは実数です\r\n\r\n"
          u"形式も次の整数で、確率密度関数:0、下側累積分布関数:1、上側累積分布関数:2です。"}},
        {u"fdist(1,2,3)",
         {kCount, 10008,
          u"F分布の累積関数の引数の数が合っていません\r\n\r\nfdist(x,自然数,自然数,形式)"
          u"です。形式は次の整数で、確率密度関数:0、下側累積分布関数:1、上側累積分布関数:2です。"}},
        {u"fdist(x,2,3,1)",
         {kNonNumeric, 10001,
          u"F分布fdistの引数に数値ではない文字があります\r\n\r\nfdist(x,自然数,自然,形式) で、xは実数です。\r\n\r\n"
          u"形式も次の整数で、確率密度関数:0、下側累積分布関数:1、上側累積分布関数:2です。"}},
        {u"fsi(1,2,3)",
         {kCount, 10008, u"フレネル正弦積分shiの引数の数が合っていません\r\n\r\nfsi(x) または fsi(x,収束判定値)です"}},
        {u"besselj(1,x)", {kNonNumeric, 10001, u"第1種ベッセル関数besseljの引数に数値ではない文字があります"}},
        {u"zeta(1+0)", {kCount, 10008, u"リーマンゼータ関数zetaが発散しました（引数に1が入りました）"}},
    });
    // The handlers see an argument list as the engine hands it over.
    testing::ExpectError([] { DispatchMultiArgFunction(u"expn", {u"2.5"}); },
                         {kCount, 10008, u"一般化指数積分expnの最初の引数に数値ではない文字があります"});
}

TEST(SpecialFrontEnds, SingleArgumentSpecialFunctions) {
    ExpectValues({
        {u"gamma(5)", u"24"},
        {u"erf(0)", u"0"},
        {u"nsdist(0)", u"0.5"},
        {u"erfcinv(0.1)", u"1.16308715367667"},
    });
    ExpectErrors({
        {u"fact(2.5)", {"EFunctionError", 10004, u"fact関数に非自然数が入力されました"}},
        {u"gamma(0)", {"EFunctionError", 10008, u"ガンマ関数gammaが発散しました\r\n（z=0,-1,-2...で発散します）"}},
        {u"erfinv(1.5)",
         {"EFunctionError", 10008,
          u"逆誤差関数erfinvに1以上または-1以下の値が入力されました\r\n\r\n（逆誤差関数erfinvの引数は-1<x<"
          u"1でなくてはなりません）"}},
        {u"erfcinv(-0.5)",
         {"EFunctionError", 10008,
          u"逆誤差関数erfinvに2以上または0以下の値が入力されました\r\n\r\n（逆誤差関数erfinvの引数は0<x<"
          u"2でなくてはなりません）"}},
        {u"fisherinv(400)", {"EFunctionError", 0, u"fisherinv関数でオーバーフローが発生しました"}},
        {u"erfinv(1)",
         {"EFunctionError", 0,
          u"erfinv関数で0での除算が発生しました\r\n\r\n関数の制約に関しては、ヘルプの「数式と関数の制約」の下にある\r\n"
          u"対応する関数の「特徴と制約」をご覧下さい"}},
    });
}

TEST(SpecialFrontEnds, EveryRegistryNameEvaluatesInSomeForm) {
    for (const auto* registry : {&kUnaryFunctionRegistry, &kMultiArgFunctionRegistry}) {
        for (const auto name : *registry) {
            SCOPED_TRACE(ToUtf8(name));
            // Served means answered with a value or with the function's own error.
            try {
                const ShortText answer = registry == &kUnaryFunctionRegistry ? EvaluateUnaryFunction(name, u"0.5")
                                                                             : DispatchMultiArgFunction(name, {});
                EXPECT_NE(answer.View(), u"False");
            } catch (const Exception& e) {
                EXPECT_STRNE(e.ClassName(), "Exception");
            }
        }
    }
}

// Whole expressions against values from independent sources: the standard library's special
// functions and closed forms. The evaluator rounds to 15 digits, so 1e-14 relative.
TEST(SpecialFrontEnds, WholeExpressionsAgainstIndependentValues) {
    const double pi = std::numbers::pi;
    struct Row {
        std::u16string_view expression;
        double reference;
    };
    const Row rows[] = {
        {u"besselj(2.5,0.5)", std::sqrt(2 / (pi * 2.5)) * std::sin(2.5)},
        {u"besselj(1,0)", std::cyl_bessel_j(0.0, 1.0)},
        {u"besselj(20,2.5)", std::cyl_bessel_j(2.5, 20.0)},
        {u"bessely(1,0)", std::cyl_neumann(0.0, 1.0)},
        {u"ibeta(2,3,0.4)", 0.5248},
        {u"beta(2.5,1.5)", std::beta(2.5, 1.5)},
        {u"chisq(0.5,2)", 1 - std::exp(-0.25)},
        {u"tdist(2,2,1)", 0.5 + 2 / (2 * std::sqrt(6.0))},
        {u"tdist(3,1,2)", 0.5 - std::atan(3.0) / pi},
        {u"polylog(2,0.5)", pi * pi / 12 - std::log(2.0) * std::log(2.0) / 2},
        {u"zeta(3)", std::riemann_zeta(3.0)},
        {u"zeta(0.5)", std::riemann_zeta(0.5)},
        {u"expi(1)", std::expint(1.0)},
        {u"gamma(4.5)", std::tgamma(4.5)},
        {u"lgamma(100)", std::lgamma(100.0)},
        {u"erfc(1)", std::erfc(1.0)},
        {u"ndist(1,0,2)", 0.5 * std::erfc(-1 / (2 * std::sqrt(2.0)))},
        {u"2*sin(pi/6)+max(1,2)", 2.999999999999998},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(ToUtf8(row.expression));
        const double value = EvaluateExpression(row.expression);
        EXPECT_NEAR(value, row.reference, 1e-14 * std::fabs(row.reference));
    }
}

}  // namespace
}  // namespace quorvex
