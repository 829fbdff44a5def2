// Argument splitting and reduction for multi-argument calls.
#include "pipeline/multi_arg_call.hpp"

#include "functions/multi_arg_dispatch.hpp"
#include "pipeline/operators.hpp"
#include "pipeline/reduction.hpp"
#include "pipeline/trace.hpp"

#include <algorithm>

namespace quorvex {
namespace {

bool ReduceArgument(Tokens& argument, const EvaluationContext& context) {
    return FoldUnaryMinus(argument, context) && ReduceOperators(argument, context);
}

}  // namespace

bool EvaluateMultiArgCall(Tokens& group, const Token& name, const EvaluationContext& context) {
    std::pmr::memory_resource& arena = *group.get_allocator().resource();
    // Handlers read their arguments as texts.
    // Reserved whole, since the arena never gets back what a growing list leaves behind.
    TokenList arguments(&arena);
    arguments.reserve(1 + static_cast<std::size_t>(std::count_if(group.begin(), group.end(), [](const Token& token) {
                          return token.kind == TokenKind::kComma;
                      })));
    Tokens argument(&arena);
    const auto takeArgument = [&] {
        if (!ReduceArgument(argument, context)) return false;
        arguments.emplace_back(TextOf(argument[0], context.separator).View());
        argument.clear();
        return true;
    };
    for (const Token& token : group) {
        if (token.kind != TokenKind::kComma) {
            argument.push_back(token);
        } else if (!takeArgument()) {
            return false;
        }
    }
    if (!takeArgument()) return false;

    const TokenText16 nameText = TextOf(name, context.separator);
    const ShortText answer = DispatchMultiArgFunction(nameText, arguments, context.separator);
    if (EvaluationObserver* observer = context.observer)
        observer->OnCall(nameText, ToStandardTokens(arguments), answer);
    group.clear();
    group.push_back(CopiedTextToken(answer, arena, context.separator));
    return true;
}

}  // namespace quorvex
