// Reporting one evaluation.
#include "report.hpp"

#include "function_catalogue.hpp"
#include "unicode.hpp"

#include "core/number_text.hpp"

#include <quorvex/quorvex.hpp>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdio>
#include <initializer_list>
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

// Replays the steps of an evaluation on the token list of its last stage, to tell what was left
// when the reduction stopped. A step that cannot be placed loses the road; the stage's list is
// then the best account.
class Residue final : public EvaluationObserver {
public:
    void OnStage(std::u16string_view, const std::vector<std::u16string>& tokens) override {
        tokens_ = stage_ = tokens;
        begin_ = 0;
        end_ = tokens_.size();
        inGroup_ = lost_ = false;
    }
    void OnGroup(const std::vector<std::u16string>& group) override {
        // The engine takes the tokens between the last "(" and the first ")" after it.
        const auto open = std::find(tokens_.rbegin(), tokens_.rend(), u"(");
        if (lost_ || open == tokens_.rend()) return Lose();
        const std::size_t first = tokens_.size() - static_cast<std::size_t>(open - tokens_.rbegin());
        const auto close = std::find(tokens_.begin() + static_cast<std::ptrdiff_t>(first), tokens_.end(), u")");
        if (close == tokens_.end() ||
            !std::equal(tokens_.begin() + static_cast<std::ptrdiff_t>(first), close, group.begin(), group.end())) {
            return Lose();
        }
        tokens_.erase(close);
        tokens_.erase(tokens_.begin() + static_cast<std::ptrdiff_t>(first) - 1);
        begin_ = first - 1;
        end_ = begin_ + group.size();
        inGroup_ = true;
    }
    void OnFold(std::u16string_view number, std::u16string_view result) override {
        if (!Found({u"-", number}, result)) Lose();
    }
    void OnFunction(std::u16string_view name, std::u16string_view argument, std::u16string_view result) override {
        if (!Found({name, argument}, result)) Lose();
    }
    void OnCall(std::u16string_view name, const std::vector<std::u16string>&, std::u16string_view result) override {
        // The call takes the name in front of its group and the whole group.
        if (lost_ || !inGroup_ || begin_ == 0 || tokens_[begin_ - 1] != name) return Lose();
        --begin_;
        Splice(begin_, end_ - begin_, result);
    }
    void OnOperator(std::u16string_view left, std::u16string_view op, std::u16string_view right,
                    std::u16string_view result) override {
        // A negative number right after another token is added to it, with no "+" between.
        if (Found({left, op, right}, result) ||
            (op == u"+" && right.starts_with(u'-') && Found({left, right}, result))) {
            return;
        }
        Lose();
    }

    // The tokens left, a group that stopped half-way in its brackets.
    std::vector<std::u16string> LeftOver() const {
        if (lost_) return stage_;
        std::vector<std::u16string> left(tokens_);
        if (inGroup_ && end_ - begin_ > 1) {
            left.insert(left.begin() + static_cast<std::ptrdiff_t>(end_), u")");
            left.insert(left.begin() + static_cast<std::ptrdiff_t>(begin_), u"(");
        }
        return left;
    }

private:
    void Lose() { lost_ = true; }

    // Replaces the first run of `pattern` in the group being reduced, or else in the whole list
    // (after the last group, the rest is reduced as one), with `result`; answers whether found.
    bool Found(std::initializer_list<std::u16string_view> pattern, std::u16string_view result) {
        if (lost_) return true;
        for (const bool whole : {false, true}) {
            const std::size_t from = whole ? 0 : begin_;
            const std::size_t to = whole ? tokens_.size() : end_;
            for (std::size_t i = from; i + pattern.size() <= to; ++i) {
                if (!std::equal(pattern.begin(), pattern.end(), tokens_.begin() + static_cast<std::ptrdiff_t>(i))) {
                    continue;
                }
                if (whole) {
                    begin_ = 0;
                    end_ = tokens_.size();
                    inGroup_ = false;
                }
                Splice(i, pattern.size(), result);
                return true;
            }
        }
        return false;
    }

    void Splice(std::size_t at, std::size_t count, std::u16string_view result) {
        tokens_[at] = result;
        tokens_.erase(tokens_.begin() + static_cast<std::ptrdiff_t>(at + 1),
                      tokens_.begin() + static_cast<std::ptrdiff_t>(at + count));
        end_ -= count - 1;
    }

