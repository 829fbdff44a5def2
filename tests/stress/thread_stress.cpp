// Several threads evaluate a mixed corpus (values, NaN, errors, long inputs) at once for a
// while; every answer must equal the one-thread answer. Usage: thread_stress [seconds] [threads]
#include <Quorvex64.h>

#include <atomic>
#include <bit>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

namespace {

struct Answer {
    std::int32_t status;
    std::uint64_t bits;
    std::string errorClass;
    std::u16string message;
    std::int32_t helpContext;
    bool operator==(const Answer&) const = default;
};

Answer Evaluate(const std::u16string& text) {
    double value = 0;
    QuorvexError error{};
    const std::int32_t status = EvaluonEx(text.c_str(), &value, &error);
    if (status == 0) return {0, std::bit_cast<std::uint64_t>(value), {}, {}, 0};
    return {1, 0, error.errorClass, error.message, error.helpContext};
}

std::vector<std::u16string> Corpus() {
    std::vector<std::u16string> corpus = {
        u"2*sin(pi/6)+max(1,2)",
        u"-2^2",
        u"(-2^2)",
        u"2(3)",
        u"1/0",
        u"0/0",
        u"abc",
        u"(1+2",
        u"1.5e-3*2",
        u"besselj(2.5,0.5)",
        u"tdist(1.5,10,1)",
        u"ibeta(2,3,0.4)",
        u"zeta(3)",
        u"gamma(-1.5)",
        u"fsi(70)",
        u"hzeta(2,2)",
        u"expi(-1)",
        u"ndist(1,0,0)",
        u"combin(60,30)",
        u"notn(5)",
        u"deg0+1",
        u"atanh(1)",
        u"sum(1e308,1e308)",
        u"2^",
        u"ln(0)",
        u"\u3000",
        u"\xD800+1",
        u"pgamma(3,-2.5)",
        u"bessely(40,2)",
    };
    std::u16string longSum = u"1";
    for (int i = 0; i < 5000; ++i) longSum += u"+(1)";
    corpus.push_back(longSum);
    return corpus;
}

}  // namespace

int main(int argc, char** argv) {
    const double seconds = argc > 1 ? std::atof(argv[1]) : 3.0;
    const int threadCount = argc > 2 ? std::atoi(argv[2]) : 8;
    const auto corpus = Corpus();
    std::vector<Answer> expected;
    for (const auto& text : corpus) expected.push_back(Evaluate(text));

    std::atomic<bool> stop{false};
    std::atomic<long> evaluations{0};
    std::atomic<long> mismatches{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < threadCount; ++t) {
        threads.emplace_back([&, t] {
            for (std::size_t i = static_cast<std::size_t>(t); !stop.load(std::memory_order_relaxed); ++i) {
                const std::size_t k = i % corpus.size();
                if (!(Evaluate(corpus[k]) == expected[k])) mismatches.fetch_add(1);
                evaluations.fetch_add(1, std::memory_order_relaxed);
            }
        });
    }
    std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
    stop = true;
    for (auto& thread : threads) thread.join();
    std::printf("thread stress: %d threads, %ld evaluations, %ld mismatches\n", threadCount, evaluations.load(),
                mismatches.load());
    return mismatches.load() == 0 && evaluations.load() > 0 ? 0 : 1;
}
