// The calculator's catalogue of the function names: argument forms, family, description.
#pragma once

#include <span>
#include <string_view>

namespace quorvex::tool {

struct FunctionEntry {
    std::string_view family;
    std::string_view name;
    std::string_view forms;  // e.g. "zeta(x) | zeta(x, eps)"
    std::string_view description;
};

std::span<const FunctionEntry> FunctionCatalogue();

// The entry of a name, or nullptr.
const FunctionEntry* FindFunction(std::string_view name);

}  // namespace quorvex::tool
