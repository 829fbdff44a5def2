// The shared loops of the iterative routines: a series or a continued fraction runs until its
// last term (or its last factor's distance from 1) is below eps, and at most up to the cap.
#pragma once

#include "core/checked_float.hpp"
#include "special/conventions.hpp"

#include <cmath>
#include <string_view>

namespace quorvex::special {

// Calls step(i) for i = first, first + 1, ... below the cap of 1000 until eps > |step(i)|.
// step adds its term to the routine's own sum and returns what the stopping test measures
// (the term, or delta - 1 of a continued fraction). Reaching the cap raises EConvergeError
// with the routine's message.
template <typename Step>
void IterateToTolerance(double eps, std::u16string_view message, int first, Step&& step) {
    for (int i = first; i < kIterationCap; ++i) {
        if (eps > std::fabs(step(i))) return;
    }
    RaiseConvergeError(message);
}

// The state of a continued fraction evaluated from the front in the modified Lentz form.
struct LentzState {
    double h;  // the value so far
    double c;  // the ratio of successive numerators
    double d;  // the reciprocal of the ratio of successive denominators
};

// How a zero that would be divided by is replaced: when exactly zero, or by the zero test.
enum class TinyGuard { kExactZero, kZeroTest };

inline double GuardTiny(double v, TinyGuard guard) {
    const bool zero = guard == TinyGuard::kExactZero ? v == 0.0 : IsZeroByTest(v);
    return zero ? kTinyValue : v;
}

// One step with partial numerator a and denominator b: d = b + a d, c = b + a / c (each
// guarded), d = 1 / d, delta = c d, h = h delta. Returns delta - 1 for the stopping test.
inline double LentzStep(LentzState& state, double a, double b, TinyGuard guard) {
    state.d = GuardTiny(CheckedAdd(b, CheckedMultiply(a, state.d)), guard);
    state.c = GuardTiny(CheckedAdd(b, CheckedDivide(a, state.c)), guard);
    state.d = CheckedDivide(1.0, state.d);
    const double delta = CheckedMultiply(state.c, state.d);
    state.h = CheckedMultiply(state.h, delta);
    return delta - 1.0;
}

}  // namespace quorvex::special
