// The two lists of function names that decide which tokens the engine treats as functions,
// read from the function table.
#pragma once

#include "core/name_index.hpp"
#include "functions/function_table.hpp"

#include <algorithm>
#include <array>
#include <cstddef>
#include <string_view>

namespace quorvex {

// The names of the rows that have the form, in the table's order.
template <bool (FunctionRow::*HasForm)() const>
constexpr auto NamesWithForm() {
    constexpr auto count = static_cast<std::size_t>(std::count_if(
        kFunctionTable.begin(), kFunctionTable.end(), [](const FunctionRow& row) { return (row.*HasForm)(); }));
    std::array<std::u16string_view, count> names{};
    std::size_t next = 0;
    for (const auto& row : kFunctionTable) {
        if ((row.*HasForm)()) names[next++] = row.name;
    }
    return names;
}

// Names applied to the one number that follows them. The lookups report positions in this list.
inline constexpr auto kUnaryFunctionNames = NamesWithForm<&FunctionRow::HasSingleForm>();

// Names that take a bracketed, comma-separated argument list.
inline constexpr auto kMultiArgFunctionNames = NamesWithForm<&FunctionRow::HasListForm>();

using FunctionRegistry = NameIndex;
inline constexpr FunctionRegistry kUnaryFunctionRegistry{kUnaryFunctionNames};
inline constexpr FunctionRegistry kMultiArgFunctionRegistry{kMultiArgFunctionNames};
static_assert(kUnaryFunctionRegistry.HasDistinctNames() && kMultiArgFunctionRegistry.HasDistinctNames(),
              "a registry name repeats: its first match would hide the others");

}  // namespace quorvex
