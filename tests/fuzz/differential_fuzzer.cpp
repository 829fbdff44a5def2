// Differential fuzzing: the tokenizer against the first-occurrence rule written the obvious
// way, the number text writer and reader against the exact decimal expansion, and the direct
// reduction against the engine.
#include "core/decimal_separator.hpp"
#include "core/number_text.hpp"
#include "core/utf16.hpp"
#include "pipeline/direct_reduction.hpp"
#include "pipeline/driver.hpp"
#include "pipeline/tokenizer.hpp"
#include "pipeline/trace.hpp"
#include "support/number_text_oracle.hpp"
#include "support/text_stages.hpp"
#include "support/tokenizer_oracle.hpp"

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory_resource>
#include <quorvex/quorvex.hpp>
#include <string>
#include <vector>

namespace {

void CheckTokenizer(const std::uint8_t* data, std::size_t size) {
    // Bytes map to the units the table is made of, so that names and separators are common.
    static constexpr char16_t kAlphabet[] = u"+-*/^(),.0123456789eEabcdfghiklmnoprstuvwxyz3\u3000\xD800";
    std::u16string text;
    for (std::size_t i = 0; i < size && i < 256; ++i) text += kAlphabet[data[i] % (sizeof kAlphabet / 2 - 1)];
    quorvex::TokenList fast;
    quorvex::testing::Tokenize(fast, text);
    if (fast != quorvex::testing::OracleTokenize(text)) std::abort();
}

void CheckNumberText(const std::uint8_t* data, std::size_t size) {
    if (size < 8) return;
    std::uint64_t bits = 0;
    std::memcpy(&bits, data, 8);
    const double x = std::bit_cast<double>(bits);
    if (!std::isfinite(x)) return;
    const std::u16string written = quorvex::FormatNumberText(x);
    // Where the scaling is one exactly representable power of ten, the writer must agree with
    // the exact rule (the oracle declines values that lie too close to the rounding boundary).
    const double magnitude = std::fabs(x);
    if (magnitude >= 1e-3 && magnitude < 1e22) {
        if (const auto expected = quorvex::testing::ExactRuleText(x);
            expected && quorvex::ToUtf8(written) != *expected) {
            std::abort();
        }
    }
    // Every written text reads back; reading it and writing again is a fixed point.
    const auto back = quorvex::TryParseNumberText(written);
    if (!back && magnitude < 1.7976931348623e308) std::abort();
    if (back && quorvex::FormatNumberText(*back) != written) std::abort();
    // The read-back without the text is the same bits.
    const auto direct = quorvex::ReadBackNumberText(x);
    if (direct.has_value() != back.has_value()) std::abort();
    if (direct && std::bit_cast<std::uint64_t>(*direct) != std::bit_cast<std::uint64_t>(*back)) std::abort();
}

// What an evaluation came to: the value's bits, or the error's class, help context and text.
std::u16string Outcome(const std::u16string& expression, bool throughEngine) {
    const quorvex::EvaluationContext context{
        nullptr, throughEngine ? quorvex::ReductionPath::kEngineOnly : quorvex::ReductionPath::kDirectFirst};
    try {
        const auto bits = std::bit_cast<std::uint64_t>(quorvex::EvaluateExpression(expression, context));
        return quorvex::ToUtf16(std::to_string(bits));
    } catch (const quorvex::Exception& e) {
        return quorvex::ToUtf16(std::string(e.ClassName()) + std::to_string(e.HelpContext())) +
               std::u16string(e.Message());
    }
}

void CheckDirectReduction(const std::uint8_t* data, std::size_t size) {
    static const char16_t* const kPieces[] = {
        u"0",    u"1", u"2",     u"3",  u"0.5",  u"7",   u"1e3",      u"2e",    u"pi",   u"+",     u"-",
        u"*",    u"/", u"^",     u"(",  u")",    u"sin", u"sqrt",     u"ln",    u"fact", u"not",   u"max(",
        u",",    u"x", u"300",   u"-",  u"(",    u")",   u"zeta",     u"deg",   u"-0",   u"1e308", u"min(",
        u"sum(", u"e", u"1.5e-", u"ge", u"and(", u"0",   u"average(", u"2.5e+", u","};
    std::u16string expression;
    for (std::size_t i = 0; i < size && i < 64; ++i)
        expression += kPieces[data[i] % (sizeof kPieces / sizeof kPieces[0])];
    const std::u16string engine = Outcome(expression, true);
    if (Outcome(expression, false) != engine) std::abort();
    // Reduced as it streams, a long text must come to the engine's value.
    std::pmr::monotonic_buffer_resource arena;
    if (const auto streamed = quorvex::ReduceWhileTokenizing(expression, arena)) {
        if (quorvex::ToUtf16(std::to_string(std::bit_cast<std::uint64_t>(*streamed))) != engine) std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    quorvex::SetDecimalSeparator(u'.');
    if (size == 0) return 0;
    switch (data[0] % 3) {
        case 0: CheckTokenizer(data + 1, size - 1); break;
        case 1: CheckNumberText(data + 1, size - 1); break;
        default: CheckDirectReduction(data + 1, size - 1); break;
    }
    return 0;
}
