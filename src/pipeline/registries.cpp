// Registry lookups, and the check that the registries and the tokenizer agree on the names.
#include "pipeline/registries.hpp"

#include "pipeline/separator_table.hpp"

#include <algorithm>

namespace quorvex {
namespace {


constexpr bool Contains(const FunctionRegistry& registry, std::u16string_view name) {
    return registry.Find(name) >= 0;
}

// Both registries together hold exactly the separator table's names other than "pi".
static_assert([] {
    for (std::size_t entry = kFirstNameEntry + 1; entry < kSeparatorTable.size(); ++entry) {
        const auto name = kSeparatorTable[entry];
        if (!Contains(kUnaryFunctionRegistry, name) && !Contains(kMultiArgFunctionRegistry, name)) return false;
    }
    for (const auto* registry : {&kUnaryFunctionRegistry, &kMultiArgFunctionRegistry}) {
        for (const auto name : *registry) {
            if (std::find(kSeparatorTable.begin() + kFirstNameEntry + 1, kSeparatorTable.end(), name) ==
                kSeparatorTable.end()) {
                return false;
            }
        }
    }
    return true;
}(), "the registries and the separator table disagree");

}  // namespace

}  // namespace quorvex
