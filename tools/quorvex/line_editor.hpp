// Reading lines at an interactive prompt: with line editing and history through libedit when
// the system has it, a plain prompt otherwise.
#pragma once

#include <optional>
#include <string>

namespace quorvex::tool {

class LineEditor {
public:
    LineEditor();
    ~LineEditor();
    LineEditor(const LineEditor&) = delete;
    LineEditor& operator=(const LineEditor&) = delete;

    // The next line without its end, or nothing at the end of input.
    std::optional<std::string> ReadLine(const char* prompt);

private:
    void* library_ = nullptr;
    char* (*readline_)(const char*) = nullptr;
    int (*addHistory_)(const char*) = nullptr;
};

}  // namespace quorvex::tool
