// The call of a multi-argument function on its bracketed group.
#pragma once

#include "pipeline/evaluation_context.hpp"
#include "pipeline/token.hpp"

namespace quorvex {

// Splits the group at its commas, reduces each argument with unary-minus folding and the
// operators, and replaces the group by the answer of the name's handler. Answers false when
// an argument does not reduce to one token (empty, trailing "-", two numbers side by side).
// Operator and handler errors propagate.
bool EvaluateMultiArgCall(Tokens& group, const Token& name, const EvaluationContext& context);

}  // namespace quorvex
