// quorvex: the command-line calculator. Evaluates each argument, or each line of standard
// input, and prints the value as number text; errors go to standard error.
#include <quorvex/quorvex.hpp>

#include "core/number_text.hpp"
#include "core/utf16.hpp"

#include <cstdio>
#include <iostream>
#include <string>
#include <string_view>

namespace {

constexpr std::string_view kUsage =
    "usage: quorvex [EXPRESSION...]\n"
    "Evaluates each expression and prints its value (NAN when it does not reduce).\n"
    "Without expressions, reads one expression per line from standard input.\n"
    "An error prints its class, help context and message on standard error; the exit\n"
    "status is then 1.\n";

// Prints the value or the error; answers false on error.
bool EvaluateAndPrint(std::string_view expression) {
    try {
        const double value = quorvex::Evaluate(quorvex::ToUtf16(expression));
        std::cout << quorvex::ToUtf8(quorvex::FormatNumberText(value)) << '\n';
        return true;
    } catch (const quorvex::Exception& e) {
        std::cout.flush();
        std::cerr << e.ClassName() << " (" << e.HelpContext() << "): " << e.what() << '\n';
        return false;
    }
}

}  // namespace

int main(int argc, char** argv) {
    bool ok = true;
    if (argc > 1) {
        for (int i = 1; i < argc; ++i) {
            const std::string_view argument = argv[i];
            if (argument == "--help" || argument == "-h") {
                std::cout << kUsage;
                return 0;
            }
            if (argument == "--version") {
                std::cout << "quorvex " << quorvex::ToUtf8(quorvex::Version()) << '\n';
                return 0;
            }
        }
        for (int i = 1; i < argc; ++i) ok = EvaluateAndPrint(argv[i]) && ok;
    } else {
        std::string line;
        while (std::getline(std::cin, line)) {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            ok = EvaluateAndPrint(line) && ok;
        }
    }
    std::cout.flush();
    return ok ? 0 : 1;
}
