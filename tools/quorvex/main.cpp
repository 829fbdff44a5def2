// quorvex: the command-line calculator. Evaluates expressions given as arguments, read from a
// file or standard input, or typed at an interactive prompt.
#include "console.hpp"
#include "function_catalogue.hpp"
#include "line_editor.hpp"
#include "report.hpp"

#include "core/utf16.hpp"
#include "pipeline/constants.hpp"

#include <Quorvex64.h>

#include <cstdio>
#include <fstream>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

namespace {

using quorvex::tool::Argument;
using quorvex::tool::ReportStyle;

constexpr std::string_view kUsage =
    "usage: quorvex [OPTIONS] [EXPRESSION...]\n"
    "\n"
    "Evaluates each expression and prints its value (NAN when it does not reduce). Without\n"
    "expressions it reads one expression per line from --file or standard input; at a\n"
    "terminal it prompts, with line editing and history where libedit is installed.\n"
    "An error prints its class, help context and message; the exit status is then 1.\n"
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

constexpr const char* kPrompt = "quorvex> ";

void PrintConstants(std::ostream& out) {
    for (std::int32_t i = 0; i < GetConstNum(); ++i) {
        const std::string token(quorvex::kPhysicalConstantTable[static_cast<std::size_t>(i)].token.begin(),
                                quorvex::kPhysicalConstantTable[static_cast<std::size_t>(i)].token.end());
        out << i << '\t' << token << '\t' << quorvex::ToUtf8(GetConstName(i)) << '\t' << quorvex::ToUtf8(GetConstVal(i))
            << '\n';
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

// Strips a carriage return left by a CRLF line end.
std::string WithoutLineEnd(std::string line) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return line;
}

bool EvaluateLines(std::istream& in, ReportStyle style) {
    bool ok = true;
    std::string line;
    while (std::getline(in, line)) ok = quorvex::tool::EvaluateAndReport(quorvex::ToUtf16(WithoutLineEnd(line)), style, std::cout, std::cerr) && ok;
    return ok;
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

bool RunInteractive(ReportStyle style) {
    quorvex::tool::LineEditor editor;
    std::cout << "quorvex " << quorvex::ToUtf8(QuorvexGetVersion()) << " (:help for help, :quit to leave)\n";
    while (const auto line = editor.ReadLine(kPrompt)) {
        const std::string text = WithoutLineEnd(*line);
        if (text.empty()) continue;
        if (text.front() == ':') {
            if (!RunCommand(text)) break;
            continue;
        }
        quorvex::tool::EvaluateAndReport(quorvex::ToUtf16(text), style, std::cout, std::cout);
    }
    return true;
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
            std::cout << "quorvex " << quorvex::ToUtf8(QuorvexGetVersion()) << '\n';
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
                return 2;
            }
            file = arguments[++i].utf8;
        } else if (argument.rfind("--", 0) == 0 && argument.size() > 2) {
            std::cerr << "quorvex: unknown option " << argument << " (--help lists them)\n";
            return 2;
        } else {
            // Anything else is an expression, "-2^2" included.
            expressions.push_back(arguments[i].utf16);
        }
    }

    bool ok = true;
    if (!expressions.empty()) {
        for (const auto& expression : expressions) {
            ok = quorvex::tool::EvaluateAndReport(expression, style, std::cout, std::cerr) && ok;
        }
    } else if (!file.empty()) {
        std::ifstream in(quorvex::tool::FilePath(file), std::ios::binary);
        if (!in) {
            std::cerr << "quorvex: cannot read " << file << '\n';
            return 2;
        }
        ok = EvaluateLines(in, style);
    } else if (quorvex::tool::StandardInputIsTerminal()) {
        ok = RunInteractive(style);
    } else {
        ok = EvaluateLines(std::cin, style);
    }
    std::cout.flush();
    return ok ? 0 : 1;
}

int Main(int argc, quorvex::tool::NativeChar** argv) {
    const quorvex::tool::ConsoleSession console;
    return Run(quorvex::tool::CommandLineArguments(argc, argv));
}

}  // namespace

// Windows hands the arguments over as UTF-16 only through wmain (linked with -municode).
#if defined(_WIN32)
int wmain(int argc, wchar_t** argv) { return Main(argc, argv); }
#else
int main(int argc, char** argv) { return Main(argc, argv); }
#endif
