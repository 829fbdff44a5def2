// The line editor. libedit is loaded at run time, so the calculator builds and runs without it;
// the Windows console edits lines and keeps history itself.
#include "line_editor.hpp"

#include <cstdio>
#include <cstdlib>
#include <iostream>
#if !defined(_WIN32)
#include <dlfcn.h>
#endif

namespace quorvex::tool {

#if defined(_WIN32)
LineEditor::LineEditor() = default;
#else
LineEditor::LineEditor() {
    for (const char* name : {"libedit.so.2", "libedit.so"}) {
        library_ = dlopen(name, RTLD_NOW | RTLD_LOCAL);
        if (library_ != nullptr) break;
    }
    if (library_ == nullptr) return;
    readline_ = reinterpret_cast<char* (*)(const char*)>(dlsym(library_, "readline"));
    addHistory_ = reinterpret_cast<int (*)(const char*)>(dlsym(library_, "add_history"));
    if (readline_ == nullptr || addHistory_ == nullptr) {
        dlclose(library_);
        library_ = nullptr;
        readline_ = nullptr;
        addHistory_ = nullptr;
    }
}
#endif

// libedit stays loaded: its history lives in the library until the process ends.
LineEditor::~LineEditor() = default;

std::optional<std::string> LineEditor::ReadLine(const char* prompt) {
    if (readline_ != nullptr) {
        char* line = readline_(prompt);
        if (line == nullptr) return std::nullopt;
        std::string text(line);
        std::free(line);
        if (!text.empty()) addHistory_(text.c_str());
        return text;
    }
    std::cout << prompt << std::flush;
    std::string text;
    if (!std::getline(std::cin, text)) return std::nullopt;
    return text;
}

}  // namespace quorvex::tool
