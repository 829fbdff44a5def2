// The aggregates over any number of arguments, and the binomial coefficient.
#pragma once

#include "core/short_text.hpp"
#include "core/token_list.hpp"

#include <string>

namespace quorvex {

// The largest and smallest argument, each comparison made on the 15-digit text of the running
// answer; one argument is answered unchanged. An empty list raises EFunctionError 10006.
ShortText Maximum(const TokenList& arguments, char16_t separator);
ShortText Minimum(const TokenList& arguments, char16_t separator);
// The total, added in order from 0; overflow raises EOverflow unchanged.
ShortText Sum(const TokenList& arguments, char16_t separator);
// The total's 15-digit text read again and divided by the count.
ShortText Average(const TokenList& arguments, char16_t separator);
// n over k for the integer arguments n and k, with its checks (EFunctionError 10006).
ShortText Combin(const TokenList& arguments, char16_t separator);

}  // namespace quorvex
