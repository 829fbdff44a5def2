// The texts that cut an expression into tokens, and which of them wins where two start at
// the same place.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace quorvex {

// Ordered: the index is the tie-break between entries first found at the same place.
inline constexpr std::array<std::u16string_view, 101> kSeparatorTable = {
    u",", u"+", u"-", u"*", u"/", u"^", u"(", u")", u"pi", u"ln",                      // 0-9
    u"log", u"exp", u"sin", u"cos", u"sec", u"cot", u"csc", u"tan", u"abs", u"sqr",    // 10-19
    u"int", u"rad", u"deg", u"sinh", u"cosh", u"sech", u"coth", u"csch", u"tanh",      // 20-28
    u"sign", u"sqrt", u"frac", u"fact", u"asin", u"acos", u"asec", u"acot", u"acsc",   // 29-37
    u"atan", u"asinh", u"acosh", u"asech", u"acoth", u"acsch", u"atanh", u"fisher",    // 38-45
    u"fisherinv", u"div", u"mod", u"max", u"min", u"sum", u"combin", u"average",       // 46-53
    u"weibull", u"weibull3", u"and", u"or", u"xor", u"not", u"shl", u"shr", u"andn",   // 54-62
    u"orn", u"xorn", u"notn", u"erf", u"erfc", u"gamma", u"lgamma", u"sgamma",         // 63-70
    u"bgamma", u"beta", u"xbeta", u"ibeta", u"chisq", u"expi", u"zeta", u"deta",       // 71-78
    u"hzeta", u"dgamma", u"pgamma", u"polylog", u"expn", u"li", u"bsi", u"ssi", u"ci", // 79-87
    u"cin", u"shi", u"chi", u"fsi", u"fci", u"besselj", u"bessely", u"erfinv",         // 88-95
    u"erfcinv", u"ndist", u"nsdist", u"tdist", u"fdist"};                             // 96-100

inline constexpr std::size_t kMinusEntry = 2;

// A shorter entry and a longer entry that begins with it: when both are first found at the
// same place the shorter is disregarded. Applied in this order.
struct OverridePair {
    std::size_t shorter;
    std::size_t longer;
};

inline constexpr std::array<OverridePair, 25> kOverridePairs = {{
    {12, 23}, {13, 24}, {14, 25}, {15, 26}, {16, 27}, {17, 28}, {19, 30}, {33, 39}, {34, 40},
    {35, 41}, {36, 42}, {37, 43}, {38, 44}, {45, 46}, {54, 55}, {56, 62}, {57, 63}, {58, 64},
    {59, 65}, {66, 67}, {66, 95}, {67, 96}, {11, 76}, {11, 83}, {87, 88},
}};

static_assert([] {
    for (const auto& pair : kOverridePairs) {
        const auto shorter = kSeparatorTable[pair.shorter];
        const auto longer = kSeparatorTable[pair.longer];
        if (shorter.size() >= longer.size() || longer.substr(0, shorter.size()) != shorter) return false;
    }
    return true;
}(), "every override pair is a prefix and a longer entry");

}  // namespace quorvex
