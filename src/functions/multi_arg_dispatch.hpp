// The dispatch of multi-argument functions to their handlers.
#pragma once

#include "core/decimal_separator.hpp"
#include "core/short_text.hpp"
#include "core/token_list.hpp"

#include <string>
#include <string_view>

namespace quorvex {

// The answer of the name's handler for the argument texts, or "False" when the name has no
// handler. Handlers check their own arguments and raise their own errors.
ShortText DispatchMultiArgFunction(std::u16string_view name, const TokenList& arguments,
                                   char16_t separator = DecimalSeparator());

}  // namespace quorvex
