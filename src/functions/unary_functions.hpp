// The single-argument function evaluator.
#pragma once

#include <string>
#include <string_view>

namespace quorvex {

// The NumberText of the function applied to its argument (a NumberText), or "False" when
// the name is not one it serves.
std::u16string EvaluateUnaryFunction(std::u16string_view name, std::u16string_view argument);

}  // namespace quorvex
