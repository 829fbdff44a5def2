/* Quorvex: evaluates a mathematical expression given as UTF-16 text.
 *
 * The C interface of libQuorvex64.so. Every text crosses the boundary as NUL-terminated
 * UTF-16 and every text the library returns belongs to the library. */
#ifndef QUORVEX64_H
#define QUORVEX64_H

#include <stdint.h>

#ifdef __cplusplus
#include <cstdint>
#else
#include <uchar.h>
#endif

#if defined(__GNUC__)
#define QUORVEX_API __attribute__((visibility("default")))
#else
#define QUORVEX_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* An error as a host without C++ exceptions sees it. */
typedef struct QuorvexError {
    /* ASCII class name: "EConvertError", "EFunctionError", "EConvergeError", "EOverflow",
       "EZeroDivide", "EInvalidOp", "EStringListError" or "Exception". */
    const char* errorClass;
    /* NUL-terminated UTF-16, owned by the library, valid until the next EvaluonEx call on
       the same thread. */
    const char16_t* message;
    int32_t helpContext;
} QuorvexError;

/* Evaluates the expression. Returns its value, or the NaN 0xFFF8000000000000 when the
 * expression does not reduce. Errors leave as C++ exceptions of the classes declared in
 * quorvex/quorvex.hpp. A null pointer is the empty expression. */
QUORVEX_API double Evaluon(const char16_t* expression);

/* Evaluates the expression without throwing. Returns 0 and stores the value (a number or
 * the NaN above) in *value, or returns 1 and fills *error. Either out-pointer may be null. */
QUORVEX_API int32_t EvaluonEx(const char16_t* expression, double* value, QuorvexError* error);

/* The version text, "1.5". */
QUORVEX_API const char16_t* GetVersion(void);

/* The number of physical constants, 34. */
QUORVEX_API int32_t GetConstNum(void);

/* The display text of constant `index` (name, description and unit), or NULL outside
 * 0..33. Valid while the library is loaded. */
QUORVEX_API const char16_t* GetConstName(int32_t index);

/* The value of constant `index` as number text, or NULL outside 0..33. The text lives in
 * thread-local storage: valid until the next GetConstVal call on the same thread. */
QUORVEX_API const char16_t* GetConstVal(int32_t index);

#ifdef __cplusplus
}
#endif

#endif /* QUORVEX64_H */
