// The binary operators "^", "*", "/", "+" and "-" over a bracket-free run of tokens.
#pragma once

#include "pipeline/evaluation_context.hpp"
#include "pipeline/token.hpp"

namespace quorvex {

// Reduces the run in three left-to-right passes: "^"; then "*" and "/"; then "+" and "-",
// where a negative number directly after another token is added to it. Answers true exactly
// when one token is left. A "^" in the last position raises EStringListError; operator and
// parse errors propagate.
bool ReduceOperators(Tokens& tokens, const EvaluationContext& context);

// a op b for an operator kind, before it is written. Overflow and division by zero raise
// EFunctionError "オーバーフローが発生しました" and "分母が0になり、0での除算が発生しました"
// (help context 0); an invalid operation raises EInvalidOp.
double ComputeOperator(double a, TokenKind op, double b);

}  // namespace quorvex
