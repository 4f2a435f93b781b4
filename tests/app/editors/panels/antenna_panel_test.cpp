// The antenna panel's boxes driven by keystrokes in the real main window: feeds, attenuation and
// phase adjust, mirroring into hidden columns, transmitter modifications, guards and the layout by
// number of antennas.

#include "PanelsTest.h"

#include <array>
#include <vector>

#include "editors/logic/PanelLayout.h"

using namespace editors;
using namespace shell;

namespace {

using AntennaPanel = PanelsTest;

TEST_F(AntennaPanel, AttenuationActsOnTheBaseAndTabbingThroughAFeedKeepsIt) {
    auto& w = W();
    TypeTab(w.txtAntCSBMag(0), "1"); // typed by hand: the new base
    TypeTab(w.txtAntAtten(0), "6");
    EXPECT_EQ(w.txtAntCSBMag(0).Text(), "0.708");
    EXPECT_NEAR(Model().Ant(1).CSBMag, 0.7079458, 1e-7);

    // Passing through the feed box changes nothing: its 0.708 is not taken as a new base.
    Focus(w.txtAntCSBMag(0));
    Tab(w.txtAntCSBMag(0));
    Focus(w.txtAntCSBMag(0));
    Enter(w.txtAntCSBMag(0));
    EXPECT_EQ(w.txtAntAtten(0).Text(), "6.0"); // a one-character entry is written "0.0#" on leaving
    EXPECT_EQ(w.txtAntCSBMag(0).Text(), "0.708");

    TypeEnter(w.txtAntAtten(0), "0");
    EXPECT_EQ(w.txtAntCSBMag(0).Text(), "1.0");
    EXPECT_NEAR(Model().Ant(1).CSBMag, 1.0, 1e-7);

    // A value typed over the attenuated one is a hand edit: it becomes the base, adjustments reset.
    TypeTab(w.txtAntAtten(0), "6");
    TypeTab(w.txtAntCSBMag(0), "0.5");
    EXPECT_EQ(w.txtAntAtten(0).Text(), "0");
    EXPECT_EQ(w.txtAntPhaseAdj(0).Text(), "0");
    EXPECT_DOUBLE_EQ(w.BaseFeedValues.BaseCSBMag[0], 0.5);
}

TEST_F(AntennaPanel, PhaseAdjustWrapsTheBasePhaseOnce) {
    struct Case {
        const char* base;
        const char* adjust;
        const char* shown;
        float record;
    };
    const Case cases[] = {
        {"355", "10", "5.0", 5.0F},     {"350", "9", "359.0", 359.0F}, {"350", "9.5", "-0.5", -0.5F},
        {"10", "-20", "350.0", 350.0F}, {"365", "0", "365.0", 365.0F},
    };
    auto& w = W();
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.base) + " + " + c.adjust);
        TypeTab(w.txtAntSBOPhase(2), c.base);
        TypeTab(w.txtAntPhaseAdj(2), c.adjust);
        EXPECT_EQ(w.txtAntSBOPhase(2).Text(), c.shown);
        EXPECT_NEAR(Model().Ant(3).SBOPhase, c.record, 1e-4);
    }
    // Passing through a phase box of an adjusted column leaves the adjustment in force.
    TypeTab(w.txtAntSBOPhase(2), "100");
    TypeTab(w.txtAntPhaseAdj(2), "10");
    Focus(w.txtAntSBOPhase(2));
    Tab(w.txtAntSBOPhase(2));
    EXPECT_EQ(w.txtAntPhaseAdj(2).Text(), "10");
    EXPECT_EQ(w.txtAntSBOPhase(2).Text(), "110.0");
    // A phase typed over it is the new base: the column's adjustments are reset.
    TypeTab(w.txtAntSBOPhase(2), "45");
    EXPECT_EQ(w.txtAntPhaseAdj(2).Text(), "0");
    EXPECT_FLOAT_EQ(w.BaseFeedValues.BaseSBOPhase[2], 45.0F);
}

TEST_F(AntennaPanel, HiddenColumnsCopyTheColumnsInUse) {
    auto& w = W();
    w.optNumAnts(0).SetValue(true);
    w.txtAntX(1).SetText("7");
    TypeTab(w.txtAntZ(0), "30");
    TypeTab(w.txtAntX(0), "5");
    EXPECT_EQ(w.txtAntZ(1).Text(), "30");
    EXPECT_EQ(w.txtAntZ(2).Text(), "30");
    EXPECT_EQ(w.txtAntX(1).Text(), "7");
    EXPECT_EQ(w.txtAntX(2).Text(), "0");

    w.optNumAnts(1).SetValue(true);
    w.txtAntCSBMag(2).SetText("0.25");
    TypeTab(w.txtAntCSBMag(0), "1");
    EXPECT_EQ(w.txtAntCSBMag(1).Text(), "0.25");
    TypeEnter(w.txtAntY(2), "100f");
    EXPECT_EQ(w.txtAntY(2).Text(), "100.0");
    EXPECT_EQ(w.txtAntY(1).Text(), "100.0");
}

