// What a run refuses before writing: the antenna boxes in use and the counted ground rows that hold
// no number, a frequency of 0 or less, a ground profile whose distances do not increase.
#include "shell/run/logic/RunInputCheck.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

using namespace editors;
using namespace shell;

namespace {

struct Row {
    const char* y;
    const char* z;
    const char* mark;
};

// A ground grid as the window keeps it: row 0 the headings, columns 1 X, 2 Y, 3 Z, 4 the mark.
void FillGround(plat::GridModel& g, const std::vector<Row>& rows) {
    g.SetCols(5);
    g.SetRows(static_cast<int>(rows.size()) + 2);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const int r = static_cast<int>(i) + 1;
        g.SetTextMatrix(r, 1, "0");
        g.SetTextMatrix(r, 2, rows[i].y);
        g.SetTextMatrix(r, 3, rows[i].z);
        g.SetTextMatrix(r, 4, rows[i].mark);
    }
}

AntennaPanelTexts Sound() {
    AntennaPanelTexts a;
    a.ArrayFreq = "330.0";
    return a;
}

TEST(RunInputCheck, AntennaBoxesInUse) {
    plat::GridModel ground;
    FillGround(ground, {{"0", "0", " X "}, {"1000", "5", " X "}});
    EXPECT_EQ(RunInputProblem(Sound(), 3, ground, false), std::nullopt);

    struct Case {
        std::function<void(AntennaPanelTexts&)> edit;
        std::uint8_t numAnts;
        std::optional<std::string> problem;
    };
    const Case cases[] = {
        {[](AntennaPanelTexts& a) { a.ArrayFreq = "0"; }, 3,
         "Frequency (MHz) must be greater than 0; it is 0."},
        {[](AntennaPanelTexts& a) { a.ArrayFreq = " -108.5 "; }, 3,
         "Frequency (MHz) must be greater than 0; it is -108.5."},
        {[](AntennaPanelTexts& a) { a.ArrayFreq = "33O"; }, 3,
         "Frequency (MHz) does not hold a number: \"33O\"."},
        {[](AntennaPanelTexts& a) { a.ArrayModDepth = ""; }, 3,
         "Modulation Depth does not hold a number: \"\"."},
        {[](AntennaPanelTexts& a) { a.CSBSBOPhase = "x"; }, 1,
         "CSB-SBO Phase does not hold a number: \"x\"."},
        {[](AntennaPanelTexts& a) { a.AntZ[0] = "12ft"; }, 1,
         "Lower Antenna Height does not hold a number: \"12ft\"."},
        {[](AntennaPanelTexts& a) { a.AntAtten[2] = "abc"; }, 2,
         "Upper Antenna Attenuate does not hold a number: \"abc\"."},
        {[](AntennaPanelTexts& a) { a.AntCLRPhase[1] = "-"; }, 3,
         "Middle Antenna CLR Phase does not hold a number: \"-\"."},
        // Columns not in use are not looked at.
        {[](AntennaPanelTexts& a) { a.AntAtten[2] = "abc"; }, 1, std::nullopt},
        {[](AntennaPanelTexts& a) { a.AntX[1] = "abc"; }, 2, std::nullopt},
        // Numbers as the strict conversion reads them pass.
        {[](AntennaPanelTexts& a) {
             a.AntY[0] = " 1,000.5 ";
             a.AntRot[0] = "-1e2";
         },
         1, std::nullopt},
    };
    for (const Case& c : cases) {
        AntennaPanelTexts a = Sound();
        c.edit(a);
        EXPECT_EQ(RunInputProblem(a, c.numAnts, ground, false), c.problem)
            << (c.problem ? *c.problem : "none");
    }
}

TEST(RunInputCheck, CountedGroundRows) {
    struct Case {
        std::vector<Row> rows;
        bool use3D;
        std::optional<std::string> problem;
    };
    const Case cases[] = {
        {{{"0", "0", " X "}, {"abc", "3", " X "}},
         false,
         "Ground profile row 2 Y does not hold a number: \"abc\"."},
        {{{"0", "0", " X "}, {"100", "3m", " X "}},
         false,
         "Ground profile row 2 Z does not hold a number: \"3m\"."},
        {{{"0", "0", " X "}, {"100", "3", " X "}, {"50", "3", " X "}},
         false,
         "Ground profile row 3: the distance Y (50) must be greater than row 2's (100)."},
        {{{"-200", "0", " X "}, {"-200", "3", " X "}},
         false,
         "Ground profile row 2: the distance Y (-200) must be greater than row 1's (-200)."},
        // Rows after the first unmarked one are not written, so not looked at; neither is the grid in
        // 3D ground mode.
        {{{"0", "0", " X "}, {"100", "3", ""}, {"abc", "3", " X "}}, false, std::nullopt},
        {{{"0", "0", " X "}, {"abc", "3", " X "}}, true, std::nullopt},
        {{{"-5000", "0", " X "}, {"0", "1", " X "}, {"12000.5", "2", " X "}}, false, std::nullopt},
    };
    for (const Case& c : cases) {
        plat::GridModel ground;
        FillGround(ground, c.rows);
        EXPECT_EQ(RunInputProblem(Sound(), 3, ground, c.use3D), c.problem)
            << (c.problem ? *c.problem : "none");
    }
}

} // namespace
