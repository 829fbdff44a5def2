// Reporting one evaluation.
#include "report.hpp"

#include "unicode.hpp"

#include "core/number_text.hpp"

#include <quorvex/quorvex.hpp>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

namespace quorvex::tool {
namespace {

std::string Utf8(std::u16string_view text) { return ToUtf8(text); }

std::string Joined(const std::vector<std::u16string>& tokens) {
    std::string out;
    for (const auto& token : tokens) {
        if (!out.empty()) out += ' ';
        out += Utf8(token);
    }
    return out;
}

// Prints each step of the engine on its own line, labelled.
class TracePrinter final : public EvaluationObserver {
public:
    explicit TracePrinter(std::ostream& out) : out_(out) {}

    void OnStage(std::u16string_view stage, const std::vector<std::u16string>& tokens) override {
        Line(Utf8(stage), Joined(tokens));
    }
    void OnGroup(const std::vector<std::u16string>& group) override { Line("group", "( " + Joined(group) + " )"); }
    void OnFold(std::u16string_view number, std::u16string_view result) override {
        Line("minus", "- " + Utf8(number) + " -> " + Utf8(result));
    }
    void OnFunction(std::u16string_view name, std::u16string_view argument, std::u16string_view result) override {
        Line("function", Utf8(name) + " " + Utf8(argument) + " -> " + Utf8(result));
    }
    void OnCall(std::u16string_view name, const std::vector<std::u16string>& arguments,
                std::u16string_view result) override {
        std::string list;
        for (const auto& argument : arguments) list += (list.empty() ? "" : ", ") + Utf8(argument);
        Line("call", Utf8(name) + "(" + list + ") -> " + Utf8(result));
    }
    void OnOperator(std::u16string_view left, std::u16string_view op, std::u16string_view right,
                    std::u16string_view result) override {
        Line("operator", Utf8(left) + " " + Utf8(op) + " " + Utf8(right) + " -> " + Utf8(result));
    }

private:
    void Line(const std::string& label, const std::string& text) {
        out_ << "  " << label << std::string(label.size() < 10 ? 10 - label.size() : 1, ' ') << text << '\n';
    }
    std::ostream& out_;
};

std::string JsonNumber(double value) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.17g", value);
    return buffer;
}

}  // namespace

std::string JsonString(std::string_view text) {
    std::string out = "\"";
    for (const char c : text) {
        const auto unit = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\r') {
            out += "\\r";
        } else if (c == '\t') {
            out += "\\t";
        } else if (unit < 0x20 || unit == 0x7F) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", unit);
            out += escaped;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

bool EvaluateAndReport(std::u16string_view expression, ReportStyle style, std::ostream& out, std::ostream& errors) {
    const std::string shown = ToUtf8(expression);  // a lone surrogate shows as U+FFFD
    try {
        double value = 0.0;
        if (style == ReportStyle::kTrace) {
            out << "expression  " << shown << '\n';
            TracePrinter printer(out);
            value = Evaluate(expression, printer);
        } else {
            value = Evaluate(expression);
        }
        const std::string valueText = ToUtf8(FormatNumberText(value));
        if (style == ReportStyle::kJson) {
            const bool nan = std::isnan(value);
            out << "{\"expression\": " << JsonString(shown) << ", \"value\": " << (nan ? "null" : JsonNumber(value))
                << ", \"text\": " << JsonString(valueText) << ", \"nan\": " << (nan ? "true" : "false") << "}\n";
        } else if (style == ReportStyle::kTrace) {
            out << "value       " << valueText << '\n';
        } else {
            out << valueText << '\n';
        }
        return true;
    } catch (const Exception& e) {
        if (style == ReportStyle::kJson) {
            out << "{\"expression\": " << JsonString(shown) << ", \"error\": {\"class\": " << JsonString(e.ClassName())
                << ", \"message\": " << JsonString(e.what()) << ", \"helpContext\": " << e.HelpContext() << "}}\n";
        } else {
            out.flush();
            errors << e.ClassName() << " (" << e.HelpContext() << "): " << e.what() << '\n';
        }
        return false;
    }
}

}  // namespace quorvex::tool
