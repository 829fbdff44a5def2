// What the engine shows an observer.
#pragma once

#include "core/token_list.hpp"

#include <quorvex/quorvex.hpp>

#include <string>
#include <vector>

namespace quorvex {

// A copy of the tokens in the observer's terms; made only when there is an observer.
std::vector<std::u16string> ToStandardTokens(const TokenList& tokens);

}  // namespace quorvex