TEST_F(AntennaPanel, TransmitterModificationsActOnEveryEnterOnWhatTheBoxesShow) {
    auto& w = W();
    w.optNumAnts(0).SetValue(true); // they act on all three antennas whatever the number in use
    TypeTab(w.txtAntSBOMag(0), "1");
    w.txtAntSBOMag(2).SetText("2");
    TypeEnter(*w.txtSBOPowerAdj, "6");
    EXPECT_EQ(w.txtAntSBOMag(0).Text(), ".7079458");
    EXPECT_NEAR(Model().Ant(3).SBOMag, 1.4158916, 1e-6);
    Focus(*w.txtSBOPowerAdj);
    Enter(*w.txtSBOPowerAdj);
    // 10^(-0.3), read back from the seven digits shown: within one in the last digit.
    EXPECT_NEAR(std::stod("0" + w.txtAntSBOMag(0).Text()), 0.5011872, 2e-7);
    EXPECT_EQ(w.txtSBOPowerAdj->Text(), "6");

    // The CSB-SBO phase adds to the SBO phase the box shows, not to the record's older value.
    struct Case {
        const char* sboPhase;
        const char* csbSbo;
        const char* shown;
    };
    const Case cases[] = {{"349", "10", "-1"}, {"355", "5", "0"}, {"10", "-20", "-10"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.sboPhase);
        TypeTab(w.txtAntSBOPhase(0), c.sboPhase);
        TypeEnter(*w.txtCSBSBOPhase, c.csbSbo);
        EXPECT_EQ(w.txtAntSBOPhase(0).Text(), c.shown);
        EXPECT_NEAR(Model().Ant(1).SBOPhase, std::stof(c.shown), 1e-5);
    }
}

TEST_F(AntennaPanel, BoxesWithoutARuleOfTheirOwnAreStillGuardedOnLeaving) {
    auto& w = W();
    TypeTab(w.txtAntSBOMag(0), "1");
    std::vector<plat::TextBox*> boxes{&w.txtAntRot(0), &w.txtAntRot(2), w.txtSBOPowerAdj.get(),
                                      w.txtCLRPowerAdjust.get(), w.txtCSBSBOPhase.get()};
    for (plat::TextBox* box : boxes) {
        SCOPED_TRACE(box->Name());
        TypeTab(*box, "6x");
        EXPECT_EQ(box->Text(), "0");
    }
    EXPECT_EQ(w.txtAntSBOMag(0).Text(), "1.0"); // leaving a transmitter box modifies nothing
    TypeTab(w.txtAntRot(1), " 12 ");
    EXPECT_EQ(w.txtAntRot(1).Text(), " 12 ");
}

TEST_F(AntennaPanel, LayoutByNumberOfAntennas) {
    struct Case {
        int option;
        std::array<const char*, 3> captions;
        bool middle;
        bool upper;
        std::array<bool, 3> heightButtons; // ">", "<>", "<"
    };
    const Case cases[] = {
        {0, {"Lower Antenna", "Middle Antenna", "Upper Antenna"}, false, false, {false, false, false}},
        {1, {"Lower Antenna(*)", "Middle Antenna", "Upper Antenna"}, false, true, {true, false, true}},
        {2, {"Lower Antenna", "Middle Antenna(*)", "Upper Antenna"}, true, true, {true, true, true}},
    };
    auto& w = W();
    const auto colour = [](bool on) { return on ? kEnabledBackColor : kDisabledBackColor; };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.option + 1);
        QTest::mouseClick(w.optNumAnts(c.option).Widget(), Qt::LeftButton, {}, QPoint(6, 8));
        EXPECT_TRUE(w.optNumAnts(c.option).Value());
        EXPECT_EQ(Model().NumAnts, c.option + 1);
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(w.Label2(3 + i).Caption(), c.captions[static_cast<std::size_t>(i)]);
        for (plat::TextBox* box : {&w.txtAntX(1), &w.txtAntRot(1), &w.txtAntAtten(1), &w.txtAntPhaseAdj(1),
                                   &w.txtAntCLRPhase(1)}) {
            EXPECT_EQ(box->Enabled(), c.middle) << box->Name();
            EXPECT_EQ(box->BackColor(), colour(c.middle)) << box->Name();
        }
        // The upper column's rotation and feed adjustments go with the column.
        for (plat::TextBox* box : {&w.txtAntX(2), &w.txtAntZ(2), &w.txtAntSBOMag(2), &w.txtAntCLRPhase(2),
                                   &w.txtAntRot(2), &w.txtAntAtten(2), &w.txtAntPhaseAdj(2)}) {
            EXPECT_EQ(box->Enabled(), c.upper) << box->Name();
            EXPECT_EQ(box->BackColor(), colour(c.upper)) << box->Name();
        }
        for (int i = 1; i <= 3; ++i)
            EXPECT_EQ(w.cmdProp(i).Enabled(), c.heightButtons[static_cast<std::size_t>(i - 1)]) << i;
        EXPECT_TRUE(w.txtAntX(0).Enabled());
        EXPECT_TRUE(w.txtAntAtten(0).Enabled());
    }

    // A click on a button that is not offered does nothing.
    QTest::mouseClick(w.optNumAnts(0).Widget(), Qt::LeftButton, {}, QPoint(6, 8));
    w.txtAntZ(0).SetText("10");
    w.txtAntZ(2).SetText("7");
    QTest::mouseClick(w.cmdProp(1).Widget(), Qt::LeftButton);
    EXPECT_EQ(w.txtAntZ(2).Text(), "7");
}

} // namespace
