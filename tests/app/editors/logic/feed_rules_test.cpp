#include "editors/logic/FeedRules.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

using namespace editors;
using namespace shell;

namespace {

// One column's feeds typed into the boxes and taken as the base, as the preset list leaves them.
struct Panel {
    AntennaPanelTexts t;
    BaseFeeds b;
    ModelVariables m;

    void Feeds(int col, const std::string& csb, const std::string& sbo, const std::string& clr,
               const std::string& csbPh = "0", const std::string& sboPh = "0",
               const std::string& clrPh = "0") {
        const auto i = static_cast<std::size_t>(col);
        t.AntCSBMag[i] = csb;
        t.AntSBOMag[i] = sbo;
        t.AntCLRMag[i] = clr;
        t.AntCSBPhase[i] = csbPh;
        t.AntSBOPhase[i] = sboPh;
        t.AntCLRPhase[i] = clrPh;
        StoreBaseFeeds(t, b);
    }
    void LeaveAtten(int col, const std::string& text) {
        t.AntAtten[static_cast<std::size_t>(col)] = text;
        ApplyAttenuation(t, b, m.Ant(col + 1), col);
    }
    void LeavePhaseAdj(int col, const std::string& text) {
        t.AntPhaseAdj[static_cast<std::size_t>(col)] = text;
        ApplyPhaseAdjust(t, b, m.Ant(col + 1), col);
    }
};

TEST(FeedDisplay, PatternAndGeneralTexts) {
    EXPECT_EQ(FeedPatternText(1), "1.0");
    EXPECT_EQ(FeedPatternText(0.7079458), "0.708");
    EXPECT_EQ(FeedPatternText(12.3456), "12.346");
    EXPECT_EQ(FeedPatternText(-0.5), "-0.5");
    EXPECT_EQ(FeedGeneralText(0.7079458F), ".7079458");
    EXPECT_EQ(FeedGeneralText(-0.5F), "-.5");
    EXPECT_EQ(FeedGeneralText(12.0F), "12");
    EXPECT_EQ(FeedGeneralText(0.0F), "0");
}

TEST(FeedRules, AttenuationActsOnTheBaseFeeds) {
    struct Case {
        const char* base;
        const char* dB;
        float word;
        const char* shown;
    };
    const Case cases[] = {
        {"1", "6", 0.7079458F, "0.708"},  {"1", "0", 1.0F, "1.0"},
        {"1", "-6", 1.4125376F, "1.413"}, {"-1", "6", 0.0F, "0.0"}, // floored at 0
        {"-1", "0", -1.0F, "-1.0"},                                 // the base itself, no floor
        {"0.5", "40", 0.05F, "0.05"},     {"1", "4000", 0.0F, "0.0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.base) + " at " + c.dB + " dB");
        Panel p;
        p.Feeds(0, c.base, "0", "0");
        p.LeaveAtten(0, c.dB);
        EXPECT_NEAR(p.m.Ant(1).CSBMag, c.word, 1e-7);
        EXPECT_EQ(p.t.AntCSBMag[0], c.shown);
    }

    // Entering 0 afterwards shows the base again, not the attenuated value; leaving the box
    // again with the same value does not compound.
    Panel p;
    p.Feeds(1, "1", "0.5", "0.25");
    p.LeaveAtten(1, "6");
    p.LeaveAtten(1, "6");
    EXPECT_EQ(p.t.AntCSBMag[1], "0.708");
    EXPECT_EQ(p.t.AntSBOMag[1], "0.354");
    EXPECT_EQ(p.t.AntCLRMag[1], "0.177");
    p.LeaveAtten(1, "0");
    EXPECT_EQ(p.t.AntCSBMag[1], "1.0");
    EXPECT_EQ(p.t.AntSBOMag[1], "0.5");
    EXPECT_EQ(p.t.AntCLRMag[1], "0.25");
    // Other columns and the phases are untouched.
    EXPECT_EQ(p.t.AntCSBMag[0], "0");
    EXPECT_EQ(p.t.AntCSBPhase[1], "0");
}

TEST(FeedRules, ResultsBeyondTheSingleRangeAreClamped) {
    // An attenuation far below -1500 dB would leave the single range: the magnitude is held at
    // the largest single, and undoing it after a load does not divide by a vanished factor.
    Panel p;
    p.Feeds(0, "1", "-1", "0");
    p.LeaveAtten(0, "-2000");
    EXPECT_FLOAT_EQ(p.m.Ant(1).CSBMag, std::numeric_limits<float>::max());
    EXPECT_FLOAT_EQ(p.m.Ant(1).SBOMag, 0.0F);
    p.LeavePhaseAdj(0, "1e300");
    EXPECT_TRUE(std::isfinite(p.m.Ant(1).CSBPhase));

    AntennaRec rec;
    rec.CSBMag = 0;
    rec.Atten = 1e30F;
    BaseFeeds b;
    RecoverBaseFeeds(b, 0, rec);
    EXPECT_DOUBLE_EQ(b.BaseCSBMag[0], 0.0);
}

TEST(FeedRules, PhaseAdjustWrapsOnce) {
    struct Case {
        const char* base;
        const char* adj;
        float word;
        const char* shown;
    };
    const Case cases[] = {
        {"355", "10", 5.0F, "5.0"},       {"350", "9", 359.0F, "359.0"}, {"350", "9.5", -0.5F, "-0.5"},
        {"10", "-20", 350.0F, "350.0"},   {"365", "0", 365.0F, "365.0"}, {"400", "400", 440.0F, "440.0"},
        {"-350", "-20", -10.0F, "-10.0"}, {"0", "360", 0.0F, "0.0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.base) + " adjusted by " + c.adj);
        Panel p;
        p.Feeds(2, "1", "1", "1", c.base, c.base, c.base);
        p.LeavePhaseAdj(2, c.adj);
        EXPECT_FLOAT_EQ(p.m.Ant(3).CSBPhase, c.word);
        EXPECT_FLOAT_EQ(p.m.Ant(3).SBOPhase, c.word);
        EXPECT_FLOAT_EQ(p.m.Ant(3).CLRPhase, c.word);
        EXPECT_EQ(p.t.AntSBOPhase[2], c.shown);
        EXPECT_EQ(p.t.AntCSBMag[2], "1"); // magnitudes untouched
    }
}

TEST(FeedRules, MirroringCopiesIntoHiddenColumns) {
    struct Case {
        std::uint8_t numAnts;
        ColumnTexts expected;
    };
    const Case cases[] = {
        {1, {"a", "a", "a"}},
        {2, {"a", "c", "c"}},
        {3, {"a", "b", "c"}},
    };
    for (const Case& c : cases) {
        ColumnTexts boxes{"a", "b", "c"};
        MirrorHiddenColumns(boxes, c.numAnts);
        EXPECT_EQ(boxes, c.expected) << int(c.numAnts) << " antennas";
    }
}

TEST(FeedRules, PassingThroughAMagnitudeBoxIsNotAHandEdit) {
    // 6 dB on a base of 1 shows 0.708, which is not the attenuated value exactly; tabbing through
    // the box must leave the attenuation in force.
    Panel p;
    p.Feeds(0, "1", "1", "0");
    p.LeaveAtten(0, "6");
    p.LeavePhaseAdj(0, "10");
    MagnitudeLeft(p.t, p.b, 0, FeedKind::CSB, "0.708");
    EXPECT_EQ(p.t.AntAtten[0], "6");
    EXPECT_EQ(p.t.AntPhaseAdj[0], "10");
    EXPECT_DOUBLE_EQ(p.b.BaseCSBMag[0], 1.0);

    // A changed text whose number is the adjusted base exactly is not a hand edit either.
    p.LeaveAtten(0, "0");
    p.t.AntCSBMag[0] = "1";
    MagnitudeLeft(p.t, p.b, 0, FeedKind::CSB, "1.0");
    EXPECT_EQ(p.t.AntPhaseAdj[0], "10");
    EXPECT_DOUBLE_EQ(p.b.BaseCSBMag[0], 1.0);
}

TEST(FeedRules, AHandEditedMagnitudeBecomesTheBase) {
    struct Case {
        FeedKind feed;
        ColumnTexts AntennaPanelTexts::*typed;
    };
    const Case cases[] = {
        {FeedKind::CSB, &AntennaPanelTexts::AntCSBMag},
        {FeedKind::SBO, &AntennaPanelTexts::AntSBOMag},
        {FeedKind::CLR, &AntennaPanelTexts::AntCLRMag},
    };
    for (const Case& c : cases) {
        Panel p;
        p.Feeds(1, "1", "0.5", "0.25", "10", "20", "30");
        p.LeaveAtten(1, "6");
        p.LeavePhaseAdj(1, "5");
        const std::string before = (p.t.*c.typed)[1];
        (p.t.*c.typed)[1] = "2";
        MagnitudeLeft(p.t, p.b, 1, c.feed, before);
        EXPECT_EQ(p.t.AntAtten[1], "0");
        EXPECT_EQ(p.t.AntPhaseAdj[1], "0");
        // The other two magnitudes show their bases; the typed one stays as typed.
        EXPECT_EQ(p.t.AntCSBMag[1], c.feed == FeedKind::CSB ? "2" : "1.0");
        EXPECT_EQ(p.t.AntSBOMag[1], c.feed == FeedKind::SBO ? "2" : "0.5");
        EXPECT_EQ(p.t.AntCLRMag[1], c.feed == FeedKind::CLR ? "2" : "0.25");
        // The phases keep what they show, and that is now their base: leaving the phase adjust
        // at "0" changes nothing.
        EXPECT_EQ(p.t.AntCSBPhase[1], "15.0");
        p.LeavePhaseAdj(1, "0");
        EXPECT_EQ(p.t.AntCSBPhase[1], "15.0");
        EXPECT_EQ(p.t.AntCLRPhase[1], "35.0");
        // The new base carries later attenuations.
        p.LeaveAtten(1, "6");
        EXPECT_EQ((p.t.*c.typed)[1], "1.416");
    }
}

TEST(FeedRules, PhaseRuleActsOnChangedTextsOnly) {
    // Base phases not zero; leaving a phase box untouched keeps the column's adjustments.
    Panel p;
    p.Feeds(0, "1", "1", "1", "10", "20", "30");
    p.LeaveAtten(0, "6");
    PhaseLeft(p.t, p.b, 0, FeedKind::SBO, "20");
    EXPECT_EQ(p.t.AntAtten[0], "6");

    // A changed phase with a non-zero base before: base taken, adjustments reset, the other two
    // phases show their bases, the attenuated magnitudes become the base magnitudes.
    p.t.AntSBOPhase[0] = "45";
    PhaseLeft(p.t, p.b, 0, FeedKind::SBO, "20");
    EXPECT_FLOAT_EQ(p.b.BaseSBOPhase[0], 45.0F);
    EXPECT_EQ(p.t.AntAtten[0], "0");
    EXPECT_EQ(p.t.AntPhaseAdj[0], "0");
    EXPECT_EQ(p.t.AntCLRPhase[0], "30.0");
    EXPECT_EQ(p.t.AntCSBPhase[0], "10.0");
    p.LeaveAtten(0, "0");
    EXPECT_EQ(p.t.AntCSBMag[0], "0.708");

    // Base zero and no phase adjust in force: the typed phase becomes the base, nothing resets.
    Panel q;
    q.Feeds(0, "1", "1", "1");
    q.LeaveAtten(0, "6");
    q.t.AntCSBPhase[0] = "90";
    PhaseLeft(q.t, q.b, 0, FeedKind::CSB, "0");
    EXPECT_FLOAT_EQ(q.b.BaseCSBPhase[0], 90.0F);
    EXPECT_EQ(q.t.AntAtten[0], "6");

    // Base zero with a phase adjust in force: the adjust would no longer describe the boxes, so
    // it is reset as after any hand edit.
    Panel r;
    r.Feeds(0, "1", "1", "1");
    r.LeavePhaseAdj(0, "20");
    r.t.AntCSBPhase[0] = "90";
    PhaseLeft(r.t, r.b, 0, FeedKind::CSB, "20.0");
    EXPECT_EQ(r.t.AntPhaseAdj[0], "0");
    EXPECT_EQ(r.t.AntSBOPhase[0], "0.0");
    EXPECT_FLOAT_EQ(r.b.BaseCSBPhase[0], 90.0F);
}

TEST(FeedRules, TransmitterPowerAdjustmentsActOnAllThreeAntennas) {
    Panel p;
    p.m.NumAnts = 1;
    for (int col = 0; col < 3; ++col)
        p.Feeds(col, "1", "1", "1");
    p.t.SBOPowerAdj = "6";
    ApplyTransmitterModification(TransmitterBox::SBOPowerAdj, p.t, p.b, p.m);
    for (int k = 1; k <= 3; ++k) {
        EXPECT_EQ(p.t.AntSBOMag[static_cast<std::size_t>(k - 1)], ".7079458");
        EXPECT_NEAR(p.m.Ant(k).SBOMag, 0.7079458, 1e-7);
    }
    // A second Enter compounds: 10^(-0.3) = .5011872 within the last digit of the seven that the
    // box carries from the first Enter.
    ApplyTransmitterModification(TransmitterBox::SBOPowerAdj, p.t, p.b, p.m);
    EXPECT_EQ(p.t.AntSBOMag[0].substr(0, 7), ".501187");
    EXPECT_NEAR(std::stod("0" + p.t.AntSBOMag[0]), 0.5011872, 2e-7);
    EXPECT_EQ(p.t.AntCLRMag[0], "1"); // the other feeds stay

    p.t.CLRPowerAdjust = "-6";
    ApplyTransmitterModification(TransmitterBox::CLRPowerAdjust, p.t, p.b, p.m);
    EXPECT_EQ(p.t.AntCLRMag[2], "1.412538");
    EXPECT_NEAR(p.m.Ant(3).CLRMag, 1.412538, 1e-6);
}

TEST(FeedRules, CsbSboPhaseAddsToThePhaseShown) {
    struct Case {
        const char* shown;
        const char* adj;
        const char* result;
    };
    const Case cases[] = {
        {"349", "10", "-1"}, {"355", "5", "0"}, {"10", "-20", "-10"}, {"358", "0.5", "358.5"}};
    for (const Case& c : cases) {
        Panel p;
        p.Feeds(0, "1", "1", "0", "0", c.shown);
        p.m.Ant(1).SBOPhase = 123; // a stale record value plays no part
        p.t.CSBSBOPhase = c.adj;
        ApplyTransmitterModification(TransmitterBox::CSBSBOPhase, p.t, p.b, p.m);
        EXPECT_EQ(p.t.AntSBOPhase[0], c.result) << c.shown << " + " << c.adj;
        EXPECT_FLOAT_EQ(p.m.Ant(1).SBOPhase, std::stof(c.result));
    }
}

TEST(FeedRules, TransmitterModificationSurvivesTheColumnAdjustments) {
    // The boxes keep showing the base feeds with the column's adjustments applied, so re-entering
    // the attenuation or phase adjust does not drop a transmitter modification.
    Panel p;
    p.Feeds(0, "1", "1", "0", "0", "0");
    p.LeaveAtten(0, "3");
    p.LeavePhaseAdj(0, "10");
    p.t.SBOPowerAdj = "6";
    ApplyTransmitterModification(TransmitterBox::SBOPowerAdj, p.t, p.b, p.m);
    p.t.CSBSBOPhase = "20";
    ApplyTransmitterModification(TransmitterBox::CSBSBOPhase, p.t, p.b, p.m);
    const double sboShown = std::stod(p.t.AntSBOMag[0]);
    p.LeaveAtten(0, "3");
    p.LeavePhaseAdj(0, "10");
    EXPECT_NEAR(std::stod(p.t.AntSBOMag[0]), sboShown, 1e-3);
    EXPECT_EQ(p.t.AntSBOPhase[0], "30.0");
    EXPECT_EQ(p.t.AntCSBPhase[0], "10.0");
    p.LeaveAtten(0, "0");
    EXPECT_EQ(p.t.AntSBOMag[0], "0.708");
}

TEST(FeedRules, RecoverBaseFeedsUndoesTheColumnAdjustments) {
    AntennaRec rec;
    rec.CSBMag = 0.708F;
    rec.SBOMag = 0.354F;
    rec.CLRMag = 0;
    rec.CSBPhase = 15;
    rec.SBOPhase = -0.5F;
    rec.CLRPhase = 5;
    rec.Atten = 6;
    rec.PhaseAdj = 9.5F;
    BaseFeeds b;
    RecoverBaseFeeds(b, 1, rec);
    EXPECT_NEAR(b.BaseCSBMag[1], 1.0, 1e-3);
    EXPECT_NEAR(b.BaseSBOMag[1], 0.5, 1e-3);
    EXPECT_DOUBLE_EQ(b.BaseCLRMag[1], 0.0);
    EXPECT_FLOAT_EQ(b.BaseCSBPhase[1], 5.5F);
    EXPECT_FLOAT_EQ(b.BaseSBOPhase[1], -10.0F);
    EXPECT_FLOAT_EQ(b.BaseCLRPhase[1], -4.5F);
    EXPECT_DOUBLE_EQ(b.BaseCSBMag[0], 0.0); // other columns untouched

    // Without adjustments the loaded feeds are the base.
    rec.Atten = 0;
    rec.PhaseAdj = 0;
    RecoverBaseFeeds(b, 2, rec);
    EXPECT_DOUBLE_EQ(b.BaseCSBMag[2], double{0.708F});
    EXPECT_FLOAT_EQ(b.BaseSBOPhase[2], -0.5F);
}

} // namespace
