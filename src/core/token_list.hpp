// The TokenList: the ordered token texts that one evaluation rewrites in place.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quorvex {

using TokenList = std::vector<std::u16string>;

// What an evaluator answers when it has no rule for a name or operator.
inline constexpr std::u16string_view kFalseMarker = u"False";

}  // namespace quorvex
