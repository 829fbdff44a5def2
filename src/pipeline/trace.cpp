// The thread's current observer.
#include "pipeline/trace.hpp"

namespace quorvex {
namespace {

thread_local EvaluationObserver* tObserver = nullptr;

}  // namespace

EvaluationObserver::~EvaluationObserver() = default;

EvaluationObserver* CurrentObserver() noexcept { return tObserver; }

ObserverScope::ObserverScope(EvaluationObserver* observer) noexcept : previous_(tObserver) { tObserver = observer; }

ObserverScope::~ObserverScope() { tObserver = previous_; }

}  // namespace quorvex
