// The fuzz dictionary against the tables it is written from: a name the tables gain and the
// dictionary lacks is one the fuzzer has to guess.
#include "pipeline/physical_constants.hpp"
#include "pipeline/separator_table.hpp"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <string_view>
#include <vector>

namespace quorvex {
namespace {

// The UTF-16LE units a `key="\x..\x.."` line spells, or nothing when the line has another key.
std::u16string UnitsOf(std::string_view line, std::string_view keyPrefix) {
    if (!line.starts_with(keyPrefix)) return {};
    const std::string_view bytes = line.substr(line.find('"') + 1);
    std::u16string units;
    // Each unit is "\xLO\xHI": eight characters.
    for (std::size_t at = 0; at + 8 <= bytes.size(); at += 8) {
        const auto low = std::stoi(std::string(bytes.substr(at + 2, 2)), nullptr, 16);
        const auto high = std::stoi(std::string(bytes.substr(at + 6, 2)), nullptr, 16);
        units.push_back(static_cast<char16_t>(low | (high << 8)));
    }
    return units;
}

TEST(FuzzDictionary, HoldsTheSeparatorTableAndTheConstantsInOrder) {
    std::ifstream in(QUORVEX_FUZZ_DICTIONARY);
    ASSERT_TRUE(in) << QUORVEX_FUZZ_DICTIONARY;
    std::vector<std::u16string> entries;
    std::vector<std::u16string> constants;
    for (std::string line; std::getline(in, line);) {
        if (auto units = UnitsOf(line, "entry"); !units.empty()) {
            EXPECT_TRUE(line.starts_with("entry" + std::to_string(entries.size()) + "=")) << line;
            entries.push_back(std::move(units));
        } else if (auto units = UnitsOf(line, "constant_"); !units.empty()) {
            constants.push_back(std::move(units));
        }
    }
    EXPECT_EQ(entries, std::vector<std::u16string>(kSeparatorTable.begin(), kSeparatorTable.end()));
    std::vector<std::u16string> tokens;
    for (const auto& constant : kPhysicalConstantTable) tokens.emplace_back(constant.token);
    EXPECT_EQ(constants, tokens);
}

}  // namespace
}  // namespace quorvex
