// The multi-argument dispatch: one table from name to handler, looked up in constant time.
#include "functions/multi_arg_dispatch.hpp"

#include "core/name_index.hpp"
#include "functions/aggregates.hpp"
#include "functions/integer_functions.hpp"
#include "functions/special_front_ends.hpp"
#include "functions/weibull.hpp"

#include <array>

namespace quorvex {
namespace {

// Handlers of a family share one entry point and find their own row by the name.
using Handler = ShortText (*)(std::u16string_view name, const TokenList& arguments);

struct MultiArgFunction {
    std::u16string_view name;
    Handler handler;
};

template <ShortText (*Aggregate)(const TokenList&)>
ShortText Unnamed(std::u16string_view /*name*/, const TokenList& arguments) {
    return Aggregate(arguments);
}

constexpr Handler kInteger = EvaluateIntegerFunction;
constexpr Handler kSpecial = EvaluateSpecialFunction;

constexpr std::array<MultiArgFunction, 46> kMultiArgFunctions = {{
    {u"and", kInteger},     {u"or", kInteger},      {u"xor", kInteger},     {u"andn", kInteger},
    {u"orn", kInteger},     {u"xorn", kInteger},    {u"shl", kInteger},     {u"shr", kInteger},
    {u"div", kInteger},     {u"mod", kInteger},     {u"max", Unnamed<Maximum>},  {u"min", Unnamed<Minimum>},
    {u"sum", Unnamed<Sum>}, {u"combin", Unnamed<Combin>},  {u"average", Unnamed<Average>},
    {u"weibull", Unnamed<Weibull>},  {u"weibull3", Unnamed<Weibull3>},
    {u"sgamma", kSpecial},  {u"bgamma", kSpecial},  {u"beta", kSpecial},    {u"xbeta", kSpecial},
    {u"ibeta", kSpecial},   {u"chisq", kSpecial},   {u"expi", kSpecial},    {u"expn", kSpecial},
    {u"li", kSpecial},      {u"zeta", kSpecial},    {u"deta", kSpecial},    {u"hzeta", kSpecial},
    {u"dgamma", kSpecial},  {u"pgamma", kSpecial},  {u"polylog", kSpecial}, {u"bsi", kSpecial},
    {u"ssi", kSpecial},     {u"ci", kSpecial},      {u"cin", kSpecial},     {u"shi", kSpecial},
    {u"chi", kSpecial},     {u"fsi", kSpecial},     {u"fci", kSpecial},     {u"besselj", kSpecial},
    {u"bessely", kSpecial}, {u"ndist", kSpecial},   {u"nsdist", kSpecial},  {u"tdist", kSpecial},
    {u"fdist", kSpecial},
}};

constexpr auto kMultiArgFunctionNames = NamesOf(kMultiArgFunctions);
constexpr NameIndex kMultiArgFunctionIndex{kMultiArgFunctionNames};
static_assert(kMultiArgFunctionIndex.HasDistinctNames());

}  // namespace

ShortText DispatchMultiArgFunction(std::u16string_view name, const TokenList& arguments) {
    const int row = kMultiArgFunctionIndex.Find(name);
    if (row < 0 || kMultiArgFunctions[static_cast<std::size_t>(row)].handler == nullptr) {
        return ShortText(kFalseMarker);
    }
    return kMultiArgFunctions[static_cast<std::size_t>(row)].handler(name, arguments);
}

}  // namespace quorvex
