// Benchmarks: the stages on their own, whole evaluations over the corpus against fparser,
// muparser and a minimal evaluator of our own (the limit), the scaling series, the allocations
// per evaluation and the peak memory of long inputs. Prints the comparison table after Google
// Benchmark's own report.
#include "allocation_counter.hpp"
#include "corpus.hpp"
#include "minimal_evaluator.hpp"

#include "core/number_text.hpp"
#include "core/utf16.hpp"
#include "pipeline/direct_reduction.hpp"
#include "pipeline/reduction.hpp"
#include "pipeline/tokenizer.hpp"

#include <Quorvex64.h>
#include <benchmark/benchmark.h>

#if defined(QUORVEX_HAVE_FPARSER)
#include <fparser.hh>
#endif
#if defined(QUORVEX_HAVE_MUPARSER)
#include <muParser.h>
#endif

#include <algorithm>
#include <array>
#include <cstddef>
#include <memory_resource>
#include <cmath>
#include <cstdio>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace {

using quorvex::bench::Corpus;
using quorvex::bench::SizeClass;

constexpr SizeClass kClasses[] = {SizeClass::kShort, SizeClass::kTypical, SizeClass::kLong};

std::vector<std::u16string> Utf16Corpus(SizeClass size) {
    std::vector<std::u16string> texts;
    for (const auto& e : Corpus(size)) texts.push_back(quorvex::ToUtf16(e.quorvex));
    return texts;
}

