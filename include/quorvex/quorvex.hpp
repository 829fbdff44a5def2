// Quorvex C++ API: evaluation that throws the library's own error classes.
#pragma once

#include <Quorvex64.h>

#include <cstdint>
#include <exception>
#include <string>
#include <string_view>
#include <vector>

namespace quorvex {

// The root of every error the library raises: a class name, a UTF-16 message written for
// the end user and a help-context number that points into the host's help.
class QUORVEX_API Exception : public std::exception {
public:
    Exception(std::u16string message, std::int32_t helpContext);
    ~Exception() override;

    const std::u16string& Message() const noexcept { return message_; }
    std::int32_t HelpContext() const noexcept { return helpContext_; }
    // The class name as the C interface reports it, for example "EConvertError".
    virtual const char* ClassName() const noexcept;
    // The message in UTF-8.
    const char* what() const noexcept override;

private:
    std::u16string message_;
    std::string utf8Message_;
    std::int32_t helpContext_;
};

// A text that is not a number, or an expression that cannot be read.
class QUORVEX_API EConvertError : public Exception {
public:
    using Exception::Exception;
    ~EConvertError() override;
    const char* ClassName() const noexcept override;
};

// A function or operator applied outside its domain, and the engine's own complaints.
class QUORVEX_API EFunctionError : public Exception {
public:
    using Exception::Exception;
    ~EFunctionError() override;
    const char* ClassName() const noexcept override;
};

// An iteration that reached its cap without meeting its tolerance.
class QUORVEX_API EConvergeError : public Exception {
public:
    using Exception::Exception;
    ~EConvergeError() override;
    const char* ClassName() const noexcept override;
};

// Floating-point overflow that no caller translated.
class QUORVEX_API EOverflow : public Exception {
public:
    using Exception::Exception;
    ~EOverflow() override;
    const char* ClassName() const noexcept override;
};

// Division of a non-zero number by zero that no caller translated.
class QUORVEX_API EZeroDivide : public Exception {
public:
    using Exception::Exception;
    ~EZeroDivide() override;
    const char* ClassName() const noexcept override;
};

// An invalid floating-point operation (0/0, a negative base to a fractional power, ...).
class QUORVEX_API EInvalidOp : public Exception {
public:
    using Exception::Exception;
    ~EInvalidOp() override;
    const char* ClassName() const noexcept override;
};

// A token read past the end of the token list.
class QUORVEX_API EStringListError : public Exception {
public:
    using Exception::Exception;
    ~EStringListError() override;
    const char* ClassName() const noexcept override;
};

// Receives the steps of one evaluation, to show a user the road of an expression. Every text
// is a token as the engine holds it. Override what you need; the rest does nothing.
class QUORVEX_API EvaluationObserver {
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
QUORVEX_API double Evaluate(std::u16string_view expression, EvaluationObserver& observer);

// Evaluates an expression: its value, or NaN when it does not reduce; errors are thrown.
inline double Evaluate(const char16_t* expression) { return ::Evaluon(expression); }
inline double Evaluate(std::u16string_view expression) {
    const std::u16string terminated(expression);
    return ::Evaluon(terminated.c_str());
}

inline std::u16string_view Version() { return ::GetVersion(); }

}  // namespace quorvex
