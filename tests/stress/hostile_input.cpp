// Hostile inputs, each of which must get a value, NaN or an error of the library's classes;
// prints the time and the growth of the peak resident memory of each. A hang is caught by the
// test's time limit. Usage: hostile_input [scale], scale 1 = the full sizes.
#include <Quorvex64.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#if defined(_WIN32)
#include <windows.h>
#include <psapi.h>
#else
#include <sys/resource.h>
#endif

namespace {

long PeakKilobytes() {
#if defined(_WIN32)
    PROCESS_MEMORY_COUNTERS counters{};
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return static_cast<long>(counters.PeakWorkingSetSize / 1024);
#else
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
#endif
}

bool Answered(const char* name, const std::u16string& text) {
    const long before = PeakKilobytes();
    const auto start = std::chrono::steady_clock::now();
    double value = 0;
    QuorvexError error{};
    const std::int32_t status = EvaluonEx(text.c_str(), &value, &error);
    const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    const bool ok = status == 0 || (status == 1 && error.errorClass != nullptr && error.message != nullptr &&
                                    std::strcmp(error.errorClass, "Exception") != 0);
    std::printf("%-28s %9zu units %10.1f ms %8.1f ns/unit  peak +%ld KiB  %s\n", name, text.size(), ms,
                ms * 1e6 / static_cast<double>(text.size() == 0 ? 1 : text.size()), PeakKilobytes() - before,
                status == 0 ? "value" : error.errorClass);
    return ok;
}

std::u16string Repeat(std::u16string_view piece, std::size_t times, std::u16string_view head = {},
                      std::u16string_view tail = {}) {
    std::u16string text(head);
    text.reserve(head.size() + piece.size() * times + tail.size());
    for (std::size_t i = 0; i < times; ++i) text += piece;
    return text + std::u16string(tail);
}

}  // namespace

int main(int argc, char** argv) {
    const std::size_t scale = argc > 1 ? static_cast<std::size_t>(std::atol(argv[1])) : 1;
    const std::size_t n = 100000 / scale;
    bool ok = true;
    ok &= Answered("1 MB of digits", std::u16string(1000000 / scale, u'7'));
    ok &= Answered("1 MB sum of products", Repeat(u"+2*3", 250000 / scale, u"1"));
    ok &= Answered("million-term sum", Repeat(u"+1", 1000000 / scale, u"1"));
    ok &= Answered("100000 nested brackets", Repeat(u"(", n) + u"1" + Repeat(u")", n));
    ok &= Answered("100000 nested minus groups", Repeat(u"(-", n) + u"1" + Repeat(u")", n));
    ok &= Answered("100000 arguments to max", Repeat(u",1", n - 1, u"max(1", u")"));
    ok &= Answered("100000 functions in a row", Repeat(u"sin", n, {}, u"1"));
    ok &= Answered("100000 unary minus", Repeat(u"-", n, u"2*", u"3"));
    ok &= Answered("100000 open brackets", Repeat(u"(", n));
    ok &= Answered("100000 exponent joins", Repeat(u"+1e-1", n, u"0"));
    std::u16string everyUnit;
    for (char32_t unit = 1; unit <= 0xFFFF; ++unit) everyUnit += static_cast<char16_t>(unit);
    ok &= Answered("every UTF-16 unit", everyUnit);
    std::mt19937 random(8);
    std::uniform_int_distribution<int> unit(1, 0xFFFF);
    std::uniform_int_distribution<int> ascii(32, 126);
    for (int i = 0; i < 200; ++i) {
        std::u16string text(static_cast<std::size_t>(random() % 2000), u' ');
        for (auto& c : text) c = static_cast<char16_t>(i % 2 == 0 ? unit(random) : ascii(random));
        ok &= Answered(i % 2 == 0 ? "random units" : "random ASCII", text);
    }
    std::puts(ok ? "hostile input: every input answered" : "hostile input: an input was not answered");
    return ok ? 0 : 1;
}
