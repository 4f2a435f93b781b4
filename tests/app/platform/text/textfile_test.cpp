#include "platform/text/TextFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

using namespace plat;

namespace {

std::filesystem::path OutPath(const std::string& name) {
    return std::filesystem::path(TEST_OUTPUT_DIR) / ("textfile_" + name);
}

TEST(FreeReader, NumbersSplitByBlanksTabsAndCommas) {
    // A parameter-file card and its neighbours, with CR LF and LF line ends.
    auto r = FreeReader::FromText("\t\t2\t0\t0\t(\t1.000,\t2.000)\t3.000\r\n"
                                  " 1 , 2,,3\n"
                                  "  -4.5e1  abc  7\r\n");
    const double expected[] = {2, 0, 0, 0, 1, 2, 3, 1, 2, 0, 3, -45, 0, 7};
    for (const double v : expected)
        EXPECT_DOUBLE_EQ(r.InputNumber(), v);
    EXPECT_TRUE(r.Eof());
    EXPECT_THROW(r.InputNumber(), EndOfFileError);
}

TEST(FreeReader, TextItemsAndLines) {
    auto r = FreeReader::FromText("'*' 'site1 INPUT A' 0\r\n"
                                  "'SECTION'\t1 0 0\r\n"
                                  "a.inp,b.prn , c.3D\n"
                                  "\"x, y\" , z\r\n"
                                  "\r\n"
                                  "\t\t0.0   1.5\r\n"
                                  "last line");
    EXPECT_EQ(r.InputText(), "'*' 'site1 INPUT A' 0");
    EXPECT_EQ(r.InputText(), "'SECTION'\t1 0 0");
    EXPECT_EQ(r.InputText(), "a.inp");
    EXPECT_EQ(r.InputText(), "b.prn");
    EXPECT_EQ(r.InputText(), "c.3D");
    EXPECT_EQ(r.InputText(), "x, y");
    EXPECT_EQ(r.InputText(), "z");
    EXPECT_EQ(r.InputText(), "");
    EXPECT_EQ(r.LineInput(), "\t\t0.0   1.5");
    EXPECT_FALSE(r.Eof());
    EXPECT_EQ(r.LineInput(), "last line");
    EXPECT_TRUE(r.Eof());
    EXPECT_THROW(r.LineInput(), EndOfFileError);
    EXPECT_THROW(r.InputText(), EndOfFileError);
}

TEST(FreeReader, HeaderThenWholeLine) {
    // The reader drops a card header and takes the next line whole, TABs kept.
    auto r = FreeReader::FromText("'SECTION'\t2 0 0\r\n\t\t\t0.000\t-100.000\r\n");
    r.InputText();
    EXPECT_EQ(r.LineInput(), "\t\t\t0.000\t-100.000");
    EXPECT_TRUE(r.Eof());
}

TEST(FreeReader, EndOfFileAfterTheLastItem) {
    auto r = FreeReader::FromText("1, 2\r\n");
    r.InputNumber();
    EXPECT_FALSE(r.Eof());
    r.InputNumber();
    EXPECT_TRUE(r.Eof());

    auto blankTail = FreeReader::FromText("5\r\n\r\n");
    EXPECT_DOUBLE_EQ(blankTail.InputNumber(), 5);
    EXPECT_FALSE(blankTail.Eof());
    EXPECT_THROW(blankTail.InputNumber(), EndOfFileError);

    EXPECT_TRUE(FreeReader::FromText("").Eof());
}

TEST(FreeReader, ReadsFiles) {
    const auto path = OutPath("reader.txt");
    std::ofstream(path, std::ios::binary) << "  1           1\r\n 0.000    0.000    0.000\r\n";
    FreeReader r(path);
    for (const double v : {1.0, 1.0, 0.0, 0.0, 0.0})
        EXPECT_DOUBLE_EQ(r.InputNumber(), v);
    EXPECT_TRUE(r.Eof());
    EXPECT_THROW(FreeReader(OutPath("missing.txt")), FileError);
    EXPECT_THROW(FreeReader(std::filesystem::path(TEST_OUTPUT_DIR)), FileError);
}

} // namespace

TEST(SplitLines, EitherLineEndAndNoEmptyLineAfterTheLastEnd) {
    using Lines = std::vector<std::string_view>;
    const struct {
        std::string_view text;
        Lines lines;
    } cases[] = {
        {"", {}},
        {"a", {"a"}},
        {"a\r\nb\nc", {"a", "b", "c"}},
        {"a\r\n", {"a"}},
        {"a\n\nb\n", {"a", "", "b"}},
        {"\r\n", {""}},
        {"a\rb\n", {"a\rb"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SplitLines(c.text), c.lines) << c.text;
}
