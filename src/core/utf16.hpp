// UTF-16 helpers: conversion to and from UTF-8 for the edges of the system, and the one
// place where message texts are joined at run time.
#pragma once

#include <cstddef>
#include <initializer_list>
#include <string>
#include <string_view>

namespace quorvex {

// UTF-16 to UTF-8. A lone surrogate becomes U+FFFD; never fails.
std::string ToUtf8(std::u16string_view text);

// UTF-8 to UTF-16. A malformed sequence becomes U+FFFD; never fails.
std::u16string ToUtf16(std::string_view text);

// The pieces one after another.
std::u16string JoinMessage(std::initializer_list<std::u16string_view> pieces);

// Texts a message quotes are quoted whole up to this many units; a longer one by its first
// units and an ellipsis, so that an error on a huge token holds no copy of it.
inline constexpr std::size_t kMostQuotedUnits = 4096;
inline constexpr std::u16string_view kQuoteEllipsis = u"\u2026";

// The pattern with its first "%s" or "%d" replaced by the argument, shortened past
// kMostQuotedUnits.
std::u16string FillPlaceholder(std::u16string_view pattern, std::u16string_view argument);

}  // namespace quorvex
