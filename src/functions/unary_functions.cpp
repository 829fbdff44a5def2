// The single-argument evaluator: one table row per name, looked up in constant time.
#include "functions/unary_functions.hpp"

#include "core/checked_float.hpp"
#include "core/elementary_math.hpp"
#include "core/errors.hpp"
#include "core/integer_text.hpp"
#include "core/name_index.hpp"
#include "core/number_text.hpp"
#include "core/token_list.hpp"
#include "core/utf16.hpp"
#include "functions/elementary.hpp"
#include "functions/integer_functions.hpp"
#include "special/distributions.hpp"
#include "special/error_function.hpp"
#include "special/exponential_integrals.hpp"
#include "special/gamma.hpp"
#include "special/trigonometric_integrals.hpp"
#include "special/zeta.hpp"

#include <array>
#include <cmath>
#include <cstdint>

namespace quorvex {
namespace {

constexpr std::int32_t kLogarithmHelpContext = 10004;
constexpr std::int32_t kTrigonometricHelpContext = 10005;
constexpr std::int32_t kIntegerHelpContext = 10007;
constexpr std::int32_t kSpecialFunctionHelpContext = 10008;

constexpr double kRadiansPerDegree = 0.017453292519943295;
constexpr double kDegreesPerRadian = 57.29577951308232;
constexpr double kLog10OfE = 0.4342944819032518;

constexpr std::u16string_view kOverflowTail = u"関数でオーバーフローが発生しました";
constexpr std::u16string_view kInvalidOpTail = u"関数で不正な演算が発生しました";
constexpr std::u16string_view kZeroDivideTail = u"関数で0での除算が発生しました";
constexpr std::u16string_view kLineBreak = u"\r\n";
constexpr std::u16string_view kHelpRemarkFirst = u"関数の制約に関しては、ヘルプの「数式と関数の制約」の下にある";
constexpr std::u16string_view kHelpRemarkSecond = u"対応する関数の「特徴と制約」をご覧下さい";

// A function of a double, and the check that rejects its argument before anything is computed.
struct UnaryFunction {
    std::u16string_view name;
    double (*value)(double);
    bool (*rejects)(double);  // null: every argument is accepted
    std::u16string_view message;
    std::int32_t helpContext;
};

// Integer functions read their argument as a 32-bit integer; any failure has one message.
struct IntegerUnaryFunction {
    std::u16string_view name;
    std::int32_t (*value)(std::int32_t);
    std::u16string_view message;
};

double Checked(double (*f)(double), double x) { return CheckResult(f(x), x); }

// Ordered as the evaluator has always compared the names; the lookup does not depend on it.
constexpr std::array<UnaryFunction, 58> kUnaryFunctions = {{
    {u"ln", [](double x) { return CheckedLn(x); }, [](double x) { return x <= 0.0; },
     u"ln関数に0以下の数が入力されました\r\n\r\n（ln関数の引数は正数でなくてはなりません）", kLogarithmHelpContext},
    {u"log", [](double x) { return CheckedMultiply(CheckedLn(x), kLog10OfE); }, [](double x) { return x <= 0.0; },
     u"log関数に0以下の数が入力されました\r\n\r\n（log関数の引数は正数でなくてはなりません）", kLogarithmHelpContext},
    {u"exp", [](double x) { return CheckedExp(x); }, nullptr, {}, 0},
    {u"sin", [](double x) { return Checked(Sin, x); }, nullptr, {}, 0},
    {u"cos", [](double x) { return Checked(Cos, x); }, nullptr, {}, 0},
    {u"sec", [](double x) { return CheckedDivide(1.0, Checked(Cos, x)); }, [](double x) { return Cos(x) == 0.0; },
     u"　　sec関数にπ*（2n+1)/2が入力されました\r\n\r\n（sec=1/cosであるため、cos(π*（2n+1)/2)は0の除算です）",
     kTrigonometricHelpContext},
    {u"cot", [](double x) { return CheckedDivide(1.0, Checked(Tan, x)); }, [](double x) { return Sin(x) == 0.0; },
     u"　　cot関数にπ*nが入力されました\r\n\r\n（cot=cos/sinであるため、sin(π*n)は0の除算です）", kTrigonometricHelpContext},
    {u"csc", [](double x) { return CheckedDivide(1.0, Checked(Sin, x)); }, [](double x) { return Sin(x) == 0.0; },
     u"　　csc関数にπ*nが入力されました\r\n\r\n（csc=1/sinであるため、sin(π*n)は0の除算です）", kTrigonometricHelpContext},
    {u"tan", [](double x) { return Checked(Tan, x); }, [](double x) { return Cos(x) == 0.0; },
     u"　　tan関数にπ*（2n+1)/2が入力されました\r\n\r\n（tan=sin/cosであるため、cos(π*（2n+1)/2)は0の除算です）",
     kTrigonometricHelpContext},
    {u"abs", [](double x) { return std::fabs(x); }, nullptr, {}, 0},
    {u"sqr", [](double x) { return CheckedMultiply(x, x); }, nullptr, {}, 0},
    {u"int", IntegerPart, nullptr, {}, 0},
    {u"rad", [](double x) { return CheckedMultiply(x, kRadiansPerDegree); }, nullptr, {}, 0},
    {u"deg", [](double x) { return CheckedMultiply(x, kDegreesPerRadian); }, nullptr, {}, 0},
    {u"sinh", HyperbolicSine, nullptr, {}, 0},
    {u"cosh", HyperbolicCosine, nullptr, {}, 0},
    {u"sech", [](double x) { return CheckedDivide(1.0, HyperbolicCosine(x)); }, nullptr, {}, 0},
    {u"coth", [](double x) { return CheckedDivide(1.0, Checked(Tanh, x)); }, [](double x) { return x == 0.0; },
     u"　　coth関数に0が入力されました\r\n\r\n（coth={exp(x)+exp(-x)}/{exp(x)-exp(-x)}であるため、0の除算です）",
     kTrigonometricHelpContext},
    {u"csch", HyperbolicCosecant, [](double x) { return x == 0.0; },
     u"　　csch関数に0が入力されました\r\n\r\n（ccsh=1/{exp(x)-exp(-x)}であるため、0の除算です）", kTrigonometricHelpContext},
    {u"tanh", [](double x) { return Checked(Tanh, x); }, nullptr, {}, 0},
    {u"sign", Sign, nullptr, {}, 0},
    {u"sqrt", [](double x) { return CheckedSqrt(x); }, [](double x) { return x < 0.0; },
     u"sqrt関数に負数が入力されました\r\n\r\n（虚数になってしまいます）", kLogarithmHelpContext},
    {u"frac", FractionalPart, nullptr, {}, 0},
    {u"fact", [](double x) { return special::Factorial(x); }, nullptr, {}, 0},
    {u"asin", [](double x) { return Checked(Asin, x); }, [](double x) { return x > 1.0 || x < -1.0; },
     u"　asin関数に1より大きい数が入力されました\r\n\r\n（asin関数の引数は1以下でなくてはなりません）", kTrigonometricHelpContext},
    {u"acos", [](double x) { return Checked(Acos, x); }, [](double x) { return x > 1.0 || x < -1.0; },
     u"　acos関数に1より大きい数が入力されました\r\n\r\n（acos関数の引数は1以下でなくてはなりません）", kTrigonometricHelpContext},
    {u"asec", InverseSecant, [](double x) { return std::fabs(x) < 1.0; },
     u"　asec関数に1より小さい数が入力されました\r\n\r\n（asec関数の引数は1以上でなくてはなりません）", kTrigonometricHelpContext},
    {u"acot", InverseCotangent, nullptr, {}, 0},
    {u"acsc", InverseCosecant, [](double x) { return std::fabs(x) < 1.0; },
     u"　acsc関数に1より小さい数が入力されました\r\n\r\n（acsc関数の引数は1以上でなくてはなりません）", kTrigonometricHelpContext},
    {u"atan", [](double x) { return Checked(Atan, x); }, nullptr, {}, 0},
    {u"asinh", InverseHyperbolicSine, nullptr, {}, 0},
    {u"acosh", InverseHyperbolicCosine, [](double x) { return std::fabs(x) < 1.0; },
     u"　acosh関数に1より小さい数が入力されました\r\n\r\n（acosh関数の引数は1以上でなくてはなりません）", kTrigonometricHelpContext},
    {u"asech", InverseHyperbolicSecant, [](double x) { return x > 1.0 || x <= 0.0; },
     u"　asech関数に0以下、又は1より大きい数が入力されました\r\n\r\n（asech関数の引数は0より大きく1以下でなくてはなりません）",
     kTrigonometricHelpContext},
    {u"acoth", InverseHyperbolicCotangent, [](double x) { return std::fabs(x) < 1.0; },
     u"　acoth関数に1より小さい数が入力されました\r\n\r\n（acoth関数の引数は1以上でなくてはなりません）", kTrigonometricHelpContext},
    {u"acsch", InverseHyperbolicCosecant, [](double x) { return x == 0.0; },
     u"　　　acsch関数に0が入力されました\r\n\r\n（acsch関数の引数は0以外でなくてはなりません）", kTrigonometricHelpContext},
    {u"atanh", InverseHyperbolicTangent, [](double x) { return std::fabs(x) > 1.0; },
     u"　atanh関数に1より大きい数が入力されました\r\n\r\n（atanh関数の引数は1以下でなくてはなりません）", kTrigonometricHelpContext},
    // Special functions, in their default forms.
    {u"fisher", [](double x) { return special::Fisher(x); }, nullptr, {}, 0},
    {u"fisherinv", [](double x) { return special::FisherInverse(x); }, nullptr, {}, 0},
    {u"erf", [](double x) { return special::Erf(x); }, nullptr, {}, 0},
    {u"erfinv", [](double x) { return special::InverseErf(x); }, [](double x) { return std::fabs(x) > 1.0; },
     u"逆誤差関数erfinvに1以上または-1以下の値が入力されました\r\n\r\n（逆誤差関数erfinvの引数は-1<x<1でなくてはなりません）",
     kSpecialFunctionHelpContext},
    {u"erfcinv", [](double x) { return special::InverseErfc(x); }, [](double x) { return std::fabs(x - 1.0) > 1.0; },
     u"逆誤差関数erfinvに2以上または0以下の値が入力されました\r\n\r\n（逆誤差関数erfinvの引数は0<x<2でなくてはなりません）",
     kSpecialFunctionHelpContext},
    {u"erfc", [](double x) { return special::Erfc(x); }, nullptr, {}, 0},
    {u"gamma", [](double x) { return special::Gamma(x); }, nullptr, {}, 0},
    {u"lgamma", [](double x) { return special::LogGamma(x); }, nullptr, {}, 0},
    {u"expi", [](double x) { return special::ExpIntegralEi(x); }, nullptr, {}, 0},
    {u"li", [](double x) { return special::LogIntegral(x); }, nullptr, {}, 0},
    {u"zeta", [](double x) { return special::RiemannZeta(x); }, nullptr, {}, 0},
    {u"deta", [](double x) { return special::DirichletEta(x); }, nullptr, {}, 0},
    {u"dgamma", [](double x) { return special::Digamma(x); }, nullptr, {}, 0},
    {u"bsi", [](double x) { return special::SineIntegral(x); }, nullptr, {}, 0},
    {u"ssi", [](double x) { return special::ShiftedSineIntegral(x); }, nullptr, {}, 0},
    {u"ci", [](double x) { return special::CosineIntegral(x); }, nullptr, {}, 0},
    {u"cin", [](double x) { return special::EntireCosineIntegral(x); }, nullptr, {}, 0},
    {u"shi", [](double x) { return special::HypSineIntegral(x); }, nullptr, {}, 0},
    {u"chi", [](double x) { return special::HypCosineIntegral(x); }, nullptr, {}, 0},
    {u"fsi", [](double x) { return special::FresnelS(x); }, nullptr, {}, 0},
    {u"fci", [](double x) { return special::FresnelC(x); }, nullptr, {}, 0},
    {u"nsdist", [](double x) { return special::StandardNormalCdf(x); }, nullptr, {}, 0},
}};

constexpr std::array<IntegerUnaryFunction, 2> kIntegerUnaryFunctions = {{
    {u"notn", NotN, u"not関数に整数ではない数が入力されました"},
    {u"not", [](std::int32_t n) { return ~n; }, u"not32関数に整数ではない数が入力されました"},
}};

constexpr auto kUnaryFunctionNames = NamesOf(kUnaryFunctions);
constexpr auto kIntegerUnaryFunctionNames = NamesOf(kIntegerUnaryFunctions);
constexpr NameIndex kUnaryFunctionIndex{kUnaryFunctionNames};
constexpr NameIndex kIntegerUnaryFunctionIndex{kIntegerUnaryFunctionNames};
static_assert(kUnaryFunctionIndex.HasDistinctNames() && kIntegerUnaryFunctionIndex.HasDistinctNames());
static_assert(kIntegerUnaryFunctionIndex.Find(u"notn") >= 0 && kUnaryFunctionIndex.Find(u"notn") < 0);

ShortText EvaluateIntegerFunction(const IntegerUnaryFunction& function, std::u16string_view argument) {
    const auto n = TryParseIntegerText(argument);
    if (!n) throw EFunctionError(std::u16string(function.message), kIntegerHelpContext);
    return WriteIntegerText(function.value(*n));
}

double EvaluateFunction(const UnaryFunction& function, double x) {
    if (function.rejects != nullptr && function.rejects(x)) {
        throw EFunctionError(std::u16string(function.message), function.helpContext);
    }
    return function.value(x);
}

}  // namespace

void RaiseTranslatedOverflow(std::u16string_view name) {
    throw EFunctionError(JoinMessage({name, kOverflowTail}), kNoHelpContext);
}

void RaiseTranslatedInvalidOp(std::u16string_view name) {
    throw EFunctionError(JoinMessage({name, kInvalidOpTail, kLineBreak, kLineBreak, kHelpRemarkFirst, kLineBreak,
                                      kHelpRemarkSecond}),
                         kNoHelpContext);
}

void RaiseTranslatedZeroDivide(std::u16string_view name) {
    throw EFunctionError(JoinMessage({name, kZeroDivideTail, kLineBreak, kLineBreak, kHelpRemarkFirst, kLineBreak,
                                      kHelpRemarkSecond}),
                         kNoHelpContext);
}

int FindValueFunction(std::u16string_view name) noexcept {
    const int row = kUnaryFunctionIndex.Find(name);
    return row >= 0 && kUnaryFunctions[static_cast<std::size_t>(row)].value != nullptr ? row : -1;
}

double EvaluateValueFunction(int row, double x) {
    const UnaryFunction& function = kUnaryFunctions[static_cast<std::size_t>(row)];
    return TranslateMathError(function.name, [&] { return EvaluateFunction(function, x); });
}

UnaryOutcome EvaluateUnaryFunctionValue(std::u16string_view name, double x, double& result) {
    if (const int row = FindValueFunction(name); row >= 0) {
        result = EvaluateValueFunction(row, x);
        return UnaryOutcome::kValue;
    }
    if (kUnaryFunctionIndex.Find(name) < 0 && kIntegerUnaryFunctionIndex.Find(name) >= 0) return UnaryOutcome::kReadsText;
    return UnaryOutcome::kFalse;
}

ShortText EvaluateUnaryFunction(std::u16string_view name, std::u16string_view argument, std::optional<double> value) {
    if (const int row = kUnaryFunctionIndex.Find(name); row >= 0) {
        if (kUnaryFunctions[static_cast<std::size_t>(row)].value == nullptr) return ShortText(kFalseMarker);
        double result = 0.0;
        EvaluateUnaryFunctionValue(name, value ? *value : ParseNumberText(argument), result);
        return WriteNumberText(result);
    }
    if (const int row = kIntegerUnaryFunctionIndex.Find(name); row >= 0) {
        return EvaluateIntegerFunction(kIntegerUnaryFunctions[static_cast<std::size_t>(row)], argument);
    }
    return ShortText(kFalseMarker);
}

}  // namespace quorvex
