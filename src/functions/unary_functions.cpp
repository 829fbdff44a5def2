// The single-argument evaluator: the single forms of the function table, looked up in constant time.
#include "functions/unary_functions.hpp"

#include "core/errors.hpp"
#include "core/integer_text.hpp"
#include "core/number_text.hpp"
#include "core/utf16.hpp"
#include "functions/function_table.hpp"

#include <cstdint>

namespace quorvex {
namespace {

constexpr std::u16string_view kOverflowTail = u"関数でオーバーフローが発生しました";
constexpr std::u16string_view kInvalidOpTail = u"関数で不正な演算が発生しました";
constexpr std::u16string_view kZeroDivideTail = u"関数で0での除算が発生しました";
constexpr std::u16string_view kLineBreak = u"\r\n";
constexpr std::u16string_view kHelpRemarkFirst = u"関数の制約に関しては、ヘルプの「数式と関数の制約」の下にある";
constexpr std::u16string_view kHelpRemarkSecond = u"対応する関数の「特徴と制約」をご覧下さい";

ShortText EvaluateIntegerText(const SingleForm& function, std::u16string_view argument) {
    const auto n = TryParseIntegerText(argument);
    if (!n) RaiseArgumentError(function.message, function.helpContext);
    return WriteIntegerText(function.integer(*n));
}

double EvaluateFunction(const SingleForm& function, double x) {
    if (function.rejects != nullptr && function.rejects(x)) RaiseArgumentError(function.message, function.helpContext);
    return function.value(x);
}

}  // namespace

void RaiseTranslatedOverflow(std::u16string_view name) {
    throw EFunctionError(JoinMessage({name, kOverflowTail}), kNoHelpContext);
}

void RaiseTranslatedInvalidOp(std::u16string_view name) {
    throw EFunctionError(
        JoinMessage({name, kInvalidOpTail, kLineBreak, kLineBreak, kHelpRemarkFirst, kLineBreak, kHelpRemarkSecond}),
        kNoHelpContext);
}

void RaiseTranslatedZeroDivide(std::u16string_view name) {
    throw EFunctionError(
        JoinMessage({name, kZeroDivideTail, kLineBreak, kLineBreak, kHelpRemarkFirst, kLineBreak, kHelpRemarkSecond}),
        kNoHelpContext);
}

int FindValueFunction(std::u16string_view name) noexcept {
    const int row = kFunctionIndex.Find(name);
    return row >= 0 && kFunctionTable[static_cast<std::size_t>(row)].single.kind == SingleKind::kValue ? row : -1;
}

double EvaluateValueFunction(int row, double x) {
    const FunctionRow& function = kFunctionTable[static_cast<std::size_t>(row)];
    return TranslateMathError(function.name, [&] { return EvaluateFunction(function.single, x); });
}

UnaryOutcome EvaluateUnaryFunctionValue(std::u16string_view name, double x, double& result) {
    if (const int row = FindValueFunction(name); row >= 0) {
        result = EvaluateValueFunction(row, x);
        return UnaryOutcome::kValue;
    }
    const FunctionRow* row = FindFunctionRow(name);
    return row != nullptr && row->single.kind == SingleKind::kInteger ? UnaryOutcome::kReadsText : UnaryOutcome::kFalse;
}

ShortText EvaluateUnaryFunction(std::u16string_view name, std::u16string_view argument, std::optional<double> value,
                                char16_t separator) {
    if (const int row = FindValueFunction(name); row >= 0) {
        return WriteNumberText(EvaluateValueFunction(row, value ? *value : ParseNumberText(argument, separator)),
                               separator);
    }
    if (const FunctionRow* row = FindFunctionRow(name); row != nullptr && row->single.kind == SingleKind::kInteger) {
        return EvaluateIntegerText(row->single, argument);
    }
    return ShortText(kFalseMarker);
}

}  // namespace quorvex
