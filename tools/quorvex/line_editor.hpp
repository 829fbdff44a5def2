// Reading lines at an interactive prompt: with line editing, name completion and a history kept
// between sessions through libedit when the system has it, a plain prompt otherwise.
#pragma once

#include "line_reader.hpp"

#include <string>
#include <vector>

namespace quorvex::tool {

class LineEditor {
public:
    // `words` are what Tab completes; the history is read from `historyFile` and written back
    // at the end (none when empty). A failure to keep the history goes untold.
    LineEditor(std::vector<std::string> words, std::string historyFile);
    ~LineEditor();
    LineEditor(const LineEditor&) = delete;
    LineEditor& operator=(const LineEditor&) = delete;

    // Whether lines are edited here (libedit found), rather than by the terminal alone.
    bool Editing() const { return library_ != nullptr; }

    // Prompts and reads the next line into `line`, bounded as ReadBoundedLine bounds it. Ctrl-C
    // drops the line typed so far and prompts again; libedit reports a failed read as the end.
    LineStatus ReadLine(const char* prompt, std::string& line);

private:
    LineStatus ReadEdited(const char* prompt, std::string& line);

    std::vector<std::string> words_;
    std::string historyFile_;
    void* library_ = nullptr;
};

// Where the prompt keeps its history: $XDG_STATE_HOME/quorvex/history, by default
// ~/.local/state/quorvex/history; empty where there is no such place (no home, or Windows,
// whose console keeps its own).
std::string HistoryFile();

}  // namespace quorvex::tool
