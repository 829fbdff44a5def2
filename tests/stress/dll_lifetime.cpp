// Loads Quorvex64.dll, evaluates on several threads, frees the library while some of those
// threads are still alive, lets them end, and does it again many times. Must neither hang (the
// test's time limit and the waits below catch that) nor grow. Windows only.
#include <windows.h>
#include <psapi.h>

// After <windows.h>, whose GetVersion the header must not clash with.
#include <Quorvex64.h>
#include <quorvex/quorvex.hpp>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

using EvaluonExFunction = std::int32_t (*)(const char16_t*, double*, QuorvexError*);
using GetConstValFunction = const char16_t* (*)(std::int32_t);

struct Shared {
    EvaluonExFunction evaluate;
    GetConstValFunction constant;
    HANDLE release;  // set once the library has been freed
    volatile LONG wrong;
};

DWORD WINAPI Evaluate(void* argument) {
    auto* shared = static_cast<Shared*>(argument);
    double value = 0;
    QuorvexError error{};
    // Every per-thread buffer: an error message, a value, a constant's text.
    if (shared->evaluate(u"1/0", &value, &error) != 1 || std::strcmp(error.errorClass, "EFunctionError") != 0 ||
        shared->evaluate(u"2*sin(pi/6)+max(1,2)", &value, &error) != 0 || value != 3.0 ||
        shared->constant(11) == nullptr) {
        InterlockedIncrement(&shared->wrong);
    }
    WaitForSingleObject(shared->release, INFINITE);
    return 0;
}

std::size_t PrivateBytes() {
    PROCESS_MEMORY_COUNTERS_EX counters{};
    GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof counters);
    return counters.PrivateUsage;
}

// One load, use and free; false on a failure or a thread that does not end.
bool Round() {
    HMODULE library = LoadLibraryW(L"Quorvex64.dll");
    if (library == nullptr) return false;
    Shared shared{
        reinterpret_cast<EvaluonExFunction>(reinterpret_cast<void*>(GetProcAddress(library, "EvaluonEx"))),
        reinterpret_cast<GetConstValFunction>(reinterpret_cast<void*>(GetProcAddress(library, "GetConstVal"))),
        CreateEventW(nullptr, TRUE, FALSE, nullptr), 0};
    if (shared.evaluate == nullptr || shared.constant == nullptr || shared.release == nullptr) return false;
    constexpr int kThreads = 4;
    std::vector<HANDLE> threads;
    for (int i = 0; i < kThreads; ++i) threads.push_back(CreateThread(nullptr, 0, Evaluate, &shared, 0, nullptr));
    // Half the threads end before the library is freed, half after.
    SetEvent(shared.release);
    WaitForMultipleObjects(kThreads / 2, threads.data(), TRUE, 10000);
    ResetEvent(shared.release);
    FreeLibrary(library);
    SetEvent(shared.release);
    const DWORD waited = WaitForMultipleObjects(kThreads, threads.data(), TRUE, 10000);
    for (HANDLE thread : threads) CloseHandle(thread);
    CloseHandle(shared.release);
    return waited != WAIT_TIMEOUT && waited != WAIT_FAILED && shared.wrong == 0;
}

}  // namespace

int main() {
    constexpr int kWarmUp = 10;
    constexpr int kRounds = 200;
    for (int i = 0; i < kWarmUp; ++i) {
        if (!Round()) return std::puts("dll_lifetime: a warm-up round failed"), 1;
    }
    const std::size_t before = PrivateBytes();
    for (int i = 0; i < kRounds; ++i) {
        if (!Round()) return std::printf("dll_lifetime: round %d failed or hung\n", i), 1;
    }
    const std::size_t growth = PrivateBytes() - before;
    std::printf("dll_lifetime: %d rounds of 4 threads, private bytes +%zu KiB\n", kRounds, growth / 1024);
    constexpr std::size_t kAllowedGrowth = 2 * 1024 * 1024;
    return growth < kAllowedGrowth ? 0 : 1;
}
