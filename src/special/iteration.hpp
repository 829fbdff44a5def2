// The shared loops of the iterative routines: a series or a continued fraction runs until what
// its stopping test measures (its last term, or its last factor's distance from 1) is below eps,
// and stops sooner once it can tell how it would end; at the latest at the cap.
#pragma once

#include "core/checked_float.hpp"
#include "core/elementary_math.hpp"
#include "special/conventions.hpp"

#include <cmath>
#include <complex>
#include <limits>
#include <string_view>

namespace quorvex::special {

// The stopping rule, one for every loop. A round ends the loop when eps > |measure|: the
// tolerance is met. Otherwise the loop goes on, up to the cap of 1000 rounds, unless it can
// tell sooner how it would end:
//  - eps <= 0 (or NaN) is met by no measure: EConvergeError at once, with the routine's
//    message and help context 10010 as at the cap;
//  - once its rounds no longer change the value in double precision, what is left depends on
//    what the loop measures, named at each call by one of the two kinds below. A loop that
//    names neither knows only the first case.
// A step that returns an infinite measure says nothing about convergence that round (a term
// that is zero by chance, a first round with nothing to compare with).

// The first case of the rule, for a routine whose method may not iterate at all (a closed
// form, a finite sum) or that needs eps before its loop: eps <= 0 raises EConvergeError.
inline void RequireReachableTolerance(double eps, std::u16string_view message) {
    if (!(eps > 0.0)) RaiseConvergeError(message);
}

// What the stopping rule makes of a round whose measure has not met eps.
enum class Verdict {
    kGoOn,         // the next round may still tell
    kFinal,        // the value can no longer change: done, with the value as it is
    kUnreachable,  // eps will not be met: EConvergeError
};

// The measure is relative to the value (a term over the sum, delta - 1 of a continued
// fraction). At or below 2^-54 the rounds no longer change the value, and an eps still not met
// is finer than a double can tell.
struct RelativeMeasure {
    Verdict Judge(double measure, double) const {
        return measure <= kNegligibleFraction ? Verdict::kUnreachable : Verdict::kGoOn;
    }
};

// The measure is absolute (a term, or a change of the value) and bounds what the round added to
// value, the quantity the loop builds; eps is compared with it whatever the size of the value,
// so it may lie far below what the value can resolve. Once the terms no longer change the value
// the value is as good as a double holds it, and the loop ends with it: when they are below half
// a unit in its last place (2^-54 |value| or less) and still shrink, or within one unit
// (2^-52 |value| or less) and no longer shrink, which is rounding noise.
struct AbsoluteMeasure {
    const double& value;
    Verdict Judge(double measure, double previous) const {
        const double scale = std::fabs(value);
        if (measure > kLastPlaceFraction * scale) return Verdict::kGoOn;
        if (measure >= previous || measure <= kNegligibleFraction * scale) return Verdict::kFinal;
        return Verdict::kGoOn;
    }
};

// The measure is a term of an asymptotic series relative to its sum: past the smallest term
// the terms only grow, so an eps not met by then is out of reach; before it, as RelativeMeasure.
struct AsymptoticMeasure {
    Verdict Judge(double measure, double previous) const {
        return measure > previous ? Verdict::kUnreachable : RelativeMeasure{}.Judge(measure, previous);
    }
};

// Calls step(i) for i = first, first + 1, ... below the cap of 1000 until the stopping rule
// above ends the loop. step adds its term to the routine's own sum and returns what the
// stopping test measures (the term, or delta - 1 of a continued fraction).
template <typename Kind, typename Step>
void IterateToTolerance(double eps, std::u16string_view message, int first, const Kind& kind, Step&& step) {
    RequireReachableTolerance(eps, message);
    double previous = std::numeric_limits<double>::infinity();
    for (int i = first; i < kIterationCap; ++i) {
        const double measure = std::fabs(step(i));
        if (eps > measure) return;
        switch (kind.Judge(measure, previous)) {
            case Verdict::kGoOn: break;
            case Verdict::kFinal: return;
            case Verdict::kUnreachable: RaiseConvergeError(message);
        }
        previous = measure;
    }
    RaiseConvergeError(message);
}

// A loop that names no kind of measure: only eps <= 0 ends it before the cap.
struct UnstatedMeasure {
    Verdict Judge(double, double) const { return Verdict::kGoOn; }
};

template <typename Step>
void IterateToTolerance(double eps, std::u16string_view message, int first, Step&& step) {
    IterateToTolerance(eps, message, first, UnstatedMeasure{}, step);
}

// The state of a continued fraction evaluated from the front in the modified Lentz form.
struct LentzState {
    double h;  // the value so far
    double c;  // the ratio of successive numerators
    double d;  // the reciprocal of the ratio of successive denominators
};

// The same in complex arithmetic, where only an exact zero is replaced (the zero test is a
// real one); the step returns |delta - 1|.
struct ComplexLentzState {
    std::complex<double> h;
    std::complex<double> c;
    std::complex<double> d;
};

inline double ComplexLentzStep(ComplexLentzState& state, double a, std::complex<double> b) {
    const auto guard = [](std::complex<double> v) { return v == 0.0 ? std::complex<double>(kTinyValue) : v; };
    state.d = guard(b + a * state.d);
    state.c = guard(b + a / state.c);
    state.d = 1.0 / state.d;
    const std::complex<double> delta = state.c * state.d;
    state.h *= delta;
    return Hypot(delta.real() - 1.0, delta.imag());
}

// How a zero that would be divided by is replaced: when exactly zero, or by the zero test.
enum class TinyGuard { kExactZero, kZeroTest };

inline double GuardTiny(double v, TinyGuard guard) {
    const bool zero = guard == TinyGuard::kExactZero ? v == 0.0 : IsZeroByTest(v);
    return zero ? kTinyValue : v;
}

// One step with partial numerator a and denominator b: d = b + a d, c = b + a / c (each
// guarded), d = 1 / d, delta = c d, h = h delta. Returns delta - 1 for the stopping test.
inline double LentzStep(LentzState& state, double a, double b, TinyGuard guard) {
    state.d = GuardTiny(double(b + a * Checked(state.d)), guard);
    state.c = GuardTiny(double(b + a / Checked(state.c)), guard);
    state.d = CheckedDivide(1.0, state.d);
    const double delta = CheckedMultiply(state.c, state.d);
    state.h = CheckedMultiply(state.h, delta);
    return delta - 1.0;
}

}  // namespace quorvex::special
