// The command line and the console, on Windows and on POSIX.
#include "console.hpp"

#include "unicode.hpp"

#include <cerrno>
#include <cstdio>
#include <cwchar>
#include <iostream>
#if defined(_WIN32)
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#else
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace quorvex::tool {

#if defined(_WIN32)

std::vector<Argument> CommandLineArguments(int argc, wchar_t** argv) {
    std::vector<Argument> arguments;
    for (int i = 1; i < argc; ++i) {
        // wchar_t is a UTF-16 unit on Windows.
        std::u16string text(argv[i], argv[i] + std::wcslen(argv[i]));
        arguments.push_back({ToUtf8(text), std::move(text)});
    }
    return arguments;
}

std::FILE* OpenFile(std::string_view utf8) {
    const std::u16string text = ToUtf16(utf8);
    const std::wstring name(text.begin(), text.end());
    const DWORD attributes = GetFileAttributesW(name.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        errno = EISDIR;
        return nullptr;
    }
    return _wfopen(name.c_str(), L"rb");
}

// Output is written with "\n" alone, in binary mode: a pipe gets the same bytes as on POSIX, and
// the console starts a new line at "\n" by itself. Input in binary mode keeps a 0x1A byte as data;
// a CR before the line end is dropped by the reader, as on POSIX.
ConsoleSession::ConsoleSession() : inputCodePage_(GetConsoleCP()), outputCodePage_(GetConsoleOutputCP()) {
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    if (inputCodePage_ != 0) SetConsoleCP(CP_UTF8);
    if (outputCodePage_ != 0) SetConsoleOutputCP(CP_UTF8);
}

// The code pages belong to the console, which outlives the calculator; what is still buffered
// must reach it while it reads UTF-8.
ConsoleSession::~ConsoleSession() {
    std::cout.flush();
    std::cerr.flush();
    std::fflush(stdout);
    if (inputCodePage_ != 0) SetConsoleCP(inputCodePage_);
    if (outputCodePage_ != 0) SetConsoleOutputCP(outputCodePage_);
}

bool StandardInputIsTerminal() { return _isatty(_fileno(stdin)) != 0; }

#else

std::vector<Argument> CommandLineArguments(int argc, char** argv) {
    std::vector<Argument> arguments;
    for (int i = 1; i < argc; ++i) {
        std::string text(argv[i]);
        std::u16string utf16 = ToUtf16(text);
        arguments.push_back({std::move(text), std::move(utf16)});
    }
    return arguments;
}

std::FILE* OpenFile(std::string_view utf8) {
    std::FILE* file = std::fopen(std::string(utf8).c_str(), "rb");
    // A directory opens, to fail at the first read with a less telling message.
    struct stat status = {};
    if (file != nullptr && fstat(fileno(file), &status) == 0 && S_ISDIR(status.st_mode)) {
        std::fclose(file);
        errno = EISDIR;
        return nullptr;
    }
    return file;
}

ConsoleSession::ConsoleSession() = default;
ConsoleSession::~ConsoleSession() = default;

bool StandardInputIsTerminal() { return isatty(STDIN_FILENO) != 0; }

#endif

}  // namespace quorvex::tool