    std::vector<std::u16string> stage_;   // the list of the last stage
    std::vector<std::u16string> tokens_;  // that list as the steps left it
    std::size_t begin_ = 0, end_ = 0;     // the part being reduced
    bool inGroup_ = false;                // the part is a group taken out of its brackets
    bool lost_ = false;
};

// The names among the tokens that are no function; constants are numbers by now.
std::string UnknownNames(const std::vector<std::u16string>& tokens) {
    std::string names;
    for (const auto& token : tokens) {
        const bool name = !token.empty() && token[0] >= u'a' && token[0] <= u'z';
        if (name && FindFunction(Utf8(token)) == nullptr) names += (names.empty() ? "" : ", ") + Utf8(token);
    }
    return names;
}

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

std::string DisplayMessage(std::string_view message) {
    constexpr std::string_view kIdeographicSpace = "\u3000";
    std::string shown;
    while (!message.empty()) {
        const std::size_t end = std::min(message.find_first_of("\r\n"), message.size());
        std::string_view part = message.substr(0, end);
        message.remove_prefix(std::min(end + 1, message.size()));
        while (part.starts_with(kIdeographicSpace)) part.remove_prefix(kIdeographicSpace.size());
        if (part.empty()) continue;
        if (!shown.empty()) shown += ' ';
        shown += part;
    }
    return shown;
}

Outcome EvaluateAndReport(std::u16string_view expression, ReportStyle style, std::size_t line, std::ostream& out,
                          std::ostream& errors) {
    // Written only when needed: most lines print a value and nothing else.
    const auto shown = [expression] { return ToUtf8(expression); };  // a lone surrogate shows as U+FFFD
    const auto where = [line] { return line == 0 ? std::string() : "line " + std::to_string(line) + ": "; };
    // Appended, not concatenated: GCC 12 at -O3 warns falsely (-Wrestrict) on the concatenation.
    const auto jsonStart = [line, &shown] {
        std::string start = "{";
        if (line != 0) start.append("\"line\": ").append(std::to_string(line)).append(", ");
        return start.append("\"expression\": ").append(JsonString(shown()));
    };
    try {
        double value = 0.0;
        if (style == ReportStyle::kTrace) {
            out << "expression  " << shown() << '\n';
            TracePrinter printer(out);
            value = Evaluate(expression, printer);
        } else {
            value = Evaluate(expression);
        }
        const bool nan = std::isnan(value);
        std::string leftOver, unknown;
        if (nan) {
            // Only NaN pays for the engine's road, taken again step by step.
            Residue residue;
            Evaluate(expression, residue);
            const std::vector<std::u16string> tokens = residue.LeftOver();
            leftOver = Joined(tokens);
            unknown = UnknownNames(tokens);
        }
        // The library's separator, which --decimal-separator may have set, not this copy's own.
        const std::string valueText = ToUtf8(FormatNumberText(value, GetDecimalSeparator()));
        if (style == ReportStyle::kJson) {
            out << jsonStart() << ", \"value\": " << (nan ? "null" : JsonNumber(value))
                << ", \"text\": " << JsonString(valueText) << ", \"nan\": " << (nan ? "true" : "false")
                << (nan ? ", \"leftOver\": " + JsonString(leftOver) : "") << "}\n";
            return nan ? Outcome::kNotReduced : Outcome::kValue;
        }
        out << (style == ReportStyle::kTrace ? "value       " : "") << valueText << '\n';
        if (nan) {
            out.flush();
            errors << where() << "NAN: left over after the reduction: " << leftOver
                   << (unknown.empty() ? "" : " (no known name: " + unknown + ")") << '\n';
        }
        return nan ? Outcome::kNotReduced : Outcome::kValue;
    } catch (const Exception& e) {
        if (style == ReportStyle::kJson) {
            out << jsonStart() << ", \"error\": {\"class\": " << JsonString(e.ClassName())
                << ", \"message\": " << JsonString(e.what()) << ", \"helpContext\": " << e.HelpContext() << "}}\n";
        } else {
            out.flush();
            errors << where() << e.ClassName() << " (" << e.HelpContext() << "): " << DisplayMessage(e.what()) << '\n';
        }
        return Outcome::kError;
    }
}

}  // namespace quorvex::tool
