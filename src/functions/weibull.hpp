// The Weibull distributions: density (mode 0) or distribution function (mode 1).
#pragma once

#include "core/short_text.hpp"
#include "core/token_list.hpp"

#include <string>

namespace quorvex {

// weibull(x, alpha, beta, mode): checks count, x >= 0, alpha > 0, beta > 0, then the mode text
// ("0" or "1"), each failure an EFunctionError with help context 10006. Arithmetic faults pass
// unchanged.
ShortText Weibull(const TokenList& arguments, char16_t separator);

// weibull3(x, alpha, beta, gamma, mode): checks count, the mode text, then x >= 0; the
// distribution of x - gamma.
ShortText Weibull3(const TokenList& arguments, char16_t separator);

}  // namespace quorvex
