// The limit the benchmarks measure against: a minimal evaluator over the same UTF-16 text.
// Recursive descent, numbers read straight to double, plain IEEE arithmetic, no 15-digit
// rounding, no error texts. It reads the benchmark corpus and nothing more demanding.
#pragma once

#include <string_view>

namespace quorvex::bench {

// The value of the expression, or NaN where it does not parse.
double EvaluateMinimally(std::u16string_view text) noexcept;

}  // namespace quorvex::bench
