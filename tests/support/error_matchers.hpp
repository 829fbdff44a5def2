// What a test expects of an error: class, help context and exact message.
#pragma once

#include <quorvex/quorvex.hpp>

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace quorvex::testing {

struct ExpectedError {
    std::string_view errorClass;
    std::int32_t helpContext;
    std::u16string_view message;
};

// Runs the action and checks that it raises exactly the expected error.
inline void ExpectError(const std::function<void()>& action, const ExpectedError& expected) {
    try {
        action();
        ADD_FAILURE() << "no error; expected " << expected.errorClass;
    } catch (const Exception& e) {
        EXPECT_EQ(std::string_view(e.ClassName()), expected.errorClass);
        EXPECT_EQ(e.HelpContext(), expected.helpContext);
        EXPECT_EQ(e.Message(), expected.message) << "got: " << e.what();
    }
}

}  // namespace quorvex::testing
