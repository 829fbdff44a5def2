// The texts that cut an expression into tokens, and which of them wins where two start at
// the same place.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <string_view>

namespace quorvex {

// An entry, and the shorter entry it begins with that it overrides: when both are first found
// at the same place the shorter is disregarded. `overrides` is the shorter entry's length.
struct SeparatorEntry {
    std::u16string_view text;
    std::size_t overrides = 0;  // 0: none
};

// Ordered: the index is the tie-break between entries first found at the same place, and the
// overrides apply in this order. The names after "pi" are the function table's, each once.
// Laid out by hand: rows numbered by their first index.
// clang-format off
inline constexpr auto kSeparatorEntries = std::to_array<SeparatorEntry>({
    {u","}, {u"+"}, {u"-"}, {u"*"}, {u"/"}, {u"^"}, {u"("}, {u")"}, {u"pi"}, {u"ln"}, {u"log"},       // 0-10
    {u"exp"}, {u"sin"}, {u"cos"}, {u"sec"}, {u"cot"}, {u"csc"}, {u"tan"}, {u"abs"}, {u"sqr"},         // 11-19
    {u"int"}, {u"rad"}, {u"deg"}, {u"sinh", 3}, {u"cosh", 3}, {u"sech", 3}, {u"coth", 3},             // 20-26
    {u"csch", 3}, {u"tanh", 3}, {u"sign"}, {u"sqrt", 3}, {u"frac"}, {u"fact"}, {u"asin"}, {u"acos"},  // 27-34
    {u"asec"}, {u"acot"}, {u"acsc"}, {u"atan"}, {u"asinh", 4}, {u"acosh", 4}, {u"asech", 4},          // 35-41
    {u"acoth", 4}, {u"acsch", 4}, {u"atanh", 4}, {u"fisher"}, {u"fisherinv", 6}, {u"div"}, {u"mod"},  // 42-48
    {u"max"}, {u"min"}, {u"sum"}, {u"combin"}, {u"average"}, {u"weibull"}, {u"weibull3", 7},          // 49-55
    {u"and"}, {u"or"}, {u"xor"}, {u"not"}, {u"shl"}, {u"shr"}, {u"andn", 3}, {u"orn", 2},             // 56-63
    {u"xorn", 3}, {u"notn", 3}, {u"erf"}, {u"erfc", 3}, {u"gamma"}, {u"lgamma"}, {u"sgamma"},         // 64-70
    {u"bgamma"}, {u"beta"}, {u"xbeta"}, {u"ibeta"}, {u"chisq"}, {u"expi", 3}, {u"zeta"}, {u"deta"},   // 71-78
    {u"hzeta"}, {u"dgamma"}, {u"pgamma"}, {u"polylog"}, {u"expn", 3}, {u"li"}, {u"bsi"}, {u"ssi"},    // 79-86
    {u"ci"}, {u"cin", 2}, {u"shi"}, {u"chi"}, {u"fsi"}, {u"fci"}, {u"besselj"}, {u"bessely"},         // 87-94
    {u"erfinv", 3}, {u"erfcinv", 4}, {u"ndist"}, {u"nsdist"}, {u"tdist"}, {u"fdist"}                  // 95-100
});
// clang-format on

inline constexpr auto kSeparatorTable = [] {
    std::array<std::u16string_view, kSeparatorEntries.size()> texts{};
    for (std::size_t i = 0; i < texts.size(); ++i) texts[i] = kSeparatorEntries[i].text;
    return texts;
}();

// The index of an entry's text; the text must be an entry.
constexpr std::size_t SeparatorEntryOf(std::u16string_view text) {
    const auto* found = std::find(kSeparatorTable.begin(), kSeparatorTable.end(), text);
    if (found == kSeparatorTable.end()) throw "not a separator entry";
    return static_cast<std::size_t>(found - kSeparatorTable.begin());
}

inline constexpr std::size_t kMinusEntry = SeparatorEntryOf(u"-");
inline constexpr std::size_t kFirstNameEntry = SeparatorEntryOf(u"pi");  // the operators stand before it

struct OverridePair {
    std::size_t shorter;
    std::size_t longer;
};

// The overrides as pairs of indices, in the order they apply.
inline constexpr auto kOverridePairs = [] {
    constexpr auto count = static_cast<std::size_t>(std::count_if(
        kSeparatorEntries.begin(), kSeparatorEntries.end(), [](const SeparatorEntry& e) { return e.overrides > 0; }));
    std::array<OverridePair, count> pairs{};
    std::size_t next = 0;
    for (std::size_t longer = 0; longer < kSeparatorEntries.size(); ++longer) {
        const SeparatorEntry& entry = kSeparatorEntries[longer];
        if (entry.overrides == 0) continue;
        if (entry.overrides >= entry.text.size()) throw "an override that is not shorter";
        pairs[next++] = {SeparatorEntryOf(entry.text.substr(0, entry.overrides)), longer};
    }
    return pairs;
}();

}  // namespace quorvex
