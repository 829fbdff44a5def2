// The engine's working list: the token list linked through index arrays, so that taking a
// group out and deleting single tokens move nothing, with the "(" tokens kept as a stack and
// the unary-minus folding done only where the list has changed.
#pragma once

#include "pipeline/evaluation_context.hpp"
#include "pipeline/token.hpp"

#include <limits>
#include <memory_resource>
#include <string_view>
#include <vector>

namespace quorvex {

class EngineList {
public:
    enum class GroupOutcome { Taken, NoClosingBracket, Empty };

    // Works on the tokens in place; they must outlive the list.
    explicit EngineList(Tokens& tokens);

    std::size_t Size() const { return size_; }

    // One unary-minus pass over the whole list, with exactly the effect of folding every
    // token in order: each "-" that follows no number takes the number after it as its sign,
    // a leading "-" likewise. Only the "-" tokens whose neighbours changed since the last
    // pass are looked at, since every other one would do what it did then: nothing. Answers
    // false when a "-" it looks at is the last token.
    bool FoldUnaryMinus(const EvaluationContext& context);

    bool HasOpenBracket() const { return !openBrackets_.empty(); }

    // Moves the tokens between the last "(" and the first ")" after it into `group` and
    // removes them with the ")"; the "(" stays as the slot of the group's result.
    GroupOutcome TakeInnermostGroup(Tokens& group);

    // The token before the slot, or nullptr at the head.
    const Token* TokenBeforeSlot() const;
    void RemoveTokenBeforeSlot();

    // Writes the group's result into the slot; the "(" is gone from then on.
    void FillSlot(const Token& result);

    // Leaves the tokens in list order, the removed ones dropped.
    void Compact();

private:
    static constexpr int kNone = -1;
    // Outside a pass every mark is for the next one.
    static constexpr int kOutsidePass = std::numeric_limits<int>::max();

    struct Link {
        int prev;
        int next;
        bool alive;
        bool queuedNow;
        bool queuedNext;
    };

    Token& TokenAt(int node) { return tokens_[static_cast<std::size_t>(node)]; }
    const Token& TokenAt(int node) const { return tokens_[static_cast<std::size_t>(node)]; }
    Link& At(int node) { return links_[static_cast<std::size_t>(node)]; }
    const Link& At(int node) const { return links_[static_cast<std::size_t>(node)]; }
    int& Prev(int node) { return At(node).prev; }
    int& Next(int node) { return At(node).next; }
    int Prev(int node) const { return At(node).prev; }
    int Next(int node) const { return At(node).next; }

    void Unlink(int node);
    bool IsMinusNode(int node) const;
    // Queues a "-" for this pass when it lies ahead of the cursor, for the next one otherwise.
    void MarkForFolding(int node);
    // The smallest node queued for this pass, or kNone.
    int TakeQueued();

    Tokens& tokens_;
    std::pmr::vector<Link> links_;
    std::pmr::vector<int> openBrackets_;
    // Min-heaps of node indices; a node's index is its place in the order of the list.
    std::pmr::vector<int> foldNow_;
    std::pmr::vector<int> foldNext_;
    int head_ = kNone;
    std::size_t size_ = 0;
    int slot_ = kNone;
    int foldCursor_ = kOutsidePass;
};

}  // namespace quorvex
