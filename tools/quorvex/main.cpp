// quorvex: the command-line calculator. Evaluates expressions given as arguments, read from a
// file or standard input, or typed at an interactive prompt.
#include "console.hpp"
#include "function_catalogue.hpp"
#include "line_editor.hpp"
#include "line_reader.hpp"
#include "report.hpp"
#include "unicode.hpp"

#include <Quorvex64.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace {

using quorvex::tool::Argument;
using quorvex::tool::LineStatus;
using quorvex::tool::Outcome;
using quorvex::tool::ReportStyle;
using quorvex::tool::ToUtf16;
using quorvex::tool::ToUtf8;

// Exit statuses: an expression in error, and a calculator that could not do its work.
constexpr int kExpressionFailed = 1;
constexpr int kCalculatorFailed = 2;

constexpr std::string_view kUsage =
    "usage: quorvex [OPTIONS] [--] [EXPRESSION...]\n"
    "\n"
    "Evaluates each expression and prints its value. An expression that does not reduce prints\n"
    "NAN, and standard error tells what the reduction left over. Without expressions it reads\n"
    "one expression per line from --file or standard input, skipping empty lines and a UTF-8\n"
    "byte order mark; at a terminal it prompts, with line editing, Tab completion and history\n"
    "where libedit is installed (:help there tells more).\n"
    "An error prints its class, help context and message (with its line number when read from\n"
    "input); the exit status is then 1. A line longer than 1 MiB (1048576 bytes of UTF-8) is an\n"
    "error of its own and is skipped; reading stops at a line with no end within 64 MiB. The exit\n"
    "status is 2 for a wrong option or when the input cannot be read or the output cannot be\n"
    "written.\n"
    "\n"
    "options:\n"
    "  --json                 one JSON object per expression, messages exactly as the library\n"
    "                         gives them\n"
    "  --trace                show each step of the evaluation\n"
    "  --strict               a NAN is an error too: the exit status is then 1\n"
    "  --file F               read expressions from the file F, one per line\n"
    "  --decimal-separator C  read and write numbers with the decimal separator C rather than\n"
    "                         the locale's\n"
    "  --constants            list the physical constants\n"
    "  --functions [NAME]     list the functions with their argument forms, or the one NAME\n"
    "  --version              print the version\n"
    "  --help, -h             print this text\n"
    "  --                     end the options: every later argument is an expression\n"
    "An option's value may also be joined to it by '=', as in --file=F.\n";
static_assert(quorvex::tool::kMaxLineBytes == 1048576 && quorvex::tool::kMaxSkippedBytes == 64 << 20,
              "the usage text states the line bounds");

constexpr const char* kPrompt = "quorvex> ";

constexpr std::string_view kCommands[] = {":constants", ":functions", ":help", ":quit"};

void PrintConstants(std::ostream& out) {
    for (std::int32_t i = 0; i < GetConstNum(); ++i) {
        out << i << '\t' << ToUtf8(GetConstToken(i)) << '\t' << ToUtf8(GetConstName(i)) << '\t'
            << ToUtf8(GetConstVal(i)) << '\n';
    }
}

std::string AsciiLower(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) c = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    return lower;
}

// Lists the functions, or the one named `only` (ASCII case ignored); answers false when there
// is none of that name.
bool PrintFunctions(std::ostream& out, std::string_view only) {
    const std::string name = AsciiLower(only);
    if (!name.empty() && quorvex::tool::FindFunction(name) == nullptr) return false;
    std::string_view family;
    for (const auto& entry : quorvex::tool::FunctionCatalogue()) {
        if (!name.empty() && entry.name != name) continue;
        if (name.empty() && entry.family != family) {
            out << (family.empty() ? "" : "\n") << entry.family << '\n';
            family = entry.family;
        }
        out << "  " << entry.forms << "\n      " << entry.description << '\n';
    }
    return true;
}

// Output that could not be written is found when its buffer goes out; nothing more is worth
// computing then.
bool OutputFailed() { return !std::cout || std::ferror(stdout) != 0; }

