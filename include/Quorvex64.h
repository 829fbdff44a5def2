/* Quorvex: evaluates a mathematical expression given as UTF-16 or UTF-8 text.
 *
 * The C interface of libQuorvex64.so and Quorvex64.dll, described in docs/api.md. Every text
 * crosses the boundary as NUL-terminated UTF-16, but for EvaluonUtf8Ex's UTF-8 with a length,
 * and every text the library returns belongs to the library. */
#ifndef QUORVEX64_H
#define QUORVEX64_H

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
#include <cstddef>
#include <cstdint>
#include <type_traits>
#else
#include <uchar.h>
#endif

/* On Windows the DLL's exports are named by its module-definition file, so building the DLL or
 * linking the library statically (QUORVEX_STATIC) needs no decoration; a host imports. */
#if defined(_WIN32)
#if defined(QUORVEX_STATIC)
#define QUORVEX_API
#else
#define QUORVEX_API __declspec(dllimport)
#endif
#elif defined(__GNUC__)
#define QUORVEX_API __attribute__((visibility("default")))
#else
#define QUORVEX_API
#endif

/* The code of the structured exception that Evaluon raises on Windows. It is non-continuable;
 * its one parameter, ExceptionInformation[0], points to a QuorvexError that describes the error,
 * valid until the thread's next call into the library. */
#define QUORVEX_EXCEPTION_CODE 0xE0515658u

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
 * expression does not reduce. A null pointer is the empty expression. Errors leave the call
 * on Linux as C++ exceptions of the classes declared in quorvex/quorvex.hpp; on Windows as the
 * structured exception QUORVEX_EXCEPTION_CODE, which any host can catch (__try/__except, a
 * vectored handler, .NET's SEHException), and no C++ exception crosses the DLL. */
QUORVEX_API double Evaluon(const char16_t* expression);

/* Evaluates the expression without throwing. Returns 0 and stores the value (a number or
 * the NaN above) in *value, or returns 1 and fills *error. Either out-pointer may be null. */
QUORVEX_API int32_t EvaluonEx(const char16_t* expression, double* value, QuorvexError* error);

/* UTF-8 text and the decimal separator. */

/* Evaluates `length` bytes of UTF-8 as EvaluonEx evaluates UTF-16, with the same return value
 * and out-pointers; on error *value is left as it was. The text need not end in NUL, and a NUL
 * among its bytes is an error (EConvertError, help context 0), never the end of the text.
 * Malformed UTF-8 reads as U+FFFD, one for each byte, which no expression accepts. A null text
 * is the empty expression, whatever the length. The library keeps no pointer into the text;
 * the message is the library's, as for EvaluonEx. Thread-safe. */
QUORVEX_API int32_t EvaluonUtf8Ex(const char* text, size_t length, double* value, QuorvexError* error);

/* Sets the decimal separator of the whole process, in place of the one of the numeric locale
 * read when the library was loaded. Returns 0 when accepted and 1 when refused: only '.' and
 * ',' are accepted, the two the tokenizer knows (under ',' a comma still separates arguments,
 * so a fraction is computed, 3/2, not typed); 0 restores the locale's. Thread-safe: each
 * evaluation takes the separator once at its start, so one that runs meanwhile on another
 * thread keeps the separator it started with. */
QUORVEX_API int32_t SetDecimalSeparator(char16_t separator);

/* The separator the next evaluation will read and write numbers with. Thread-safe. */
QUORVEX_API char16_t GetDecimalSeparator(void);

/* The version text, "1.5". Win32 has a GetVersion of its own, so on Windows the export
 * "GetVersion" is declared as QuorvexGetVersion (the import library maps the name); the same
 * name works on Linux, so portable hosts use QuorvexGetVersion. */
#if defined(_WIN32)
QUORVEX_API const char16_t* QuorvexGetVersion(void);
#else
QUORVEX_API const char16_t* GetVersion(void);
static inline const char16_t* QuorvexGetVersion(void) { return GetVersion(); }
#endif

/* The number of physical constants, 34. */
QUORVEX_API int32_t GetConstNum(void);

/* The display text of constant `index` (name, description and unit), or NULL outside
 * 0..33. Valid while the library is loaded. */
QUORVEX_API const char16_t* GetConstName(int32_t index);

/* The value of constant `index` as number text, or NULL outside 0..33. The text lives in
 * thread-local storage: valid until the next GetConstVal call on the same thread. */
QUORVEX_API const char16_t* GetConstVal(int32_t index);

/* The token that stands for constant `index` in an expression, in lower case ("r", "deg0"),
 * or NULL outside 0..33. Valid while the library is loaded. */
QUORVEX_API const char16_t* GetConstToken(int32_t index);

/* Evaluates `count` expressions in one call, as EvaluonEx evaluates each. `expressions` holds
 * the NUL-terminated UTF-16 texts back to back, each starting after the previous one's NUL
 * (u"1+2\0" u"2(3)\0" u"1/0" is three); a null pointer is `count` empty expressions. Stores
 * in values[i] the value of expression i (a number or the NaN 0xFFF8000000000000 when it does
 * not reduce), or the NaN 0x7FF8000000000000 when it raises an error; and in failed[i] 1 when
 * it raises, else 0. Both arrays belong to the caller and hold `count` elements; either may be
 * null. Returns the number of expressions that raised. No error details are kept: a host that
 * wants them calls EvaluonEx on a failed expression again. Thread-safe; the host's
 * floating-point environment and errno are left as found. */
QUORVEX_API size_t EvaluonManyEx(const char16_t* expressions, size_t count, double* values, int32_t* failed);

/* As EvaluonManyEx, for texts joined by zero units: `joined` holds `length` UTF-16 units, the
 * `count` texts with one zero unit between each two and none after the last (u"1+2\0" u"2(3)"
 * is two), so a host can join its texts without scanning them. Returns the number of
 * expressions that raised; or SIZE_MAX, the arrays' contents then unspecified, when the units
 * do not hold exactly `count` texts: a zero unit within a text shows as one text too many.
 * `count` 0 goes with `length` 0; a null `joined` is the empty buffer, with `length` 0 only. */
QUORVEX_API size_t EvaluonJoinedEx(const char16_t* joined, size_t length, size_t count, double* values,
                                   int32_t* failed);

#ifdef __cplusplus
}

#if defined(_WIN32)
/* wchar_t is UTF-16 on Windows: L"..." texts need no cast. Templates, so that a null pointer
 * constant still picks the char16_t form. */
template <typename Char, typename std::enable_if<std::is_same<Char, wchar_t>::value, int>::type = 0>
inline double Evaluon(const Char* expression) {
    return Evaluon(reinterpret_cast<const char16_t*>(expression));
}
template <typename Char, typename std::enable_if<std::is_same<Char, wchar_t>::value, int>::type = 0>
inline int32_t EvaluonEx(const Char* expression, double* value, QuorvexError* error) {
    return EvaluonEx(reinterpret_cast<const char16_t*>(expression), value, error);
}
#endif
#endif

#endif /* QUORVEX64_H */