void SetPerCall(benchmark::State& state, std::size_t calls) {
    state.counters["ns_per_call"] = benchmark::Counter(
        static_cast<double>(calls) * 1e-9, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BM_Quorvex(benchmark::State& state) {
    const auto size = static_cast<SizeClass>(state.range(0));
    const auto texts = Utf16Corpus(size);
    for (auto _ : state) {
        for (const auto& text : texts) {
            double value = 0;
            QuorvexError error;
            benchmark::DoNotOptimize(EvaluonEx(text.c_str(), &value, &error));
            benchmark::DoNotOptimize(value);
        }
    }
    SetPerCall(state, texts.size());
    state.SetLabel(quorvex::bench::SizeClassName(size));
}

// The limit: the same texts through a minimal evaluator with no 15-digit rounding.
void BM_Limit(benchmark::State& state) {
    const auto size = static_cast<SizeClass>(state.range(0));
    const auto texts = Utf16Corpus(size);
    for (auto _ : state) {
        for (const auto& text : texts) benchmark::DoNotOptimize(quorvex::bench::EvaluateMinimally(text));
    }
    SetPerCall(state, texts.size());
    state.SetLabel(quorvex::bench::SizeClassName(size));
}

// The limit must compute what Quorvex computes, up to the rounding Quorvex adds.
bool LimitAgrees() {
    bool agrees = true;
    for (const SizeClass size : kClasses) {
        for (const auto& text : Utf16Corpus(size)) {
            double value = 0;
            QuorvexError error;
            const double limit = quorvex::bench::EvaluateMinimally(text);
            if (EvaluonEx(text.c_str(), &value, &error) != 0 ||
                !(std::fabs(limit - value) <= 1e-9 * std::fabs(value))) {
                std::fprintf(stderr, "the limit evaluator disagrees on %s\n", quorvex::ToUtf8(text).c_str());
                agrees = false;
            }
        }
    }
    return agrees;
}

#if defined(QUORVEX_HAVE_FPARSER)
void BM_Fparser(benchmark::State& state) {
    const auto size = static_cast<SizeClass>(state.range(0));
    FunctionParser parser;
    for (auto _ : state) {
        for (const auto& e : Corpus(size)) {
            if (parser.Parse(e.fparser, "") >= 0) state.SkipWithError("fparser could not parse the corpus");
            benchmark::DoNotOptimize(parser.Eval(nullptr));
        }
    }
    SetPerCall(state, Corpus(size).size());
    state.SetLabel(quorvex::bench::SizeClassName(size));
}
#endif

#if defined(QUORVEX_HAVE_MUPARSER)
void BM_Muparser(benchmark::State& state) {
    const auto size = static_cast<SizeClass>(state.range(0));
    mu::Parser parser;
    for (auto _ : state) {
        for (const auto& e : Corpus(size)) {
            parser.SetExpr(e.muparser);
            benchmark::DoNotOptimize(parser.Eval());
        }
    }
    SetPerCall(state, Corpus(size).size());
    state.SetLabel(quorvex::bench::SizeClassName(size));
}
#endif

void RegisterClasses(const char* name, void (*function)(benchmark::State&)) {
    auto* b = benchmark::RegisterBenchmark(name, function);
    for (const SizeClass size : kClasses) b->Arg(static_cast<int>(size));
}

// Scaling series: the cost per character of long inputs.
std::u16string SumOfOnes(std::size_t characters) {
    std::u16string text = u"1";
    while (text.size() + 2 <= characters) text += u"+1";
    return text;
}

std::u16string NestedBrackets(std::size_t characters) {
    const std::size_t depth = (characters - 1) / 2;
    return std::u16string(depth, u'(') + u"1" + std::u16string(depth, u')');
}

std::u16string MaxArguments(std::size_t arguments) {
    std::u16string text = u"max(1";
    for (std::size_t i = 1; i < arguments; ++i) text += u",1";
    return text + u")";
}

// Terms with exponent notation and constants, which the stages before the reduction handle.
std::u16string ScientificTerms(std::size_t characters) {
    std::u16string text = u"1";
    while (text.size() + 11 <= characters) text += u"+2.5e-3*pi";
    return text;
}

// A call that only the engine reduces: it holds the whole token list.
std::u16string BitwiseArguments(std::size_t arguments) {
    std::u16string text = u"and(1";
    for (std::size_t i = 1; i < arguments; ++i) text += u",1";
    return text + u")";
}

void RunText(benchmark::State& state, const std::u16string& text) {
    for (auto _ : state) {
        double value = 0;
        QuorvexError error;
        benchmark::DoNotOptimize(EvaluonEx(text.c_str(), &value, &error));
    }
    state.counters["ns_per_char"] =
        benchmark::Counter(static_cast<double>(text.size()) * 1e-9,
                           benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BM_SumOfOnes(benchmark::State& state) { RunText(state, SumOfOnes(static_cast<std::size_t>(state.range(0)))); }
void BM_NestedBrackets(benchmark::State& state) {
    RunText(state, NestedBrackets(static_cast<std::size_t>(state.range(0))));
}
void BM_MaxArguments(benchmark::State& state) {
    RunText(state, MaxArguments(static_cast<std::size_t>(state.range(0))));
}

// The stages on their own.
void BM_FormatNumberText(benchmark::State& state) {
    double x = 0.1;
    for (auto _ : state) {
        benchmark::DoNotOptimize(quorvex::FormatNumberText(x));
        x += 1.0000001;
    }
}

void BM_ParseNumberText(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(quorvex::ParseNumberText(u"0.333333333333333"));
}

// Tokens as the evaluation makes them: in an arena, over the working text.
void BM_Tokenize(benchmark::State& state) {
    const std::u16string text = quorvex::ToUtf16(Corpus(SizeClass::kTypical)[0].quorvex);
    std::array<std::byte, 16384> block{};
    for (auto _ : state) {
        std::pmr::monotonic_buffer_resource arena(block.data(), block.size());
        quorvex::Tokens tokens(&arena);
        benchmark::DoNotOptimize(quorvex::Tokenize(tokens, text));
    }
}

// A reduction timed on a fresh copy of the same tokens in a fresh arena each time, as an
// evaluation would give it.
template <typename Reduction>
void RunReduction(benchmark::State& state, Reduction reduce) {
    const std::u16string text = u"(3.5*2.25-1.125)/(4.75+0.5*8)+12-2^5/16";
    std::pmr::monotonic_buffer_resource prepareArena;
    quorvex::Tokens prepared(&prepareArena);
    quorvex::Tokenize(prepared, text);
    std::array<std::byte, 16384> block{};
    for (auto _ : state) {
        std::pmr::monotonic_buffer_resource arena(block.data(), block.size());
        quorvex::Tokens tokens(prepared, &arena);
        benchmark::DoNotOptimize(reduce(tokens));
    }
}

// The engine, which reduces every shape; the direct reduction, which takes the plain ones.
void BM_ReduceTokenList(benchmark::State& state) {
    RunReduction(
        state, [](quorvex::Tokens& tokens) { return quorvex::ReduceTokenList(tokens, quorvex::EvaluationContext{}); });
}

void BM_ReduceDirectly(benchmark::State& state) {
    RunReduction(state, [](quorvex::Tokens& tokens) { return quorvex::ReduceDirectly(tokens); });
}

// Median per benchmark name, captured from the aggregate rows.
class MedianCapture : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const auto& run : runs) {
            if (run.aggregate_name != "median") continue;
            const auto found = run.counters.find("ns_per_call");
            if (found != run.counters.end())
                medians[run.run_name.function_name + "/" + run.run_name.args] = found->second;
            const auto perChar = run.counters.find("ns_per_char");
            if (perChar != run.counters.end()) perCharacter[run.run_name.str()] = perChar->second;
        }
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> medians;
    std::map<std::string, double> perCharacter;
};

void PrintComparison(const MedianCapture& capture) {
    std::printf(
        "\nper call, median (ns)      quorvex        limit      fparser     muparser     q/limit   q/fparser  "
        "q/muparser\n");
    for (const SizeClass size : kClasses) {
        const std::string arg = std::to_string(static_cast<int>(size));
        const auto get = [&](const char* name) {
            const auto found = capture.medians.find(std::string(name) + "/" + arg);
            return found == capture.medians.end() ? NAN : found->second;
        };
        const double q = get("Quorvex");
        const double l = get("Limit");
        const double f = get("Fparser");
        const double m = get("Muparser");
        std::printf("%-22s %12.1f %12.1f %12.1f %12.1f %11.2f %11.2f %11.2f\n", quorvex::bench::SizeClassName(size), q,
                    l, f, m, q / l, q / f, q / m);
    }
    std::printf("\nscaling, median ns per character\n");
    for (const auto& [name, value] : capture.perCharacter) std::printf("  %-40s %8.2f\n", name.c_str(), value);

    std::printf("\nheap allocations per evaluation (expressions up to 256 characters)\n");
    for (const SizeClass size : {SizeClass::kShort, SizeClass::kTypical}) {
        const auto texts = Utf16Corpus(size);
        const std::uint64_t before = quorvex::bench::AllocationCount();
        for (const auto& text : texts) {
            double value = 0;
            QuorvexError error;
            EvaluonEx(text.c_str(), &value, &error);
        }
        const std::uint64_t after = quorvex::bench::AllocationCount();
        std::printf("  %-10s %.1f\n", quorvex::bench::SizeClassName(size),
                    static_cast<double>(after - before) / static_cast<double>(texts.size()));
    }

    // The input is made before the peak is reset: only what the evaluation takes counts.
    std::printf("\npeak bytes held per input unit, one evaluation\n");
    const std::pair<const char*, std::u16string (*)(std::size_t)> shapes[] = {
        {"SumOfOnes", SumOfOnes},
        {"NestedBrackets", NestedBrackets},
        {"MaxArguments", [](std::size_t units) { return MaxArguments(units / 2); }},
        {"ScientificTerms", ScientificTerms},
        {"BitwiseArguments", [](std::size_t units) { return BitwiseArguments(units / 2); }},
    };
    for (const auto& [name, make] : shapes) {
        for (const std::size_t units : {100000UL, 1000000UL, 10000000UL}) {
            const std::u16string text = make(units);
            quorvex::bench::ResetPeakBytes();
            const std::size_t held = quorvex::bench::HeldBytes();
            double value = 0;
            QuorvexError error;
            EvaluonEx(text.c_str(), &value, &error);
            const double perUnit =
                static_cast<double>(quorvex::bench::PeakBytes() - held) / static_cast<double>(text.size());
            std::printf("  %-16s %9zu units %8.2f\n", name, text.size(), perUnit);
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (!LimitAgrees()) return 1;
    RegisterClasses("Quorvex", BM_Quorvex);
    RegisterClasses("Limit", BM_Limit);
#if defined(QUORVEX_HAVE_FPARSER)
    RegisterClasses("Fparser", BM_Fparser);
#endif
#if defined(QUORVEX_HAVE_MUPARSER)
    RegisterClasses("Muparser", BM_Muparser);
#endif
    for (const auto* name : {"SumOfOnes", "NestedBrackets"}) {
        auto* b =
            benchmark::RegisterBenchmark(name, std::string(name) == "SumOfOnes" ? BM_SumOfOnes : BM_NestedBrackets);
        for (const long n : {10L, 100L, 1000L, 10000L, 100000L, 1000000L}) b->Arg(n);
    }
    benchmark::RegisterBenchmark("MaxArguments", BM_MaxArguments)->Arg(100000);
    benchmark::RegisterBenchmark("FormatNumberText", BM_FormatNumberText);
    benchmark::RegisterBenchmark("ParseNumberText", BM_ParseNumberText);
    benchmark::RegisterBenchmark("Tokenize", BM_Tokenize);
    benchmark::RegisterBenchmark("ReduceTokenList", BM_ReduceTokenList);
    benchmark::RegisterBenchmark("ReduceDirectly", BM_ReduceDirectly);

    std::vector<char*> arguments(argv, argv + argc);
    // Repetitions interleaved at random, so that a burst of load on a shared machine falls on
    // ours and the peers' alike rather than on one of them.
    std::string repetitions = "--benchmark_repetitions=9";
    std::string interleaving = "--benchmark_enable_random_interleaving=true";
    std::string aggregates = "--benchmark_report_aggregates_only=true";
    arguments.insert(arguments.begin() + 1, {repetitions.data(), interleaving.data(), aggregates.data()});
    int count = static_cast<int>(arguments.size());
    benchmark::Initialize(&count, arguments.data());
    MedianCapture capture;
    benchmark::RunSpecifiedBenchmarks(&capture);
    PrintComparison(capture);
    benchmark::Shutdown();
    return 0;
}
