#include "card_reader.h"
#include "error_codes.h"

#include "engine_test_support.h"

#include <cmath>
#include <cstdio>
#include <numbers>

using namespace kelvd;
using namespace kelvd_test;

namespace {

// A FILE over text, as the reader sees the parameter file.
class MemFile {
public:
    explicit MemFile(const std::string& text) : text_(text) {
        f_ = fmemopen(text_.empty() ? nullptr : text_.data(), text_.size(), "r");
        if (!f_)
            f_ = std::tmpfile();
    }
    ~MemFile() { std::fclose(f_); }
    std::FILE* get() const { return f_; }
    std::string rest() const {
        std::string s;
        int c;
        while ((c = std::fgetc(f_)) != EOF)
            s += static_cast<char>(c);
        return s;
    }

private:
    std::string text_;
    std::FILE* f_;
};

struct Parsed {
    int rc = -1;
    RunInputs in{};
    std::string echo;
};

Parsed parse(const std::string& text) {
    MemFile f(text);
    Parsed p;
    p.rc = ReadCards(f.get(), p.in, p.echo);
    return p;
}

Model smallModel() {
    Model m;
    m.ground = {{0, 0}, {1000, 5}};
    m.antennas = {Antenna{1, 0, 14, 2, 0.1, 0.2, 0.3, 0.5, 180, 1, 0, 0.25, 90}};
    return m;
}

std::string replaceFirst(std::string s, const std::string& from, const std::string& to) {
    const size_t at = s.find(from);
    if (at != std::string::npos)
        s.replace(at, from.size(), to);
    return s;
}

} // namespace

TEST(RDQSTR, ReadsCutsAndConsumesQuotedStrings) {
    struct Case {
        const char* input;
        int max;
        const char* text;
        const char* rest;
    } cases[] = {
        {"'SECTION'\t1 0 0", 3, "SEC", "\t1 0 0"},
        {"'...' 0 0 0", 3, "...", " 0 0 0"},
        {"junk 'ab'cd", 3, "ab", "cd"},
        {"'abc'd", 3, "abc", "d"},         // exactly max: its own closing apostrophe is consumed
        {"'abcdef\nxyz'", 3, "abc", "xyz'"}, // the rest of an over-long string up to the line end
        {"'ab\ncd'", 76, "ab", "cd'"},       // a line feed closes the string
        {"'ab\r\ncd'", 76, "ab", "cd'"},     // so does CR LF, the CR not stored
        {"'a\rb'", 76, "a\rb", ""},          // a lone CR is text
        {"'ab", 76, "ab", ""},               // end of file inside the string
        {"no quote here", 3, "", ""},
        {"''x", 3, "", "x"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.input);
        MemFile f(c.input);
        std::string text = "old";
        RDQSTR(f.get(), text, c.max);
        EXPECT_EQ(text, c.text);
        EXPECT_EQ(f.rest(), c.rest);
    }
    std::string out;
    WRQSTR(out, "*");
    WRQSTR(out, "title");
    EXPECT_EQ(out, "'*''title'");
}

TEST(CardReader, EchoesHeaderLevelsAndSetsFirstPlateFactorFromTheLastHeader) {
    Parsed p = parse("'*' 't'\r\n'SECTION'\t1 3 45\r\n\t\t0\t0\t0\t(\t0.000,\t0.000)\t0.000\r\n");
    EXPECT_EQ(p.rc, errors::kCard); // no end card
    EXPECT_EQ(p.echo, "'*''t'\r\nSEC           1    3.0000   45.0000\r\n");
    const double mag = std::pow(10.0, -0.15);
    EXPECT_NEAR(p.in.F0.real(), mag * std::cos(-std::numbers::pi / 4), 1e-12);
    EXPECT_NEAR(p.in.F0.imag(), mag * std::sin(-std::numbers::pi / 4), 1e-12);
    EXPECT_TRUE(p.in.profileFromGround); // NV = 0

    p = parse("'*' 't'\r\n'SECTION'\t1 3 45\r\n\t\t0\t0\t0\t(\t0.000,\t0.000)\t0.000\r\n'...' 0 0 0\r\n");
    EXPECT_EQ(p.rc, 0);
    EXPECT_NEAR(p.in.F0.real(), 1.0, 1e-15);
    EXPECT_NEAR(p.in.F0.imag(), 0.0, 1e-15);
}

