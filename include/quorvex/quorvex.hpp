// Quorvex C++ API: evaluation that throws the library's own error classes.
//
// Header-only over EvaluonEx: the error classes live in the host's own C++ runtime, so the API
// works with any compiler on either platform and no C++ symbol of the library is needed.
#pragma once

#include <Quorvex64.h>

#include <cstdint>
#include <cstring>
#include <exception>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// The library throws these classes itself on Linux, so there they keep one identity across the
// shared object; on Windows they never leave the DLL.
#if defined(_WIN32)
#define QUORVEX_CXX_API
#else
#define QUORVEX_CXX_API QUORVEX_API
#endif

namespace quorvex {

namespace detail {

// UTF-16 to UTF-8; a lone surrogate becomes U+FFFD.
inline std::string ToUtf8(std::u16string_view text) {
    std::string out;
    out.reserve(text.size() * 3);
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        const bool high = c >= 0xD800 && c <= 0xDBFF;
        if (high && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            c = 0xFFFD;
        }
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

// UTF-8 to UTF-16 unit by unit into `put`; each byte of a malformed sequence becomes U+FFFD.
// Never more units than bytes.
template <typename Put>
void DecodeUtf8(std::string_view text, Put put) {
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        std::size_t length = 0;
        char32_t c = 0;
        char32_t minimum = 0;
        if (lead < 0x80) {
            length = 1;
            c = lead;
        } else if ((lead & 0xE0) == 0xC0) {
            length = 2;
            c = lead & 0x1F;
            minimum = 0x80;
        } else if ((lead & 0xF0) == 0xE0) {
            length = 3;
            c = lead & 0x0F;
            minimum = 0x800;
        } else if ((lead & 0xF8) == 0xF0) {
            length = 4;
            c = lead & 0x07;
            minimum = 0x10000;
        }
        bool valid = length > 0 && i + length <= text.size();
        for (std::size_t k = 1; valid && k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            valid = (next & 0xC0) == 0x80;
            c = (c << 6) | (next & 0x3F);
        }
        if (valid && length > 1) valid = c >= minimum && c <= 0x10FFFF && !(c >= 0xD800 && c <= 0xDFFF);
        if (!valid) {
            put(u'\uFFFD');
            ++i;
            continue;
        }
        if (c < 0x10000) {
            put(static_cast<char16_t>(c));
        } else {
            put(static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10)));
            put(static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF)));
        }
        i += length;
    }
}

inline std::u16string ToUtf16(std::string_view text) {
    std::u16string out;
    out.reserve(text.size());
    DecodeUtf8(text, [&out](char16_t unit) { out += unit; });
    return out;
}

}  // namespace detail

// The root of every error the library raises: a class name, a UTF-16 message written for
// the end user and a help-context number that points into the host's help.
class QUORVEX_CXX_API Exception : public std::exception {
public:
    Exception(std::u16string message, std::int32_t helpContext)
        : message_(std::move(message)), utf8Message_(detail::ToUtf8(message_)), helpContext_(helpContext) {}

    const std::u16string& Message() const noexcept { return message_; }
    std::int32_t HelpContext() const noexcept { return helpContext_; }
    // The class name as the C interface reports it, for example "EConvertError".
    virtual const char* ClassName() const noexcept { return "Exception"; }
    // The message in UTF-8.
    const char* what() const noexcept override { return utf8Message_.c_str(); }

private:
    std::u16string message_;
    std::string utf8Message_;
    std::int32_t helpContext_;
};

// A text that is not a number, or an expression that cannot be read.
class QUORVEX_CXX_API EConvertError : public Exception {
public:
    using Exception::Exception;
    const char* ClassName() const noexcept override { return "EConvertError"; }
};

// A function or operator applied outside its domain, and the engine's own complaints.
class QUORVEX_CXX_API EFunctionError : public Exception {
public:
    using Exception::Exception;
    const char* ClassName() const noexcept override { return "EFunctionError"; }
};

// An iteration that reached its cap without meeting its tolerance.
class QUORVEX_CXX_API EConvergeError : public Exception {
public:
    using Exception::Exception;
    const char* ClassName() const noexcept override { return "EConvergeError"; }
};

// Floating-point overflow that no caller translated.
class QUORVEX_CXX_API EOverflow : public Exception {
public:
    using Exception::Exception;
    const char* ClassName() const noexcept override { return "EOverflow"; }
};

