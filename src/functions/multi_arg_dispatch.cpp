// The multi-argument dispatch: one table from name to handler, looked up in constant time.
#include "functions/multi_arg_dispatch.hpp"

#include "core/name_index.hpp"
#include "functions/aggregates.hpp"
#include "functions/integer_functions.hpp"
#include "functions/weibull.hpp"

#include <array>

namespace quorvex {
namespace {

using Handler = std::u16string (*)(const TokenList& arguments);

struct MultiArgFunction {
    std::u16string_view name;
    Handler handler;  // null: not served yet, the answer is "False"
};

template <const char16_t* Name>
std::u16string IntegerHandler(const TokenList& arguments) {
    return EvaluateIntegerFunction(Name, arguments);
}

constexpr char16_t kAnd[] = u"and";
constexpr char16_t kOr[] = u"or";
constexpr char16_t kXor[] = u"xor";
constexpr char16_t kAndN[] = u"andn";
constexpr char16_t kOrN[] = u"orn";
constexpr char16_t kXorN[] = u"xorn";
constexpr char16_t kShl[] = u"shl";
constexpr char16_t kShr[] = u"shr";
constexpr char16_t kDiv[] = u"div";
constexpr char16_t kMod[] = u"mod";

constexpr std::array<MultiArgFunction, 46> kMultiArgFunctions = {{
    {kAnd, IntegerHandler<kAnd>},   {kOr, IntegerHandler<kOr>},     {kXor, IntegerHandler<kXor>},
    {kAndN, IntegerHandler<kAndN>}, {kOrN, IntegerHandler<kOrN>},   {kXorN, IntegerHandler<kXorN>},
    {kShl, IntegerHandler<kShl>},   {kShr, IntegerHandler<kShr>},   {kDiv, IntegerHandler<kDiv>},
    {kMod, IntegerHandler<kMod>},   {u"max", Maximum},              {u"min", Minimum},
    {u"sum", Sum},                  {u"combin", Combin},            {u"average", Average},
    {u"weibull", Weibull},          {u"weibull3", Weibull3},
    // Special functions and distributions.
    {u"sgamma", nullptr},  {u"bgamma", nullptr}, {u"beta", nullptr},  {u"xbeta", nullptr},  {u"ibeta", nullptr},
    {u"chisq", nullptr},   {u"expi", nullptr},   {u"expn", nullptr},  {u"li", nullptr},     {u"zeta", nullptr},
    {u"deta", nullptr},    {u"hzeta", nullptr},  {u"dgamma", nullptr}, {u"pgamma", nullptr}, {u"polylog", nullptr},
    {u"bsi", nullptr},     {u"ssi", nullptr},    {u"ci", nullptr},    {u"cin", nullptr},    {u"shi", nullptr},
    {u"chi", nullptr},     {u"fsi", nullptr},    {u"fci", nullptr},   {u"besselj", nullptr}, {u"bessely", nullptr},
    {u"ndist", nullptr},   {u"nsdist", nullptr}, {u"tdist", nullptr}, {u"fdist", nullptr},
}};

constexpr auto kMultiArgFunctionNames = [] {
    std::array<std::u16string_view, kMultiArgFunctions.size()> names{};
    for (std::size_t i = 0; i < names.size(); ++i) names[i] = kMultiArgFunctions[i].name;
    return names;
}();
constexpr NameIndex kMultiArgFunctionIndex{kMultiArgFunctionNames};
static_assert(kMultiArgFunctionIndex.HasDistinctNames());

}  // namespace

std::u16string DispatchMultiArgFunction(std::u16string_view name, const TokenList& arguments) {
    const int row = kMultiArgFunctionIndex.Find(name);
    if (row < 0 || kMultiArgFunctions[static_cast<std::size_t>(row)].handler == nullptr) {
        return std::u16string(kFalseMarker);
    }
    return kMultiArgFunctions[static_cast<std::size_t>(row)].handler(arguments);
}

}  // namespace quorvex
