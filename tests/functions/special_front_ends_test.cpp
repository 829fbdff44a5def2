// The special-function and distribution front-ends: counts, conversions, their messages, and
// whole expressions across the language against independent values.
#include "functions/multi_arg_dispatch.hpp"
#include "functions/special_front_ends.hpp"
#include "functions/unary_functions.hpp"

#include "pipeline/registries.hpp"
#include "support/evaluation_rows.hpp"

#include <gtest/gtest.h>

namespace quorvex {
namespace {

// Counts, conversions and messages of the front-ends, and whole expressions across the language
// against the standard library's special functions and closed forms.
TEST(SpecialFrontEnds, EvaluationsOfTheDataFile) {
    EXPECT_EQ(testing::ExpectOutcomes("evaluations/special_front_ends.tsv"), 60);
}

TEST(SpecialFrontEnds, HandlersReadTheListAsHandedOver) {
    testing::ExpectError([] { DispatchMultiArgFunction(u"expn", {u"2.5"}); },
                         {"EFunctionError", 10008, u"一般化指数積分expnの最初の引数に数値ではない文字があります"});
}

TEST(SpecialFrontEnds, EveryRegistryNameEvaluatesInSomeForm) {
    for (const auto* registry : {&kUnaryFunctionRegistry, &kMultiArgFunctionRegistry}) {
        for (const auto name : *registry) {
            SCOPED_TRACE(ToUtf8(name));
            // Served means answered with a value or with the function's own error.
            try {
                const ShortText answer = registry == &kUnaryFunctionRegistry ? EvaluateUnaryFunction(name, u"0.5")
                                                                             : DispatchMultiArgFunction(name, {});
                EXPECT_NE(answer.View(), u"False");
            } catch (const Exception& e) {
                EXPECT_STRNE(e.ClassName(), "Exception");
            }
        }
    }
}

}  // namespace
}  // namespace quorvex
