// The single-argument function evaluator.
#pragma once

#include "core/decimal_separator.hpp"
#include "core/short_text.hpp"

#include <quorvex/quorvex.hpp>

#include <optional>
#include <string>
#include <string_view>

namespace quorvex {

// The text that replaces a single-argument function name and its argument: the NumberText of
// the value, a decimal integer for "not" and "notn", or "False" when the name is not one it
// serves (the argument is then not read). Argument checks raise EFunctionError with their own
// messages; floating-point faults are translated by TranslateMathError; errors of the
// special-function routines pass unchanged.
// `value`, when given, is the argument already read as a number (the engine reads it to check
// it), so that it is not read twice.
ShortText EvaluateUnaryFunction(std::u16string_view name, std::u16string_view argument,
                                std::optional<double> value = std::nullopt, char16_t separator = DecimalSeparator());

enum class UnaryOutcome { kValue, kFalse, kReadsText };

// The same from the argument's value: kValue with the value the NumberText would be written
// from; kReadsText for the functions that read the argument's text ("not", "notn"), which only
// EvaluateUnaryFunction serves; kFalse for a name it does not serve.
UnaryOutcome EvaluateUnaryFunctionValue(std::u16string_view name, double x, double& result);

// The same in two steps, for callers that look a name up once: the row of a name that
// EvaluateUnaryFunctionValue answers with kValue, or -1; then the value for a row.
int FindValueFunction(std::u16string_view name) noexcept;
double EvaluateValueFunction(int row, double x);

// Runs the action; an EOverflow, EInvalidOp or EZeroDivide leaving it becomes an
// EFunctionError with help context 0 whose message begins with the function's name. Every
// other error passes unchanged.
template <typename Action>
auto TranslateMathError(std::u16string_view name, Action&& action) -> decltype(action());

[[noreturn]] void RaiseTranslatedOverflow(std::u16string_view name);
[[noreturn]] void RaiseTranslatedInvalidOp(std::u16string_view name);
[[noreturn]] void RaiseTranslatedZeroDivide(std::u16string_view name);

template <typename Action>
auto TranslateMathError(std::u16string_view name, Action&& action) -> decltype(action()) {
    try {
        return action();
    } catch (const EOverflow&) {
        RaiseTranslatedOverflow(name);
    } catch (const EInvalidOp&) {
        RaiseTranslatedInvalidOp(name);
    } catch (const EZeroDivide&) {
        RaiseTranslatedZeroDivide(name);
    }
}

}  // namespace quorvex
