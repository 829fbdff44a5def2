// Bracket normalisation and the cutting of the working text into tokens.
#pragma once

#include "pipeline/token.hpp"

#include <memory_resource>
#include <span>
#include <string_view>

namespace quorvex {

// Replaces "{" and "[" by "(", in place.
void NormaliseOpeningBrackets(std::span<char16_t> text) noexcept;
// Replaces "}" and "]" by ")", in place.
void NormaliseClosingBrackets(std::span<char16_t> text) noexcept;

// Appends the tokens of the text: at the earliest place where an entry of the separator
// table starts, the entry that the table order and the override pairs choose becomes a
// token, and the run before it another; a leading "-" is followed by the tokens "1" and "*".
// Cost grows linearly with the text. Answers false when it ran out of memory, leaving the
// tokens gathered so far.
bool Tokenize(Tokens& tokens, std::u16string_view text, char16_t separator = DecimalSeparator());

// What the later stages look for, counted as the tokens are made, so that a stage with
// nothing to do is not run.
struct TokenCounts {
    std::size_t opening = 0;
    std::size_t closing = 0;
    std::size_t constants = 0;      // tokens that stand for a constant, and "deg"
    std::size_t exponentJoins = 0;  // tokens whose first "e" is their last unit
};
bool Tokenize(Tokens& tokens, std::u16string_view text, TokenCounts& counts, char16_t separator = DecimalSeparator());

// The same tokens written into room taken from the arena, enough for any text: for a reader
// that needs no list, since writing to an array takes fewer steps a token than appending to
// one. The tokens are valid as long as the arena and the text are. Memory running out raises
// std::bad_alloc.
std::span<Token> TokenizeInArena(std::u16string_view text, std::pmr::memory_resource& arena, TokenCounts& counts,
                                 char16_t separator);

// The units the working text does not keep as they are: the space goes, capitals become
// small letters, and the other brackets become round ones. NUL ends the expression.
constexpr bool IsRewrittenUnit(char16_t unit) noexcept {
    return (unit >= u'A' && unit <= u'Z') || unit == u'\0' || unit == u' ' || unit == u'{' || unit == u'[' ||
           unit == u'}' || unit == u']';
}

// TokenizeInArena for a caller's text that is its own working text, found in the same scan:
// `text` holds the units that may be read, up to its first NUL or its end, of which no more
// than `most + 1` are read. When none of them up to the NUL is rewritten and there are at most
// `most`, `text` becomes the units before the NUL and `made` their tokens; otherwise answers
// false, and the counts and the arena hold what the scan made before it stopped.
bool TokenizeUnchangedInArena(std::u16string_view& text, std::size_t most, std::pmr::memory_resource& arena,
                              TokenCounts& counts, char16_t separator, std::span<Token>& made);

// The tokens of a caller's text under "." as the direct reduction reads them, a batch at a
// time, for as long as each is one that reduction takes as it is and no stage would change:
// each run a number that counts for no stage, and no entry that counts for one. The
// text is read up to its first NUL or its end, whichever comes first: its view may reach past
// the NUL, and nothing past it is read.
class LeanScanner {
public:
    // kRun: the next token is a run that goes on past its plain decimal, for TakeRun.
    enum class Status : std::uint8_t { kMore, kEnd, kDeclined, kRun };
    struct Batch {
        std::size_t made;
        Status status;
    };
    explicit LeanScanner(std::u16string_view units) noexcept : text_(units) {}
    // Writes the next tokens into the room, which must hold at least four: how many, and
    // whether more follow, the text ended, or a token was not one it makes.
    Batch Next(std::span<LeanToken> room) noexcept;
    // After kRun: the run's token, read whole as the scan reads it and joined with the sign and
    // the run after it as the exponent stage joins them; false where that is no number or one
    // a stage would change.
    bool TakeRun(LeanToken& token) noexcept;

private:
    std::u16string_view text_;
    std::size_t at_ = 0;
    bool first_ = true;
};

// The same tokens a batch at a time, so that a long text need never be held as tokens whole.
class TokenScanner {
public:
    // Where the scan stands: the unit it looks at next, where the current run began, and
    // whether no token was made yet.
    struct Place {
        std::size_t at = 0;
        std::size_t runStart = 0;
        bool firstToken = true;
    };

    // The text must outlive the scanner and the tokens it makes.
    explicit TokenScanner(std::u16string_view text, char16_t separator = DecimalSeparator()) noexcept;

    // Writes the next tokens into the room, which must hold at least four, and counts them;
    // answers how many it wrote, 0 once the text is used up.
    std::size_t Next(std::span<Token> room, TokenCounts& counts) noexcept;

private:
    std::u16string_view text_;
    char16_t separator_;
    Place place_;
};

}  // namespace quorvex
