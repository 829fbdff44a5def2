// The built-in functions: one row per name, with every form the name takes, the facts each
// form's handler reads, and the calculator's text. The registries, the dispatch and the
// catalogue are read from here.
#pragma once

#include "core/checked_float.hpp"
#include "core/elementary_math.hpp"
#include "core/name_index.hpp"
#include "core/short_text.hpp"
#include "core/token_list.hpp"
#include "functions/aggregates.hpp"
#include "functions/elementary.hpp"
#include "functions/integer_functions.hpp"
#include "functions/special_front_ends.hpp"
#include "functions/weibull.hpp"
#include "special/bessel.hpp"
#include "special/beta.hpp"
#include "special/distributions.hpp"
#include "special/error_function.hpp"
#include "special/exponential_integrals.hpp"
#include "special/gamma.hpp"
#include "special/incomplete_gamma.hpp"
#include "special/trigonometric_integrals.hpp"
#include "special/zeta.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <numbers>
#include <optional>
#include <string_view>

namespace quorvex {

// name(x), where the name is followed by one number. A value function sees the number; an
// integer function reads its text as a 32-bit integer, and any failure raises its message.
// The kind says which: a function's address is no constant expression where the sanitizers
// keep null checks, so the table's derivations never test one.
enum class SingleKind : std::uint8_t { kNone, kValue, kInteger };

struct SingleForm {
    SingleKind kind = SingleKind::kNone;
    double (*value)(double) = nullptr;
    bool (*rejects)(double) = nullptr;  // checked before the value; null: every argument is accepted
    std::u16string_view message;
    std::int32_t helpContext = 0;
    std::int32_t (*integer)(std::int32_t) = nullptr;
};

// The aggregates the direct reduction folds as their arguments come.
enum class Aggregate : std::uint8_t { kMaximum, kMinimum, kSum, kAverage };

// name(a, b, ...): the handler family and the facts it reads.
enum class ListKind : std::uint8_t { kNone, kIntegerPair, kSpecial, kList };

struct ListForm {
    ListKind kind = ListKind::kNone;
    IntegerPairForm integerPair{};
    SpecialFrontEnd special{};
    ShortText (*list)(const TokenList& arguments, char16_t separator) = nullptr;  // checks its own arguments
    std::optional<Aggregate> streamed{};
};

// The calculator's text: the family it lists the name under, the forms, what it computes.
struct CatalogueText {
    std::string_view family;
    std::string_view forms;  // e.g. "zeta(x) | zeta(x, eps)"; eps is the optional threshold
    std::string_view description;
};

// A name that takes both forms (zeta(x) and zeta(x, eps)) has one row with both parts; each
// registry lists the names of the rows that have its form.
struct FunctionRow {
    std::u16string_view name;
    CatalogueText catalogue;
    SingleForm single{};  // left out: the name takes no single argument
    ListForm list{};      // left out: the name takes no argument list

