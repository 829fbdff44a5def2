// The single-argument function evaluator. No function is served yet.
#include "functions/unary_functions.hpp"

#include "core/token_list.hpp"

namespace quorvex {

std::u16string EvaluateUnaryFunction(std::u16string_view /*name*/, std::u16string_view /*argument*/) {
    return std::u16string(kFalseMarker);
}

}  // namespace quorvex
