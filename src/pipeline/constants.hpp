// The substitution of constants, and the rows the exports show.
#pragma once

#include "pipeline/physical_constants.hpp"
#include "pipeline/token.hpp"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace quorvex {

// The row, or nullptr outside 0 .. 33.
const PhysicalConstant* FindPhysicalConstant(std::int32_t index) noexcept;

// Replaces every token that is exactly "pi" or a constant's token by the NumberText of its
// value, and the token "deg" followed by the token "0" by that of deg0 (the tokenizer always
// cuts "deg" off). A failure while a token is handled raises EConvertError
// "定数<token>に数値を代入する際にエラーになりました" with help context 10009.
void SubstituteConstants(Tokens& tokens, char16_t separator = DecimalSeparator());

// The same step for the tokens at the front of `ahead`, which holds two of them unless the
// list ends sooner: writes the token they make and answers how many it takes.
std::size_t SubstituteConstant(std::span<const Token> ahead, Token& result, char16_t separator = DecimalSeparator());

}  // namespace quorvex
