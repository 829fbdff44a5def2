// The two lists of function names that decide which tokens the engine treats as functions.
#pragma once

#include "core/name_index.hpp"

#include <array>
#include <string_view>

namespace quorvex {

// Names applied to the one number that follows them. Ordered as the lookups report positions.
inline constexpr std::array<std::u16string_view, 60> kUnaryFunctionNames = {
    u"ln", u"log", u"exp", u"sin", u"cos", u"sec", u"cot", u"csc", u"tan", u"abs",            // 0-9
    u"sqr", u"int", u"rad", u"deg", u"not", u"notn", u"sinh", u"cosh", u"sech", u"coth",      // 10-19
    u"csch", u"tanh", u"sign", u"sqrt", u"frac", u"fact", u"asin", u"acos", u"asec", u"acot", // 20-29
    u"acsc", u"atan", u"asinh", u"acosh", u"asech", u"acoth", u"acsch", u"atanh", u"fisher",  // 30-38
    u"fisherinv", u"erf", u"erfc", u"gamma", u"lgamma", u"expi", u"zeta", u"deta", u"dgamma", // 39-47
    u"li", u"bsi", u"ssi", u"ci", u"cin", u"shi", u"chi", u"fsi", u"fci", u"erfinv",           // 48-57
    u"erfcinv", u"nsdist"};                                                                  // 58-59

// Names that take a bracketed, comma-separated argument list.
inline constexpr std::array<std::u16string_view, 46> kMultiArgFunctionNames = {
    u"and", u"or", u"xor", u"andn", u"orn", u"xorn", u"shl", u"shr", u"div", u"mod",          // 0-9
    u"max", u"min", u"sum", u"combin", u"average", u"weibull", u"weibull3", u"sgamma",        // 10-17
    u"bgamma", u"beta", u"xbeta", u"ibeta", u"chisq", u"expi", u"zeta", u"deta", u"hzeta",    // 18-26
    u"dgamma", u"pgamma", u"polylog", u"expn", u"li", u"bsi", u"ssi", u"ci", u"cin", u"shi",  // 27-36
    u"chi", u"fsi", u"fci", u"besselj", u"bessely", u"ndist", u"nsdist", u"tdist", u"fdist"}; // 37-45

using FunctionRegistry = NameIndex;
inline constexpr FunctionRegistry kUnaryFunctionRegistry{kUnaryFunctionNames};
inline constexpr FunctionRegistry kMultiArgFunctionRegistry{kMultiArgFunctionNames};
static_assert(kUnaryFunctionRegistry.HasDistinctNames() && kMultiArgFunctionRegistry.HasDistinctNames(),
              "a registry name repeats: its first match would hide the others");

// The position of the first entry equal to the name, or -1; constant time.
inline int FindRegistryName(const FunctionRegistry& registry, std::u16string_view name) noexcept {
    return registry.Find(name);
}

}  // namespace quorvex