// Tells why the line numbered `number` of `source` gave no expression, `error` being the errno of a
// failed read; answers the exit status it leaves, or 0 for a line that was read.
int ReportLineStatus(LineStatus status, std::string_view source, std::size_t number, int error, std::ostream& errors) {
    switch (status) {
        case LineStatus::kLine:
        case LineStatus::kEnd: return 0;
        case LineStatus::kTooLong:
            errors << "quorvex: line " << number << " of " << source << " is longer than "
                   << quorvex::tool::kMaxLineBytes << " bytes\n";
            return kExpressionFailed;
        case LineStatus::kEndless:
            errors << "quorvex: line " << number << " of " << source << " has no end within "
                   << quorvex::tool::kMaxSkippedBytes << " bytes; reading stops\n";
            return kCalculatorFailed;
        case LineStatus::kReadError:
            errors << "quorvex: cannot read " << source << ": " << std::strerror(error) << '\n';
            return kCalculatorFailed;
    }
    return kCalculatorFailed;
}

bool Blank(std::string_view line) { return line.find_first_not_of(" \t\v\f") == std::string_view::npos; }

// The exit status an evaluation leaves.
int StatusOf(Outcome outcome, bool strict) {
    if (outcome == Outcome::kError || (strict && outcome == Outcome::kNotReduced)) return kExpressionFailed;
    return 0;
}

// Evaluates each line of the stream; answers the exit status.
int EvaluateLines(std::FILE* in, std::string_view source, ReportStyle style, bool strict) {
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    int status = 0;
    std::string line;
    for (std::size_t number = 1; !OutputFailed(); ++number) {
        const LineStatus read = quorvex::tool::ReadBoundedLine(in, line);
        if (read == LineStatus::kEnd) break;
        if (read != LineStatus::kLine) {
            const int error = errno;
            std::cout.flush();
            status = std::max(status, ReportLineStatus(read, source, number, error, std::cerr));
            if (status == kCalculatorFailed) break;
            continue;
        }
        if (number == 1 && line.starts_with(kByteOrderMark)) line.erase(0, kByteOrderMark.size());
        if (Blank(line)) continue;
        const Outcome outcome = quorvex::tool::EvaluateAndReport(ToUtf16(line), style, number, std::cout, std::cerr);
        status = std::max(status, StatusOf(outcome, strict));
    }
    return status;
}

void PrintPromptHelp(const quorvex::tool::LineEditor& editor, const std::string& history) {
    std::cout << "Type an expression and Enter to see its value; spaces and the case of letters do not\n"
                 "matter. An error shows its class, help context and message. An expression that does\n"
                 "not reduce shows NAN, and after it what the reduction left over, with the names it\n"
                 "does not know.\n"
                 "\n"
                 "  :functions [name]  list the functions with their argument forms, or the one name\n"
                 "  :constants         list the physical constants (pi is known as well)\n"
                 "  :help              this text\n"
                 "  :quit              leave, as Ctrl-D does\n"
                 "\n";
    if (editor.Editing()) {
        std::cout << "Tab completes function and constant names, Ctrl-C drops the line typed so far.\n"
                  << (history.empty() ? std::string("The history is not kept: no home directory.\n")
                                      : "The history is kept in " + history + ".\n");
    } else {
#if defined(_WIN32)
        std::cout << "The console edits the line and keeps the history; Ctrl-C ends the calculator.\n";
#else
        std::cout << "Line editing, completion and history are off: libedit is not installed.\n";
#endif
    }
}

// Answers false when the session should end.
bool RunCommand(std::string_view text, const quorvex::tool::LineEditor& editor, const std::string& history) {
    const std::string line = AsciiLower(text);
    const std::string_view command = std::string_view(line).substr(0, line.find_first_of(" \t"));
    std::string_view argument = std::string_view(line).substr(command.size());
    while (!argument.empty() && (argument.front() == ' ' || argument.front() == '\t')) argument.remove_prefix(1);
    if ((command == ":quit" || command == ":q") && argument.empty()) return false;
    if (command == ":help" && argument.empty()) {
        PrintPromptHelp(editor, history);
    } else if (command == ":constants" && argument.empty()) {
        PrintConstants(std::cout);
    } else if (command == ":functions") {
        if (!PrintFunctions(std::cout, argument)) std::cout << "no function named " << argument << '\n';
    } else {
        std::cout << "unknown command " << text << " (:help lists them)\n";
    }
    return true;
}

