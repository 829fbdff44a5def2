// One handler for all special-function and distribution front-ends, driven by a table of rows.
#include "functions/special_front_ends.hpp"

#include "core/integer_text.hpp"
#include "core/name_index.hpp"
#include "core/number_text.hpp"
#include "special/bessel.hpp"
#include "special/beta.hpp"
#include "special/distributions.hpp"
#include "special/exponential_integrals.hpp"
#include "special/gamma.hpp"
#include "special/incomplete_gamma.hpp"
#include "special/trigonometric_integrals.hpp"
#include "special/zeta.hpp"

#include <quorvex/quorvex.hpp>

#include <array>
#include <cstdint>
#include <optional>

namespace quorvex {
namespace {

using namespace quorvex::special;

constexpr std::int32_t kCountHelpContext = 10008;
constexpr std::int32_t kNonNumericHelpContext = 10001;
constexpr std::size_t kMostArguments = 5;

// The converted arguments in the order written; integer positions hold exact integers.
struct Arguments {
    std::array<double, kMostArguments> v;
    std::size_t count;
    std::int32_t Integer(std::size_t i) const { return static_cast<std::int32_t>(v[i]); }
};

// Checks on the first argument that run before the count test.
enum class PreCheck { kNone, kNonNegativeOrder, kPositiveOrder };

struct SpecialFrontEnd {
    std::u16string_view name;
    std::size_t fullCount;
    std::size_t shortCount;  // 0: only the full count is accepted
    unsigned integerPositions;  // bit i: argument i is read as a 32-bit integer
    PreCheck preCheck;
    double (*compute)(const Arguments& a);  // the form follows from a.count
    std::u16string_view countMessage;
    std::u16string_view nonNumericMessage;
    std::u16string_view preCheckMessage;  // first-argument failures of the pre-check
    std::u16string_view negativeOrderMessage;  // expn: a negative order
};

constexpr unsigned kFirst = 1U;

// The full form ends with the convergence threshold.
template <double (*Full)(double, double), double (*Short)(double)>
double OneArgument(const Arguments& a) {
    return a.count == 2 ? Full(a.v[0], a.v[1]) : Short(a.v[0]);
}
template <double (*Full)(double, double, double), double (*Short)(double, double)>
double TwoArguments(const Arguments& a) {
    return a.count == 3 ? Full(a.v[0], a.v[1], a.v[2]) : Short(a.v[0], a.v[1]);
}
template <double (*Full)(double, double, double, double), double (*Short)(double, double, double)>
double ThreeArguments(const Arguments& a) {
    return a.count == 4 ? Full(a.v[0], a.v[1], a.v[2], a.v[3]) : Short(a.v[0], a.v[1], a.v[2]);
}
template <double (*Full)(std::int32_t, double, double), double (*Short)(std::int32_t, double)>
double OrderAndArgument(const Arguments& a) {
    return a.count == 3 ? Full(a.Integer(0), a.v[1], a.v[2]) : Short(a.Integer(0), a.v[1]);
}

constexpr std::array<SpecialFrontEnd, 29> kSpecialFrontEnds = {{
    {u"sgamma", 3, 2, 0, PreCheck::kNone, TwoArguments<LowerIncompleteGamma, LowerIncompleteGamma>,
     u"第1種不完全ガンマ関数sgammaの引数の数が合っていません\r\n\r\nsgamma(a,x) または sgamma(a,x,収束判定値)です",
     u"第1種不完全ガンマ関数sgammaの引数に数値ではない文字があります", {}, {}},
    {u"bgamma", 3, 2, 0, PreCheck::kNone, TwoArguments<UpperIncompleteGamma, UpperIncompleteGamma>,
     u"第2種不完全ガンマ関数bgammaの引数の数が合っていません\r\n\r\nbgamma(a,x) または bgamma(a,x,収束判定値)です",
     u"第2種不完全ガンマ関数bgammaの引数に数値ではない文字があります", {}, {}},
    {u"beta", 2, 0, 0, PreCheck::kNone, [](const Arguments& a) { return Beta(a.v[0], a.v[1]); },
     u"ベータ関数betaの引数の数が合っていません\r\n\r\nbeta(a,x)です", u"ベータ関数betaの引数に数値ではない文字があります", {}, {}},
    {u"xbeta", 4, 3, 0, PreCheck::kNone, ThreeArguments<IncompleteBeta, IncompleteBeta>,
     u"不完全ベータ関数xbetaの引数の数が合っていません\r\n\r\nxbeta(a,b,x) または xbeta(a,b,x,収束判定値)です",
     u"不完全ベータ関数xbetaの引数に数値ではない文字があります", {}, {}},
    {u"ibeta", 4, 3, 0, PreCheck::kNone, ThreeArguments<IncompleteBetaRegularized, IncompleteBetaRegularized>,
     u"正規化された不完全ベータ関数ibetaの引数の数が合っていません\r\n\r\nibeta(a,b,x) または ibeta(a,b,x,収束判定値)です",
     u"正規化された不完全ベータ関数ibetaの引数に数値ではない文字があります", {}, {}},
    {u"chisq", 3, 2, 0, PreCheck::kNone, TwoArguments<ChiSquareCdf, ChiSquareCdf>,
     u"累積χ2乗分布関数chisqの引数の数が合っていません\r\n\r\nchisq(a,x) または chisq(a,x,収束判定値)です",
     u"累積χ2乗分布関数chisqの引数に数値ではない文字があります", {}, {}},
    {u"expi", 2, 1, 0, PreCheck::kNone, OneArgument<ExpIntegralEi, ExpIntegralEi>,
     u"指数積分expiの引数の数が合っていません\r\n\r\nexpi(x) または expi(x,収束判定値)です",
     u"指数積分expiの引数に数値ではない文字があります", {}, {}},
    {u"li", 2, 1, 0, PreCheck::kNone, OneArgument<LogIntegral, LogIntegral>,
     u"指数積分liの引数の数が合っていません\r\n\r\nli(x) または li(x,収束判定値)です",
     u"指数積分liの引数に数値ではない文字があります", {}, {}},
    {u"expn", 3, 2, kFirst, PreCheck::kNonNegativeOrder, OrderAndArgument<ExpIntegralEn, ExpIntegralEn>,
     u"一般化指数積分expnの引数の数が合っていません\r\n\r\nexpn(n,x) または expn(n,x,収束判定値)です",
     u"一般化指数積分expnの引数に数値ではない文字があります", u"一般化指数積分expnの最初の引数に数値ではない文字があります",
     u"一般化指数積分expnの最初の引数に負の整数が入っています"},
    {u"zeta", 2, 1, 0, PreCheck::kNone, OneArgument<RiemannZeta, RiemannZeta>,
     u"ゼータ関数zetaの引数の数が合っていません\r\n\r\nzeta(x) または zeta(x,収束判定値)です",
     u"ゼータ関数zetaの引数に数値ではない文字があります", {}, {}},
    {u"deta", 2, 1, 0, PreCheck::kNone, OneArgument<DirichletEta, DirichletEta>,
     u"ディリクレのイータ関数detaの引数の数が合っていません\r\n\r\ndeta(x) または deta(x,収束判定値)です",
     u"ディリクレのイータ関数detaの引数に数値ではない文字があります", {}, {}},
    {u"hzeta", 3, 2, 0, PreCheck::kNone, TwoArguments<HurwitzZeta, HurwitzZeta>,
     u"Hurwitzのゼータ関数hzetaの引数の数が合っていません\r\n\r\nhzeta(x,a) または hzeta(x,a,収束判定値)です",
     u"Hurwitzのゼータ関数hzetaの引数に数値ではない文字があります", {}, {}},
    {u"dgamma", 2, 1, 0, PreCheck::kNone, OneArgument<Digamma, Digamma>,
     u"ディガンマ関数dgammaの引数の数が合っていません\r\n\r\ndgamma(x) または dgamma(x,収束判定値)です",
     u"ディガンマ関数dgammaの引数に数値ではない文字があります", {}, {}},
    {u"pgamma", 3, 2, kFirst, PreCheck::kPositiveOrder, OrderAndArgument<Polygamma, Polygamma>,
     u"ポリガンマ関数pgammaの引数の数が合っていません\r\n\r\npgamma(n,x) または pgamma(n,x,収束判定値)です",
     u"ポリガンマ関数pgammaの引数に数値ではない文字があります", u"ポリガンマ関数pgammaの最初の引数に自然数以外の数値が入っています",
     u"ポリガンマ関数pgammaの最初の引数に自然数以外の数値が入っています"},
    {u"polylog", 3, 2, 0, PreCheck::kNone, TwoArguments<Polylog, Polylog>,
     u"多重対数関数の引数の数が合っていません\r\n\r\npolylog(n,x) または polylog(n,x,収束判定値)です",
     u"多重対数関数polylogの引数に数値ではない文字があります", {}, {}},
    {u"bsi", 2, 1, 0, PreCheck::kNone, OneArgument<SineIntegral, SineIntegral>,
     u"正弦積分bsiの引数の数が合っていません\r\n\r\nbsi(x) または bsi(x,収束判定値)です",
     u"正弦積分bsiの引数に数値ではない文字があります", {}, {}},
    {u"ssi", 2, 1, 0, PreCheck::kNone, OneArgument<ShiftedSineIntegral, ShiftedSineIntegral>,
     u"正弦積分ssiの引数の数が合っていません\r\n\r\nssi(x) または ssi(x,収束判定値)です",
     u"正弦積分ssiの引数に数値ではない文字があります", {}, {}},
    {u"ci", 2, 1, 0, PreCheck::kNone, OneArgument<CosineIntegral, CosineIntegral>,
     u"余弦積分ciの引数の数が合っていません\r\n\r\nci(x) または ci(x,収束判定値)です",
     u"余弦積分ciの引数に数値ではない文字があります", {}, {}},
    {u"cin", 2, 1, 0, PreCheck::kNone, OneArgument<EntireCosineIntegral, EntireCosineIntegral>,
     u"余弦積分cinの引数の数が合っていません\r\n\r\ncin(x) または cin(x,収束判定値)です",
     u"余弦積分cinの引数に数値ではない文字があります", {}, {}},
    {u"shi", 2, 1, 0, PreCheck::kNone, OneArgument<HypSineIntegral, HypSineIntegral>,
     u"双曲線正弦積分shiの引数の数が合っていません\r\n\r\nshi(x) または shi(x,収束判定値)です",
     u"双曲線正弦積分shiの引数に数値ではない文字があります", {}, {}},
    {u"chi", 2, 1, 0, PreCheck::kNone, OneArgument<HypCosineIntegral, HypCosineIntegral>,
     u"双曲線余弦積分chiの引数の数が合っていません\r\n\r\nchi(x) または chi(x,収束判定値)です",
     u"双曲線余弦積分chiの引数に数値ではない文字があります", {}, {}},
    {u"fsi", 2, 1, 0, PreCheck::kNone, OneArgument<FresnelS, FresnelS>,
     u"フレネル正弦積分shiの引数の数が合っていません\r\n\r\nfsi(x) または fsi(x,収束判定値)です",
     u"フレネル正弦積分shiの引数に数値ではない文字があります", {}, {}},
    {u"fci", 2, 1, 0, PreCheck::kNone, OneArgument<FresnelC, FresnelC>,
     u"フレネル余弦積分chiの引数の数が合っていません\r\n\r\nfci(x) または fci(x,収束判定値)です",
     u"フレネル余弦積分fciの引数に数値ではない文字があります", {}, {}},
    {u"besselj", 3, 2, 0, PreCheck::kNone, TwoArguments<BesselJ, BesselJ>,
     u"第1種ベッセル関数besseljの引数の数が合っていません\r\n\r\nbesselj(x,a) または besselj(x,a,収束判定値)です",
     u"第1種ベッセル関数besseljの引数に数値ではない文字があります", {}, {}},
    {u"bessely", 3, 2, 0, PreCheck::kNone, TwoArguments<BesselY, BesselY>,
     u"第2種ベッセル関数besselyの引数の数が合っていません\r\n\r\nbessely(x,a) または bessely(x,a,収束判定値)です",
     u"第2種ベッセル関数besselyの引数に数値ではない文字があります", {}, {}},
    // Distributions: no threshold; the mode or form is an integer passed through unchecked.
    {u"ndist", 4, 3, 1U << 3, PreCheck::kNone,
     [](const Arguments& a) { return NormalDistribution(a.v[0], a.v[1], a.v[2], a.count == 4 ? a.Integer(3) : 0); },
     u"正規分布の引数の数が合っていません\r\n\r\nndist(x,平均,標準偏差,0か1) または ndist(x,平均,標準偏差)です\r\n\r\n"
     u"4番目の引数に0を入れると累積確率、1を入れると確率密度となります",
     u"正規分布ndistの引数に数値ではない文字があります", {}, {}},
    {u"nsdist", 2, 0, 1U << 1, PreCheck::kNone, [](const Arguments& a) { return StandardNormal(a.v[0], a.Integer(1)); },
     u"標準正規分布の引数の数が合っていません\r\n\r\nnsdist(x,0か1) または ndist(x)です\r\n\r\n"
     u"4番目の引数に0を入れると累積確率、1を入れると確率密度となります",
     u"標準正規分布ndistの引数に数値ではない文字があります", {}, {}},
    {u"tdist", 3, 0, (1U << 1) | (1U << 2), PreCheck::kNone,
     [](const Arguments& a) { return StudentT(a.v[0], a.Integer(1), a.Integer(2)); },
     u"t分布の累積関数の引数の数が合っていません\r\n\r\ntdist(x,自然数,形式) です。形式は次の整数で、確率密度関数:0、下側累積分布関数:1、上側累積分布関数:2です。",
     u"t分布tdistの引数に数値ではない文字があります\r\n\r\ntdist(x,自然数,形式) で、xは実数です\r\n\r\n"
     u"形式も次の整数で、確率密度関数:0、下側累積分布関数:1、上側累積分布関数:2です。",
     {}, {}},
    {u"fdist", 4, 0, (1U << 1) | (1U << 2) | (1U << 3), PreCheck::kNone,
     [](const Arguments& a) { return FisherF(a.v[0], a.Integer(1), a.Integer(2), a.Integer(3)); },
     u"F分布の累積関数の引数の数が合っていません\r\n\r\nfdist(x,自然数,自然数,形式)です。形式は次の整数で、確率密度関数:0、下側累積分布関数:1、上側累積分布関数:2です。",
     u"F分布fdistの引数に数値ではない文字があります\r\n\r\nfdist(x,自然数,自然,形式) で、xは実数です。\r\n\r\n"
     u"形式も次の整数で、確率密度関数:0、下側累積分布関数:1、上側累積分布関数:2です。",
     {}, {}},
}};

constexpr std::u16string_view kNormalZeroDeviationMessage = u"正規分布ndistの3番目の引数(標準偏差)に0が入力されています";
constexpr std::u16string_view kNormalName = u"ndist";

constexpr auto kSpecialFrontEndNames = NamesOf(kSpecialFrontEnds);
constexpr NameIndex kSpecialFrontEndIndex{kSpecialFrontEndNames};
static_assert(kSpecialFrontEndIndex.HasDistinctNames());
static_assert([] {
    for (const auto& row : kSpecialFrontEnds) {
        if (row.fullCount > kMostArguments || row.shortCount >= row.fullCount) return false;
    }
    return true;
}(), "a front-end takes more arguments than it can hold, or its short form is not shorter");

void RunPreCheck(const SpecialFrontEnd& row, const TokenList& arguments) {
    if (row.preCheck == PreCheck::kNone) return;
    const auto order = arguments.empty() ? std::nullopt : TryParseIntegerText(arguments[0]);
    if (!order) throw EFunctionError(std::u16string(row.preCheckMessage), kCountHelpContext);
    const bool refused = row.preCheck == PreCheck::kPositiveOrder ? *order <= 0 : *order < 0;
    if (refused) throw EFunctionError(std::u16string(row.negativeOrderMessage), kCountHelpContext);
}

Arguments Convert(const SpecialFrontEnd& row, const TokenList& arguments) {
    Arguments converted{{}, arguments.size()};
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        std::optional<double> value;
        if ((row.integerPositions >> i) & 1U) {
            if (const auto integer = TryParseIntegerText(arguments[i])) value = *integer;
        } else {
            value = TryParseNumberText(arguments[i]);
        }
        // The first argument that does not convert ends the call; the routine is not reached.
        if (!value) throw EConvertError(std::u16string(row.nonNumericMessage), kNonNumericHelpContext);
        converted.v[i] = *value;
    }
    return converted;
}

}  // namespace

ShortText EvaluateSpecialFunction(std::u16string_view name, const TokenList& arguments) {
    const int index = kSpecialFrontEndIndex.Find(name);
    if (index < 0) return ShortText(kFalseMarker);
    const SpecialFrontEnd& row = kSpecialFrontEnds[static_cast<std::size_t>(index)];
    RunPreCheck(row, arguments);
    if (arguments.size() != row.fullCount && (row.shortCount == 0 || arguments.size() != row.shortCount)) {
        throw EFunctionError(std::u16string(row.countMessage), kCountHelpContext);
    }
    const Arguments converted = Convert(row, arguments);
    try {
        return WriteNumberText(row.compute(converted));
    } catch (const EZeroDivide&) {
        if (row.name != kNormalName) throw;
        throw EZeroDivide(std::u16string(kNormalZeroDeviationMessage), kNonNumericHelpContext);
    }
}

}  // namespace quorvex
