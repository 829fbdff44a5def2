// Registry lookups, and the check that the registries and the tokenizer agree on the names.
#include "pipeline/registries.hpp"

#include "pipeline/separator_table.hpp"

#include <algorithm>

namespace quorvex {
namespace {

constexpr std::size_t kFirstNameEntry = 8;  // "pi": the separators stand before it
constexpr std::u16string_view kPiName = u"pi";

constexpr bool Contains(FunctionRegistry registry, std::u16string_view name) {
    return std::find(registry.begin(), registry.end(), name) != registry.end();
}

// Both registries together hold exactly the separator table's names other than "pi".
static_assert([] {
    if (kSeparatorTable[kFirstNameEntry] != kPiName) return false;
    for (std::size_t entry = kFirstNameEntry + 1; entry < kSeparatorTable.size(); ++entry) {
        const auto name = kSeparatorTable[entry];
        if (!Contains(kUnaryFunctionRegistry, name) && !Contains(kMultiArgFunctionRegistry, name)) return false;
    }
    for (const auto registry : {kUnaryFunctionRegistry, kMultiArgFunctionRegistry}) {
        for (const auto name : registry) {
            if (std::find(kSeparatorTable.begin() + kFirstNameEntry + 1, kSeparatorTable.end(), name) ==
                kSeparatorTable.end()) {
                return false;
            }
        }
    }
    return true;
}(), "the registries and the separator table disagree");

}  // namespace

int FindRegistryName(FunctionRegistry registry, std::u16string_view name) noexcept {
    const auto found = std::find(registry.begin(), registry.end(), name);
    return found == registry.end() ? -1 : static_cast<int>(found - registry.begin());
}

}  // namespace quorvex