// What Tab completes: the functions, pi and the constants, the prompt's commands.
std::vector<std::string> CompletionWords() {
    std::vector<std::string> words;
    for (const auto& entry : quorvex::tool::FunctionCatalogue()) words.emplace_back(entry.name);
    words.emplace_back("pi");
    for (std::int32_t i = 0; i < GetConstNum(); ++i) words.push_back(ToUtf8(GetConstToken(i)));
    words.insert(words.end(), std::begin(kCommands), std::end(kCommands));
    return words;
}

int RunInteractive(ReportStyle style) {
    const std::string history = quorvex::tool::HistoryFile();
    quorvex::tool::LineEditor editor(CompletionWords(), history);
#if !defined(_WIN32)
    if (!editor.Editing())
        std::cerr << "quorvex: libedit is not installed: line editing, completion and history are off\n";
#endif
    std::cout << "quorvex " << ToUtf8(QuorvexGetVersion()) << " (:help for help, :quit to leave)\n";
    std::string text;
    for (std::size_t number = 1; !OutputFailed(); ++number) {
        const LineStatus read = editor.ReadLine(kPrompt, text);
        if (read == LineStatus::kEnd) {
            std::cout << '\n';  // Ctrl-D leaves the cursor after the prompt
            break;
        }
        if (read != LineStatus::kLine) {
            if (ReportLineStatus(read, "standard input", number, errno, std::cout) == kCalculatorFailed)
                return kCalculatorFailed;
            continue;
        }
        const std::size_t first = text.find_first_not_of(" \t");
        if (first == std::string::npos) continue;
        if (text[first] == ':') {
            const std::size_t last = text.find_last_not_of(" \t");
            if (!RunCommand(std::string_view(text).substr(first, last + 1 - first), editor, history)) break;
            continue;
        }
        quorvex::tool::EvaluateAndReport(ToUtf16(text), style, 0, std::cout, std::cout);
    }
    return 0;
}

// What the command line asks for.
struct Options {
    enum class Action { kEvaluate, kHelp, kVersion, kConstants, kFunctions } action = Action::kEvaluate;
    ReportStyle style = ReportStyle::kPlain;
    bool strict = false;
    std::optional<std::string> file;
    std::optional<char16_t> separator;
    std::string function;  // --functions NAME
    std::vector<std::u16string_view> expressions;
};

// Reads the command line into `options`; answers 0, or the exit status of a wrong one after
// telling what is wrong.
int ParseOptions(const std::vector<Argument>& arguments, Options& options) {
    bool optionsEnded = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string_view argument = arguments[i].utf8;
        if (optionsEnded || !(argument.starts_with("--") || argument == "-h")) {
            // "-2^2" is an expression.
            options.expressions.push_back(arguments[i].utf16);
            continue;
        }
        if (argument == "--") {
            optionsEnded = true;
            continue;
        }
        const std::size_t equals = argument.find('=');
        const std::string_view name = argument.substr(0, equals);
        const bool joined = equals != std::string_view::npos;
        // The option's value: joined by '=', or the next argument.
        std::u16string_view value16;
        std::string_view value;
        const auto takeValue = [&](bool optional) {
            if (joined) {
                value = argument.substr(equals + 1);
                value16 = std::u16string_view(arguments[i].utf16).substr(arguments[i].utf16.find(u'=') + 1);
                return true;
            }
            if (i + 1 >= arguments.size() || (optional && arguments[i + 1].utf8.starts_with("-"))) return false;
            ++i;
            value = arguments[i].utf8;
            value16 = arguments[i].utf16;
            return true;
        };
        using Action = Options::Action;
        if (name == "--file" || name == "--decimal-separator") {
            if (!takeValue(false)) {
                std::cerr << "quorvex: " << name << " needs a value (--help tells which)\n";
                return kCalculatorFailed;
            }
            if (name == "--file") {
                options.file = std::string(value);
            } else if (value16.size() == 1) {
                options.separator = value16[0];
            } else {
                std::cerr << "quorvex: --decimal-separator needs one character, not '" << value << "'\n";
                return kCalculatorFailed;
            }
            continue;
        }
        if (name == "--functions") {
            options.action = Action::kFunctions;
            if (takeValue(true)) options.function = value;
            continue;
        }
        constexpr std::pair<std::string_view, Action> kActions[] = {{"--help", Action::kHelp},
                                                                    {"-h", Action::kHelp},
                                                                    {"--version", Action::kVersion},
                                                                    {"--constants", Action::kConstants}};
        constexpr std::pair<std::string_view, ReportStyle> kStyles[] = {{"--json", ReportStyle::kJson},
                                                                        {"--trace", ReportStyle::kTrace}};
        const auto action = std::find_if(std::begin(kActions), std::end(kActions),
                                         [name](const auto& entry) { return entry.first == name; });
        const auto style = std::find_if(std::begin(kStyles), std::end(kStyles),
                                        [name](const auto& entry) { return entry.first == name; });
        const bool known = action != std::end(kActions) || style != std::end(kStyles) || name == "--strict";
        if (!known) {
            std::cerr << "quorvex: unknown option " << argument << " (--help lists them)\n";
            return kCalculatorFailed;
        }
        if (joined) {
            std::cerr << "quorvex: " << name << " takes no value\n";
            return kCalculatorFailed;
        }
        if (action != std::end(kActions)) {
            options.action = action->second;
        } else if (style != std::end(kStyles)) {
            options.style = style->second;
        } else {
            options.strict = true;
        }
    }
    if (options.file && !options.expressions.empty()) {
        std::cerr << "quorvex: --file and expressions on the command line exclude each other\n";
        return kCalculatorFailed;
    }
    return 0;
}

