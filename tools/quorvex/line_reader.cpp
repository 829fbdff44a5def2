// Reading bounded lines. Bytes come one at a time through stdio, so a line is answered as soon as
// its end arrives, as a program feeding the calculator through a pipe expects.
#include "line_reader.hpp"

namespace quorvex::tool {
namespace {

LineStatus SkipRestOfLine(std::FILE* stream, std::size_t skipped) {
    for (int c = std::getc(stream); c != '\n'; c = std::getc(stream)) {
        if (c == EOF) return std::ferror(stream) ? LineStatus::kReadError : LineStatus::kTooLong;
        if (++skipped > kMaxSkippedBytes) return LineStatus::kEndless;
    }
    return LineStatus::kTooLong;
}

}  // namespace

LineStatus ReadBoundedLine(std::FILE* stream, std::string& line) {
    line.clear();
    int c = std::getc(stream);
    if (c == EOF) return std::ferror(stream) ? LineStatus::kReadError : LineStatus::kEnd;
    for (; c != '\n' && c != EOF; c = std::getc(stream)) {
        // One byte past the bound is kept for the CR of a CRLF.
        if (line.size() > kMaxLineBytes) {
            const LineStatus status = SkipRestOfLine(stream, line.size() + 1);
            line.clear();
            return status;
        }
        line.push_back(static_cast<char>(c));
    }
    if (c == EOF && std::ferror(stream)) {
        line.clear();
        return LineStatus::kReadError;
    }
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.size() > kMaxLineBytes) {
        line.clear();
        return LineStatus::kTooLong;
    }
    return LineStatus::kLine;
}

}  // namespace quorvex::tool
