#include "platform/text/Numbers.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <string>

using namespace plat;

namespace {

struct ValCase {
    const char* text;
    double expected;
};

TEST(Val, ReadsTheLongestLeadingNumber) {
    const ValCase cases[] = {
        {"", 0},       {"abc", 0},     {"12abc", 12},     {"  12.5  ", 12.5}, {"-3", -3},     {"+4", 4},
        {".5", 0.5},   {"5.", 5},      {"1.2.3", 1.2},    {"1e3", 1000},      {"1E-2", 0.01}, {"1e", 1},
        {"1e+", 1},    {"2e3x", 2000}, {"1 2 3", 123},    {"\t7\n", 7},       {"- 5", -5},    {"--5", 0},
        {"-", 0},      {".", 0},       {"100m", 100},     {"12.5f", 12.5},    {"2.000)", 2},  {"1,000", 1},
        {"1e-400", 0}, {"0.000", 0},   {"328.100", 328.1}};
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(Val(c.text), c.expected) << '"' << c.text << '"';
}

TEST(Val, OverflowIsAnError) {
    EXPECT_THROW(Val("1e400"), OverflowError);
}

TEST(IsNumeric, AcceptsWhatTheStrictConversionsRead) {
    for (const char* yes :
         {"0", "12", " 12 ", "\t-1.5", "+3", ".5", "5.", "1e3", "1E-3", "1,000", "1,234.5", "-0", "  12  "})
        EXPECT_TRUE(IsNumeric(yes)) << '"' << yes << '"';
    for (const char* no : {"", " ", "abc", "12abc", "1e", "1e+", ".", "-", "1.2.3", ",5", "1 2", "100m",
                           "1e400", "--1", "0x10"})
        EXPECT_FALSE(IsNumeric(no)) << '"' << no << '"';
}

TEST(StrictConversions, RaiseTypedErrors) {
    EXPECT_THROW(CDbl("abc"), TypeMismatchError);
    EXPECT_THROW(CDbl(""), TypeMismatchError);
    EXPECT_THROW(CSng("12abc"), TypeMismatchError);
    EXPECT_THROW(CInt("x"), TypeMismatchError);
    EXPECT_THROW(CDbl("1e400"), OverflowError);
    EXPECT_THROW(CSng("1e39"), OverflowError);
    EXPECT_THROW(CSng(1e39), OverflowError);
    EXPECT_THROW(CSng(std::nan("")), OverflowError);
    EXPECT_THROW(CInt("32768"), OverflowError);
    EXPECT_THROW(CInt(32767.5), OverflowError);
    EXPECT_THROW(CInt(-32768.6), OverflowError);
    EXPECT_THROW(CLng(2147483647.5), OverflowError);
    EXPECT_THROW(CByte(-0.6), OverflowError);
    EXPECT_THROW(CByte(255.5), OverflowError);
    EXPECT_THROW(CLng(std::nan("")), OverflowError);

    EXPECT_DOUBLE_EQ(CDbl(" 1,234.5 "), 1234.5);
    EXPECT_FLOAT_EQ(CSng("0.1"), 0.1F);
    EXPECT_EQ(CInt("-32768"), -32768);
    EXPECT_EQ(CInt(32767.4), 32767);
    EXPECT_EQ(CByte(-0.4), 0);
    EXPECT_EQ(CByte("255"), 255);
    EXPECT_EQ(CLng("-2147483648"), -2147483647 - 1);
    EXPECT_FLOAT_EQ(CSng(3.4028235e38), 3.4028235e38F);
}

TEST(StrictConversions, WholeNumbersRoundHalfToEven) {
    const std::pair<double, int> cases[] = {{0.5, 0},  {1.5, 2},   {2.5, 2},      {3.5, 4},
                                            {-0.5, 0}, {-1.5, -2}, {-2.5, -2},    {2.4, 2},
                                            {2.6, 3},  {-2.6, -3}, {2.5000001, 3}};
    for (const auto& [x, n] : cases) {
        EXPECT_EQ(CInt(x), n) << x;
        EXPECT_EQ(CLng(x), n) << x;
    }
    EXPECT_EQ(CByte(2.5), 2);
    EXPECT_EQ(CInt("2.5"), 2);
}

TEST(RoundHalfEven, TiesOnTheDecimalValue) {
    struct Case {
        double x;
        int decimals;
        double expected;
    };
    const Case cases[] = {{2.5, 0, 2},           {3.5, 0, 4},     {-2.5, 0, -2},    {0.125, 2, 0.12},
                          {0.375, 2, 0.38},      {0.42, 1, 0.4},  {12.4, 0, 12},    {1.005, 2, 1.0},
                          {2.675, 2, 2.68},      {-0.0004, 3, 0}, {0.0005, 3, 0.0}, {0.0015, 3, 0.002},
                          {123.456, 5, 123.456}, {1e20, 2, 1e20}, {7, 0, 7}};
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(RoundHalfEven(c.x, c.decimals), c.expected) << c.x << " to " << c.decimals;
    EXPECT_FALSE(std::signbit(RoundHalfEven(-0.0004, 3)));
    EXPECT_THROW(RoundHalfEven(1.5, -1), std::invalid_argument);
}

TEST(IntAndFix, FloorAndTruncate) {
    const double cases[][3] = {{1.5, 1, 1}, {-1.5, -2, -1}, {-2, -2, -2}, {0.999, 0, 0}, {-0.001, -1, 0}};
    for (const auto& c : cases) {
        EXPECT_DOUBLE_EQ(Int(c[0]), c[1]) << c[0];
        EXPECT_DOUBLE_EQ(Fix(c[0]), c[2]) << c[0];
    }
}

TEST(Val, IgnoresTheProcessLocale) {
    // A locale with a decimal comma, when the machine has one; the C locale otherwise.
    const std::string before = std::setlocale(LC_ALL, nullptr);
    for (const char* name : {"de_DE.UTF-8", "fr_FR.UTF-8", "C.UTF-8"})
        if (std::setlocale(LC_ALL, name) != nullptr)
            break;
    EXPECT_DOUBLE_EQ(Val("12.5"), 12.5);
    EXPECT_DOUBLE_EQ(CDbl("0.25"), 0.25);
    EXPECT_TRUE(IsNumeric("3.5"));
    std::setlocale(LC_ALL, before.c_str());
}

} // namespace
