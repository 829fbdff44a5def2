// The first-occurrence rule of the tokenizer, written the slow and obvious way.
#pragma once

#include "core/token_list.hpp"
#include "pipeline/separator_table.hpp"

#include <algorithm>
#include <array>
#include <cstddef>
#include <string_view>

namespace quorvex::testing {

// The rule as stated: search the whole rest for every entry, drop the shorter of each
// override pair found at the same place, cut at the earliest place.
inline TokenList OracleTokenize(std::u16string_view rest) {
    TokenList tokens;
    bool firstToken = true;
    while (!rest.empty()) {
        std::array<std::size_t, kSeparatorTable.size()> position{};
        for (std::size_t i = 0; i < kSeparatorTable.size(); ++i) {
            const std::size_t found = rest.find(kSeparatorTable[i]);
            position[i] = found == std::u16string_view::npos ? 0 : found + 1;
        }
        for (const auto& pair : kOverridePairs) {
            if (position[pair.shorter] == position[pair.longer]) position[pair.shorter] = 0;
        }
        std::size_t m = 0;
        for (const std::size_t p : position) {
            if (p > 0 && (m == 0 || p < m)) m = p;
        }
        if (m == 0) {
            tokens.emplace_back(rest);
            break;
        }
        if (m == 1) {
            const auto j = static_cast<std::size_t>(std::find(position.begin(), position.end(), 1) - position.begin());
            tokens.emplace_back(kSeparatorTable[j]);
            rest.remove_prefix(kSeparatorTable[j].size());
            if (j == kMinusEntry && firstToken) {
                tokens.emplace_back(u"1");
                tokens.emplace_back(u"*");
            }
        } else {
            tokens.emplace_back(rest.substr(0, m - 1));
            rest.remove_prefix(m - 1);
        }
        firstToken = false;
    }
    return tokens;
}

}  // namespace quorvex::testing
