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
    TokenList arguments;
    TokenList argument;
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

    std::u16string answer = DispatchMultiArgFunction(name, arguments);
    if (EvaluationObserver* observer = CurrentObserver()) observer->OnCall(name, arguments, answer);
    group.clear();
    group.push_back(std::move(answer));
    return true;
}

}  // namespace quorvex
