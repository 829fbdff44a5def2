// The tokenizer: one scan from left to right, looking at each place only at the entries
// that begin with the unit found there.
#include "pipeline/tokenizer.hpp"

#include "pipeline/separator_table.hpp"

#include <algorithm>
#include <new>

namespace quorvex {
namespace {

constexpr std::size_t kAsciiLimit = 128;
constexpr std::size_t kMaxEntriesPerInitial = 16;
constexpr std::size_t kNoEntry = kSeparatorTable.size();

constexpr bool IsPrefix(std::u16string_view prefix, std::u16string_view text) {
    return prefix.size() <= text.size() && text.substr(0, prefix.size()) == prefix;
}

// For each ASCII unit, the entries that start with it, longest first.
struct EntriesByInitial {
    std::array<std::array<std::uint8_t, kMaxEntriesPerInitial>, kAsciiLimit> index{};
    std::array<std::uint8_t, kAsciiLimit> count{};
};

constexpr EntriesByInitial BuildEntriesByInitial() {
    EntriesByInitial table{};
    for (std::size_t entry = 0; entry < kSeparatorTable.size(); ++entry) {
        const auto initial = static_cast<std::size_t>(kSeparatorTable[entry][0]);
        auto& row = table.index[initial];
        std::size_t at = table.count[initial]++;
        // Insertion keeps the row ordered by decreasing length.
        while (at > 0 && kSeparatorTable[row[at - 1]].size() < kSeparatorTable[entry].size()) {
            row[at] = row[at - 1];
            --at;
        }
        row[at] = static_cast<std::uint8_t>(entry);
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

// The entries that start at one place are exactly the entries that are prefixes of the longest
// of them, and all of them are first found there. So the entry the first-occurrence rule takes
// (override pairs first, then the lowest index) depends on that longest entry alone.
constexpr std::array<std::uint8_t, kSeparatorTable.size()> BuildChoiceByLongest() {
    std::array<std::uint8_t, kSeparatorTable.size()> choice{};
    for (std::size_t longest = 0; longest < kSeparatorTable.size(); ++longest) {
        std::array<bool, kSeparatorTable.size()> found{};
        for (std::size_t entry = 0; entry < kSeparatorTable.size(); ++entry) {
            found[entry] = IsPrefix(kSeparatorTable[entry], kSeparatorTable[longest]);
        }
        for (const auto& pair : kOverridePairs) {
            if (found[pair.shorter] && found[pair.longer]) found[pair.shorter] = false;
        }
        std::size_t chosen = 0;
        while (!found[chosen]) ++chosen;
        choice[longest] = static_cast<std::uint8_t>(chosen);
    }
    return choice;
}

constexpr auto kChoiceByLongest = BuildChoiceByLongest();

// The entry the first-occurrence rule takes at `at`, or kNoEntry when none starts there.
std::size_t EntryAt(std::u16string_view text, std::size_t at) {
    const char16_t unit = text[at];
    if (unit >= kAsciiLimit) return kNoEntry;
    const auto initial = static_cast<std::size_t>(unit);
    const std::u16string_view rest = text.substr(at);
    for (std::size_t c = 0; c < kEntriesByInitial.count[initial]; ++c) {
        const std::size_t entry = kEntriesByInitial.index[initial][c];
        if (IsPrefix(kSeparatorTable[entry], rest)) return kChoiceByLongest[entry];
    }
    return kNoEntry;
}

void ReplaceUnits(std::span<char16_t> text, char16_t a, char16_t b, char16_t by) noexcept {
    std::replace_if(text.begin(), text.end(), [a, b](char16_t unit) { return unit == a || unit == b; }, by);
}

}  // namespace

void NormaliseOpeningBrackets(std::span<char16_t> text) noexcept { ReplaceUnits(text, u'{', u'[', u'('); }

void NormaliseClosingBrackets(std::span<char16_t> text) noexcept { ReplaceUnits(text, u'}', u']', u')'); }

bool Tokenize(Tokens& tokens, std::u16string_view text) {
    static constexpr std::u16string_view kInsertedOne = u"1";
    static constexpr std::u16string_view kInsertedTimes = u"*";
    try {
        tokens.reserve(tokens.size() + text.size() + 2);
        bool firstToken = true;
        std::size_t runStart = 0;
        for (std::size_t at = 0; at < text.size();) {
            const std::size_t entry = EntryAt(text, at);
            if (entry == kNoEntry) {
                ++at;
                continue;
            }
            if (at > runStart) {
                tokens.push_back(TextToken(text.substr(runStart, at - runStart)));
                firstToken = false;
            }
            tokens.push_back(TextToken(kSeparatorTable[entry]));
            if (entry == kMinusEntry && firstToken) {
                tokens.push_back(TextToken(kInsertedOne));
                tokens.push_back(TextToken(kInsertedTimes));
            }
            firstToken = false;
            at += kSeparatorTable[entry].size();
            runStart = at;
        }
        if (runStart < text.size()) tokens.push_back(TextToken(text.substr(runStart)));
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

bool Tokenize(TokenList& tokens, std::u16string_view text) {
    std::pmr::monotonic_buffer_resource scratch;
    Tokens found(&scratch);
    const bool complete = Tokenize(found, text);
    try {
        AppendTexts(found, tokens);
    } catch (const std::bad_alloc&) {
        return false;
    }
    return complete;
}

bool CheckBracketBalance(const Tokens& tokens) {
    std::size_t opening = 0;
    std::size_t closing = 0;
    for (const auto& token : tokens) {
        if (token.kind == TokenKind::kOpen) ++opening;
        if (token.kind == TokenKind::kClose) ++closing;
    }
    return opening == closing;
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
