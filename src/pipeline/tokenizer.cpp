// The tokenizer: one scan from left to right, looking at each place only at the entries
// that begin with the unit found there.
#include "pipeline/tokenizer.hpp"

#include "pipeline/physical_constants.hpp"
#include "pipeline/registries.hpp"
#include "pipeline/separator_table.hpp"

#include <algorithm>
#include <limits>
#include <new>

namespace quorvex {
namespace {

constexpr std::size_t kAsciiLimit = 128;
constexpr std::size_t kNoEntry = kSeparatorTable.size();
constexpr std::size_t kCommaEntry = 0;
static_assert(kSeparatorTable[kCommaEntry] == u",");
static_assert(std::ranges::all_of(kOperators,
                                  [](const OperatorRow& row) {
                                      return std::ranges::count(kSeparatorTable, std::u16string_view(&row.unit, 1)) ==
                                             1;
                                  }),
              "every operator is cut off as a token of its own");

constexpr bool IsPrefix(std::u16string_view prefix, std::u16string_view text) {
    return prefix.size() <= text.size() && text.substr(0, prefix.size()) == prefix;
}

// Entries of more than one unit are spelled with a to z and 3: a trie over those 27 symbols
// finds the longest entry at a place in as many steps as it has units.
constexpr std::size_t kTrieSymbols = 27;
constexpr std::size_t kTrieCapacity = 256;

constexpr int SymbolOf(char16_t unit) {
    if (unit >= u'a' && unit <= u'z') return unit - u'a';
    return unit == u'3' ? 26 : -1;
}

struct EntryTrie {
    // Node 0 is the root, which is nobody's child, so 0 also means "no child".
    std::array<std::array<std::uint16_t, kTrieSymbols>, kTrieCapacity> child{};
    std::array<std::uint8_t, kTrieCapacity> entry{};
    std::size_t nodes = 1;
    // The entries of one unit, none of which begins a longer one.
    std::array<std::uint8_t, kAsciiLimit> singleUnit{};
};

constexpr EntryTrie BuildEntryTrie() {
    EntryTrie trie{};
    trie.entry.fill(static_cast<std::uint8_t>(kNoEntry));
    trie.singleUnit.fill(static_cast<std::uint8_t>(kNoEntry));
    for (std::size_t e = 0; e < kSeparatorTable.size(); ++e) {
        const std::u16string_view text = kSeparatorTable[e];
        if (text.size() == 1) {
            if (text[0] >= kAsciiLimit || SymbolOf(text[0]) >= 0) throw "a single-unit entry the trie would need";
            trie.singleUnit[text[0]] = static_cast<std::uint8_t>(e);
            continue;
        }
        std::size_t node = 0;
        for (const char16_t unit : text) {
            const int symbol = SymbolOf(unit);
            if (symbol < 0) throw "an entry spelled outside the trie's symbols";
            auto& next = trie.child[node][static_cast<std::size_t>(symbol)];
            if (next == 0) {
                if (trie.nodes == kTrieCapacity) throw "the trie needs more nodes";
                next = static_cast<std::uint16_t>(trie.nodes++);
            }
            node = next;
        }
        trie.entry[node] = static_cast<std::uint8_t>(e);
    }
    return trie;
}

constexpr EntryTrie kEntryTrie = BuildEntryTrie();

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

// Whether any entry starts with the unit: digits, for one, never do.
constexpr auto kStartsEntry = [] {
    std::array<bool, kAsciiLimit> starts{};
    for (const auto entry : kSeparatorTable) starts[entry[0]] = true;
    return starts;
}();

bool MayStartEntry(char16_t unit) { return unit < kAsciiLimit && kStartsEntry[unit]; }

static_assert(std::ranges::none_of(kSeparatorTable,
                                   [](std::u16string_view entry) { return IsRewrittenUnit(entry[0]); }),
              "no entry starts with a unit the working text rewrites");

// A raw text is scanned as the working text it would be when it has none of the units the
// working text rewrites: those stop the scan, so they are among the units it looks at.
constexpr auto kStartsEntryOrStops = [] {
    std::array<bool, kAsciiLimit> starts = kStartsEntry;
    for (std::size_t unit = 0; unit < kAsciiLimit; ++unit)
        starts[unit] = starts[unit] || IsRewrittenUnit(static_cast<char16_t>(unit));
    return starts;
}();

// The entry the first-occurrence rule takes at `at`, or kNoEntry when none starts there.
// Inlined in both scans, the whole list's and the batches'.
[[gnu::always_inline]] inline std::size_t EntryAt(std::u16string_view text, std::size_t at) {
    const char16_t unit = text[at];
    if (unit >= kAsciiLimit) return kNoEntry;
    if (const std::size_t single = kEntryTrie.singleUnit[unit]; single != kNoEntry) return single;
    std::size_t longest = kNoEntry;
    std::size_t node = 0;
    for (std::size_t i = at; i < text.size(); ++i) {
        const int symbol = text[i] < kAsciiLimit ? SymbolOf(text[i]) : -1;
        if (symbol < 0) break;
        node = kEntryTrie.child[node][static_cast<std::size_t>(symbol)];
        if (node == 0) break;
        if (kEntryTrie.entry[node] != kNoEntry) longest = kEntryTrie.entry[node];
    }
    return longest == kNoEntry ? kNoEntry : kChoiceByLongest[longest];
}

// The entries of two to eight units (all spelled with a to z and 3), a unit a byte in a key,
// in an open-addressed table: a run of such units that is an entry whole is the longest entry
// at its place, found in a probe or two where the trie takes a step a unit.
constexpr std::size_t kLongestName = 8;
constexpr std::size_t kNameSlotBits = 9;

struct NameSlot {
    std::uint64_t key = 0;  // 0: empty
    std::uint8_t entry = 0;
};

constexpr std::size_t NameSlotOf(std::uint64_t key) {
    return static_cast<std::size_t>((key * 0x9E3779B97F4A7C15ULL) >> (64 - kNameSlotBits));
}

constexpr auto kNameSlots = [] {
    std::array<NameSlot, std::size_t{1} << kNameSlotBits> slots{};
    for (std::size_t e = 0; e < kSeparatorTable.size(); ++e) {
        const std::u16string_view name = kSeparatorTable[e];
        // A longer name ("fisherinv") is a run longer than a key, which the trie takes.
        if (name.size() < 2 || name.size() > kLongestName) continue;
        std::uint64_t key = 0;
        for (const char16_t unit : name) key = key << 8 | unit;
        std::size_t slot = NameSlotOf(key);
        while (slots[slot].key != 0) slot = (slot + 1) % slots.size();
        slots[slot] = {key, kChoiceByLongest[e]};
    }
    return slots;
}();

// EntryAt, for a place where a letter is: a run that is not an entry whole goes to the trie.
[[gnu::always_inline]] inline std::size_t NameEntryAt(std::u16string_view text, std::size_t at) {
    const std::size_t stop = text.size() - at > kLongestName ? at + kLongestName + 1 : text.size();
    std::uint64_t key = 0;
    std::size_t end = at;
    for (; end < stop && SymbolOf(text[end]) >= 0; ++end) key = key << 8 | text[end];
    if (end - at >= 2 && end - at <= kLongestName) {
        for (std::size_t slot = NameSlotOf(key); kNameSlots[slot].key != 0; slot = (slot + 1) % kNameSlots.size()) {
            if (kNameSlots[slot].key == key) return kNameSlots[slot].entry;
        }
    }
    return EntryAt(text, at);
}

// The entries as tokens, classified once.
constexpr auto kEntryTokens = [] {
    std::array<Token, kSeparatorTable.size()> tokens{};
    for (std::size_t e = 0; e < kSeparatorTable.size(); ++e) tokens[e] = ClassifiedText(kSeparatorTable[e]);
    return tokens;
}();

void ReplaceUnits(std::span<char16_t> text, char16_t a, char16_t b, char16_t by) noexcept {
    std::replace_if(
        text.begin(), text.end(), [a, b](char16_t unit) { return unit == a || unit == b; }, by);
}

}  // namespace

void NormaliseOpeningBrackets(std::span<char16_t> text) noexcept { ReplaceUnits(text, u'{', u'[', u'('); }

void NormaliseClosingBrackets(std::span<char16_t> text) noexcept { ReplaceUnits(text, u'}', u']', u')'); }

namespace {

// The one function name a constant's token begins with ("deg" of "deg0"): a token of it may
// become a constant, so it counts as one. Its place among the single-argument names.
constexpr int kNameBeginningConstant = [] {
    int found = -1;
    for (const auto& row : kFunctionTable) {
        for (const auto token : kConstantTokens) {
            if (token.size() <= row.name.size() || !token.starts_with(row.name)) continue;
            const int position = kUnaryFunctionRegistry.Find(row.name);
            if (position < 0) throw "a name beginning a constant's token without a single-argument form";
            if (found >= 0 && found != position) throw "a second function name begins a constant's token";
            found = position;
        }
    }
    return found;
}();
static_assert(kNameBeginningConstant >= 0);

// Most tokens count for nothing: each count is tested before anything is stored.
[[gnu::always_inline]] constexpr void Count(TokenCounts& counts, const Token& token) noexcept {
    if (token.kind == TokenKind::kOpen) ++counts.opening;
    if (token.kind == TokenKind::kClose) ++counts.closing;
    if (token.constant >= 0 || token.unary == kNameBeginningConstant) ++counts.constants;
    if (token.joinsExponent) ++counts.exponentJoins;
}

// Whether an entry's token counts for anything, settled once.
constexpr auto kEntryCounted = [] {
    std::array<bool, kSeparatorTable.size()> counted{};
    for (std::size_t e = 0; e < counted.size(); ++e) {
        TokenCounts counts;
        Count(counts, kEntryTokens[e]);
        counted[e] = counts.opening + counts.closing + counts.constants + counts.exponentJoins > 0;
    }
    return counted;
}();

constexpr bool IsDigitUnit(char16_t unit) { return static_cast<unsigned>(unit - u'0') <= 9; }
static_assert(std::ranges::none_of(kSeparatorTable, [](std::u16string_view entry) { return IsDigitUnit(entry[0]); }),
              "a digit never starts an entry, so a run of digits is one run");
static_assert(std::ranges::all_of(std::u16string_view(u"0123456789"), [](char16_t digit) {
    return KindOf(std::u16string_view(&digit, 1)) == TokenKind::kOther;
}));

// The longest text TryParsePlainDecimal reads.
constexpr std::size_t kMostPlainUnits = std::size(kExactPowersOfTen);

// A run's digits and separator as the scan reads them, and where the reading began and stopped.
struct PlainDecimal {
    static constexpr std::size_t kNone = std::numeric_limits<std::size_t>::max();
    std::size_t start = kNone;
    std::size_t end = kNone;
    std::size_t point = kNone;  // where the separator is, if there is one
    unsigned long long integer = 0;

