// The library's elementary functions against the C library's, on a handful of arguments in
// each function's typical range; the counter ns_per_call is the time of one call.
#include "core/elementary_math.hpp"

#include <benchmark/benchmark.h>

#include <array>
#include <cmath>
#include <cstddef>
#include <string>

namespace {

using Unary = double (*)(double);

constexpr std::size_t kArguments = 8;
using Arguments = std::array<double, kArguments>;

// Typical arguments: moderate magnitudes, both signs where the domain allows.
constexpr Arguments kExpArguments = {-7.25, -0.6931, -1e-3, 0.0625, 0.5, 1.75, 12.5, 300.25};
constexpr Arguments kLogArguments = {1e-9, 0.015, 0.5, 0.9999, 1.0001, 2.75, 1e5, 3.3e150};
constexpr Arguments kLog1pArguments = {-0.75, -0.01, -1e-7, 1e-9, 0.003, 0.4, 3.0, 1e6};
constexpr Arguments kTrigArguments = {-2.5, -0.7, 0.001, 0.3, 1.2, 3.1, 10.5, 1000.25};
constexpr Arguments kHugeTrigArguments = {1e7, -3e9, 1e15, 6.5e22, -1e100, 2.5e200, 1e300, 1.7e308};
constexpr Arguments kUnitArguments = {-0.99, -0.75, -0.3, -1e-5, 0.01, 0.45, 0.6, 0.97};
constexpr Arguments kAtanArguments = {-50.0, -1.5, -0.4, -1e-4, 0.02, 0.7, 3.5, 1e4};
constexpr Arguments kHyperbolicArguments = {-20.0, -2.5, -0.3, -1e-4, 0.01, 0.8, 4.0, 35.0};
constexpr Arguments kAcoshArguments = {1.0001, 1.05, 1.5, 2.0, 3.75, 10.0, 1e3, 1e10};
constexpr Arguments kErfArguments = {-0.5, -0.3, -0.1, -1e-6, 1e-3, 0.05, 0.25, 0.49};
constexpr Arguments kSecondArguments = {0.5, -3.0, 1.25, -0.01, 7.0, 2.0, -1e3, 0.3};

void SetPerCall(benchmark::State& state) {
    state.counters["ns_per_call"] =
        benchmark::Counter(static_cast<double>(kArguments) * 1e-9,
                           benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void RunUnary(benchmark::State& state, Unary f, const Arguments& arguments) {
    for (auto _ : state) {
        for (const double x : arguments) benchmark::DoNotOptimize(f(x));
    }
    SetPerCall(state);
}

void RunBinary(benchmark::State& state, double (*f)(double, double), const Arguments& arguments) {
    for (auto _ : state) {
        for (std::size_t k = 0; k < kArguments; ++k) benchmark::DoNotOptimize(f(arguments[k], kSecondArguments[k]));
    }
    SetPerCall(state);
}

// Ours and the C library's under one name each; the std:: overloads taken through lambdas.
struct UnaryCase {
    const char* name;
    Unary ours;
    Unary theirs;
    const Arguments* arguments;
};

// One row per function, in the order of elementary_math.hpp.
const std::array<UnaryCase, 18> kUnaryCases = {{
    {"Exp", quorvex::Exp, [](double x) { return std::exp(x); }, &kExpArguments},
    {"Expm1", quorvex::Expm1, [](double x) { return std::expm1(x); }, &kExpArguments},
    {"Log", quorvex::Log, [](double x) { return std::log(x); }, &kLogArguments},
    {"Log1p", quorvex::Log1p, [](double x) { return std::log1p(x); }, &kLog1pArguments},
    {"Sin", quorvex::Sin, [](double x) { return std::sin(x); }, &kTrigArguments},
    {"Cos", quorvex::Cos, [](double x) { return std::cos(x); }, &kTrigArguments},
    {"Tan", quorvex::Tan, [](double x) { return std::tan(x); }, &kTrigArguments},
    {"SinHuge", quorvex::Sin, [](double x) { return std::sin(x); }, &kHugeTrigArguments},
    {"Asin", quorvex::Asin, [](double x) { return std::asin(x); }, &kUnitArguments},
    {"Acos", quorvex::Acos, [](double x) { return std::acos(x); }, &kUnitArguments},
    {"Atan", quorvex::Atan, [](double x) { return std::atan(x); }, &kAtanArguments},
    {"Sinh", quorvex::Sinh, [](double x) { return std::sinh(x); }, &kHyperbolicArguments},
    {"Cosh", quorvex::Cosh, [](double x) { return std::cosh(x); }, &kHyperbolicArguments},
    {"Tanh", quorvex::Tanh, [](double x) { return std::tanh(x); }, &kHyperbolicArguments},
    {"Asinh", quorvex::Asinh, [](double x) { return std::asinh(x); }, &kAtanArguments},
    {"Acosh", quorvex::Acosh, [](double x) { return std::acosh(x); }, &kAcoshArguments},
    {"Atanh", quorvex::Atanh, [](double x) { return std::atanh(x); }, &kUnitArguments},
    {"Erf", quorvex::ErfNearZero, [](double x) { return std::erf(x); }, &kErfArguments},
}};

}  // namespace

int main(int argc, char** argv) {
    for (const UnaryCase& c : kUnaryCases) {
        benchmark::RegisterBenchmark((std::string("Quorvex") + c.name).c_str(),
                                     [c](benchmark::State& state) { RunUnary(state, c.ours, *c.arguments); });
        benchmark::RegisterBenchmark((std::string("Std") + c.name).c_str(),
                                     [c](benchmark::State& state) { RunUnary(state, c.theirs, *c.arguments); });
    }
    benchmark::RegisterBenchmark("QuorvexAtan2",
                                 [](benchmark::State& state) { RunBinary(state, quorvex::Atan2, kAtanArguments); });
    benchmark::RegisterBenchmark("StdAtan2", [](benchmark::State& state) {
        RunBinary(
            state, [](double y, double x) { return std::atan2(y, x); }, kAtanArguments);
    });
    benchmark::RegisterBenchmark("QuorvexHypot",
                                 [](benchmark::State& state) { RunBinary(state, quorvex::Hypot, kAtanArguments); });
    benchmark::RegisterBenchmark("StdHypot", [](benchmark::State& state) {
        RunBinary(
            state, [](double x, double y) { return std::hypot(x, y); }, kAtanArguments);
    });
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
