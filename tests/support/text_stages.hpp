// The pipeline's stages over lists of texts, so that a test writes its tokens and its expected
// answer as texts. Each runs the stage the evaluation runs, on tokens made from the texts.
#pragma once

#include "core/token_list.hpp"
#include "pipeline/constants.hpp"
#include "pipeline/evaluation_context.hpp"
#include "pipeline/exponent_joining.hpp"
#include "pipeline/multi_arg_call.hpp"
#include "pipeline/operators.hpp"
#include "pipeline/reduction.hpp"
#include "pipeline/token.hpp"
#include "pipeline/tokenizer.hpp"

#include <memory_resource>
#include <string_view>
#include <utility>

namespace quorvex::testing {

// Texts the tokens view, which must outlive them.
inline void AppendTexts(const Tokens& tokens, TokenList& texts) {
    for (const auto& token : tokens) texts.emplace_back(TextOf(token).View());
}

// Runs a stage over the tokens of the texts, which then hold the stage's result. Texts the
// stage makes live in a scratch arena only as long as the call.
template <typename Stage>
auto RunOnTexts(TokenList& texts, Stage&& stage) {
    std::pmr::monotonic_buffer_resource scratch;
    Tokens tokens(&scratch);
    for (const auto& text : texts) tokens.push_back(TextToken(text));
    auto outcome = stage(tokens);
    TokenList result(texts.get_allocator());
    AppendTexts(tokens, result);
    texts = std::move(result);
    return outcome;
}

inline bool Tokenize(TokenList& texts, std::u16string_view text) {
    std::pmr::monotonic_buffer_resource scratch;
    Tokens tokens(&scratch);
    const bool complete = quorvex::Tokenize(tokens, text);
    AppendTexts(tokens, texts);
    return complete;
}

inline void SubstituteConstants(TokenList& texts) {
    RunOnTexts(texts, [](Tokens& tokens) {
        quorvex::SubstituteConstants(tokens);
        return true;
    });
}

inline void JoinExponentNotation(TokenList& texts) {
    RunOnTexts(texts, [](Tokens& tokens) {
        quorvex::JoinExponentNotation(tokens);
        return true;
    });
}

inline bool ReduceTokenList(TokenList& texts) {
    return RunOnTexts(texts, [](Tokens& tokens) { return quorvex::ReduceTokenList(tokens, EvaluationContext{}); });
}

inline bool FoldUnaryMinus(TokenList& texts) {
    return RunOnTexts(texts, [](Tokens& tokens) { return quorvex::FoldUnaryMinus(tokens, EvaluationContext{}); });
}

inline bool ApplyUnaryFunctions(TokenList& texts) {
    return RunOnTexts(texts, [](Tokens& tokens) { return quorvex::ApplyUnaryFunctions(tokens, EvaluationContext{}); });
}

inline bool ReduceOperators(TokenList& texts) {
    return RunOnTexts(texts, [](Tokens& tokens) { return quorvex::ReduceOperators(tokens, EvaluationContext{}); });
}

inline bool EvaluateMultiArgCall(TokenList& group, std::u16string_view name) {
    return RunOnTexts(group, [name](Tokens& tokens) {
        return quorvex::EvaluateMultiArgCall(tokens, TextToken(name), EvaluationContext{});
    });
}

}  // namespace quorvex::testing