TEST(CardReader, ProgramLayoutGivesAllValuesAndDerivedQuantities) {
    Model m = smallModel();
    m.permRe = 15;
    m.permIm = 0.5;
    m.conductivity = 0.01;
    m.clrModDepth = 0.6;
    m.orient = 2; // AMODE > 1: element factors
    m.rays = {1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2};
    m.flightType = 7;
    m.p1x = 5000;
    m.p1y = -10;
    m.p2y = 10;
    Parsed p = parse(paramFile(m));
    ASSERT_EQ(p.rc, 0);
    const RunInputs& in = p.in;
    EXPECT_EQ(in.label, "*");
    EXPECT_EQ(in.title, "site1 INPUT A");
    EXPECT_EQ(in.NV, 2);
    EXPECT_FALSE(in.profileFromGround);
    EXPECT_EQ(in.cardProfile.NV, 2);
    EXPECT_NEAR(in.cardProfile.v[1].y, 1000, 1e-12);
    EXPECT_NEAR(in.cardProfile.v[1].z, 5, 1e-12);
    EXPECT_NEAR(in.theodolite.y, -1000, 1e-12);
    EXPECT_NEAR(in.widthRefAngle, 0.7, 1e-12);
    EXPECT_EQ(in.NA, 1);
    EXPECT_EQ(in.AMODE, 2);
    EXPECT_NEAR(in.lambda, 983571200.0 / 332e6, 1e-12);
    EXPECT_NEAR(in.k, 2 * std::numbers::pi / in.lambda, 1e-12);
    EXPECT_NEAR(in.epsEff.real(), 15, 1e-12);
    EXPECT_NEAR(in.epsEff.imag(), 0.5 - 18000 * 0.01 / 332, 1e-12);
    EXPECT_NEAR(in.ant[0].elementFactor[2].real(), 1, 1e-15);
    EXPECT_NEAR(in.ant[0].elementFactor[2].imag(), 0.3, 1e-12);
    EXPECT_TRUE(in.clearanceCorrection);
    EXPECT_NEAR(in.ant[0].iccPha, 90, 1e-12);
    EXPECT_EQ(in.TYPE, 7);
    EXPECT_NEAR(in.P[0], 5000, 1e-12);
    EXPECT_NEAR(in.P[4], 10, 1e-12);
    EXPECT_EQ(in.rayIgnore[0], 1);
    EXPECT_EQ(in.rayIgnore[11], 2);
    EXPECT_EQ(in.XSEL, 1);

    m.orient = 1;
    m.antennas[0].clrMag = 0.000001; // not above the threshold
    p = parse(paramFile(m));
    EXPECT_FALSE(p.in.clearanceCorrection);
    EXPECT_NEAR(std::abs(p.in.ant[0].elementFactor[0]), 0.0, 1e-15);
}

TEST(CardReader, EchoOfTheFlightCardAppliesTypeRules) {
    struct Case {
        int type, npts;
        const char* echoed;
    } cases[] = {
        {5, 10, "              5   84    0          0.000 20000.000     3.000\r\n"},
        {0, 10, "              2   10    0          0.000 20000.000     3.000\r\n"},
        {3, 7, "              3    7    0          0.000 20000.000     3.000\r\n"},
    };
    for (const Case& c : cases) {
        Model m = smallModel();
        m.flightType = c.type;
        m.points = c.npts;
        Parsed p = parse(paramFile(m));
        ASSERT_EQ(p.rc, 0);
        EXPECT_NE(p.echo.find(std::string("SEC           4\r\n") + c.echoed + std::string(30, ' ') +
                              "     0.000  2000.000     3.000\r\n"),
                  std::string::npos)
            << p.echo;
    }
}

