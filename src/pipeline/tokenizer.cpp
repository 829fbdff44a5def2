// The tokenizer: one scan from left to right, looking at each place only at the entries
// that begin with the unit found there.
#include "pipeline/tokenizer.hpp"

#include "pipeline/separator_table.hpp"

#include <algorithm>
#include <bitset>
#include <new>

namespace quorvex {
namespace {

constexpr std::size_t kAsciiLimit = 128;
constexpr std::size_t kMaxEntriesPerInitial = 16;

// For each ASCII unit, the indices of the entries that start with it, ascending.
struct EntriesByInitial {
    std::array<std::array<std::uint8_t, kMaxEntriesPerInitial>, kAsciiLimit> index{};
    std::array<std::uint8_t, kAsciiLimit> count{};
};

constexpr EntriesByInitial BuildEntriesByInitial() {
    EntriesByInitial table{};
    for (std::size_t entry = 0; entry < kSeparatorTable.size(); ++entry) {
        const auto initial = static_cast<std::size_t>(kSeparatorTable[entry][0]);
        table.index[initial][table.count[initial]++] = static_cast<std::uint8_t>(entry);
    }
    return table;
}

constexpr EntriesByInitial kEntriesByInitial = BuildEntriesByInitial();

static_assert([] {
    for (const auto count : kEntriesByInitial.count) {
        if (count > kMaxEntriesPerInitial) return false;
    }
    return true;
}(), "an initial has more entries than its row holds");

constexpr std::size_t kNoEntry = kSeparatorTable.size();

// The entry the first-occurrence rule takes at `at`, or kNoEntry when none starts there. All
// entries that start there are first found there, so the override pairs apply among them.
std::size_t EntryAt(std::u16string_view text, std::size_t at) {
    const char16_t unit = text[at];
    if (unit >= kAsciiLimit) return kNoEntry;
    const auto initial = static_cast<std::size_t>(unit);
    std::bitset<kSeparatorTable.size()> found;
    for (std::size_t c = 0; c < kEntriesByInitial.count[initial]; ++c) {
        const std::size_t entry = kEntriesByInitial.index[initial][c];
        if (text.substr(at, kSeparatorTable[entry].size()) == kSeparatorTable[entry]) found.set(entry);
    }
    if (found.none()) return kNoEntry;
    for (const auto& pair : kOverridePairs) {
        if (found.test(pair.shorter) && found.test(pair.longer)) found.reset(pair.shorter);
    }
    for (std::size_t entry = 0; entry < found.size(); ++entry) {
        if (found.test(entry)) return entry;
    }
    return kNoEntry;
}

std::u16string ReplaceUnits(std::u16string_view text, char16_t a, char16_t b, char16_t by) {
    std::u16string out(text);
    std::replace_if(out.begin(), out.end(), [a, b](char16_t unit) { return unit == a || unit == b; }, by);
    return out;
}

}  // namespace

std::u16string NormaliseOpeningBrackets(std::u16string_view text) {
    return ReplaceUnits(text, u'{', u'[', u'(');
}

std::u16string NormaliseClosingBrackets(std::u16string_view text) {
    return ReplaceUnits(text, u'}', u']', u')');
}

bool Tokenize(TokenList& tokens, std::u16string_view text) {
    try {
        bool firstToken = true;
        std::size_t runStart = 0;
        for (std::size_t at = 0; at < text.size();) {
            const std::size_t entry = EntryAt(text, at);
            if (entry == kNoEntry) {
                ++at;
                continue;
            }
            if (at > runStart) {
                tokens.emplace_back(text.substr(runStart, at - runStart));
                firstToken = false;
            }
            tokens.emplace_back(kSeparatorTable[entry]);
            if (entry == kMinusEntry && firstToken) {
                tokens.emplace_back(u"1");
                tokens.emplace_back(u"*");
            }
            firstToken = false;
            at += kSeparatorTable[entry].size();
            runStart = at;
        }
        if (runStart < text.size()) tokens.emplace_back(text.substr(runStart));
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

bool CheckBracketBalance(const TokenList& tokens) {
    std::size_t opening = 0;
    std::size_t closing = 0;
    for (const auto& token : tokens) {
        if (token == u"(") ++opening;
        if (token == u")") ++closing;
    }
    return opening == closing;
}

}  // namespace quorvex
