// Differential fuzzing: the tokenizer against the first-occurrence rule written the obvious
// way, and the number text writer and reader against the exact decimal expansion.
#include "core/decimal_separator.hpp"
#include "core/number_text.hpp"
#include "core/utf16.hpp"
#include "pipeline/tokenizer.hpp"
#include "support/number_text_oracle.hpp"
#include "support/tokenizer_oracle.hpp"

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

void CheckTokenizer(const std::uint8_t* data, std::size_t size) {
    // Bytes map to the units the table is made of, so that names and separators are common.
    static constexpr char16_t kAlphabet[] = u"+-*/^(),.0123456789eEabcdfghiklmnoprstuvwxyz3\u3000\xD800";
    std::u16string text;
    for (std::size_t i = 0; i < size && i < 256; ++i) text += kAlphabet[data[i] % (sizeof kAlphabet / 2 - 1)];
    quorvex::TokenList fast;
    quorvex::Tokenize(fast, text);
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
        if (const auto expected = quorvex::testing::ExactRuleText(x); expected && quorvex::ToUtf8(written) != *expected) {
            std::abort();
        }
    }
    // Every written text reads back; reading it and writing again is a fixed point.
    const auto back = quorvex::TryParseNumberText(written);
    if (!back && magnitude < 1.7976931348623e308) std::abort();
    if (back && quorvex::FormatNumberText(*back) != written) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    quorvex::SetDecimalSeparatorForTesting(u'.');
    if (size == 0) return 0;
    if (data[0] % 2 == 0) {
        CheckTokenizer(data + 1, size - 1);
    } else {
        CheckNumberText(data + 1, size - 1);
    }
    return 0;
}
