// Lines of expressions from a byte stream, each bounded in length, with the stream's failures
// told apart from its end.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>

namespace quorvex::tool {

// The longest line evaluated, in bytes of UTF-8 without its line end: far beyond any expression a
// person or a program writes, small enough that no input can exhaust memory.
inline constexpr std::size_t kMaxLineBytes = std::size_t{1} << 20;
// The rest of a longer line is skipped up to this many bytes; an input with no line end within it
// is no text of expressions, and reading stops there.
inline constexpr std::size_t kMaxSkippedBytes = std::size_t{64} << 20;

enum class LineStatus {
    kLine,       // a line, without its LF or CRLF
    kTooLong,    // a line longer than kMaxLineBytes, skipped
    kEnd,        // the end of input
    kEndless,    // no line end within kMaxSkippedBytes; nothing more is read
    kReadError,  // the stream failed; errno says why
};

// Reads the next line of the stream into `line` (empty unless kLine).
LineStatus ReadBoundedLine(std::FILE* stream, std::string& line);

}  // namespace quorvex::tool
