#include "platform/text/Strings.h"

#include "platform/text/Numbers.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>
#include <string>

using namespace plat;

namespace {

struct FormatCase {
    double value;
    const char* pattern;
    const char* expected;
};

TEST(Format, PatternsOfTheProgram) {
    const FormatCase cases[] = {
        {0, "####0.000", "0.000"},
        {12.5, "####0.000", "12.500"},
        {-3, "####0.000", "-3.000"},
        {-0.0004, "####0.000", "0.000"},
        {-0.0006, "####0.000", "-0.001"},
        {-0.0, "####0.000", "0.000"},
        {328.1, "####0.000", "328.100"},
        {123456.789, "####0.000", "123456.789"},
        {1234567890.1234, "#####0.000", "1234567890.123"},
        {0.0005, "#####0.000", "0.000"},
        {0.0015, "#####0.000", "0.002"},
        {0, "###0.0", "0.0"},
        {-10.25, "###0.0", "-10.2"},
        {10.35, "###0.0", "10.4"},
        {5, "######0.0#", "5.0"},
        {328.0839895, "######0.0#", "328.08"},
        {6076, "######0.0#", "6076.0"},
        {12.5, "######0.0#", "12.5"},
        {30.48, "######0.0#", "30.48"},
        {0.005, "######0.0#", "0.0"},
        {0.015, "######0.0#", "0.02"},
        {1, "####0.0##", "1.0"},
        {0.7079458, "####0.0##", "0.708"},
        {12.3456, "####0.0##", "12.346"},
        {0.1, "####0.0##", "0.1"},
        {0.25, "####0.0##", "0.25"},
        {2.675, "####0.00", "2.68"},
        {0.125, "####0.00", "0.12"},
        {0.375, "####0.00", "0.38"},
        {-3, "####0.00", "-3.00"},
        {0.456, "####0.00", "0.46"},
        {0.5, "###.000", ".500"},
        {12, "###.000", "12.000"},
        {0, "###.000", ".000"},
        {-0.5, "###.000", "-.500"},
        {0, "#", ""},
        {1, "#", "1"},
        {0.4, "#", ""},
        {2.5, "#", "2"},
        {3.5, "#", "4"},
        {12345, "#", "12345"},
        {-7, "#", "-7"},
        {0, "##,##0.0#", "0.0"},
        {1234.5, "##,##0.0#", "1,234.5"},
        {-1234567.891, "##,##0.0#", "-1,234,567.89"},
        {999.999, "##,##0.0#", "1,000.0"},
        {100, "##,##0.0#", "100.0"},
        {5, "00.00", "05.00"},
        {1326, "###0", "1326"},
        {-0.4, "##0", "0"},
        {99.995, "##0.00", "100.00"},
        {1e20, "####0.00", "100000000000000000000.00"},
        {1.5e-7, "####0.000", "0.000"},
        {1.25, "#0.0#", "1.25"},
        {0.5, "#0.0#", "0.5"},
        {12.5, "##0", "12"},
        {13.5, "##0", "14"},
        {3.14159, "##0.00", "3.14"},
        {2.0, "#######0.0##", "2.0"},
        {0.00005, "#####0.0000", "0.0000"},
        {0.00015, "#####0.0000", "0.0002"},
        {-24304, "######0", "-24304"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Format(c.value, c.pattern), c.expected) << c.value << " with " << c.pattern;
}

TEST(Format, SinglesRoundOnTheirSevenDigits) {
    // 0.0005F is slightly above 0.0005 in binary; its seven-digit value is the tie itself.
    EXPECT_EQ(Format(0.0005F, "####0.000"), "0.000");
    EXPECT_EQ(Format(0.0005, "####0.000"), "0.000");
    EXPECT_EQ(Format(0.7079458F, "####0.0##"), "0.708");
    EXPECT_EQ(Format(0.1F, "0.000000000"), "0.100000000");
    EXPECT_EQ(Format(331.1F, "####0.000"), "331.100");
    EXPECT_EQ(Format(2.5F, "#"), "2");
}

TEST(Format, WholeNumbersAndTexts) {
    EXPECT_EQ(Format(42, "####0.000"), "42.000");
    EXPECT_EQ(Format(0, "#"), "");
    EXPECT_EQ(FormatText("5", "######0.0#"), "5.0");
    EXPECT_EQ(FormatText("a", "######0.0#"), "a");
    EXPECT_EQ(FormatText("-", "######0.0#"), "-");
    EXPECT_EQ(FormatText(" 12.3456 ", "#####0.00"), "12.35");
    EXPECT_EQ(FormatText("12.345", "#####0.00"), "12.34");
    EXPECT_EQ(FormatText("", "#####0.00"), "");
    EXPECT_EQ(FormatText(Trim(Str(0.5)), "#####0.00"), "0.50");
    EXPECT_EQ(FormatText("1,000", "#####0.00"), "1000.00");
}

TEST(Format, RejectsWhatItCannotWrite) {
    EXPECT_THROW(Format(1.0, "0.0%"), std::invalid_argument);
}

// A value no number text can show is written as 0, in the pattern's form.
TEST(Format, NaNAndInfinitiesAreShownAsZero) {
    const double inf = std::numeric_limits<double>::infinity();
    for (const double v : {inf, -inf, std::nan("")}) {
        EXPECT_EQ(Format(v, "0.0"), "0.0");
        EXPECT_EQ(Format(v, "#####0.00"), "0.00");
        EXPECT_EQ(Format(static_cast<float>(v), "##0.00"), "0.00");
        EXPECT_EQ(Str(v), " 0");
        EXPECT_EQ(GeneralText(static_cast<float>(v)), "0");
    }
    EXPECT_EQ(Format(2e38F * 3.281F, "####0.00"), "0.00");
}

TEST(GeneralText, ShortestTextOfTheValue) {
    const std::pair<float, const char*> singles[] = {{0.0F, "0"},
                                                     {-0.0F, "0"},
                                                     {1.0F, "1"},
                                                     {0.5F, "0.5"},
                                                     {180.0F, "180"},
                                                     {0.484F, "0.484"},
                                                     {-45.0F, "-45"},
                                                     {0.67F, "0.67"},
                                                     {330.0F, "330"},
                                                     {0.7079458F, "0.7079458"},
                                                     {0.1F, "0.1"},
                                                     {150.5F, "150.5"},
                                                     {1234567.0F, "1234567"},
                                                     {12345678.0F, "1.234568E+07"},
                                                     {1.2e16F, "1.2E+16"},
                                                     {0.0001F, "0.0001"},
                                                     {0.00001F, "1E-05"},
                                                     {-0.000012345F, "-1.2345E-05"},
                                                     {24304.0F, "24304"},
                                                     {9999999.5F, "1E+07"},
                                                     {3.4028235e38F, "3.402823E+38"}};
    for (const auto& [v, text] : singles)
        EXPECT_EQ(GeneralText(v), text) << v;

    const std::pair<double, const char*> doubles[] = {{0.1 + 0.2, "0.3"},
                                                      {1.0 / 3.0, "0.333333333333333"},
                                                      {123456789012345.0, "123456789012345"},
                                                      {1e15, "1E+15"},
                                                      {2.5e-7, "2.5E-07"},
                                                      {-1234.5678, "-1234.5678"},
                                                      {1e100, "1E+100"}};
    for (const auto& [v, text] : doubles)
        EXPECT_EQ(GeneralText(v), text) << v;
    EXPECT_EQ(GeneralText(-17), "-17");
}

TEST(Str, SignPlaceAndNoLeadingZero) {
    const std::pair<double, const char*> cases[] = {
        {2, " 2"},     {0, " 0"},         {-0.0, " 0"},     {-2, "-2"},        {0.5, " .5"},
        {-0.5, "-.5"}, {12.25, " 12.25"}, {1e15, " 1E+15"}, {-1e-5, "-1E-05"}, {0.0001, " .0001"}};
    for (const auto& [v, text] : cases)
        EXPECT_EQ(Str(v), text) << v;
    EXPECT_EQ(Str(0.7079458F), " .7079458");
    EXPECT_EQ(Str(0.1F), " .1");
    EXPECT_EQ(Str(0.1), " .1");
    EXPECT_EQ(Str(2), " 2");
    EXPECT_EQ(Str(-3), "-3");
    EXPECT_EQ(Str(static_cast<float>(1.0 / 3.0)), " .3333333");
    EXPECT_EQ(Str(1.0 / 3.0), " .333333333333333");
}

TEST(TrimAndCase, BlanksOnlyAndAsciiLetters) {
    EXPECT_EQ(Trim("  a b  "), "a b");
    EXPECT_EQ(Trim("\ta\t"), "\ta\t");
    EXPECT_EQ(Trim("   "), "");
    EXPECT_EQ(LTrim("  a  "), "a  ");
    EXPECT_EQ(RTrim("  a  "), "  a");
    EXPECT_EQ(LCase("100M Ab\xC4"), "100m ab\xC4");
    EXPECT_EQ(UCase("x1y"), "X1Y");
}

TEST(Format, IgnoresTheProcessLocale) {
    const std::string before = std::setlocale(LC_ALL, nullptr);
    for (const char* name : {"de_DE.UTF-8", "fr_FR.UTF-8", "C.UTF-8"})
        if (std::setlocale(LC_ALL, name) != nullptr)
            break;
    EXPECT_EQ(Format(1234.5, "##,##0.0#"), "1,234.5");
    EXPECT_EQ(GeneralText(0.5F), "0.5");
    EXPECT_EQ(Str(0.25), " .25");
    std::setlocale(LC_ALL, before.c_str());
}

} // namespace
