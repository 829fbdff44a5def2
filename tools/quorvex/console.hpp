// The calculator's edges that differ between Windows and POSIX: the command line, the console's
// encoding and line ends, and whether standard input is a terminal.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace quorvex::tool {

#if defined(_WIN32)
using NativeChar = wchar_t;
#else
using NativeChar = char;
#endif

// One command-line argument: UTF-8 for options, file names and messages; UTF-16 for an
// expression, exactly as a UTF-16 host would hand it to the library.
struct Argument {
    std::string utf8;
    std::u16string utf16;
};

// The arguments after the program name. On Windows they arrive as UTF-16 (wmain) and pass to
// `utf16` unit for unit, a lone surrogate included; `utf8` shows it as U+FFFD. On POSIX they are
// bytes: `utf8` holds them as given, `utf16` reads them as UTF-8 with U+FFFD for malformed bytes.
std::vector<Argument> CommandLineArguments(int argc, NativeChar** argv);

// The file named by an argument's `utf8` text, opened to read bytes; null, errno telling why,
// when it cannot be (EISDIR for a directory).
std::FILE* OpenFile(std::string_view utf8);

// While it lives, the console reads and writes UTF-8 and the standard streams pass bytes
// unchanged; at its end it flushes the streams and gives the console back its code pages.
// Does nothing on POSIX.
class ConsoleSession {
public:
    ConsoleSession();
    ~ConsoleSession();
    ConsoleSession(const ConsoleSession&) = delete;
    ConsoleSession& operator=(const ConsoleSession&) = delete;

private:
    unsigned int inputCodePage_ = 0;  // 0: no console
    unsigned int outputCodePage_ = 0;
};

// Whether standard input is a terminal, where the calculator prompts.
bool StandardInputIsTerminal();

}  // namespace quorvex::tool
