// The array presets and the height buttons applied through the main window.

#include "PanelsTest.h"

#include <cmath>

using namespace shell;

namespace {

using PresetsPanel = PanelsTest;

double Number(const plat::TextBox& box) {
    return std::stod(box.Text());
}

TEST_F(PresetsPanel, StandardArraysAt330MHzAndThreeDegrees) {
    struct Case {
        int preset;
        int option; // optNumAnts set by the preset
        double lower, middle, upper;
    };
    const double h = 492 / (330 * std::sin(3 * 0.017453292516666667));
    const Case cases[] = {
        {0, 1, 14.24364, -1, 28.48728},
        {1, 1, 7.07031, -1, 21.12604},
        {2, 2, h / 2, h, 1.5 * h},
    };
    auto& w = W();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.preset);
        w.cmbPresets->SetListIndex(3);
        w.optNumAnts(0).SetValue(true);
        w.txtAntX(0).SetText("50");
        w.txtAntX(1).SetText("50");
        w.txtAntAtten(0).SetText("3");
        w.cmbPresets->SetListIndex(c.preset);
        EXPECT_TRUE(w.optNumAnts(c.option).Value());
        EXPECT_EQ(Model().NumAnts, c.option + 1);
        EXPECT_EQ(w.txtAntZ(1).Enabled(), c.option == 2);
        EXPECT_NEAR(Number(w.txtAntZ(0)), c.lower, 2e-5);
        EXPECT_NEAR(Number(w.txtAntZ(2)), c.upper, 2e-5);
        EXPECT_NEAR(Model().Ant(3).Z, c.upper, 2e-5);
        if (c.middle > 0) {
            EXPECT_NEAR(Number(w.txtAntZ(1)), c.middle, 2e-5);
        }
        EXPECT_EQ(w.txtAntAtten(0).Text(), "0");
        // The feeds shown are the base feeds the adjustment boxes act on.
        EXPECT_DOUBLE_EQ(w.BaseFeedValues.BaseCSBMag[0], std::stod(w.txtAntCSBMag(0).Text()));
    }
    EXPECT_EQ(w.txtAntCLRMag(0).Text(), "0.484");
    EXPECT_EQ(w.txtAntCSBPhase(1).Text(), "180");
}

TEST_F(PresetsPanel, PathAngleAndFrequencyRules) {
    auto& w = W();
    // "0" means 3 degrees; below 329 MHz the presets compute with 329.
    w.txtThPathAngle->SetText("0");
    w.txtArrayFreq->SetText("100");
    w.cmbPresets->SetListIndex(0);
    EXPECT_NEAR(Number(w.txtAntZ(2)), 28.57387, 2e-5);
    EXPECT_FLOAT_EQ(Model().ArrayFreq, 329.0F);
    EXPECT_EQ(w.txtArrayFreq->Text(), "100");

    // An angle of 0 written otherwise sets the number of antennas and resets the adjustments only.
    w.cmbPresets->SetListIndex(3);
    w.optNumAnts(0).SetValue(true);
    w.txtThPathAngle->SetText("0.0");
    w.txtAntPhaseAdj(2).SetText("5");
    w.cmbPresets->SetListIndex(2);
    EXPECT_TRUE(w.optNumAnts(2).Value());
    EXPECT_EQ(w.txtAntZ(1).Text(), "0");
    EXPECT_EQ(w.txtAntPhaseAdj(2).Text(), "0");
}

TEST_F(PresetsPanel, WithMetresShownThePresetsComputeInFeetAndShowMetres) {
    auto& w = W();
    w.Menu("mnuUseSI").SetChecked(true);
    Model().LengthUnit = 1;
    w.txtAntX(0).SetText("30.48"); // 100 ft
    w.txtAntY(0).SetText("91.44");
    w.txtAntX(1).SetText("12.50");
    w.cmbPresets->SetListIndex(0);
    EXPECT_NEAR(Model().Ant(1).Z, 14.24364, 2e-5);
    EXPECT_NEAR(Model().Ant(3).Z, 28.48728, 2e-5);
    EXPECT_NEAR(Model().Ant(1).X, 30.48 * 3.281, 1e-3);
    EXPECT_NEAR(Number(w.txtAntZ(0)), 14.24364 / 3.281, 1e-6);
    EXPECT_NEAR(Number(w.txtAntZ(2)), 28.48728 / 3.281, 1e-6);
    EXPECT_NEAR(Number(w.txtAntY(2)), 91.44, 2e-5); // through the single-precision record
    EXPECT_EQ(w.txtAntX(1).Text(), "12.50");        // a position the preset did not write keeps its text
    // The heights the next collection takes are those in feet.
    Click(*w.cmdFindTheod);
    EXPECT_NEAR(Model().Ant(3).Z, 28.48728, 1e-3);
}

TEST_F(PresetsPanel, NoneRestoresTheDefaultsAndKeepsTheNumberOfAntennas) {
    auto& w = W();
    w.cmbPresets->SetListIndex(0);
    w.txtThPathWidth->SetText("1.5");
    w.txtArrayFreq->SetText("335");
    w.cmbPresets->SetListIndex(3);
    EXPECT_EQ(Model().NumAnts, 2);
    EXPECT_EQ(w.txtAntZ(2).Text(), "0");
    EXPECT_EQ(w.txtAntCSBMag(0).Text(), "0");
    EXPECT_EQ(w.txtArrayFreq->Text(), "330.0");
    EXPECT_EQ(w.txtThPathAngle->Text(), "3.00");
    EXPECT_EQ(w.txtThPathWidth->Text(), "0.67");
}

TEST_F(PresetsPanel, HeightButtonsSpreadOneHeightInTheRatioOneTwoThree) {
    struct Case {
        int button;
        const char* given;
        std::array<const char*, 3> heights;
    };
    const Case cases[] = {
        {1, "10", {"10", "20.000", "30.000"}},
        {2, "9", {"4.500", "9", "13.500"}},
        {3, "0.9", {".300", ".600", "0.9"}},
        {3, "abc", {"1", "2", "abc"}}, // a height that is not a number changes nothing
        {1, "", {"", "2", "3"}},
    };
    auto& w = W();
    w.optNumAnts(2).SetValue(true);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.given);
        for (int i = 0; i < 3; ++i)
            w.txtAntZ(i).SetText(std::to_string(i + 1));
        w.txtAntZ(c.button - 1).SetText(c.given);
        Click(w.cmdProp(c.button));
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(w.txtAntZ(i).Text(), c.heights[static_cast<std::size_t>(i)]) << i;
    }

    // With two antennas ">" writes the idle middle column too.
    w.optNumAnts(1).SetValue(true);
    w.txtAntZ(0).SetText("10");
    Click(w.cmdProp(1));
    EXPECT_EQ(w.txtAntZ(1).Text(), "20.000");
    EXPECT_EQ(w.txtAntZ(2).Text(), "30.000");
}

} // namespace
