// The line editor. libedit is loaded at run time, so the calculator builds and runs without it;
// the Windows console edits lines and keeps history itself.
#include "line_editor.hpp"

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>
#include <utility>
#if !defined(_WIN32)
#include <cerrno>
#include <clocale>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <string_view>

#include <dlfcn.h>
#include <langinfo.h>
#include <poll.h>
#include <signal.h>
#include <unistd.h>
#endif

namespace quorvex::tool {

#if defined(_WIN32)

LineEditor::LineEditor(std::vector<std::string> words, std::string historyFile)
    : words_(std::move(words)), historyFile_(std::move(historyFile)) {}
LineEditor::~LineEditor() = default;

LineStatus LineEditor::ReadLine(const char* prompt, std::string& line) {
    std::cout << prompt << std::flush;
    return ReadBoundedLine(stdin, line);
}

LineStatus LineEditor::ReadEdited(const char*, std::string&) { return LineStatus::kEnd; }

std::string HistoryFile() { return {}; }

#else

namespace {

volatile std::sig_atomic_t gInterrupted = 0;
void OnInterrupt(int) { gInterrupted = 1; }
struct sigaction gPreviousInterrupt;

// The part of libedit's readline interface the prompt uses. Its callbacks carry no context, so
// the editor, its words and the line being read are the process's.
struct Libedit {
    void (*install)(const char*, void (*)(char*));
    void (*readChar)();
    void (*remove)();
    int (*addHistory)(const char*);
    int (*readHistory)(const char*);
    int (*writeHistory)(const char*);
    void (*stifleHistory)(int);
    char* (**completionEntry)(const char*, int);
    const char** wordBreaks;
    int* catchSignals;
    const char** name;
};
Libedit gEdit;
const std::vector<std::string>* gWords = nullptr;
struct {
    bool done = false;
    bool end = false;
    std::string line;
} gRead;

void OnLine(char* text) {
    gRead.done = true;
    gRead.end = text == nullptr;
    if (text != nullptr) gRead.line = text;
    std::free(text);
}

// The words starting with `text`, ASCII case ignored as the language ignores it.
char* NextCompletion(const char* text, int state) {
    static std::size_t next = 0;
    if (state == 0) next = 0;
    const std::string_view prefix(text);
    while (next < gWords->size()) {
        const std::string& word = (*gWords)[next++];
        if (word.size() >= prefix.size() && strncasecmp(word.c_str(), text, prefix.size()) == 0) {
            return strdup(word.c_str());  // libedit frees it
        }
    }
    return nullptr;
}

template <typename T>
bool Find(void* library, const char* name, T& to) {
    to = reinterpret_cast<T>(dlsym(library, name));
    return to != nullptr;
}

void* LoadLibedit() {
    void* library = nullptr;
    for (const char* name : {"libedit.so.2", "libedit.so"}) {
        library = dlopen(name, RTLD_NOW | RTLD_LOCAL);
        if (library != nullptr) break;
    }
    if (library == nullptr) return nullptr;
    Libedit& e = gEdit;
    if (Find(library, "rl_callback_handler_install", e.install) && Find(library, "rl_callback_read_char", e.readChar) &&
        Find(library, "rl_callback_handler_remove", e.remove) && Find(library, "add_history", e.addHistory) &&
        Find(library, "read_history", e.readHistory) && Find(library, "write_history", e.writeHistory) &&
        Find(library, "stifle_history", e.stifleHistory) &&
        Find(library, "rl_completion_entry_function", e.completionEntry) &&
        Find(library, "rl_basic_word_break_characters", e.wordBreaks) &&
        Find(library, "rl_catch_signals", e.catchSignals) && Find(library, "rl_readline_name", e.name)) {
        return library;
    }
    dlclose(library);
    return nullptr;
}

}  // namespace

LineEditor::LineEditor(std::vector<std::string> words, std::string historyFile)
    : words_(std::move(words)), historyFile_(std::move(historyFile)) {
    // The prompt reads UTF-8 whatever the environment's encoding; only the characters'
    // category changes, so numbers are still read and written in the "C" locale.
    if (std::setlocale(LC_CTYPE, "") == nullptr || std::strcmp(nl_langinfo(CODESET), "UTF-8") != 0) {
        std::setlocale(LC_CTYPE, "C.UTF-8");
    }
    // Ctrl-C interrupts the wait for input, not the calculator.
    struct sigaction interrupt = {};
    interrupt.sa_handler = OnInterrupt;
    sigemptyset(&interrupt.sa_mask);
    sigaction(SIGINT, &interrupt, &gPreviousInterrupt);

    library_ = LoadLibedit();
    if (library_ == nullptr) return;
    gWords = &words_;
    *gEdit.name = "quorvex";  // for the user's ~/.editrc
    *gEdit.catchSignals = 0;
    *gEdit.completionEntry = NextCompletion;
    *gEdit.wordBreaks = " \t+-*/^(),[]{}";
    gEdit.stifleHistory(1000);
    if (historyFile_.empty()) return;
    std::error_code ignored;
    std::filesystem::create_directories(std::filesystem::path(historyFile_).parent_path(), ignored);
    gEdit.readHistory(historyFile_.c_str());
}

// libedit stays loaded: its history lives in the library until the process ends.
LineEditor::~LineEditor() { sigaction(SIGINT, &gPreviousInterrupt, nullptr); }

// libedit's callback interface leaves the waiting here, where Ctrl-C is seen.
LineStatus LineEditor::ReadEdited(const char* prompt, std::string& line) {
    gRead.done = false;
    gRead.line.clear();
    gEdit.install(prompt, OnLine);
    while (!gRead.done) {
        pollfd input = {STDIN_FILENO, POLLIN, 0};
        if (poll(&input, 1, -1) < 0) {
            if (errno != EINTR) break;
            if (gInterrupted != 0) {
                gInterrupted = 0;
                gEdit.remove();
                std::fputs("\n", stdout);
                gEdit.install(prompt, OnLine);
            }
            continue;
        }
        // A terminal gone away has nothing more to read.
        if ((input.revents & POLLIN) == 0) break;
        gEdit.readChar();
    }
    if (!gRead.done) {
        gEdit.remove();
        return LineStatus::kEnd;
    }
    if (gRead.end) return LineStatus::kEnd;
    line = std::move(gRead.line);
    if (line.size() > kMaxLineBytes) {
        line.clear();
        return LineStatus::kTooLong;
    }
    if (line.find_first_not_of(" \t") != std::string::npos) {
        gEdit.addHistory(line.c_str());
        // Written at once, so that a closed terminal loses nothing.
        if (!historyFile_.empty()) gEdit.writeHistory(historyFile_.c_str());
    }
    return LineStatus::kLine;
}

LineStatus LineEditor::ReadLine(const char* prompt, std::string& line) {
    line.clear();
    std::cout.flush();
    gInterrupted = 0;  // a Ctrl-C during an evaluation ends nothing
    if (library_ != nullptr) return ReadEdited(prompt, line);
    for (;;) {
        std::cout << prompt << std::flush;
        const LineStatus status = ReadBoundedLine(stdin, line);
        // The terminal drops the line typed so far by itself.
        if (status != LineStatus::kReadError || errno != EINTR || gInterrupted == 0) return status;
        gInterrupted = 0;
        std::clearerr(stdin);
        std::cout << '\n';
    }
}

std::string HistoryFile() {
    // A relative XDG path is to be ignored.
    if (const char* state = std::getenv("XDG_STATE_HOME"); state != nullptr && state[0] == '/') {
        return std::string(state) + "/quorvex/history";
    }
    if (const char* home = std::getenv("HOME"); home != nullptr && home[0] != '\0') {
        return std::string(home) + "/.local/state/quorvex/history";
    }
    return {};
}

#endif

}  // namespace quorvex::tool
