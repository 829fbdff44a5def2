// Reading lines at an interactive prompt: with line editing and history through libedit when
// the system has it, a plain prompt otherwise.
#pragma once

#include "line_reader.hpp"

#include <string>

namespace quorvex::tool {

class LineEditor {
public:
    LineEditor();
    ~LineEditor();
    LineEditor(const LineEditor&) = delete;
    LineEditor& operator=(const LineEditor&) = delete;

    // Prompts and reads the next line into `line`, bounded as ReadBoundedLine bounds it. libedit
    // reports a failed read as the end of input.
    LineStatus ReadLine(const char* prompt, std::string& line);

private:
    void* library_ = nullptr;
    char* (*readline_)(const char*) = nullptr;
    int (*addHistory_)(const char*) = nullptr;
};

}  // namespace quorvex::tool
