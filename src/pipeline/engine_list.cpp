// The engine's working list. Nodes never move and are never inserted, so a node's index is
// also its place in the order of the list.
#include "pipeline/engine_list.hpp"

#include "pipeline/reduction.hpp"

#include <algorithm>
#include <functional>
#include <utility>

namespace quorvex {
namespace {

bool IsMinus(const Token& token) { return token.kind == TokenKind::kMinus; }

}  // namespace

EngineList::EngineList(Tokens& tokens)
    : tokens_(tokens),
      links_(tokens.get_allocator()),
      openBrackets_(tokens.get_allocator()),
      foldNow_(tokens.get_allocator()),
      foldNext_(tokens.get_allocator()) {
    const int count = static_cast<int>(tokens.size());
    std::size_t opening = 0;
    std::size_t minuses = 0;
    for (const Token& token : tokens) {
        opening += token.kind == TokenKind::kOpen ? 1 : 0;
        minuses += IsMinus(token) ? 1 : 0;
    }
    links_.resize(tokens.size());
    openBrackets_.reserve(opening);
    foldNow_.reserve(minuses);
    foldNext_.reserve(minuses);
    for (int i = 0; i < count; ++i) {
        const Token& token = TokenAt(i);
        const bool minus = IsMinus(token);
        links_[static_cast<std::size_t>(i)] = Link{i - 1, i + 1 < count ? i + 1 : kNone, true, false, minus};
        if (token.kind == TokenKind::kOpen) openBrackets_.push_back(i);
        // Ascending order is already a min-heap.
        if (minus) foldNext_.push_back(i);
    }
    head_ = count > 0 ? 0 : kNone;
    size_ = tokens.size();
}

void EngineList::Unlink(int node) {
    if (Prev(node) != kNone)
        Next(Prev(node)) = Next(node);
    else
        head_ = Next(node);
    if (Next(node) != kNone) Prev(Next(node)) = Prev(node);
    At(node).alive = false;
    --size_;
}

bool EngineList::IsMinusNode(int node) const { return node != kNone && IsMinus(TokenAt(node)); }

void EngineList::MarkForFolding(int node) {
    if (!IsMinusNode(node)) return;
    const bool now = node > foldCursor_;
    auto& heap = now ? foldNow_ : foldNext_;
    bool& queued = now ? At(node).queuedNow : At(node).queuedNext;
    if (queued) return;
    queued = true;
    heap.push_back(node);
    std::push_heap(heap.begin(), heap.end(), std::greater<>());
}

int EngineList::TakeQueued() {
    if (foldNow_.empty()) return kNone;
    std::pop_heap(foldNow_.begin(), foldNow_.end(), std::greater<>());
    const int node = foldNow_.back();
    foldNow_.pop_back();
    At(node).queuedNow = false;
    return node;
}

bool EngineList::FoldUnaryMinus(const EvaluationContext& context) {
    foldNow_.swap(foldNext_);
    for (const int node : foldNow_) {
        At(node).queuedNow = true;
        At(node).queuedNext = false;
    }
    foldCursor_ = kNone;
    if (size_ > 1 && IsMinusNode(head_)) {
        const int second = Next(head_);
        if (TokenAt(second).isNumber) {
            TokenAt(head_) = NegatedToken(TokenAt(second), context);
            Unlink(second);
            MarkForFolding(Next(head_));
        }
    }
    for (int minus = TakeQueued(); minus != kNone; minus = TakeQueued()) {
        foldCursor_ = minus;
        if (!At(minus).alive || !IsMinus(TokenAt(minus)) || minus == head_) continue;
        if (Next(minus) == kNone) {
            foldCursor_ = kOutsidePass;
            return false;
        }
        if (TokenAt(Prev(minus)).isNumber) continue;
        if (!TokenAt(Next(minus)).isNumber) continue;
        TokenAt(minus) = NegatedToken(TokenAt(Next(minus)), context);
        Unlink(Next(minus));
        MarkForFolding(Prev(minus));
        MarkForFolding(Next(minus));
    }
    foldCursor_ = kOutsidePass;
    return true;
}

EngineList::GroupOutcome EngineList::TakeInnermostGroup(Tokens& group) {
    group.clear();
    const int open = openBrackets_.back();
    int close = Next(open);
    while (close != kNone && TokenAt(close).kind != TokenKind::kClose) close = Next(close);
    if (close == kNone) return GroupOutcome::NoClosingBracket;
    if (close == Next(open)) return GroupOutcome::Empty;
    std::size_t length = 0;
    for (int node = Next(open); node != close; node = Next(node)) ++length;
    group.reserve(length);
    for (int node = Next(open); node != close;) {
        const int next = Next(node);
        // A "-" queued for the next pass leaves with its group: the heap skips dead nodes.
        group.push_back(TokenAt(node));
        Unlink(node);
        node = next;
    }
    Unlink(close);
    openBrackets_.pop_back();
    slot_ = open;
    return GroupOutcome::Taken;
}

const Token* EngineList::TokenBeforeSlot() const {
    const int before = Prev(slot_);
    return before == kNone ? nullptr : &TokenAt(before);
}

void EngineList::RemoveTokenBeforeSlot() { Unlink(Prev(slot_)); }

void EngineList::FillSlot(const Token& result) {
    TokenAt(slot_) = result;
    // The slot and both its neighbours have new surroundings.
    MarkForFolding(Prev(slot_));
    MarkForFolding(slot_);
    MarkForFolding(Next(slot_));
    slot_ = kNone;
}

void EngineList::Compact() {
    std::size_t kept = 0;
    for (int node = head_; node != kNone; node = Next(node), ++kept) {
        if (static_cast<std::size_t>(node) != kept) tokens_[kept] = TokenAt(node);
    }
    tokens_.resize(kept);
}

}  // namespace quorvex
