// The observer of the evaluation running on this thread, if a host asked for one.
#pragma once

#include "core/token_list.hpp"

#include <quorvex/quorvex.hpp>

#include <string>
#include <vector>

namespace quorvex {

// The observer of this thread's evaluation, or nullptr: the engine reports a step only then.
EvaluationObserver* CurrentObserver() noexcept;

// A copy of the tokens in the observer's terms; made only when there is an observer.
std::vector<std::u16string> ToStandardTokens(const TokenList& tokens);

// Makes an observer current for the scope of one evaluation.
class ObserverScope {
public:
    explicit ObserverScope(EvaluationObserver* observer) noexcept;
    ~ObserverScope();
    ObserverScope(const ObserverScope&) = delete;
    ObserverScope& operator=(const ObserverScope&) = delete;

private:
    EvaluationObserver* previous_;
};

}  // namespace quorvex
