// The observer of the evaluation running on this thread, if a host asked for one.
#pragma once

#include <quorvex/quorvex.hpp>

namespace quorvex {

// The observer of this thread's evaluation, or nullptr: the engine reports a step only then.
EvaluationObserver* CurrentObserver() noexcept;

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