    constexpr bool HasSingleForm() const { return single.kind != SingleKind::kNone; }
    constexpr bool HasListForm() const { return list.kind != ListKind::kNone; }
};

inline constexpr std::int32_t kLogarithmHelpContext = 10004;
inline constexpr std::int32_t kTrigonometricHelpContext = 10005;
inline constexpr std::int32_t kModHelpContext = 10006;
inline constexpr std::int32_t kIntegerHelpContext = 10007;
inline constexpr std::int32_t kSpecialFunctionHelpContext = 10008;

// The forms as the rows write them.
constexpr SingleForm Value(double (*value)(double), bool (*rejects)(double) = nullptr, std::u16string_view message = {},
                           std::int32_t helpContext = 0) {
    return {SingleKind::kValue, value, rejects, message, helpContext, nullptr};
}
constexpr SingleForm Integer(std::int32_t (*integer)(std::int32_t), std::u16string_view message) {
    return {SingleKind::kInteger, nullptr, nullptr, message, kIntegerHelpContext, integer};
}
constexpr ListForm IntegerPair(std::optional<std::int64_t> (*operation)(std::int32_t, std::int32_t),
                               std::u16string_view countMessage, std::u16string_view valueMessage,
                               std::int32_t helpContext) {
    return {ListKind::kIntegerPair, {operation, countMessage, valueMessage, helpContext}, {}, nullptr, std::nullopt};
}
constexpr ListForm Special(std::size_t fullCount, std::size_t shortCount, unsigned integerPositions, PreCheck preCheck,
                           double (*compute)(const Arguments&), std::u16string_view countMessage,
                           std::u16string_view nonNumericMessage, std::u16string_view preCheckMessage = {},
                           std::u16string_view negativeOrderMessage = {}, std::u16string_view zeroDivideMessage = {}) {
    return {ListKind::kSpecial,
            {},
            {fullCount, shortCount, integerPositions, preCheck, compute, countMessage, nonNumericMessage,
             preCheckMessage, negativeOrderMessage, zeroDivideMessage},
            nullptr,
            std::nullopt};
}
constexpr ListForm List(ShortText (*list)(const TokenList&, char16_t),
                        std::optional<Aggregate> streamed = std::nullopt) {
    return {ListKind::kList, {}, {}, list, streamed};
}

inline double CheckedCall(double (*f)(double), double x) { return CheckResult(f(x), x); }

// Whether cos x or sin x is exactly 0, without evaluating it: no double but 0 comes within 2^-61
// of a multiple of pi/2, and below 2^-27 sin x rounds to x, so cos x is never 0 and sin x only
// at +-0 (NaN and the infinities give NaN).
constexpr bool CosineIsZero(double /*x*/) { return false; }
constexpr bool SineIsZero(double x) { return x == 0.0; }

inline constexpr double kRadiansPerDegree = std::numbers::pi / 180.0;
inline constexpr double kDegreesPerRadian = 180.0 / std::numbers::pi;
inline constexpr double kLog10OfE = std::numbers::log10e;

inline constexpr std::string_view kElementaryFamily = "Elementary";
inline constexpr std::string_view kTrigonometricFamily = "Trigonometric and hyperbolic";
inline constexpr std::string_view kIntegerFamily = "Integer and bit";
inline constexpr std::string_view kAggregateFamily = "Aggregates and combinatorics";
inline constexpr std::string_view kDistributionFamily = "Distributions";
inline constexpr std::string_view kSpecialFamily = "Special functions";
inline constexpr std::string_view kIntegralFamily = "Integrals";

inline constexpr std::u16string_view kAndCount = u"and関数の引数は２つにして下さい";
inline constexpr std::u16string_view kAndValue = u"and関数に整数ではない数が入力されました";
inline constexpr std::u16string_view kOrCount = u"or関数の引数は２つにして下さい";
inline constexpr std::u16string_view kOrValue = u"or関数に整数ではない数が入力されました";
inline constexpr std::u16string_view kXorCount = u"xor関数の引数は２つにして下さい";
inline constexpr std::u16string_view kXorValue = u"xor関数に整数ではない数が入力されました";
inline constexpr std::u16string_view kNormalZeroDeviationMessage =
    u"正規分布ndistの3番目の引数(標準偏差)に0が入力されています";

// Grouped by family, in the order the calculator lists them; nothing else depends on the order.
// Laid out by hand: one row per function, its fields one per line.
// clang-format off
inline constexpr auto kFunctionTable = std::to_array<FunctionRow>({
    {.name = u"ln",
     .catalogue = {kElementaryFamily, "ln(x)", "natural logarithm, x > 0"},
     .single = Value([](double x) { return CheckedLn(x); }, [](double x) { return x <= 0.0; },
                     u"ln関数に0以下の数が入力されました\r\n\r\n（ln関数の引数は正数でなくてはなりません）", kLogarithmHelpContext)},
    {.name = u"log",
     .catalogue = {kElementaryFamily, "log(x)", "common (base 10) logarithm, x > 0"},
     .single = Value([](double x) { return CheckedMultiply(CheckedLn(x), kLog10OfE); },
                     [](double x) { return x <= 0.0; },
                     u"log関数に0以下の数が入力されました\r\n\r\n（log関数の引数は正数でなくてはなりません）", kLogarithmHelpContext)},
    {.name = u"exp",
     .catalogue = {kElementaryFamily, "exp(x)", "e to the power x"},
     .single = Value([](double x) { return CheckedExp(x); })},
    {.name = u"sqrt",
     .catalogue = {kElementaryFamily, "sqrt(x)", "square root, x >= 0"},
     .single = Value([](double x) { return CheckedSqrt(x); }, [](double x) { return x < 0.0; },
                     u"sqrt関数に負数が入力されました\r\n\r\n（虚数になってしまいます）", kLogarithmHelpContext)},
    {.name = u"sqr",
     .catalogue = {kElementaryFamily, "sqr(x)", "square, x * x"},
     .single = Value([](double x) { return CheckedMultiply(x, x); })},
    {.name = u"abs",
     .catalogue = {kElementaryFamily, "abs(x)", "absolute value"},
     .single = Value([](double x) { return std::fabs(x); })},
    {.name = u"int",
     .catalogue = {kElementaryFamily, "int(x)", "integer part, truncated toward zero"},
     .single = Value(IntegerPart)},
    {.name = u"frac",
     .catalogue = {kElementaryFamily, "frac(x)", "fractional part, x - int(x)"},
     .single = Value(FractionalPart)},
    {.name = u"sign",
     .catalogue = {kElementaryFamily, "sign(x)", "-1, 0 or 1"},
     .single = Value(Sign)},
    {.name = u"rad",
     .catalogue = {kElementaryFamily, "rad(x)", "degrees to radians"},
     .single = Value([](double x) { return CheckedMultiply(x, kRadiansPerDegree); })},
    {.name = u"deg",
     .catalogue = {kElementaryFamily, "deg(x)", "radians to degrees (deg0 alone is the constant 273.15)"},
     .single = Value([](double x) { return CheckedMultiply(x, kDegreesPerRadian); })},
    {.name = u"sin",
     .catalogue = {kTrigonometricFamily, "sin(x)", "sine, x in radians"},
     .single = Value([](double x) { return CheckedCall(Sin, x); })},
    {.name = u"cos",
     .catalogue = {kTrigonometricFamily, "cos(x)", "cosine"},
     .single = Value([](double x) { return CheckedCall(Cos, x); })},
    {.name = u"tan",
     .catalogue = {kTrigonometricFamily, "tan(x)", "tangent; an error where cos x is exactly 0"},
     .single = Value([](double x) { return CheckedCall(Tan, x); }, CosineIsZero,
                     u"　　tan関数にπ*（2n+1)/2が入力されました\r\n\r\n（tan=sin/cosであるため、cos(π*（2n+1)/2)は0の除算です）",
                     kTrigonometricHelpContext)},
    {.name = u"sec",
     .catalogue = {kTrigonometricFamily, "sec(x)", "secant, 1 / cos x"},
     .single = Value([](double x) { return CheckedDivide(1.0, CheckedCall(Cos, x)); },
                     CosineIsZero,
                     u"　　sec関数にπ*（2n+1)/2が入力されました\r\n\r\n（sec=1/cosであるため、cos(π*（2n+1)/2)は0の除算です）",
                     kTrigonometricHelpContext)},
    {.name = u"cot",
     .catalogue = {kTrigonometricFamily, "cot(x)", "cotangent, 1 / tan x"},
     .single = Value([](double x) { return CheckedDivide(1.0, CheckedCall(Tan, x)); },
                     SineIsZero,
                     u"　　cot関数にπ*nが入力されました\r\n\r\n（cot=cos/sinであるため、sin(π*n)は0の除算です）", kTrigonometricHelpContext)},
    {.name = u"csc",
     .catalogue = {kTrigonometricFamily, "csc(x)", "cosecant, 1 / sin x"},
     .single = Value([](double x) { return CheckedDivide(1.0, CheckedCall(Sin, x)); },
                     SineIsZero,
                     u"　　csc関数にπ*nが入力されました\r\n\r\n（csc=1/sinであるため、sin(π*n)は0の除算です）", kTrigonometricHelpContext)},
    {.name = u"asin",
     .catalogue = {kTrigonometricFamily, "asin(x)", "arcsine, -1 <= x <= 1"},
     .single = Value([](double x) { return CheckedCall(Asin, x); }, [](double x) { return x > 1.0 || x < -1.0; },
                     u"　asin関数に1より大きい数が入力されました\r\n\r\n（asin関数の引数は1以下でなくてはなりません）", kTrigonometricHelpContext)},
    {.name = u"acos",
     .catalogue = {kTrigonometricFamily, "acos(x)", "arccosine, -1 <= x <= 1"},
     .single = Value([](double x) { return CheckedCall(Acos, x); }, [](double x) { return x > 1.0 || x < -1.0; },
                     u"　acos関数に1より大きい数が入力されました\r\n\r\n（acos関数の引数は1以下でなくてはなりません）", kTrigonometricHelpContext)},
    {.name = u"atan",
     .catalogue = {kTrigonometricFamily, "atan(x)", "arctangent"},
     .single = Value([](double x) { return CheckedCall(Atan, x); })},
    {.name = u"asec",
     .catalogue = {kTrigonometricFamily, "asec(x)", "arcsecant, |x| >= 1"},
     .single = Value(InverseSecant, [](double x) { return std::fabs(x) < 1.0; },
                     u"　asec関数に1より小さい数が入力されました\r\n\r\n（asec関数の引数は1以上でなくてはなりません）", kTrigonometricHelpContext)},
    {.name = u"acot",
     .catalogue = {kTrigonometricFamily, "acot(x)", "arccotangent, atan(1 / x)"},
     .single = Value(InverseCotangent)},
    {.name = u"acsc",
     .catalogue = {kTrigonometricFamily, "acsc(x)", "arccosecant, |x| >= 1"},
     .single = Value(InverseCosecant, [](double x) { return std::fabs(x) < 1.0; },
                     u"　acsc関数に1より小さい数が入力されました\r\n\r\n（acsc関数の引数は1以上でなくてはなりません）", kTrigonometricHelpContext)},
    {.name = u"sinh",
     .catalogue = {kTrigonometricFamily, "sinh(x)", "hyperbolic sine"},
     .single = Value(HyperbolicSine)},
    {.name = u"cosh",
     .catalogue = {kTrigonometricFamily, "cosh(x)", "hyperbolic cosine"},
     .single = Value(HyperbolicCosine)},
    {.name = u"tanh",
     .catalogue = {kTrigonometricFamily, "tanh(x)", "hyperbolic tangent"},
     .single = Value([](double x) { return CheckedCall(Tanh, x); })},
    {.name = u"sech",
     .catalogue = {kTrigonometricFamily, "sech(x)", "hyperbolic secant"},
     .single = Value([](double x) { return CheckedDivide(1.0, HyperbolicCosine(x)); })},
    {.name = u"coth",
     .catalogue = {kTrigonometricFamily, "coth(x)", "hyperbolic cotangent, x != 0"},
     .single = Value([](double x) { return CheckedDivide(1.0, CheckedCall(Tanh, x)); },
                     [](double x) { return x == 0.0; },
                     u"　　coth関数に0が入力されました\r\n\r\n（coth={exp(x)+exp(-x)}/{exp(x)-exp(-x)}であるため、0の除算です）",
                     kTrigonometricHelpContext)},
    {.name = u"csch",
     .catalogue = {kTrigonometricFamily, "csch(x)", "hyperbolic cosecant, x != 0"},
     .single = Value(HyperbolicCosecant, [](double x) { return x == 0.0; },
                     u"　　csch関数に0が入力されました\r\n\r\n（ccsh=1/{exp(x)-exp(-x)}であるため、0の除算です）", kTrigonometricHelpContext)},
    {.name = u"asinh",
     .catalogue = {kTrigonometricFamily, "asinh(x)", "inverse hyperbolic sine"},
     .single = Value(InverseHyperbolicSine)},
    {.name = u"acosh",
     .catalogue = {kTrigonometricFamily, "acosh(x)", "inverse hyperbolic cosine, |x| >= 1"},
     .single = Value(InverseHyperbolicCosine, [](double x) { return std::fabs(x) < 1.0; },
                     u"　acosh関数に1より小さい数が入力されました\r\n\r\n（acosh関数の引数は1以上でなくてはなりません）", kTrigonometricHelpContext)},
    {.name = u"atanh",
     .catalogue = {kTrigonometricFamily, "atanh(x)", "inverse hyperbolic tangent, |x| < 1"},
     .single = Value(InverseHyperbolicTangent, [](double x) { return std::fabs(x) > 1.0; },
                     u"　atanh関数に1より大きい数が入力されました\r\n\r\n（atanh関数の引数は1以下でなくてはなりません）", kTrigonometricHelpContext)},
    {.name = u"asech",
     .catalogue = {kTrigonometricFamily, "asech(x)", "inverse hyperbolic secant, 0 < x <= 1"},
     .single = Value(InverseHyperbolicSecant, [](double x) { return x > 1.0 || x <= 0.0; },
                     u"　asech関数に0以下、又は1より大きい数が入力されました\r\n\r\n（asech関数の引数は0より大きく1以下でなくてはなりません）",
                     kTrigonometricHelpContext)},
    {.name = u"acoth",
     .catalogue = {kTrigonometricFamily, "acoth(x)", "inverse hyperbolic cotangent, |x| > 1"},
     .single = Value(InverseHyperbolicCotangent, [](double x) { return std::fabs(x) < 1.0; },
                     u"　acoth関数に1より小さい数が入力されました\r\n\r\n（acoth関数の引数は1以上でなくてはなりません）", kTrigonometricHelpContext)},
    {.name = u"acsch",
     .catalogue = {kTrigonometricFamily, "acsch(x)", "inverse hyperbolic cosecant, x != 0"},
     .single = Value(InverseHyperbolicCosecant, [](double x) { return x == 0.0; },
                     u"　　　acsch関数に0が入力されました\r\n\r\n（acsch関数の引数は0以外でなくてはなりません）", kTrigonometricHelpContext)},
    {.name = u"not",
     .catalogue = {kIntegerFamily, "not(n)", "32-bit bitwise complement, -n - 1"},
     .single = Integer([](std::int32_t n) { return ~n; }, u"not32関数に整数ではない数が入力されました")},
    {.name = u"notn",
     .catalogue = {kIntegerFamily, "notn(n)", "complement of the binary digits of |n|, sign flipped"},
     .single = Integer(NotN, u"not関数に整数ではない数が入力されました")},
    {.name = u"and",
     .catalogue = {kIntegerFamily, "and(a, b)", "bitwise AND of 32-bit patterns"},
     .list = IntegerPair(BitwiseAnd, kAndCount, kAndValue, kIntegerHelpContext)},
    {.name = u"or",
     .catalogue = {kIntegerFamily, "or(a, b)", "bitwise OR of 32-bit patterns"},
     .list = IntegerPair(BitwiseOr, kOrCount, kOrValue, kIntegerHelpContext)},
    {.name = u"xor",
     .catalogue = {kIntegerFamily, "xor(a, b)", "bitwise exclusive OR of 32-bit patterns"},
     .list = IntegerPair(BitwiseXor, kXorCount, kXorValue, kIntegerHelpContext)},
    {.name = u"andn",
     .catalogue = {kIntegerFamily, "andn(a, b)", "sign-and-magnitude AND"},
     .list = IntegerPair(MagnitudeAnd, kAndCount, kAndValue, kIntegerHelpContext)},
    {.name = u"orn",
     .catalogue = {kIntegerFamily, "orn(a, b)", "sign-and-magnitude OR"},
     .list = IntegerPair(MagnitudeOr, kOrCount, kOrValue, kIntegerHelpContext)},
    {.name = u"xorn",
     .catalogue = {kIntegerFamily, "xorn(a, b)", "sign-and-magnitude exclusive OR"},
     .list = IntegerPair(MagnitudeXor, kXorCount, kXorValue, kIntegerHelpContext)},
    {.name = u"shl",
     .catalogue = {kIntegerFamily, "shl(a, b)", "a shifted left by b mod 32 bits"},
     .list = IntegerPair(ShiftLeft, u"shl関数の引数は２つにして下さい", u"shl関数に整数ではない数が入力されました", kIntegerHelpContext)},
    {.name = u"shr",
     .catalogue = {kIntegerFamily, "shr(a, b)", "a shifted right logically by b mod 32 bits"},
     .list = IntegerPair(ShiftRight, u"shr関数の引数は２つにして下さい", u"shr関数に整数ではない数が入力されました", kIntegerHelpContext)},
    {.name = u"mod",
     .catalogue = {kIntegerFamily, "mod(a, b)", "remainder of truncating division, sign of a"},
     .list = IntegerPair(Remainder, u"mod関数の引数は２つにして下さい", u"mod関数に整数ではない数が入力されました", kModHelpContext)},
    {.name = u"div",
     .catalogue = {kIntegerFamily, "div(a, b)", "quotient truncated toward zero"},
     .list = IntegerPair(Quotient, u"div関数の引数は２つにして下さい", u"div関数に整数ではない数が入力されました", kIntegerHelpContext)},
    {.name = u"max",
     .catalogue = {kAggregateFamily, "max(x1, x2, ...)", "largest argument"},
     .list = List(Maximum, Aggregate::kMaximum)},
    {.name = u"min",
     .catalogue = {kAggregateFamily, "min(x1, x2, ...)", "smallest argument"},
     .list = List(Minimum, Aggregate::kMinimum)},
    {.name = u"sum",
     .catalogue = {kAggregateFamily, "sum(x1, x2, ...)", "sum of the arguments"},
     .list = List(Sum, Aggregate::kSum)},
    {.name = u"average",
     .catalogue = {kAggregateFamily, "average(x1, x2, ...)", "arithmetic mean"},
     .list = List(Average, Aggregate::kAverage)},
    {.name = u"combin",
     .catalogue = {kAggregateFamily, "combin(n, k)", "binomial coefficient, 0 <= k <= n"},
     .list = List(Combin)},
    {.name = u"fact",
     .catalogue = {kAggregateFamily, "fact(n)", "factorial of a natural number"},
     .single = Value([](double x) { return special::Factorial(x); })},
    {.name = u"ndist",
     .catalogue = {kDistributionFamily, "ndist(x, mean, sd) | ndist(x, mean, sd, mode)",
                   "normal distribution: mode 0 cumulative, any other density"},
     .list = Special(4, 3, 1U << 3, PreCheck::kNone,
                     [](const Arguments& a) {
                         return special::NormalDistribution(a.v[0], a.v[1], a.v[2], a.count == 4 ? a.Integer(3) : 0);
                     },
                     u"正規分布の引数の数が合っていません\r\n\r\nndist(x,平均,標準偏差,0か1) または ndist(x,平均,標準偏差)です\r\n\r\n"
                     u"4番目の引数に0を入れると累積確率、1を入れると確率密度となります",
                     u"正規分布ndistの引数に数値ではない文字があります",
                     {}, {}, kNormalZeroDeviationMessage)},
    {.name = u"nsdist",
     .catalogue = {kDistributionFamily, "nsdist(x) | nsdist(x, mode)", "standard normal: mode 0 cumulative, any other density"},
     .single = Value([](double x) { return special::StandardNormalCdf(x); }),
     .list = Special(2, 0, 1U << 1, PreCheck::kNone,
                     [](const Arguments& a) { return special::StandardNormal(a.v[0], a.Integer(1)); },
                     u"標準正規分布の引数の数が合っていません\r\n\r\nnsdist(x,0か1) または ndist(x)です\r\n\r\n"
                     u"4番目の引数に0を入れると累積確率、1を入れると確率密度となります",
                     u"標準正規分布ndistの引数に数値ではない文字があります")},
    {.name = u"tdist",
     .catalogue = {kDistributionFamily, "tdist(x, n, form)", "Student t: form 1 lower, 2 upper cumulative, any other density"},
     .list = Special(3, 0, (1U << 1) | (1U << 2), PreCheck::kNone,
                     [](const Arguments& a) { return special::StudentT(a.v[0], a.Integer(1), a.Integer(2)); },
                     u"t分布の累積関数の引数の数が合っていません\r\n\r\ntdist(x,自然数,形式) です。形式は次の整数で、確率密度関数:0、下側累積分布関数:1、上側累積分布関数:2です。",
                     u"t分布tdistの引数に数値ではない文字があります\r\n\r\ntdist(x,自然数,形式) で、xは実数です\r\n\r\n"
                     u"形式も次の整数で、確率密度関数:0、下側累積分布関数:1、上側累積分布関数:2です。")},
    {.name = u"fdist",
     .catalogue = {kDistributionFamily, "fdist(x, n1, n2, form)",
                   "F distribution: form 1 lower, 2 upper cumulative, any other density"},
     .list = Special(4, 0, (1U << 1) | (1U << 2) | (1U << 3), PreCheck::kNone,
                     [](const Arguments& a) {
                         return special::FisherF(a.v[0], a.Integer(1), a.Integer(2), a.Integer(3));
                     },
                     u"F分布の累積関数の引数の数が合っていません\r\n\r\nfdist(x,自然数,自然数,形式)です。形式は次の整数で、確率密度関数:0、下側累積分布関数:1、上側累積分布関数:2です。",
                     u"F分布fdistの引数に数値ではない文字があります\r\n\r\nfdist(x,自然数,自然,形式) で、xは実数です。\r\n\r\n"
                     u"形式も次の整数で、確率密度関数:0、下側累積分布関数:1、上側累積分布関数:2です。")},
    {.name = u"chisq",
     .catalogue = {kDistributionFamily, "chisq(x, k) | chisq(x, k, eps)", "chi-square cumulative distribution"},
     .list = Special(3, 2, 0, PreCheck::kNone, TwoArguments<special::ChiSquareCdf, special::ChiSquareCdf>,
                     u"累積χ2乗分布関数chisqの引数の数が合っていません\r\n\r\nchisq(a,x) または chisq(a,x,収束判定値)です",
                     u"累積χ2乗分布関数chisqの引数に数値ではない文字があります")},
    {.name = u"weibull",
     .catalogue = {kDistributionFamily, "weibull(x, alpha, beta, mode)", "Weibull: mode 1 cumulative, 0 density"},
     .list = List(Weibull)},
    {.name = u"weibull3",
     .catalogue = {kDistributionFamily, "weibull3(x, alpha, beta, gamma, mode)", "three-parameter Weibull"},
     .list = List(Weibull3)},
    {.name = u"fisher",
     .catalogue = {kDistributionFamily, "fisher(x)", "Fisher transformation, |x| < 1"},
     .single = Value([](double x) { return special::Fisher(x); })},
    {.name = u"fisherinv",
     .catalogue = {kDistributionFamily, "fisherinv(x)", "inverse Fisher transformation"},
     .single = Value([](double x) { return special::FisherInverse(x); })},
    {.name = u"erf",
     .catalogue = {kSpecialFamily, "erf(x)", "error function"},
     .single = Value([](double x) { return special::Erf(x); })},
    {.name = u"erfc",
     .catalogue = {kSpecialFamily, "erfc(x)", "complementary error function"},
     .single = Value([](double x) { return special::Erfc(x); })},
    {.name = u"erfinv",
     .catalogue = {kSpecialFamily, "erfinv(x)", "inverse error function, -1 < x < 1"},
     .single = Value([](double x) { return special::InverseErf(x); }, [](double x) { return std::fabs(x) > 1.0; },
                     u"逆誤差関数erfinvに1以上または-1以下の値が入力されました\r\n\r\n（逆誤差関数erfinvの引数は-1<x<1でなくてはなりません）",
                     kSpecialFunctionHelpContext)},
    {.name = u"erfcinv",
     .catalogue = {kSpecialFamily, "erfcinv(x)", "inverse complementary error function, 0 < x < 2"},
     .single = Value([](double x) { return special::InverseErfc(x); },
                     [](double x) { return std::fabs(x - 1.0) > 1.0; },
                     u"逆誤差関数erfinvに2以上または0以下の値が入力されました\r\n\r\n（逆誤差関数erfinvの引数は0<x<2でなくてはなりません）",
                     kSpecialFunctionHelpContext)},
    {.name = u"gamma",
     .catalogue = {kSpecialFamily, "gamma(x)", "gamma function"},
     .single = Value([](double x) { return special::Gamma(x); })},
    {.name = u"lgamma",
     .catalogue = {kSpecialFamily, "lgamma(x)", "logarithm of the gamma function"},
     .single = Value([](double x) { return special::LogGamma(x); })},
    {.name = u"dgamma",
     .catalogue = {kSpecialFamily, "dgamma(x) | dgamma(x, eps)", "digamma function"},
     .single = Value([](double x) { return special::Digamma(x); }),
     .list = Special(2, 1, 0, PreCheck::kNone, OneArgument<special::Digamma, special::Digamma>,
                     u"ディガンマ関数dgammaの引数の数が合っていません\r\n\r\ndgamma(x) または dgamma(x,収束判定値)です",
                     u"ディガンマ関数dgammaの引数に数値ではない文字があります")},
    {.name = u"pgamma",
     .catalogue = {kSpecialFamily, "pgamma(n, x) | pgamma(n, x, eps)", "polygamma function of order n >= 1"},
     .list = Special(3, 2, kFirst, PreCheck::kPositiveOrder, OrderAndArgument<special::Polygamma, special::Polygamma>,
                     u"ポリガンマ関数pgammaの引数の数が合っていません\r\n\r\npgamma(n,x) または pgamma(n,x,収束判定値)です",
                     u"ポリガンマ関数pgammaの引数に数値ではない文字があります", u"ポリガンマ関数pgammaの最初の引数に自然数以外の数値が入っています",
                     u"ポリガンマ関数pgammaの最初の引数に自然数以外の数値が入っています")},
    {.name = u"sgamma",
     .catalogue = {kSpecialFamily, "sgamma(a, x) | sgamma(a, x, eps)", "lower incomplete gamma function"},
     .list = Special(3, 2, 0, PreCheck::kNone,
                     TwoArguments<special::LowerIncompleteGamma, special::LowerIncompleteGamma>,
                     u"第1種不完全ガンマ関数sgammaの引数の数が合っていません\r\n\r\nsgamma(a,x) または sgamma(a,x,収束判定値)です",
                     u"第1種不完全ガンマ関数sgammaの引数に数値ではない文字があります")},
    {.name = u"bgamma",
     .catalogue = {kSpecialFamily, "bgamma(a, x) | bgamma(a, x, eps)", "upper incomplete gamma function"},
     .list = Special(3, 2, 0, PreCheck::kNone,
                     TwoArguments<special::UpperIncompleteGamma, special::UpperIncompleteGamma>,
                     u"第2種不完全ガンマ関数bgammaの引数の数が合っていません\r\n\r\nbgamma(a,x) または bgamma(a,x,収束判定値)です",
                     u"第2種不完全ガンマ関数bgammaの引数に数値ではない文字があります")},
    {.name = u"beta",
     .catalogue = {kSpecialFamily, "beta(a, b)", "beta function"},
     .list = Special(2, 0, 0, PreCheck::kNone, [](const Arguments& a) { return special::Beta(a.v[0], a.v[1]); },
                     u"ベータ関数betaの引数の数が合っていません\r\n\r\nbeta(a,x)です", u"ベータ関数betaの引数に数値ではない文字があります")},
    {.name = u"xbeta",
     .catalogue = {kSpecialFamily, "xbeta(a, b, x) | xbeta(a, b, x, eps)", "incomplete beta function"},
     .list = Special(4, 3, 0, PreCheck::kNone, ThreeArguments<special::IncompleteBeta, special::IncompleteBeta>,
                     u"不完全ベータ関数xbetaの引数の数が合っていません\r\n\r\nxbeta(a,b,x) または xbeta(a,b,x,収束判定値)です",
                     u"不完全ベータ関数xbetaの引数に数値ではない文字があります")},
    {.name = u"ibeta",
     .catalogue = {kSpecialFamily, "ibeta(a, b, x) | ibeta(a, b, x, eps)", "regularized incomplete beta function"},
     .list = Special(4, 3, 0, PreCheck::kNone,
                     ThreeArguments<special::IncompleteBetaRegularized, special::IncompleteBetaRegularized>,
                     u"正規化された不完全ベータ関数ibetaの引数の数が合っていません\r\n\r\nibeta(a,b,x) または ibeta(a,b,x,収束判定値)です",
                     u"正規化された不完全ベータ関数ibetaの引数に数値ではない文字があります")},
    {.name = u"zeta",
     .catalogue = {kSpecialFamily, "zeta(x) | zeta(x, eps)", "Riemann zeta function"},
     .single = Value([](double x) { return special::RiemannZeta(x); }),
     .list = Special(2, 1, 0, PreCheck::kNone, OneArgument<special::RiemannZeta, special::RiemannZeta>,
                     u"ゼータ関数zetaの引数の数が合っていません\r\n\r\nzeta(x) または zeta(x,収束判定値)です",
                     u"ゼータ関数zetaの引数に数値ではない文字があります")},
    {.name = u"deta",
     .catalogue = {kSpecialFamily, "deta(x) | deta(x, eps)", "Dirichlet eta function"},
     .single = Value([](double x) { return special::DirichletEta(x); }),
     .list = Special(2, 1, 0, PreCheck::kNone, OneArgument<special::DirichletEta, special::DirichletEta>,
                     u"ディリクレのイータ関数detaの引数の数が合っていません\r\n\r\ndeta(x) または deta(x,収束判定値)です",
                     u"ディリクレのイータ関数detaの引数に数値ではない文字があります")},
    {.name = u"hzeta",
     .catalogue = {kSpecialFamily, "hzeta(x, a) | hzeta(x, a, eps)", "Hurwitz zeta function"},
     .list = Special(3, 2, 0, PreCheck::kNone, TwoArguments<special::HurwitzZeta, special::HurwitzZeta>,
                     u"Hurwitzのゼータ関数hzetaの引数の数が合っていません\r\n\r\nhzeta(x,a) または hzeta(x,a,収束判定値)です",
                     u"Hurwitzのゼータ関数hzetaの引数に数値ではない文字があります")},
    {.name = u"polylog",
     .catalogue = {kSpecialFamily, "polylog(n, x) | polylog(n, x, eps)", "polylogarithm, |x| <= 1"},
     .list = Special(3, 2, 0, PreCheck::kNone, TwoArguments<special::Polylog, special::Polylog>,
                     u"多重対数関数の引数の数が合っていません\r\n\r\npolylog(n,x) または polylog(n,x,収束判定値)です",
                     u"多重対数関数polylogの引数に数値ではない文字があります")},
    {.name = u"besselj",
     .catalogue = {kSpecialFamily, "besselj(x, a) | besselj(x, a, eps)", "Bessel function of the first kind, order a"},
     .list = Special(3, 2, 0, PreCheck::kNone, TwoArguments<special::BesselJ, special::BesselJ>,
                     u"第1種ベッセル関数besseljの引数の数が合っていません\r\n\r\nbesselj(x,a) または besselj(x,a,収束判定値)です",
                     u"第1種ベッセル関数besseljの引数に数値ではない文字があります")},
    {.name = u"bessely",
     .catalogue = {kSpecialFamily, "bessely(x, a) | bessely(x, a, eps)", "Bessel function of the second kind, order a"},
     .list = Special(3, 2, 0, PreCheck::kNone, TwoArguments<special::BesselY, special::BesselY>,
                     u"第2種ベッセル関数besselyの引数の数が合っていません\r\n\r\nbessely(x,a) または bessely(x,a,収束判定値)です",
                     u"第2種ベッセル関数besselyの引数に数値ではない文字があります")},
    {.name = u"expi",
     .catalogue = {kIntegralFamily, "expi(x) | expi(x, eps)", "exponential integral Ei"},
     .single = Value([](double x) { return special::ExpIntegralEi(x); }),
     .list = Special(2, 1, 0, PreCheck::kNone, OneArgument<special::ExpIntegralEi, special::ExpIntegralEi>,
                     u"指数積分expiの引数の数が合っていません\r\n\r\nexpi(x) または expi(x,収束判定値)です",
                     u"指数積分expiの引数に数値ではない文字があります")},
    {.name = u"expn",
     .catalogue = {kIntegralFamily, "expn(n, x) | expn(n, x, eps)", "generalized exponential integral En"},
     .list = Special(3, 2, kFirst, PreCheck::kNonNegativeOrder,
                     OrderAndArgument<special::ExpIntegralEn, special::ExpIntegralEn>,
                     u"一般化指数積分expnの引数の数が合っていません\r\n\r\nexpn(n,x) または expn(n,x,収束判定値)です",
                     u"一般化指数積分expnの引数に数値ではない文字があります", u"一般化指数積分expnの最初の引数に数値ではない文字があります",
                     u"一般化指数積分expnの最初の引数に負の整数が入っています")},
    {.name = u"li",
     .catalogue = {kIntegralFamily, "li(x) | li(x, eps)", "logarithmic integral"},
     .single = Value([](double x) { return special::LogIntegral(x); }),
     .list = Special(2, 1, 0, PreCheck::kNone, OneArgument<special::LogIntegral, special::LogIntegral>,
                     u"指数積分liの引数の数が合っていません\r\n\r\nli(x) または li(x,収束判定値)です",
                     u"指数積分liの引数に数値ではない文字があります")},
    {.name = u"bsi",
     .catalogue = {kIntegralFamily, "bsi(x) | bsi(x, eps)", "sine integral Si"},
     .single = Value([](double x) { return special::SineIntegral(x); }),
     .list = Special(2, 1, 0, PreCheck::kNone, OneArgument<special::SineIntegral, special::SineIntegral>,
                     u"正弦積分bsiの引数の数が合っていません\r\n\r\nbsi(x) または bsi(x,収束判定値)です",
                     u"正弦積分bsiの引数に数値ではない文字があります")},
    {.name = u"ssi",
     .catalogue = {kIntegralFamily, "ssi(x) | ssi(x, eps)", "shifted sine integral Si(x) - pi/2"},
     .single = Value([](double x) { return special::ShiftedSineIntegral(x); }),
     .list = Special(2, 1, 0, PreCheck::kNone, OneArgument<special::ShiftedSineIntegral, special::ShiftedSineIntegral>,
                     u"正弦積分ssiの引数の数が合っていません\r\n\r\nssi(x) または ssi(x,収束判定値)です",
                     u"正弦積分ssiの引数に数値ではない文字があります")},
    {.name = u"ci",
     .catalogue = {kIntegralFamily, "ci(x) | ci(x, eps)", "cosine integral Ci, x > 0"},
     .single = Value([](double x) { return special::CosineIntegral(x); }),
     .list = Special(2, 1, 0, PreCheck::kNone, OneArgument<special::CosineIntegral, special::CosineIntegral>,
                     u"余弦積分ciの引数の数が合っていません\r\n\r\nci(x) または ci(x,収束判定値)です",
                     u"余弦積分ciの引数に数値ではない文字があります")},
    {.name = u"cin",
     .catalogue = {kIntegralFamily, "cin(x) | cin(x, eps)", "entire cosine integral Cin, x > 0"},
     .single = Value([](double x) { return special::EntireCosineIntegral(x); }),
     .list = Special(2, 1, 0, PreCheck::kNone,
                     OneArgument<special::EntireCosineIntegral, special::EntireCosineIntegral>,
                     u"余弦積分cinの引数の数が合っていません\r\n\r\ncin(x) または cin(x,収束判定値)です",
                     u"余弦積分cinの引数に数値ではない文字があります")},
    {.name = u"shi",
     .catalogue = {kIntegralFamily, "shi(x) | shi(x, eps)", "hyperbolic sine integral"},
     .single = Value([](double x) { return special::HypSineIntegral(x); }),
     .list = Special(2, 1, 0, PreCheck::kNone, OneArgument<special::HypSineIntegral, special::HypSineIntegral>,
                     u"双曲線正弦積分shiの引数の数が合っていません\r\n\r\nshi(x) または shi(x,収束判定値)です",
                     u"双曲線正弦積分shiの引数に数値ではない文字があります")},
    {.name = u"chi",
     .catalogue = {kIntegralFamily, "chi(x) | chi(x, eps)", "hyperbolic cosine integral, x > 0"},
     .single = Value([](double x) { return special::HypCosineIntegral(x); }),
     .list = Special(2, 1, 0, PreCheck::kNone, OneArgument<special::HypCosineIntegral, special::HypCosineIntegral>,
                     u"双曲線余弦積分chiの引数の数が合っていません\r\n\r\nchi(x) または chi(x,収束判定値)です",
                     u"双曲線余弦積分chiの引数に数値ではない文字があります")},
    {.name = u"fsi",
     .catalogue = {kIntegralFamily, "fsi(x) | fsi(x, eps)", "Fresnel integral S"},
     .single = Value([](double x) { return special::FresnelS(x); }),
     .list = Special(2, 1, 0, PreCheck::kNone, OneArgument<special::FresnelS, special::FresnelS>,
                     u"フレネル正弦積分shiの引数の数が合っていません\r\n\r\nfsi(x) または fsi(x,収束判定値)です",
                     u"フレネル正弦積分shiの引数に数値ではない文字があります")},
    {.name = u"fci",
     .catalogue = {kIntegralFamily, "fci(x) | fci(x, eps)", "Fresnel integral C"},
     .single = Value([](double x) { return special::FresnelC(x); }),
     .list = Special(2, 1, 0, PreCheck::kNone, OneArgument<special::FresnelC, special::FresnelC>,
                     u"フレネル余弦積分chiの引数の数が合っていません\r\n\r\nfci(x) または fci(x,収束判定値)です",
                     u"フレネル余弦積分fciの引数に数値ではない文字があります")},
});
// clang-format on

inline constexpr auto kFunctionNames = NamesOf(kFunctionTable);
inline constexpr NameIndex kFunctionIndex{kFunctionNames};
static_assert(kFunctionIndex.HasDistinctNames(), "a function name repeats: its first row would hide the others");

static_assert(
    [] {
        for (const auto& row : kFunctionTable) {
            // The forms' helpers set each kind with its handler.
            if (!row.HasSingleForm() && !row.HasListForm()) return false;
            const SpecialFrontEnd& special = row.list.special;
            if (row.list.kind == ListKind::kSpecial &&
                (special.fullCount > kMostSpecialArguments || special.shortCount >= special.fullCount)) {
                return false;
            }
            if (row.catalogue.forms.empty() || row.catalogue.description.empty()) return false;
        }
        return true;
    }(),
    "a row has no form, or a form without what its handler reads");

// The row of a name, or nullptr; constant time.
constexpr const FunctionRow* FindFunctionRow(std::u16string_view name) noexcept {
    const int row = kFunctionIndex.Find(name);
    return row < 0 ? nullptr : &kFunctionTable[static_cast<std::size_t>(row)];
}

}  // namespace quorvex