TEST(CardReader, SkipsUnknownCardsTextAfterTheTitleAndCutsLongTitles) {
    Model m = smallModel();
    m.title = std::string(80, 'T');
    std::string text = paramFile(m);
    // A card numbered 9 with two data lines, and text after the title, are passed over.
    text = replaceFirst(text, "'SECTION'\t2 0 0", "'SECTION'\t9 0 0\r\n\t1 2 3\r\n\tfoo bar\r\n'SECTION'\t2 0 0");
    Parsed p = parse(text);
    ASSERT_EQ(p.rc, 0);
    EXPECT_EQ(p.in.title, std::string(76, 'T'));
    EXPECT_NE(p.echo.find("SEC           9\r\nSEC           2\r\n"), std::string::npos);
    EXPECT_NEAR(p.in.theodolite.y, -1000, 1e-12);
}

TEST(CardReader, CardOneWithOneVertexStillTakesTheGroundFile) {
    Model m = smallModel();
    m.ground = {{100, 0}};
    Parsed p = parse(paramFile(m));
    ASSERT_EQ(p.rc, 0);
    EXPECT_TRUE(p.in.profileFromGround);
    EXPECT_NE(p.echo.find("SEC           1\r\n              1    0    0\r\n               0.000   100.000     0.000\r\n"),
              std::string::npos)
        << p.echo;
}

TEST(CardReader, LaterCardsOverwriteEarlierOnes) {
    std::string text = paramFile(smallModel());
    text = replaceFirst(text, "'...' 0 0 0", "'SECTION'\t2 0 0\r\n\t\t\t7\t8\t9\r\n'...' 0 0 0");
    Parsed p = parse(text);
    ASSERT_EQ(p.rc, 0);
    EXPECT_NEAR(p.in.theodolite.x, 7, 1e-12);
    EXPECT_NEAR(p.in.theodolite.z, 9, 1e-12);
    EXPECT_NEAR(p.in.pathRefAngle, 3, 1e-12); // missing fields of card 2 keep their values
}

TEST(CardReader, MalformedCardsFailWithCode7) {
    const std::string good = paramFile(smallModel());
    Model many = smallModel();
    many.antennas.assign(6, Antenna{});
    Model vertices = smallModel();
    for (int i = 0; i < 31; ++i)
        vertices.ground.push_back({100.0 * i, 0});
    Model quote = smallModel();
    quote.title = "Joe's site";
    struct Case {
        const char* what;
        std::string text;
    } cases[] = {
        {"header without numbers", replaceFirst(good, "'SECTION'\t3 0 0", "'SECTION'\tx 0 0")},
        {"header with two numbers", replaceFirst(good, "'SECTION'\t3 0 0", "'SECTION'\t3 0 x")},
        {"card 1 short", replaceFirst(good, ")\t0.000", ")")},
        {"card 3 with a word for AMODE", replaceFirst(good, "\t0.000\t0\r\n\t\t1\t", "\t0.000\tx\r\n\t\t1\t")},
        {"antenna line b short", replaceFirst(good, "\t0.250\t90.000", "\t0.250")},
        {"card 4 with a word for ANGFLAG", replaceFirst(good, "\t\t3\t5\t0", "\t\t3\t5\tx")},
        {"card 4 second line short", replaceFirst(good, "  2000.000     3.000\r\n", "  2000.000\r\n")},
        {"card 5 short", replaceFirst(good, "0 0 0 0 0 0 0 0 0 0 0 0 ", "0 0 0 0 0 0 0 0 0 0 0 ")},
        {"end of file before the end card", good.substr(0, good.find("'...'"))},
        {"empty file", ""},
        {"title with an apostrophe", paramFile(quote)},
        {"more than 5 antennas", paramFile(many)},
        {"more than 30 vertices", paramFile(vertices)},
        {"a value that is not a number", replaceFirst(good, "332.000", "nan")},
        {"an infinite value", replaceFirst(good, "-1000.000", "inf")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_NE(c.text, good);
        EXPECT_EQ(parse(c.text).rc, errors::kCard);
    }
    EXPECT_EQ(parse(good).rc, 0);
}
