// Gluing exponent notation that the tokenizer split at its sign back into one token.
#pragma once

#include "pipeline/token.hpp"

#include <cstddef>
#include <memory_resource>
#include <span>
#include <string_view>

namespace quorvex {

// Joins every token whose first "e" is its last unit with the token after it, or with a sign
// and the token after that, and checks that the joined text is a number. Raises EConvertError
// "eを含む文字列が、正しい数値になっていません" when the first token is "e", and
// "eに数値を代入する際にエラーになりました" when a join is impossible or not a number; both with help context 0.
void JoinExponentNotation(Tokens& tokens, std::u16string_view source = {}, char16_t separator = DecimalSeparator());

// The same step for the tokens at the front of `ahead`, which holds three of them unless the
// list ends sooner: writes the token they make and answers how many it takes. A joined text
// that lies whole in `source` is viewed there; another is copied into the arena.
std::size_t JoinExponent(std::span<const Token> ahead, Token& result, std::pmr::memory_resource& arena,
                         std::u16string_view source = {}, char16_t separator = DecimalSeparator());
// Raises the first token's error.
void CheckFirstExponentToken(const Token& first);

}  // namespace quorvex
