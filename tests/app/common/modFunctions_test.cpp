#include "common/modFunctions.h"

#include "platform/text/Numbers.h"

#include <gtest/gtest.h>

#include <string>

using namespace common;

namespace {

struct FieldCase {
    const char* text;
    int n;
    const char* delimiter;
    const char* expected;
};

TEST(GetDelimitedField, FieldsAsTheReadersNumberThem) {
    const FieldCase cases[] = {
        {"\t\t\t1.0\t2.0", 1, "\t", "\t"},
        {"\t\t\t1.0\t2.0", 2, "\t", "1.0"},
        {"\t\t\t1.0\t2.0", 3, "\t", "2.0"},
        {"a  b", 1, " ", "a"},
        {"a  b", 2, " ", "b"},
        {"a,", 2, ",", ""},
        {"a,b,c", 3, ",", "c"},
        {"a,,b", 2, ",", "b"},
        {"  x y  ", 2, " ", "y"},
        {"abc", 5, ",", "abc"},
        {"", 1, ",", ""},
        {"0.0   1.5   -2.0", 3, " ", "-2.0"},
        {"Pt.C, 0, 859, 100", 3, ",", " 859"},
        // The only delimiter is the first character: field 1 is the whole text.
        {",abc", 1, ",", ",abc"},
        {"\t5.25", 2, "\t", "\t5.25"},
        {"a,b", 0, ",", ""},
    };
    for (const auto& c : cases) {
        std::string text = c.text;
        EXPECT_EQ(GetDelimitedField(text, c.n, c.delimiter), c.expected) << '"' << c.text << "\" " << c.n;
    }
}

TEST(GetDelimitedField, TrimsTheCallersText) {
    std::string text = "  a b  ";
    GetDelimitedField(text, 1, " ");
    EXPECT_EQ(text, "a b");
    std::string count = "  a,b  ";
    EXPECT_EQ(CountDelimitedFields(count, ","), 2);
    EXPECT_EQ(count, "a,b");
}

TEST(GetDelimitedField, PositionsBeyond255) {
    std::string near = std::string(250, 'a') + ",b";
    EXPECT_EQ(GetDelimitedField(near, 2, ","), "b");
    std::string full = std::string(252, 'a') + ",bc";
    ASSERT_EQ(full.size(), 255U);
    EXPECT_EQ(GetDelimitedField(full, 2, ","), "bc");

    std::string far = std::string(260, 'a') + ",b";
    EXPECT_EQ(GetDelimitedField(far, 2, ","), "");
    EXPECT_THROW(GetDelimitedString(far, 2, ","), plat::OverflowError);
    std::string early = "a,b" + std::string(300, 'c');
    EXPECT_EQ(GetDelimitedString(early, 1, ","), "a");
}

TEST(CountDelimitedFields, LeadingAndRepeatedDelimiters) {
    const std::pair<const char*, int> commas[] = {{"word", 1}, {"a,,b", 2},  {"", 1},       {"a,", 2},
                                                  {",a", 1},   {"a,b,c", 3}, {",,a,,b,", 3}};
    for (const auto& [text, n] : commas) {
        std::string t = text;
        EXPECT_EQ(CountDelimitedFields(t, ","), n) << '"' << text << '"';
    }
    std::string tabs = "\t\t\t1.0\t2.0";
    EXPECT_EQ(CountDelimitedFields(tabs, "\t"), 2);
    std::string card2 = "\t\t\t0.000\t-100.000\t6.000\t3.000\t0.700\t1000.000";
    EXPECT_EQ(CountDelimitedFields(card2, "\t"), 6);
}

TEST(FileNames, TitleAndFolder) {
    const std::pair<const char*, const char*> titles[] = {{"/runs/site1.inp", "site1"},
                                                          {"site.rev2.inp", "site"},
                                                          {"/my.runs/a", "a"},
                                                          {"noext", "noext"},
                                                          {"/runs/", ""},
                                                          {"", ""}};
    for (const auto& [path, title] : titles)
        EXPECT_EQ(FileTitleNoExt(path), title) << path;
    const std::pair<const char*, const char*> folders[] = {
        {"/runs/a.inp", "/runs"}, {"x/y/z.inp", "x/y"}, {"a.inp", ""}, {"/a.inp", ""}, {"", ""}};
    for (const auto& [path, folder] : folders)
        EXPECT_EQ(FolderOfPath(path), folder) << path;
    const std::string deep = "/" + std::string(260, 'd') + "/a.inp";
    EXPECT_THROW(FileTitleNoExt(deep), plat::OverflowError);
    EXPECT_THROW(FolderOfPath(deep), plat::OverflowError);
}

TEST(Padding, FixedWidths) {
    EXPECT_EQ(PadLeft("1.5", 10), "       1.5");
    EXPECT_EQ(PadLeft("", 10), "");
    EXPECT_EQ(PadRight("", 10), "");
    EXPECT_EQ(PadRight("ab", 4), "ab  ");
    EXPECT_EQ(PadRight("abcdef", 3), "abc");
    EXPECT_EQ(PadLeft("abcdef", 3), "abc");
    EXPECT_EQ(PadLeft("1234567890", 10), "1234567890");
    EXPECT_EQ(PadLeft("x", 0), "");
    EXPECT_THROW(PadLeft(std::string(256, 'x'), 10), plat::OverflowError);
    EXPECT_THROW(PadRight("x", 256), plat::OverflowError);
}

TEST(Atan2Pos, AngleInZeroToTwoPi) {
    const double cases[][3] = {
        {0, 0, 1.5707963265}, {0, 1, 1.5707963265},   {0, -1, 4.7123889795}, {-1, 0, 3.141592653}, {1, 0, 0},
        {1, 1, 0.7853981634}, {-1, -1, 3.9269908168}, {1, -1, 5.4977871429}, {-1, 1, 2.3561944898}};
    for (const auto& c : cases)
        EXPECT_NEAR(Atan2Pos(c[0], c[1]), c[2], 1e-9) << c[0] << ", " << c[1];
}

TEST(WholeNumbers, CeilLongAndFloorInt) {
    const std::pair<double, int> ceilings[] = {{1, 1},   {1.2, 2}, {-1.2, -1},
                                               {-1, -1}, {0, 0},   {2147483646.5, 2147483647}};
    for (const auto& [x, n] : ceilings)
        EXPECT_EQ(CeilLong(x), n) << x;
    EXPECT_THROW(CeilLong(2147483647.5), plat::OverflowError);
    EXPECT_THROW(CeilLong(-2147483649.0), plat::OverflowError);

    const std::pair<double, int> floors[] = {
        {1.7, 1}, {-1.2, -2}, {32767.9, 32767}, {-32768, -32768}, {-0.5, -1}};
    for (const auto& [x, n] : floors)
        EXPECT_EQ(FloorInt(x), n) << x;
    EXPECT_THROW(FloorInt(32768), plat::OverflowError);
    EXPECT_THROW(FloorInt(-32768.1), plat::OverflowError);
}

TEST(DbToAmplitude, HalfTheDecibelsAsAFieldRatio) {
    EXPECT_NEAR(DbToAmplitude(1, 6), 0.7079458, 1e-7);
    EXPECT_NEAR(DbToAmplitude(2, 0), 2.0, 1e-7);
    EXPECT_NEAR(DbToAmplitude(1, -40), 10.0, 1e-5);
    EXPECT_NEAR(DbToAmplitude(0.5, 3), 0.5 * 0.8413951, 1e-7);
}

struct LengthCase {
    const char* text;
    std::uint8_t unit;
    const char* expected;
};

TEST(ConvertLengthText, SuffixesAndUnits) {
    const LengthCase cases[] = {
        {"", UnitFeet, "0.00"},
        {"", UnitMetres, "0.00"},
        {"", UnitNauticalMiles, "0.00"},
        {"7", UnitFeet, "7.0"},
        {"5", UnitMetres, "5.0"},
        {"a", UnitFeet, "a"},
        {"100m", UnitFeet, "328.08"},
        {"100M", UnitFeet, "328.08"},
        {"1n", UnitFeet, "6076.0"},
        {"12.5f", UnitFeet, "12.5"},
        {"250", UnitFeet, "250"},
        {"100f", UnitMetres, "30.48"},
        {"1E3", UnitFeet, "1e3"},
        {"ABC", UnitFeet, "abc"},
        {"1n", UnitMetres, "1851.96"},
        {"6076f", UnitNauticalMiles, "1.0"},
        {"1852m", UnitNauticalMiles, "1.0"},
        {"2m", UnitMetres, "2.0"},
        {"-3m", UnitFeet, "-9.84"},
        {"10fm", UnitFeet, "10.0"},
        {"x5f", UnitFeet, "0.0"},
        {"2m", UnitFeet, "6.56"},
        {"1e999m", UnitFeet, "1e999m"},
        {"0.001m", UnitFeet, "0.0"},
    };
    for (const auto& c : cases) {
        std::string text = c.text;
        ConvertLengthText(text, c.unit);
        EXPECT_EQ(text, c.expected) << '"' << c.text << "\" unit " << int(c.unit);
    }
    std::string text = "5";
    EXPECT_THROW(ConvertLengthText(text, 3), std::invalid_argument);
}

TEST(TextBoxSteps, ConversionAndGuardOnText) {
    EXPECT_EQ(ConvertedBoxText("  100m ", UnitFeet), "328.08");
    EXPECT_EQ(ConvertedBoxText("   ", UnitFeet), "0.00");
    EXPECT_EQ(ConvertedBoxText(" 7 ", UnitFeet), "7.0");

    const std::pair<const char*, const char*> guards[] = {
        {" 12 ", " 12 "}, {"abc", "0"},   {"", "0"},        {"   ", "0"},   {"1,000", "1,000"},
        {"1e3", "1e3"},   {"12abc", "0"}, {"-0.5", "-0.5"}, {"1e999", "0"}, {"100m", "0"},
        // A comma out of its place shows the number it reads as; thousands groups stay.
        {"12,5", "125"},  {" -1,2 ", " -12 "}, {"1,0000", "10000"}, {"12,345.5", "12,345.5"},
        {"1,234,567", "1,234,567"}, {"1234,567", "1234567"}, {"12,5e2", "125e2"}};
    for (const auto& [text, guarded] : guards)
        EXPECT_EQ(GuardedNumericText(text), guarded) << '"' << text << '"';
}

} // namespace
