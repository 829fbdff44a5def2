// The reduction engine: brackets from the innermost and rightmost outward, functions, unary
// minus and operators, until one token is left.
#pragma once

#include "pipeline/evaluation_context.hpp"
#include "pipeline/token.hpp"

namespace quorvex {

// Reduces the list in place. True: exactly one token is left. False: the expression does not
// reduce (a "(" without ")" after it, a trailing "-", two numbers side by side, an evaluator
// answering "False"). Empty brackets raise EFunctionError; every other error propagates.
bool ReduceTokenList(Tokens& tokens, const EvaluationContext& context);

// Turns each "-" that does not follow a number into the sign of the number after it, and a
// leading "-" likewise. Answers false only when a "-" is the last token.
bool FoldUnaryMinus(Tokens& tokens, const EvaluationContext& context);

// The token that a "-" and the number after it fold into.
Token NegatedToken(const Token& number, const EvaluationContext& context);

// Applies every single-argument function name that a number follows, in one pass from the
// left. Answers false when the evaluator answers "False". A name without a number after it
// raises EFunctionError naming the function.
bool ApplyUnaryFunctions(Tokens& tokens, const EvaluationContext& context);

}  // namespace quorvex
