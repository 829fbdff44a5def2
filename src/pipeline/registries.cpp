// The check that the function table and the tokenizer agree on the names.
#include "pipeline/registries.hpp"

#include "pipeline/separator_table.hpp"

#include <algorithm>
#include <cstddef>
#include <span>

namespace quorvex {
namespace {

// The separator table's names after "pi" are exactly the function table's, each once: a name
// the tokenizer does not cut out never reaches a registry whole.
static_assert(
    [] {
        const auto names = std::span(kSeparatorTable).subspan(kFirstNameEntry + 1);
        if (names.size() != kFunctionTable.size()) return false;
        for (std::size_t i = 0; i < names.size(); ++i) {
            if (kFunctionIndex.Find(names[i]) < 0) return false;
            if (std::find(names.begin(), names.begin() + static_cast<std::ptrdiff_t>(i), names[i]) !=
                names.begin() + static_cast<std::ptrdiff_t>(i))
                return false;
        }
        return true;
    }(),
    "the function table and the separator table disagree");

}  // namespace

}  // namespace quorvex
