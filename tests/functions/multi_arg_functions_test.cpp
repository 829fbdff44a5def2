// Multi-argument calls: argument lists, aggregates, combin, the integer functions and Weibull.
#include "functions/multi_arg_dispatch.hpp"

#include "pipeline/registries.hpp"
#include "support/evaluation_rows.hpp"

#include <gtest/gtest.h>

#include <string_view>
#include <utility>

namespace quorvex {
namespace {

// Argument lists, aggregates, combin, the integer functions at the edges of 32 bits, Weibull and
// the tolerances that once ran for seconds.
TEST(MultiArgCall, EvaluationsOfTheDataFile) {
    EXPECT_EQ(testing::ExpectOutcomes("evaluations/multi_arg_functions.tsv"), 203);
}

TEST(MultiArgCall, EveryRegistryNameIsDispatched) {
    // Served names check their own arguments; an empty list makes each of them complain.
    for (const auto name : kMultiArgFunctionRegistry) {
        SCOPED_TRACE(ToUtf8(name));
        try {
            EXPECT_EQ(DispatchMultiArgFunction(name, {}).View(), u"False");  // not served yet
        } catch (const EFunctionError& e) {
            EXPECT_NE(e.HelpContext(), 0);
        }
    }
    EXPECT_EQ(DispatchMultiArgFunction(u"sin", {u"1", u"2"}).View(), u"False");
}

TEST(Aggregates, EmptyListsAreRefused) {
    // The engine never passes an empty list; the handlers still refuse one.
    for (const auto& [name, message] : {std::pair{u"max", u"Max関数へ入力される数値がありません"},
                                        std::pair{u"min", u"Min関数へ入力される数値がありません"},
                                        std::pair{u"sum", u"Sum関数へ入力される数値がありません"},
                                        std::pair{u"average", u"Average関数へ入力される数値がありません"}}) {
        testing::ExpectError([name = name] { DispatchMultiArgFunction(name, {}); }, {"EFunctionError", 10006, message});
    }
}

TEST(Aggregates, ASingleArgumentIsAnsweredAsItCame) {
    const std::u16string_view whole = u"1.0000000000000000000000e5";
    EXPECT_EQ(DispatchMultiArgFunction(u"max", {std::pmr::u16string(whole)}).View(), whole);
}

}  // namespace
}  // namespace quorvex
