// A minimal recursive-descent evaluator: expr = term {(+|-) term}, term = power {(*|/) power},
// power = unary {^ unary} (from the left, as Quorvex reads it), unary = [-] primary,
// primary = number | "(" expr ")" | name "(" expr ")".
#include "minimal_evaluator.hpp"

#include <array>
#include <charconv>
#include <cmath>
#include <limits>

namespace quorvex::bench {
namespace {

constexpr double kNotANumber = std::numeric_limits<double>::quiet_NaN();

struct Function {
    std::u16string_view name;
    double (*apply)(double);
};

constexpr std::array<Function, 13> kFunctions = {{
    {u"sin", [](double x) { return std::sin(x); }},
    {u"cos", [](double x) { return std::cos(x); }},
    {u"tan", [](double x) { return std::tan(x); }},
    {u"asin", [](double x) { return std::asin(x); }},
    {u"acos", [](double x) { return std::acos(x); }},
    {u"atan", [](double x) { return std::atan(x); }},
    {u"sinh", [](double x) { return std::sinh(x); }},
    {u"cosh", [](double x) { return std::cosh(x); }},
    {u"tanh", [](double x) { return std::tanh(x); }},
    {u"exp", [](double x) { return std::exp(x); }},
    {u"ln", [](double x) { return std::log(x); }},
    {u"sqrt", [](double x) { return std::sqrt(x); }},
    {u"abs", [](double x) { return std::fabs(x); }},
}};

class Parser {
public:
    explicit Parser(std::u16string_view text) : text_(text) {}

    double Whole() {
        const double value = Expression();
        return at_ == text_.size() ? value : kNotANumber;
    }

private:
    char16_t Peek() const { return at_ < text_.size() ? text_[at_] : u'\0'; }

    double Expression() {
        double value = Term();
        for (char16_t op = Peek(); op == u'+' || op == u'-'; op = Peek()) {
            ++at_;
            const double right = Term();
            value = op == u'+' ? value + right : value - right;
        }
        return value;
    }

    double Term() {
        double value = Power();
        for (char16_t op = Peek(); op == u'*' || op == u'/'; op = Peek()) {
            ++at_;
            const double right = Power();
            value = op == u'*' ? value * right : value / right;
        }
        return value;
    }

    double Power() {
        double value = Unary();
        while (Peek() == u'^') {
            ++at_;
            value = std::pow(value, Unary());
        }
        return value;
    }

    double Unary() {
        if (Peek() != u'-') return Primary();
        ++at_;
        return -Primary();
    }

    double Primary() {
        const char16_t unit = Peek();
        if (unit == u'(') return Bracketed();
        if ((unit >= u'0' && unit <= u'9') || unit == u'.') return Number();
        const std::size_t start = at_;
        while (Peek() >= u'a' && Peek() <= u'z') ++at_;
        const std::u16string_view name = text_.substr(start, at_ - start);
        for (const Function& function : kFunctions) {
            if (function.name == name) return Peek() == u'(' ? function.apply(Bracketed()) : kNotANumber;
        }
        return kNotANumber;
    }

    double Bracketed() {
        ++at_;
        const double value = Expression();
        if (Peek() != u')') return kNotANumber;
        ++at_;
        return value;
    }

    // The digits are narrowed as they are scanned; from_chars rounds correctly.
    double Number() {
        std::array<char, 64> digits{};
        std::size_t size = 0;
        const auto take = [&] {
            if (size < digits.size()) digits[size++] = static_cast<char>(text_[at_]);
            ++at_;
        };
        while ((Peek() >= u'0' && Peek() <= u'9') || Peek() == u'.') take();
        if (Peek() == u'e') {
            take();
            if (Peek() == u'+' || Peek() == u'-') take();
            while (Peek() >= u'0' && Peek() <= u'9') take();
        }
        double value = kNotANumber;
        std::from_chars(digits.data(), digits.data() + size, value);
        return value;
    }

    std::u16string_view text_;
    std::size_t at_ = 0;
};

}  // namespace

double EvaluateMinimally(std::u16string_view text) noexcept { return Parser(text).Whole(); }

}  // namespace quorvex::bench
