#include "common/BoxValue.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Val's leading number, and 0 where Val would fail on a number beyond a double.
TEST(BoxValue, LeadingNumberOrZeroBeyondADouble) {
    const struct {
        std::string text;
        double expected;
    } cases[] = {
        {"12.5", 12.5}, {" -3e2 ", -300}, {"12abc", 12},    {"abc", 0},
        {"", 0},        {"-", 0},         {".", 0},         {"2e38", 2e38},
        {"1e999", 0},   {"-1e999", 0},    {"1e-46", 1e-46}, {std::string(400, '9'), 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(common::BoxValue(c.text), c.expected) << c.text;
}

} // namespace
