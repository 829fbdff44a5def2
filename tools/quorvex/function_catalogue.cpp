// The function catalogue, checked at compile time against the engine's registries.
#include "function_catalogue.hpp"

#include "pipeline/registries.hpp"

#include <algorithm>
#include <array>

namespace quorvex::tool {
namespace {

constexpr std::string_view kElementary = "Elementary";
constexpr std::string_view kTrigonometric = "Trigonometric and hyperbolic";
constexpr std::string_view kInteger = "Integer and bit";
constexpr std::string_view kAggregate = "Aggregates and combinatorics";
constexpr std::string_view kDistribution = "Distributions";
constexpr std::string_view kSpecial = "Special functions";
constexpr std::string_view kIntegral = "Integrals";

// Grouped by family; eps is the optional convergence threshold (default 1e-15).
constexpr std::array<FunctionEntry, 92> kCatalogue = {{
    {kElementary, "ln", "ln(x)", "natural logarithm, x > 0"},
    {kElementary, "log", "log(x)", "common (base 10) logarithm, x > 0"},
    {kElementary, "exp", "exp(x)", "e to the power x"},
    {kElementary, "sqrt", "sqrt(x)", "square root, x >= 0"},
    {kElementary, "sqr", "sqr(x)", "square, x * x"},
    {kElementary, "abs", "abs(x)", "absolute value"},
    {kElementary, "int", "int(x)", "integer part, truncated toward zero"},
    {kElementary, "frac", "frac(x)", "fractional part, x - int(x)"},
    {kElementary, "sign", "sign(x)", "-1, 0 or 1"},
    {kElementary, "rad", "rad(x)", "degrees to radians"},
    {kElementary, "deg", "deg(x)", "radians to degrees (deg0 alone is the constant 273.15)"},
    {kTrigonometric, "sin", "sin(x)", "sine, x in radians"},
    {kTrigonometric, "cos", "cos(x)", "cosine"},
    {kTrigonometric, "tan", "tan(x)", "tangent; an error where cos x is exactly 0"},
    {kTrigonometric, "sec", "sec(x)", "secant, 1 / cos x"},
    {kTrigonometric, "cot", "cot(x)", "cotangent, 1 / tan x"},
    {kTrigonometric, "csc", "csc(x)", "cosecant, 1 / sin x"},
    {kTrigonometric, "asin", "asin(x)", "arcsine, -1 <= x <= 1"},
    {kTrigonometric, "acos", "acos(x)", "arccosine, -1 <= x <= 1"},
    {kTrigonometric, "atan", "atan(x)", "arctangent"},
    {kTrigonometric, "asec", "asec(x)", "arcsecant, |x| >= 1"},
    {kTrigonometric, "acot", "acot(x)", "arccotangent, atan(1 / x)"},
    {kTrigonometric, "acsc", "acsc(x)", "arccosecant, |x| >= 1"},
    {kTrigonometric, "sinh", "sinh(x)", "hyperbolic sine"},
    {kTrigonometric, "cosh", "cosh(x)", "hyperbolic cosine"},
    {kTrigonometric, "tanh", "tanh(x)", "hyperbolic tangent"},
    {kTrigonometric, "sech", "sech(x)", "hyperbolic secant"},
    {kTrigonometric, "coth", "coth(x)", "hyperbolic cotangent, x != 0"},
    {kTrigonometric, "csch", "csch(x)", "hyperbolic cosecant, x != 0"},
    {kTrigonometric, "asinh", "asinh(x)", "inverse hyperbolic sine"},
    {kTrigonometric, "acosh", "acosh(x)", "inverse hyperbolic cosine, |x| >= 1"},
    {kTrigonometric, "atanh", "atanh(x)", "inverse hyperbolic tangent, |x| < 1"},
    {kTrigonometric, "asech", "asech(x)", "inverse hyperbolic secant, 0 < x <= 1"},
    {kTrigonometric, "acoth", "acoth(x)", "inverse hyperbolic cotangent, |x| > 1"},
    {kTrigonometric, "acsch", "acsch(x)", "inverse hyperbolic cosecant, x != 0"},
    {kInteger, "not", "not(n)", "32-bit bitwise complement, -n - 1"},
    {kInteger, "notn", "notn(n)", "complement of the binary digits of |n|, sign flipped"},
    {kInteger, "and", "and(a, b)", "bitwise AND of 32-bit patterns"},
    {kInteger, "or", "or(a, b)", "bitwise OR of 32-bit patterns"},
    {kInteger, "xor", "xor(a, b)", "bitwise exclusive OR of 32-bit patterns"},
    {kInteger, "andn", "andn(a, b)", "sign-and-magnitude AND"},
    {kInteger, "orn", "orn(a, b)", "sign-and-magnitude OR"},
    {kInteger, "xorn", "xorn(a, b)", "sign-and-magnitude exclusive OR"},
    {kInteger, "shl", "shl(a, b)", "a shifted left by b mod 32 bits"},
    {kInteger, "shr", "shr(a, b)", "a shifted right logically by b mod 32 bits"},
    {kInteger, "mod", "mod(a, b)", "remainder of truncating division, sign of a"},
    {kInteger, "div", "div(a, b)", "quotient truncated toward zero"},
    {kAggregate, "max", "max(x1, x2, ...)", "largest argument"},
    {kAggregate, "min", "min(x1, x2, ...)", "smallest argument"},
    {kAggregate, "sum", "sum(x1, x2, ...)", "sum of the arguments"},
    {kAggregate, "average", "average(x1, x2, ...)", "arithmetic mean"},
    {kAggregate, "combin", "combin(n, k)", "binomial coefficient, 0 <= k <= n"},
    {kAggregate, "fact", "fact(n)", "factorial of a natural number"},
    {kDistribution, "ndist", "ndist(x, mean, sd) | ndist(x, mean, sd, mode)", "normal distribution: mode 0 cumulative, 1 density"},
    {kDistribution, "nsdist", "nsdist(x) | nsdist(x, mode)", "standard normal: cumulative, or by mode"},
    {kDistribution, "tdist", "tdist(x, n, form)", "Student t: form 1 lower, 2 upper cumulative, 0 density"},
    {kDistribution, "fdist", "fdist(x, n1, n2, form)", "F distribution: form 1 lower, 2 upper cumulative, 0 density"},
    {kDistribution, "chisq", "chisq(x, k) | chisq(x, k, eps)", "chi-square cumulative distribution"},
    {kDistribution, "weibull", "weibull(x, alpha, beta, mode)", "Weibull: mode 1 cumulative, 0 density"},
    {kDistribution, "weibull3", "weibull3(x, alpha, beta, gamma, mode)", "three-parameter Weibull"},
    {kDistribution, "fisher", "fisher(x)", "Fisher transformation, |x| < 1"},
    {kDistribution, "fisherinv", "fisherinv(x)", "inverse Fisher transformation"},
    {kSpecial, "erf", "erf(x)", "error function"},
    {kSpecial, "erfc", "erfc(x)", "complementary error function"},
    {kSpecial, "erfinv", "erfinv(x)", "inverse error function, -1 < x < 1"},
    {kSpecial, "erfcinv", "erfcinv(x)", "inverse complementary error function, 0 < x < 2"},
    {kSpecial, "gamma", "gamma(x)", "gamma function"},
    {kSpecial, "lgamma", "lgamma(x)", "logarithm of the gamma function"},
    {kSpecial, "dgamma", "dgamma(x) | dgamma(x, eps)", "digamma function"},
    {kSpecial, "pgamma", "pgamma(n, x) | pgamma(n, x, eps)", "polygamma function of order n >= 1"},
    {kSpecial, "sgamma", "sgamma(a, x) | sgamma(a, x, eps)", "lower incomplete gamma function"},
    {kSpecial, "bgamma", "bgamma(a, x) | bgamma(a, x, eps)", "upper incomplete gamma function"},
    {kSpecial, "beta", "beta(a, b)", "beta function"},
    {kSpecial, "xbeta", "xbeta(a, b, x) | xbeta(a, b, x, eps)", "incomplete beta function"},
    {kSpecial, "ibeta", "ibeta(a, b, x) | ibeta(a, b, x, eps)", "regularized incomplete beta function"},
    {kSpecial, "zeta", "zeta(x) | zeta(x, eps)", "Riemann zeta function"},
    {kSpecial, "deta", "deta(x) | deta(x, eps)", "Dirichlet eta function"},
    {kSpecial, "hzeta", "hzeta(x, a) | hzeta(x, a, eps)", "Hurwitz zeta function"},
    {kSpecial, "polylog", "polylog(n, x) | polylog(n, x, eps)", "polylogarithm, |x| <= 1"},
    {kSpecial, "besselj", "besselj(x, a) | besselj(x, a, eps)", "Bessel function of the first kind, order a"},
    {kSpecial, "bessely", "bessely(x, a) | bessely(x, a, eps)", "Bessel function of the second kind, order a"},
    {kIntegral, "expi", "expi(x) | expi(x, eps)", "exponential integral Ei"},
    {kIntegral, "expn", "expn(n, x) | expn(n, x, eps)", "generalized exponential integral En"},
    {kIntegral, "li", "li(x) | li(x, eps)", "logarithmic integral"},
    {kIntegral, "bsi", "bsi(x) | bsi(x, eps)", "sine integral Si"},
    {kIntegral, "ssi", "ssi(x) | ssi(x, eps)", "shifted sine integral Si(x) - pi/2"},
    {kIntegral, "ci", "ci(x) | ci(x, eps)", "cosine integral Ci, x > 0"},
    {kIntegral, "cin", "cin(x) | cin(x, eps)", "entire cosine integral Cin, x > 0"},
    {kIntegral, "shi", "shi(x) | shi(x, eps)", "hyperbolic sine integral"},
    {kIntegral, "chi", "chi(x) | chi(x, eps)", "hyperbolic cosine integral, x > 0"},
    {kIntegral, "fsi", "fsi(x) | fsi(x, eps)", "Fresnel integral S"},
    {kIntegral, "fci", "fci(x) | fci(x, eps)", "Fresnel integral C"},
}};

constexpr bool SameText(std::string_view a, std::u16string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char x, char16_t y) { return static_cast<char16_t>(x) == y; });
}

constexpr bool Catalogued(std::u16string_view name) {
    return std::any_of(kCatalogue.begin(), kCatalogue.end(), [name](const FunctionEntry& e) { return SameText(e.name, name); });
}

static_assert([] {
    for (const auto* registry : {&kUnaryFunctionRegistry, &kMultiArgFunctionRegistry}) {
        for (const auto name : *registry) {
            if (!Catalogued(name)) return false;
        }
    }
    return true;
}(), "a function name of the registries is missing from the catalogue");

}  // namespace

std::span<const FunctionEntry> FunctionCatalogue() { return kCatalogue; }

const FunctionEntry* FindFunction(std::string_view name) {
    const auto* found = std::find_if(kCatalogue.begin(), kCatalogue.end(), [name](const FunctionEntry& e) { return e.name == name; });
    return found == kCatalogue.end() ? nullptr : found;
}

}  // namespace quorvex::tool
