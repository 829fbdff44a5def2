// Gluing exponent notation that the tokenizer split at its sign back into one token.
#pragma once

#include "core/token_list.hpp"
#include "pipeline/token.hpp"

namespace quorvex {

// Joins every token whose first "e" is its last unit with the token after it, or with a sign
// and the token after that, and checks that the joined text is a number. Answers true.
// Raises EConvertError "eを含む文字列が、正しい数値になっていません" when the first token is
// "e", and "eに数値を代入する際にエラーになりました" when a join is impossible or not a
// number; both with help context 0.
bool JoinExponentNotation(Tokens& tokens);
bool JoinExponentNotation(TokenList& tokens);

}  // namespace quorvex
