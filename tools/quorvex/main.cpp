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
#include <string>
#include <string_view>
#include <vector>

namespace {

using quorvex::tool::Argument;
using quorvex::tool::LineStatus;
using quorvex::tool::ReportStyle;
using quorvex::tool::ToUtf16;
using quorvex::tool::ToUtf8;

// Exit statuses: an expression in error, and a calculator that could not do its work.
constexpr int kExpressionFailed = 1;
constexpr int kCalculatorFailed = 2;

constexpr std::string_view kUsage =
    "usage: quorvex [OPTIONS] [EXPRESSION...]\n"
    "\n"
    "Evaluates each expression and prints its value (NAN when it does not reduce). Without\n"
    "expressions it reads one expression per line from --file or standard input; at a\n"
    "terminal it prompts, with line editing and history where libedit is installed.\n"
    "An error prints its class, help context and message; the exit status is then 1.\n"
    "A line longer than 1 MiB (1048576 bytes of UTF-8) is an error of its own and is skipped;\n"
    "reading stops at a line with no end within 64 MiB. The exit status is 2 for a wrong\n"
    "option or when the input cannot be read or the output cannot be written.\n"
    "\n"
    "options:\n"
    "  --json         one JSON object per expression\n"
    "  --trace        show each step of the evaluation\n"
    "  --file F       read expressions from the file F, one per line\n"
    "  --constants    list the physical constants\n"
    "  --functions    list the functions with their argument forms\n"
    "  --version      print the version\n"
    "  --help         print this text\n"
    "\n"
    "at the prompt: :constants, :functions [name], :help, :quit\n";
static_assert(quorvex::tool::kMaxLineBytes == 1048576 && quorvex::tool::kMaxSkippedBytes == 64 << 20,
              "the usage text states the line bounds");

constexpr const char* kPrompt = "quorvex> ";

void PrintConstants(std::ostream& out) {
    for (std::int32_t i = 0; i < GetConstNum(); ++i) {
        out << i << '\t' << ToUtf8(GetConstToken(i)) << '\t' << ToUtf8(GetConstName(i)) << '\t'
            << ToUtf8(GetConstVal(i)) << '\n';
    }
}

void PrintFunctions(std::ostream& out, std::string_view only) {
    std::string_view family;
    for (const auto& entry : quorvex::tool::FunctionCatalogue()) {
        if (!only.empty() && entry.name != only) continue;
        if (only.empty() && entry.family != family) {
            out << (family.empty() ? "" : "\n") << entry.family << '\n';
            family = entry.family;
        }
        out << "  " << entry.forms << "\n      " << entry.description << '\n';
    }
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

// Evaluates each line of the stream; answers the exit status.
int EvaluateLines(std::FILE* in, std::string_view source, ReportStyle style) {
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
        } else if (!quorvex::tool::EvaluateAndReport(ToUtf16(line), style, std::cout, std::cerr)) {
            status = std::max(status, kExpressionFailed);
        }
    }
    return status;
}

// Answers false when the session should end.
bool RunCommand(std::string_view line) {
    if (line == ":quit" || line == ":q") return false;
    if (line == ":help") {
        std::cout << kUsage;
    } else if (line == ":constants") {
        PrintConstants(std::cout);
    } else if (line.rfind(":functions", 0) == 0) {
        std::string_view name = line.substr(std::string_view(":functions").size());
        while (!name.empty() && name.front() == ' ') name.remove_prefix(1);
        if (!name.empty() && quorvex::tool::FindFunction(name) == nullptr) {
            std::cout << "no function named " << name << '\n';
        } else {
            PrintFunctions(std::cout, name);
        }
    } else {
        std::cout << "unknown command " << line << " (:help lists them)\n";
    }
    return true;
}

int RunInteractive(ReportStyle style) {
    quorvex::tool::LineEditor editor;
    std::cout << "quorvex " << ToUtf8(QuorvexGetVersion()) << " (:help for help, :quit to leave)\n";
    std::string text;
    for (std::size_t number = 1; !OutputFailed(); ++number) {
        const LineStatus read = editor.ReadLine(kPrompt, text);
        if (read == LineStatus::kEnd) break;
        if (read != LineStatus::kLine) {
            if (ReportLineStatus(read, "standard input", number, errno, std::cout) == kCalculatorFailed)
                return kCalculatorFailed;
            continue;
        }
        if (text.empty()) continue;
        if (text.front() == ':') {
            if (!RunCommand(text)) break;
            continue;
        }
        quorvex::tool::EvaluateAndReport(ToUtf16(text), style, std::cout, std::cout);
    }
    return 0;
}

// The calculator for one command line; answers the exit status.
int Run(const std::vector<Argument>& arguments) {
    ReportStyle style = ReportStyle::kPlain;
    std::vector<std::u16string_view> expressions;
    std::string file;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string_view argument = arguments[i].utf8;
        if (argument == "--help" || argument == "-h") {
            std::cout << kUsage;
            return 0;
        }
        if (argument == "--version") {
            std::cout << "quorvex " << ToUtf8(QuorvexGetVersion()) << '\n';
            return 0;
        }
        if (argument == "--constants") {
            PrintConstants(std::cout);
            return 0;
        }
        if (argument == "--functions") {
            PrintFunctions(std::cout, {});
            return 0;
        }
        if (argument == "--json") {
            style = ReportStyle::kJson;
        } else if (argument == "--trace") {
            style = ReportStyle::kTrace;
        } else if (argument == "--file") {
            if (i + 1 >= arguments.size()) {
                std::cerr << "quorvex: --file needs a file name\n";
                return kCalculatorFailed;
            }
            file = arguments[++i].utf8;
        } else if (argument.rfind("--", 0) == 0 && argument.size() > 2) {
            std::cerr << "quorvex: unknown option " << argument << " (--help lists them)\n";
            return kCalculatorFailed;
        } else {
            // Anything else is an expression, "-2^2" included.
            expressions.push_back(arguments[i].utf16);
        }
    }

    if (!expressions.empty()) {
        bool ok = true;
        for (const auto& expression : expressions) {
            if (OutputFailed()) break;
            ok = quorvex::tool::EvaluateAndReport(expression, style, std::cout, std::cerr) && ok;
        }
        return ok ? 0 : kExpressionFailed;
    }
    if (!file.empty()) {
        std::FILE* in = quorvex::tool::OpenFile(file);
        if (in == nullptr) {
            std::cerr << "quorvex: cannot read " << file << '\n';
            return kCalculatorFailed;
        }
        const int status = EvaluateLines(in, file, style);
        std::fclose(in);
        return status;
    }
    if (quorvex::tool::StandardInputIsTerminal()) return RunInteractive(style);
    return EvaluateLines(stdin, "standard input", style);
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
