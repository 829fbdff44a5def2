// The integer functions: 32-bit two's-complement arithmetic, and the sign-and-magnitude view
// in which a number is a sign and the binary digits of its magnitude.
#pragma once

#include "core/short_text.hpp"
#include "core/token_list.hpp"

#include <cstdint>
#include <string>
#include <string_view>

namespace quorvex {

// The complement of n's binary digits with n's sign flipped: notn(5) = -2, notn(0) = 1, in
// 32-bit wrap-around arithmetic.
std::int32_t NotN(std::int32_t n);

// The two-argument integer functions, by name: "mod", "div", "shl", "shr", "and", "or",
// "xor", "andn", "orn", "xorn". Answers the result as decimal integer text. A wrong argument
// count raises the function's count message; an argument that is not a 32-bit integer, a
// zero divisor, -2147483648 / -1 and a sign-and-magnitude result beyond 32 bits raise its
// value message (EFunctionError, help context 10006 for mod, 10007 for the others).
// Answers "False" for any other name.
ShortText EvaluateIntegerFunction(std::u16string_view name, const TokenList& arguments);

}  // namespace quorvex
