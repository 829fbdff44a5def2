// The thread's current observer.
#include "pipeline/trace.hpp"

namespace quorvex {
namespace {

// Initial-exec: read on every step of every evaluation, so no lookup through the TLS resolver.
thread_local EvaluationObserver* tObserver __attribute__((tls_model("initial-exec"))) = nullptr;

}  // namespace

EvaluationObserver::~EvaluationObserver() = default;

EvaluationObserver* CurrentObserver() noexcept { return tObserver; }

std::vector<std::u16string> ToStandardTokens(const TokenList& tokens) {
    std::vector<std::u16string> copy;
    copy.reserve(tokens.size());
    for (const auto& token : tokens) copy.emplace_back(token);
    return copy;
}

ObserverScope::ObserverScope(EvaluationObserver* observer) noexcept : previous_(tObserver) { tObserver = observer; }

ObserverScope::~ObserverScope() { tObserver = previous_; }

}  // namespace quorvex
