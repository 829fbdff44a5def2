// The line editor. libedit is loaded at run time, so the calculator builds and runs without it;
// the Windows console edits lines and keeps history itself.
#include "line_editor.hpp"

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>
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

LineStatus LineEditor::ReadLine(const char* prompt, std::string& line) {
    line.clear();
    if (readline_ != nullptr) {
        char* text = readline_(prompt);
        if (text == nullptr) return LineStatus::kEnd;
        line = text;
        std::free(text);
        if (line.size() > kMaxLineBytes) {
            line.clear();
            return LineStatus::kTooLong;
        }
        if (!line.empty()) addHistory_(line.c_str());
        return LineStatus::kLine;
    }
    std::cout << prompt << std::flush;
    return ReadBoundedLine(stdin, line);
}

}  // namespace quorvex::tool
