// The function catalogue: the function table's names and catalogue texts, in its order.
#include "function_catalogue.hpp"

#include "functions/function_table.hpp"

#include <algorithm>
#include <array>
#include <cstddef>

namespace quorvex::tool {
namespace {

constexpr std::size_t kLongestName = 16;

// The names as bytes: every name is spelled in ASCII.
constexpr auto kNameBytes = [] {
    std::array<std::array<char, kLongestName>, kFunctionTable.size()> bytes{};
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const std::u16string_view name = kFunctionTable[i].name;
        if (name.size() > kLongestName) throw "a function name longer than the catalogue holds";
        for (std::size_t j = 0; j < name.size(); ++j) {
            if (name[j] >= 0x80) throw "a function name outside ASCII";
            bytes[i][j] = static_cast<char>(name[j]);
        }
    }
    return bytes;
}();

constexpr auto kCatalogue = [] {
    std::array<FunctionEntry, kFunctionTable.size()> catalogue{};
    for (std::size_t i = 0; i < catalogue.size(); ++i) {
        const FunctionRow& row = kFunctionTable[i];
        catalogue[i] = {row.catalogue.family, std::string_view(kNameBytes[i].data(), row.name.size()),
                        row.catalogue.forms, row.catalogue.description};
    }
    return catalogue;
}();

}  // namespace

std::span<const FunctionEntry> FunctionCatalogue() { return kCatalogue; }

const FunctionEntry* FindFunction(std::string_view name) {
    const auto* found =
        std::find_if(kCatalogue.begin(), kCatalogue.end(), [name](const FunctionEntry& e) { return e.name == name; });
    return found == kCatalogue.end() ? nullptr : found;
}

}  // namespace quorvex::tool
