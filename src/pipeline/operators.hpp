// The binary operators "^", "*", "/", "+" and "-" over a bracket-free run of tokens.
#pragma once

#include "core/short_text.hpp"
#include "core/token_list.hpp"
#include "pipeline/evaluation_context.hpp"
#include "pipeline/token.hpp"

#include <string>
#include <string_view>

namespace quorvex {

// Reduces the run in three left-to-right passes: "^"; then "*" and "/"; then "+" and "-",
// where a negative number directly after another token is added to it. Answers true exactly
// when one token is left. A "^" in the last position raises EStringListError; operator and
// parse errors propagate.
bool ReduceOperators(Tokens& tokens, const EvaluationContext& context);
bool ReduceOperators(TokenList& tokens);

// a op b for an operator kind, before it is written, with the errors above.
double ComputeOperator(double a, TokenKind op, double b);

// The NumberText of a op b, or "False" when op is none of the five operators. Operands that
// are not numbers raise EConvertError; overflow and division by zero raise EFunctionError
// "オーバーフローが発生しました" and "分母が0になり、0での除算が発生しました" (help context 0);
// an invalid operation raises EInvalidOp.
ShortText ApplyBinaryOperator(std::u16string_view a, std::u16string_view op, std::u16string_view b);

}  // namespace quorvex
