// The aggregates over any number of arguments, and the binomial coefficient.
#pragma once

#include "core/token_list.hpp"

#include <string>

namespace quorvex {

// The largest and smallest argument, each comparison made on the 15-digit text of the running
// answer; one argument is answered unchanged. An empty list raises EFunctionError 10006.
std::u16string Maximum(const TokenList& arguments);
std::u16string Minimum(const TokenList& arguments);
// The total, added in order from 0; overflow raises EOverflow unchanged.
std::u16string Sum(const TokenList& arguments);
// The total's 15-digit text read again and divided by the count.
std::u16string Average(const TokenList& arguments);
// n over k for the integer arguments n and k, with its checks (EFunctionError 10006).
std::u16string Combin(const TokenList& arguments);

}  // namespace quorvex
