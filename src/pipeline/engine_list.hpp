// The engine's working list: the token list as a linked sequence, so that taking a group out
// and deleting single tokens cost nothing for the rest of the list, with the "(" tokens kept
// as a stack and the unary-minus folding done only where the list has changed.
#pragma once

#include "core/token_list.hpp"

#include <limits>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace quorvex {

class EngineList {
public:
    enum class GroupOutcome { Taken, NoClosingBracket, Empty };

    // Takes the tokens over; `tokens` is left empty.
    explicit EngineList(TokenList& tokens);

    std::size_t Size() const { return size_; }

    // One unary-minus pass over the whole list, with exactly the effect of folding every
    // token in order: each "-" that follows no number takes the number after it as its sign,
    // a leading "-" likewise. Only the "-" tokens whose neighbours changed since the last
    // pass are looked at, since every other one would do what it did then: nothing. Answers
    // false when a "-" it looks at is the last token.
    bool FoldUnaryMinus();

    bool HasOpenBracket() const { return !openBrackets_.empty(); }

    // Moves the tokens between the last "(" and the first ")" after it into `group` and
    // removes them with the ")"; the "(" stays as the slot of the group's result.
    GroupOutcome TakeInnermostGroup(TokenList& group);

    // The token before the slot, or an empty view at the head.
    std::u16string_view TokenBeforeSlot() const;
    void RemoveTokenBeforeSlot();

    // Writes the group's result into the slot; the "(" is gone from then on.
    void FillSlot(std::u16string result);

    // The tokens in order, moved out.
    void MoveTo(TokenList& tokens);

private:
    static constexpr int kNone = -1;
    // Outside a pass every mark is for the next one.
    static constexpr int kOutsidePass = std::numeric_limits<int>::max();

    struct Node {
        std::u16string text;
        int prev;
        int next;
        bool alive;
    };

    void Unlink(int node);
    bool IsMinusNode(int node) const;
    // Queues a "-" for this pass when it lies ahead of the cursor, for the next one otherwise.
    void MarkForFolding(int node);

    std::vector<Node> nodes_;
    int head_ = kNone;
    std::size_t size_ = 0;
    std::vector<int> openBrackets_;
    int slot_ = kNone;
    std::set<int> foldNow_;
    std::set<int> foldNext_;
    int foldCursor_ = kOutsidePass;
};

}  // namespace quorvex
