// The evaluation driver: the stages of the pipeline in their fixed order over one token list.
#pragma once

#include "pipeline/evaluation_context.hpp"

#include <string_view>

namespace quorvex {

// The value of the expression (UTF-16, ends at the first NUL; null is the empty text), or
// the NaN 0xFFF8000000000000 when it does not reduce. Raises EConvertError for an empty
// expression, EFunctionError when the brackets do not balance, and whatever the stages raise.
// Runs in whatever floating-point environment the caller set up.
// The context picks the reduction and the observer; a nested evaluation (from an observer's
// callback) runs with a context of its own.
double EvaluateExpression(const char16_t* expression, const EvaluationContext& context = {});
double EvaluateExpression(std::u16string_view expression, const EvaluationContext& context = {});

}  // namespace quorvex
