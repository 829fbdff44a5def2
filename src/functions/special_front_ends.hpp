// The front-ends of the multi-argument special functions and distributions: count test,
// conversion of the arguments, the routine, the answer as NumberText.
#pragma once

#include "core/short_text.hpp"
#include "core/token_list.hpp"

#include <string>
#include <string_view>

namespace quorvex {

// The answer of the named special function or distribution for the argument texts, or "False"
// for any other name. A count that fits no form raises the function's count message
// (EFunctionError 10008); an argument that does not convert raises its non-numeric message
// (EConvertError 10001); the routines' own errors and floating-point faults pass unchanged,
// except ndist's division by zero (EZeroDivide 10001 naming the standard deviation).
ShortText EvaluateSpecialFunction(std::u16string_view name, const TokenList& arguments);

}  // namespace quorvex
