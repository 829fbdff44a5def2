// The engine's working list. Nodes never move and are never inserted, so a node's index is
// also its place in the order of the list.
#include "pipeline/engine_list.hpp"

#include "core/number_text.hpp"
#include "pipeline/trace.hpp"

#include <utility>

namespace quorvex {
namespace {

bool IsMinus(std::u16string_view token) { return token.size() == 1 && token[0] == u'-'; }

}  // namespace

EngineList::EngineList(TokenList& tokens) {
    nodes_.reserve(tokens.size());
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        const int index = static_cast<int>(i);
        const int next = i + 1 < tokens.size() ? index + 1 : kNone;
        nodes_.push_back(Node{std::move(tokens[i]), index - 1, next, true});
        if (nodes_.back().text == u"(") openBrackets_.push_back(index);
        if (IsMinus(nodes_.back().text)) foldNext_.insert(foldNext_.end(), index);
    }
    tokens.clear();
    head_ = nodes_.empty() ? kNone : 0;
    size_ = nodes_.size();
}

void EngineList::Unlink(int node) {
    Node& n = nodes_[static_cast<std::size_t>(node)];
    if (n.prev != kNone) nodes_[static_cast<std::size_t>(n.prev)].next = n.next;
    else head_ = n.next;
    if (n.next != kNone) nodes_[static_cast<std::size_t>(n.next)].prev = n.prev;
    n.alive = false;
    --size_;
}

bool EngineList::IsMinusNode(int node) const {
    return node != kNone && IsMinus(nodes_[static_cast<std::size_t>(node)].text);
}

void EngineList::MarkForFolding(int node) {
    if (!IsMinusNode(node)) return;
    (node > foldCursor_ ? foldNow_ : foldNext_).insert(node);
}

bool EngineList::FoldUnaryMinus() {
    foldNow_.swap(foldNext_);
    foldNext_.clear();
    foldCursor_ = kNone;
    if (size_ > 1 && IsMinusNode(head_)) {
        Node& first = nodes_[static_cast<std::size_t>(head_)];
        const int second = first.next;
        if (const auto value = TryParseNumberText(nodes_[static_cast<std::size_t>(second)].text)) {
            first.text = FormatNumberText(*value * -1.0);
            if (EvaluationObserver* observer = CurrentObserver()) observer->OnFold(nodes_[static_cast<std::size_t>(second)].text, first.text);
            Unlink(second);
            MarkForFolding(first.next);
        }
    }
    while (!foldNow_.empty()) {
        const int minus = *foldNow_.begin();
        foldNow_.erase(foldNow_.begin());
        foldCursor_ = minus;
        Node& n = nodes_[static_cast<std::size_t>(minus)];
        if (!n.alive || !IsMinus(n.text) || minus == head_) continue;
        if (n.next == kNone) {
            foldCursor_ = kOutsidePass;
            return false;
        }
        if (IsNumberText(nodes_[static_cast<std::size_t>(n.prev)].text)) continue;
        const auto value = TryParseNumberText(nodes_[static_cast<std::size_t>(n.next)].text);
        if (!value) continue;
        n.text = FormatNumberText(*value * -1.0);
        if (EvaluationObserver* observer = CurrentObserver()) observer->OnFold(nodes_[static_cast<std::size_t>(n.next)].text, n.text);
        Unlink(n.next);
        MarkForFolding(n.prev);
        MarkForFolding(n.next);
    }
    foldCursor_ = kOutsidePass;
    return true;
}

EngineList::GroupOutcome EngineList::TakeInnermostGroup(TokenList& group) {
    group.clear();
    const int open = openBrackets_.back();
    int close = nodes_[static_cast<std::size_t>(open)].next;
    while (close != kNone && nodes_[static_cast<std::size_t>(close)].text != u")") {
        close = nodes_[static_cast<std::size_t>(close)].next;
    }
    if (close == kNone) return GroupOutcome::NoClosingBracket;
    if (close == nodes_[static_cast<std::size_t>(open)].next) return GroupOutcome::Empty;
    for (int node = nodes_[static_cast<std::size_t>(open)].next; node != close;) {
        Node& n = nodes_[static_cast<std::size_t>(node)];
        const int next = n.next;
        if (IsMinus(n.text)) foldNext_.erase(node);
        group.push_back(std::move(n.text));
        Unlink(node);
        node = next;
    }
    Unlink(close);
    openBrackets_.pop_back();
    slot_ = open;
    return GroupOutcome::Taken;
}

std::u16string_view EngineList::TokenBeforeSlot() const {
    const int before = nodes_[static_cast<std::size_t>(slot_)].prev;
    return before == kNone ? std::u16string_view() : std::u16string_view(nodes_[static_cast<std::size_t>(before)].text);
}

void EngineList::RemoveTokenBeforeSlot() { Unlink(nodes_[static_cast<std::size_t>(slot_)].prev); }

void EngineList::FillSlot(std::u16string result) {
    Node& n = nodes_[static_cast<std::size_t>(slot_)];
    n.text = std::move(result);
    // The slot and both its neighbours have new surroundings.
    MarkForFolding(n.prev);
    MarkForFolding(slot_);
    MarkForFolding(n.next);
    slot_ = kNone;
}

void EngineList::MoveTo(TokenList& tokens) {
    tokens.clear();
    tokens.reserve(size_);
    for (int node = head_; node != kNone; node = nodes_[static_cast<std::size_t>(node)].next) {
        tokens.push_back(std::move(nodes_[static_cast<std::size_t>(node)].text));
    }
}

}  // namespace quorvex
