// The TokenList: the ordered token texts that one evaluation rewrites in place. Lists and texts
// take their memory from the evaluation's arena (a polymorphic allocator), so a short
// expression is evaluated without touching the heap.
#pragma once

#include <memory_resource>
#include <string>
#include <string_view>
#include <vector>

namespace quorvex {

using TokenText = std::pmr::u16string;
using TokenList = std::pmr::vector<TokenText>;

// What an evaluator answers when it has no rule for a name or operator.
inline constexpr std::u16string_view kFalseMarker = u"False";

}  // namespace quorvex