    // Reads from `at`, a digit, and moves it past the digits and the first separator, when a
    // separator does not start an entry: nothing else can end such a run.
    [[gnu::always_inline]] void Read(std::u16string_view text, std::size_t& at, char16_t separator,
                                     bool separatorInRuns) {
        start = at;
        point = kNone;
        integer = 0;
        for (; at < text.size(); ++at) {
            const char16_t unit = text[at];
            if (IsDigitUnit(unit)) {
                integer = integer * 10 + static_cast<unsigned>(unit - u'0');
            } else if (unit == separator && separatorInRuns && point == kNone) {
                point = at;
            } else {
                break;
            }
        }
        end = at;
    }

    // The value of the reading over `size` units, which TryParsePlainDecimal also gives.
    double Value(std::size_t size) const {
        return point == kNone ? static_cast<double>(integer)
                              : static_cast<double>(integer) / kExactPowersOfTen[size - (point - start) - 1];
    }
};

// The working text's own scan, or a caller's text read up to its first NUL (or its end),
// which stops where a unit would be rewritten.
enum class ScanOf : std::uint8_t { kWorkingText, kRawText };

// Whether the direct reduction takes an entry's token as it is, under ".": nothing counts for
// a stage in it.
constexpr auto kLeanEntries = [] {
    std::array<bool, kSeparatorTable.size()> lean{};
    for (std::size_t e = 0; e < lean.size(); ++e) {
        const Token& token = kEntryTokens[e];
        lean[e] = token.constant < 0 && token.unary != kNameBeginningConstant && !token.joinsExponent;
    }
    return lean;
}();

constexpr std::size_t kTimesEntry = SeparatorEntryOf(u"*");
constexpr LeanToken kLeanOne{1.0, TokenKind::kOther, true};

constexpr auto kLeanEntryTokens = [] {
    std::array<LeanToken, kSeparatorTable.size()> tokens{};
    for (std::size_t e = 0; e < tokens.size(); ++e) tokens[e] = LeanToken::Of(kEntryTokens[e]);
    return tokens;
}();

// The lean tokens of the units that are whole entries on their own (operators, brackets, the
// comma): those take one table look-up, not the entry search.
struct LeanUnits {
    std::array<bool, kAsciiLimit> whole{};
    std::array<LeanToken, kAsciiLimit> tokens{};
};
constexpr LeanUnits kLeanUnits = [] {
    LeanUnits units;
    for (std::size_t unit = 0; unit < kAsciiLimit; ++unit) {
        const std::size_t entry = kEntryTrie.singleUnit[unit];
        if (entry == kNoEntry || !kLeanEntries[entry] || kSeparatorTable[entry].size() != 1) continue;
        units.whole[unit] = true;
        units.tokens[unit] = kLeanEntryTokens[entry];
    }
    return units;
}();

// One scan, from where the last one stopped: settles places until the text ends or the sink
// is full. A place adds at most kMostTokensPerPlace tokens. Answers false where a raw scan
// stops short.
template <ScanOf Of = ScanOf::kWorkingText, typename Sink>
bool Scan(std::u16string_view& text, char16_t separator, TokenScanner::Place& place, TokenCounts& counts, Sink& sink) {
    constexpr bool Raw = Of == ScanOf::kRawText;
    static constexpr std::u16string_view kInsertedOne = u"1";
    static constexpr std::u16string_view kInsertedTimes = u"*";
    // Under "." no entry reads as a number; under "," only the comma does (as 0).
    const bool readEntries = separator != u'.';
    const bool readEveryEntry = readEntries && separator != u',';
    // Held apart from the place while the scan runs: a token's size could be its alias.
    std::size_t at = place.at;
    std::size_t runStart = place.runStart;
    bool firstToken = place.firstToken;
    // Inlined at its three places: GCC kept it a call, for most of the tokens.
    const auto addText = [&](std::u16string_view run) __attribute__((always_inline)) {
        Token& token = sink.Add();
        Classify(token, run);
        ReadNumber(token, separator);
        Count(counts, token);
    };
    // A run that starts with a digit is read as a plain decimal while it is scanned: digits
    // and at most one separator, as TryParsePlainDecimal reads them. The reading is the run's
    // value when the run ends where the reading stopped; a run that goes on is read whole.
    const bool separatorInRuns = !MayStartEntry(separator);
    PlainDecimal plain;
    // A run, as a token: the plain reading's, when it covers the run, or read from its text.
    const auto addRun = [&](std::size_t end) __attribute__((always_inline)) {
        const std::u16string_view run = text.substr(runStart, end - runStart);
        if (plain.start != runStart || plain.end != end || run.size() > kMostPlainUnits) {
            addText(run);
            return;
        }
        // Every count is false for it, and it is a kOther: a unit of it is a digit.
        Token& token = sink.Add();
        token.text = run.data();
        token.size = run.size();
        token.isNumber = true;
        token.value = plain.Value(run.size());
    };
    while (at < text.size() && !sink.Full()) {
        if (at == runStart && IsDigitUnit(text[at])) {
            plain.Read(text, at, separator, separatorInRuns);
            continue;
        }
        const char16_t unit = text[at];
        if (Raw ? unit >= kAsciiLimit || !kStartsEntryOrStops[unit] : !MayStartEntry(unit)) {
            ++at;
            continue;
        }
        if (Raw && IsRewrittenUnit(unit)) {
            if (unit != u'\0') return false;
            text = text.substr(0, at);
            break;
        }
        const std::size_t entry = EntryAt(text, at);
        if (entry == kNoEntry) {
            ++at;
            continue;
        }
        if (at > runStart) {
            addRun(at);
            firstToken = false;
        }
        Token& token = sink.Add(kEntryTokens[entry]);
        if (readEntries && (readEveryEntry || entry == kCommaEntry)) ReadNumber(token, separator);
        if (kEntryCounted[entry]) Count(counts, kEntryTokens[entry]);
        if (firstToken && entry == kMinusEntry) {
            addText(kInsertedOne);
            addText(kInsertedTimes);
        }
        firstToken = false;
        at += kSeparatorTable[entry].size();
        runStart = at;
    }
    if (at == text.size() && runStart < text.size() && !sink.Full()) {
        addRun(at);
        runStart = at;
    }
    place = {at, runStart, firstToken};
    return true;
}

// A run, an entry, and the "1" and "*" after a leading "-".
constexpr std::size_t kMostTokensPerPlace = 4;

// A sink that writes tokens into an array.
struct ArrayBatch {
    Token* next;
    Token* full;  // where a place may no longer start
    Token& Add(const Token& token = Token()) { return *next++ = token; }
    bool Full() const { return next > full; }
};

// Texts up to this long are not counted before their tokens are reserved.
constexpr std::size_t kUncountedUnits = 1024;

// As many tokens as the text can give: one for each unit and the inserted pair, and no more than
// two for each place where an entry may start, the pair and the last run, which a long text
// is worth counting for.
std::size_t MostTokens(std::u16string_view text) noexcept {
    if (text.size() <= kUncountedUnits) return text.size() + 2;
    std::size_t starts = 0;
    for (const char16_t unit : text) starts += MayStartEntry(unit) ? 1 : 0;
    return std::min(text.size() + 2, 2 * starts + 3);
}

}  // namespace

TokenScanner::TokenScanner(std::u16string_view text, char16_t separator) noexcept
    : text_(text), separator_(separator) {}

std::size_t TokenScanner::Next(std::span<Token> room, TokenCounts& counts) noexcept {
    ArrayBatch batch{room.data(), room.data() + room.size() - kMostTokensPerPlace};
    Scan(text_, separator_, place_, counts, batch);
    return static_cast<std::size_t>(batch.next - room.data());
}

bool Tokenize(Tokens& tokens, std::u16string_view text, TokenCounts& counts, char16_t separator) {
    struct Append {
        Tokens& tokens;
        Token& Add() { return tokens.emplace_back(); }
        Token& Add(const Token& token) { return tokens.emplace_back(token); }
        static bool Full() { return false; }
    } append{tokens};
    try {
        // Reserved whole, since the arena never gets back what a growing list leaves behind.
        tokens.reserve(tokens.size() + MostTokens(text));
        TokenScanner::Place place;
        return Scan(text, separator, place, counts, append);
    } catch (const std::bad_alloc&) {
        return false;
    }
}

namespace {

// The tokens written into room taken from the arena: room for the most the text can give, so
// that one scan makes them all; should the bound ever fall short, the scan goes on in twice
// the room. Answers false where a raw scan stopped short.
template <ScanOf Of>
bool ScanIntoArena(std::u16string_view& text, std::pmr::memory_resource& arena, TokenCounts& counts, char16_t separator,
                   std::span<Token>& made) {
    const auto allocate = [&arena](std::size_t room) {
        return static_cast<Token*>(arena.allocate(room * sizeof(Token), alignof(Token)));
    };
    std::size_t room = MostTokens(text) + kMostTokensPerPlace;
    Token* tokens = allocate(room);
    ArrayBatch batch{tokens, tokens + room - kMostTokensPerPlace};
    TokenScanner::Place place;
    for (;;) {
        if (!Scan<Of>(text, separator, place, counts, batch)) return false;
        if (!batch.Full()) break;
        Token* larger = allocate(2 * room);
        Token* const moved = std::copy(tokens, batch.next, larger);
        tokens = larger;
        room *= 2;
        batch = {moved, tokens + room - kMostTokensPerPlace};
    }
    made = {tokens, static_cast<std::size_t>(batch.next - tokens)};
    return true;
}

}  // namespace

std::span<Token> TokenizeInArena(std::u16string_view text, std::pmr::memory_resource& arena, TokenCounts& counts,
                                 char16_t separator) {
    std::span<Token> made;
    ScanIntoArena<ScanOf::kWorkingText>(text, arena, counts, separator, made);
    return made;
}

bool TokenizeUnchangedInArena(std::u16string_view& text, std::size_t most, std::pmr::memory_resource& arena,
                              TokenCounts& counts, char16_t separator, std::span<Token>& made) {
    // A separator the working text rewrites would be read inside a run.
    if (IsRewrittenUnit(separator)) return false;
    // One unit past the most read tells a longer text.
    std::u16string_view scanned = text.substr(0, most + 1);
    if (!ScanIntoArena<ScanOf::kRawText>(scanned, arena, counts, separator, made) || scanned.size() > most)
        return false;
    text = scanned;
    return true;
}

namespace {

constexpr std::size_t kNoRunEnd = std::numeric_limits<std::size_t>::max();

// Where the run from `at` ends as the scan ends it: where an entry starts, or at the text's end
// or NUL; kNoRunEnd where a unit the working text rewrites comes first.
std::size_t RunEnd(std::u16string_view text, std::size_t at) {
    for (; at < text.size(); ++at) {
        const char16_t unit = text[at];
        if (unit == u'\0' || EntryAt(text, at) != kNoEntry) return at;
        if (IsRewrittenUnit(unit)) return kNoRunEnd;
    }
    return at;
}

// A run from `start` that goes on past its plain decimal at `at`, read as the scan and the
// exponent stage read it: whole, or joined with the sign after it and the run after that when
// it ends in its only "e". Its value and the place past it, when it is a number that counts for
// no other stage.
bool TakeWholeRun(std::u16string_view text, std::size_t start, std::size_t& at, double& value) {
    constexpr char16_t kPoint = u'.';
    std::size_t end = RunEnd(text, at);
    if (end == kNoRunEnd) return false;
    Token token = TextToken(text.substr(start, end - start), kPoint);
    if (token.joinsExponent) {
        if (end == text.size() || text[end] == u'\0') return false;
        const std::size_t sign = EntryAt(text, end);
        if (sign == kNoEntry) return false;
        const TokenKind kind = kEntryTokens[sign].kind;
        if (kind != TokenKind::kMinus && kind != TokenKind::kPlus) return false;
        const std::size_t after = end + kSeparatorTable[sign].size();
        end = RunEnd(text, after);
        if (end == kNoRunEnd || end == after) return false;
        token = TextToken(text.substr(start, end - start), kPoint);
    } else if (token.constant >= 0 || token.unary == kNameBeginningConstant) {
        return false;
    }
    if (!token.isNumber) return false;
    value = token.value;
    at = end;
    return true;
}

}  // namespace

LeanScanner::Batch LeanScanner::Next(std::span<LeanToken> room) noexcept {
    constexpr char16_t kPoint = u'.';
    constexpr bool kPointInRuns = !kStartsEntry[kPoint];
    LeanToken* next = room.data();
    LeanToken* const full = room.data() + room.size() - kMostTokensPerPlace;
    // Held apart from the scanner while it runs: a token's stores could be taken to change it.
    const std::u16string_view text = text_;
    std::size_t at = at_;
    bool first = first_;
    const auto answer = [&](Status status) {
        at_ = at;
        first_ = first;
        return Batch{static_cast<std::size_t>(next - room.data()), status};
    };
    while (next <= full) {
        if (at == text.size()) return answer(Status::kEnd);
        char16_t unit = text[at];
        std::size_t number = kNoRunEnd;  // where the run just read as a plain decimal began
        if (IsDigitUnit(unit)) {
            number = at;
            PlainDecimal plain;
            plain.Read(text, at, kPoint, kPointInRuns);
            if (at - plain.start > kMostPlainUnits) return answer(Status::kDeclined);
            *next++ = {plain.Value(at - plain.start), TokenKind::kOther, true};
            first = false;
            if (at == text.size()) return answer(Status::kEnd);
            unit = text[at];
        }
        if (unit == u'\0') {
            text_ = text.substr(0, at);
            return answer(Status::kEnd);
        }
        // A leading "-" is the sign's, below.
        if (unit < kAsciiLimit && kLeanUnits.whole[unit] && !(first && unit == u'-')) {
            *next++ = kLeanUnits.tokens[unit];
            first = false;
            ++at;
            continue;
        }
        const std::size_t entry = static_cast<unsigned>(unit - u'a') < 26U ? NameEntryAt(text, at) : EntryAt(text, at);
        if (entry == kNoEntry) {
            // A run the scan goes on with past its plain decimal (exponent notation, or no
            // number) is TakeRun's: it is rare, and a call here would cost every batch a frame.
            if (number == kNoRunEnd) return answer(Status::kDeclined);
            --next;
            at = number;
            return answer(Status::kRun);
        }
        if (!kLeanEntries[entry]) return answer(Status::kDeclined);
        *next++ = kLeanEntryTokens[entry];
        if (first && entry == kMinusEntry) {
            *next++ = kLeanOne;
            *next++ = kLeanEntryTokens[kTimesEntry];
        }
        first = false;
        at += kSeparatorTable[entry].size();
    }
    return answer(Status::kMore);
}

bool LeanScanner::TakeRun(LeanToken& token) noexcept {
    std::size_t at = at_;
    if (!TakeWholeRun(text_, at_, at, token.value)) return false;
    token.kind = TokenKind::kOther;
    token.isNumber = true;
    at_ = at;
    first_ = false;
    return true;
}

bool Tokenize(Tokens& tokens, std::u16string_view text, char16_t separator) {
    TokenCounts counts;
    return Tokenize(tokens, text, counts, separator);
}

}  // namespace quorvex
