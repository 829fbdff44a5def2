// Raising an error to the host, and keeping the DLL loaded while its threads live.
#include "abi/host_exception.hpp"

#include <quorvex/quorvex.hpp>

#if defined(_WIN32)
#include <cstdlib>

#include <windows.h>
#endif

namespace quorvex {

#if defined(_WIN32)

void RaiseToHost(const QuorvexError& record) {
    const ULONG_PTR parameters[] = {reinterpret_cast<ULONG_PTR>(&record)};
    RaiseException(QUORVEX_EXCEPTION_CODE, EXCEPTION_NONCONTINUABLE, 1, parameters);
    // A non-continuable exception never returns: a handler that tries gets another exception.
    std::abort();
}

namespace {

// The thread-local storage of threads that used the library is released when those threads
// end; unloading the code under them hangs their exit. So the DLL pins itself: FreeLibrary
// only drops the host's reference.
bool PinModule() noexcept {
    HMODULE self = nullptr;
    return GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_PIN,
                              reinterpret_cast<LPCWSTR>(&PinModule), &self) != 0;
}

[[maybe_unused]] const bool kPinned = PinModule();

}  // namespace

#else

void RaiseToHost(const QuorvexError& record) { ThrowReportedError(record); }

#endif

}  // namespace quorvex
