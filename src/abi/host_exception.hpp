// How an error leaves Evaluon for the host: the platform's own mechanism.
#pragma once

#include <Quorvex64.h>

namespace quorvex {

// Raises the reported error to the host. Linux: a C++ exception of the error's own class.
// Windows: the structured exception QUORVEX_EXCEPTION_CODE, non-continuable, whose parameter
// points to the record, so that hosts in any language catch it; no C++ exception leaves the
// DLL. Called after every C++ scope of the call is left and the host's floating-point
// environment is restored, so that unwinding past the library has nothing to clean up.
[[noreturn]] void RaiseToHost(const QuorvexError& record);

}  // namespace quorvex