// Division of a non-zero number by zero that no caller translated.
class QUORVEX_CXX_API EZeroDivide : public Exception {
public:
    using Exception::Exception;
    const char* ClassName() const noexcept override { return "EZeroDivide"; }
};

// An invalid floating-point operation (0/0, a negative base to a fractional power, ...).
class QUORVEX_CXX_API EInvalidOp : public Exception {
public:
    using Exception::Exception;
    const char* ClassName() const noexcept override { return "EInvalidOp"; }
};

// A token read past the end of the token list.
class QUORVEX_CXX_API EStringListError : public Exception {
public:
    using Exception::Exception;
    const char* ClassName() const noexcept override { return "EStringListError"; }
};

// Throws the error that EvaluonEx reported, as its own class.
[[noreturn]] inline void ThrowReportedError(const QuorvexError& error) {
    std::u16string message = error.message == nullptr ? std::u16string() : std::u16string(error.message);
    const std::int32_t help = error.helpContext;
    const char* name = error.errorClass == nullptr ? "" : error.errorClass;
    const auto is = [name](const char* candidate) { return std::strcmp(name, candidate) == 0; };
    if (is("EConvertError")) throw EConvertError(std::move(message), help);
    if (is("EFunctionError")) throw EFunctionError(std::move(message), help);
    if (is("EConvergeError")) throw EConvergeError(std::move(message), help);
    if (is("EOverflow")) throw EOverflow(std::move(message), help);
    if (is("EZeroDivide")) throw EZeroDivide(std::move(message), help);
    if (is("EInvalidOp")) throw EInvalidOp(std::move(message), help);
    if (is("EStringListError")) throw EStringListError(std::move(message), help);
    throw Exception(std::move(message), help);
}

// Evaluates an expression: its value, or NaN when it does not reduce; errors are thrown.
inline double Evaluate(const char16_t* expression) {
    double value = 0.0;
    QuorvexError error{};
    if (::EvaluonEx(expression, &value, &error) != 0) ThrowReportedError(error);
    return value;
}
inline double Evaluate(std::u16string_view expression) { return Evaluate(std::u16string(expression).c_str()); }

// UTF-8 with its length, so "1+2" and std::string come here. A NUL inside the text is an
// error; malformed UTF-8 reads as U+FFFD.
inline double Evaluate(std::string_view expression) {
    double value = 0.0;
    QuorvexError error{};
    if (::EvaluonUtf8Ex(expression.data(), expression.size(), &value, &error) != 0) ThrowReportedError(error);
    return value;
}

#if defined(_WIN32)
// wchar_t is UTF-16 on Windows.
inline double Evaluate(const wchar_t* expression) { return Evaluate(reinterpret_cast<const char16_t*>(expression)); }
inline double Evaluate(std::wstring_view expression) { return Evaluate(std::wstring(expression).c_str()); }
#endif

inline std::u16string_view Version() { return ::QuorvexGetVersion(); }

// Receives the steps of one evaluation, to show a user the road of an expression. Every text
// is a token as the engine holds it. Override what you need; the rest does nothing. A C++
// interface of the library itself: on Windows only for programs that link it statically.
class QUORVEX_CXX_API EvaluationObserver {
public:
    virtual ~EvaluationObserver();
    // The token list after a stage: "tokens", "constants" or "exponents".
    virtual void OnStage(std::u16string_view /*stage*/, const std::vector<std::u16string>& /*tokens*/) {}
    // The tokens between the last "(" and the first ")" after it, taken out to be reduced.
    virtual void OnGroup(const std::vector<std::u16string>& /*group*/) {}
    // A "-" that follows no number turned into the sign of the number after it.
    virtual void OnFold(std::u16string_view /*number*/, std::u16string_view /*result*/) {}
    // A single-argument function applied to the number after it.
    virtual void OnFunction(std::u16string_view /*name*/, std::u16string_view /*argument*/,
                            std::u16string_view /*result*/) {}
    // A multi-argument function called with its reduced arguments.
    virtual void OnCall(std::u16string_view /*name*/, const std::vector<std::u16string>& /*arguments*/,
                        std::u16string_view /*result*/) {}
    // A binary operator applied.
    virtual void OnOperator(std::u16string_view /*left*/, std::u16string_view /*op*/, std::u16string_view /*right*/,
                            std::u16string_view /*result*/) {}
};

// Evaluates as Evaluon does, reporting every step to the observer (on this thread only).
QUORVEX_CXX_API double Evaluate(std::u16string_view expression, EvaluationObserver& observer);

}  // namespace quorvex