// The calculator for one command line; answers the exit status.
int Run(const std::vector<Argument>& arguments) {
    Options options;
    if (const int status = ParseOptions(arguments, options); status != 0) return status;
    switch (options.action) {
        case Options::Action::kEvaluate: break;
        case Options::Action::kHelp: std::cout << kUsage; return 0;
        case Options::Action::kVersion: std::cout << "quorvex " << ToUtf8(QuorvexGetVersion()) << '\n'; return 0;
        case Options::Action::kConstants: PrintConstants(std::cout); return 0;
        case Options::Action::kFunctions:
            if (PrintFunctions(std::cout, options.function)) return 0;
            std::cerr << "quorvex: no function named " << options.function << " (--functions lists them)\n";
            return kCalculatorFailed;
    }
    if (options.separator) {
        if (SetDecimalSeparator(*options.separator) != 0) {
            std::cerr << "quorvex: the decimal separator can be . or , only, not '"
                      << ToUtf8(std::u16string(1, *options.separator)) << "'\n";
            return kCalculatorFailed;
        }
    }

    if (!options.expressions.empty()) {
        int status = 0;
        for (const auto& expression : options.expressions) {
            if (OutputFailed()) break;
            const Outcome outcome =
                quorvex::tool::EvaluateAndReport(expression, options.style, 0, std::cout, std::cerr);
            status = std::max(status, StatusOf(outcome, options.strict));
        }
        return status;
    }
    if (options.file) {
        std::FILE* in = quorvex::tool::OpenFile(*options.file);
        if (in == nullptr) {
            const int error = errno;
            std::cerr << "quorvex: cannot read " << *options.file << ": " << std::strerror(error) << '\n';
            return kCalculatorFailed;
        }
        const int status = EvaluateLines(in, *options.file, options.style, options.strict);
        std::fclose(in);
        return status;
    }
    if (quorvex::tool::StandardInputIsTerminal()) return RunInteractive(options.style);
    return EvaluateLines(stdin, "standard input", options.style, options.strict);
}

// The status of a run whose output has been written, or could not be: what is still buffered goes
// out here, where a failure can still be told.
int WithOutputWritten(int status) {
    std::cout.flush();
    if (std::fflush(stdout) != 0 || OutputFailed()) {
        const int error = errno;
        std::cerr << "quorvex: cannot write the output: " << std::strerror(error) << '\n';
        status = kCalculatorFailed;
    }
    std::cerr.flush();
    return std::cerr ? status : kCalculatorFailed;
}

int Main(int argc, quorvex::tool::NativeChar** argv) {
    const quorvex::tool::ConsoleSession console;
    return WithOutputWritten(Run(quorvex::tool::CommandLineArguments(argc, argv)));
}

}  // namespace

// Windows hands the arguments over as UTF-16 only through wmain (linked with -municode).
#if defined(_WIN32)
int wmain(int argc, wchar_t** argv) { return Main(argc, argv); }
#else
int main(int argc, char** argv) { return Main(argc, argv); }
#endif
