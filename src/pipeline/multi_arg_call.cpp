// Argument splitting and reduction for multi-argument calls.
#include "pipeline/multi_arg_call.hpp"

#include "functions/multi_arg_dispatch.hpp"
#include "pipeline/operators.hpp"
#include "pipeline/reduction.hpp"
#include "pipeline/trace.hpp"

#include <utility>

namespace quorvex {
namespace {

bool ReduceArgument(TokenList& argument) { return FoldUnaryMinus(argument) && ReduceOperators(argument); }

}  // namespace

bool EvaluateMultiArgCall(TokenList& group, std::u16string_view name) {
    TokenList arguments(group.get_allocator());
    TokenList argument(group.get_allocator());
    for (auto& token : group) {
        if (token != u",") {
            argument.push_back(std::move(token));
            continue;
        }
        if (!ReduceArgument(argument)) return false;
        arguments.push_back(std::move(argument[0]));
        argument.clear();
    }
    if (!ReduceArgument(argument)) return false;
    arguments.push_back(std::move(argument[0]));

    const ShortText answer = DispatchMultiArgFunction(name, arguments);
    if (EvaluationObserver* observer = CurrentObserver()) observer->OnCall(name, ToStandardTokens(arguments), answer);
    group.clear();
    group.emplace_back(answer.View());
    return true;
}

}  // namespace quorvex
