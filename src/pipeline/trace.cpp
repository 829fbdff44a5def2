// What the engine shows an observer.
#include "pipeline/trace.hpp"

namespace quorvex {
EvaluationObserver::~EvaluationObserver() = default;

std::vector<std::u16string> ToStandardTokens(const TokenList& tokens) {
    std::vector<std::u16string> copy;
    copy.reserve(tokens.size());
    for (const auto& token : tokens) copy.emplace_back(token);
    return copy;
}

}  // namespace quorvex
