#include "common/Constants.h"
#include "editors/logic/ArrayPresets.h"
#include "editors/logic/PanelLayout.h"
#include "platform/text/Strings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <numbers>
#include <string>

using namespace common;
using namespace editors;
using namespace shell;

namespace {

struct Window {
    AntennaPanelTexts t;
    TheodoliteTexts path;
    ModelVariables m;
    BaseFeeds b;

    Window() {
        PresetDefaults(t, path, m);
        t.AntAtten = {"3", "3", "3"};
        t.AntPhaseAdj = {"5", "5", "5"};
    }
    std::optional<std::uint8_t> Choose(int index, bool includeCurPhase = true) {
        return ApplyPreset(index, t, path, includeCurPhase, m, b);
    }
};

TEST(ArrayPresets, PathAngleTextZeroMeansThreeDegrees) {
    struct Case {
        const char* text;
        double theta;
    };
    const Case cases[] = {{"0", 3.0}, {" 0 ", 3.0}, {"0.0", 0.0}, {"00", 0.0}, {"3.00", 3.0}, {"2.5", 2.5}};
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(PresetPathAngle(c.text), c.theta) << '"' << c.text << '"';
}

TEST(ArrayPresets, HeightsAt330MHzAndThreeDegrees) {
    struct Case {
        int index;
        const char* pathAngle;
        std::uint8_t numAnts;
        ColumnTexts heights;
    };
    const Case cases[] = {
        {0, "3.00", 2, {"14.24364", "0", "28.48728"}},
        {0, "0", 2, {"14.24364", "0", "28.48728"}},
        {1, "3.00", 2, {"7.07031", "0", "21.12604"}},
        {2, "3.00", 3, {"14.24364", "28.48728", "42.73092"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.index);
        Window w;
        w.path.ThPathAngle = c.pathAngle;
        EXPECT_EQ(w.Choose(c.index), c.numAnts);
        EXPECT_EQ(w.m.NumAnts, c.numAnts);
        EXPECT_EQ(w.t.AntZ, c.heights);
        EXPECT_FLOAT_EQ(w.m.ArrayFreq, 330.0F);
        // The preset list resets every column's adjustments and takes the feeds as the base.
        EXPECT_EQ(w.t.AntAtten, (ColumnTexts{"0", "0", "0"}));
        EXPECT_EQ(w.t.AntPhaseAdj, (ColumnTexts{"0", "0", "0"}));
        EXPECT_DOUBLE_EQ(w.b.BaseSBOMag[2], c.index == 2 ? 0.5 : 1.0);
    }
}

TEST(ArrayPresets, FeedsAndOffsetsOfTheThreeArrays) {
    Window w;
    w.t.AntX = {"400", "0", "0"};
    w.t.AntY = {"1000", "0", "0"};
    w.m.Ant(1).Alpha = 7;
    w.Choose(0);
    const double h = 492.0 / (330.0 * std::sin(3.0 * kDegToRad));
    EXPECT_EQ(w.t.AntCSBMag[0], "1");
    EXPECT_EQ(w.t.AntSBOMag[0], "0");
    EXPECT_EQ(w.t.AntSBOMag[2], "1");
    EXPECT_EQ(w.t.AntCSBMag[2], "0");
    EXPECT_NEAR(w.m.Ant(3).X, 400 - (h * h - h * h / 4) / 800, 1e-4);
    EXPECT_EQ(w.t.AntY[2], "1000");
    EXPECT_FLOAT_EQ(w.m.Ant(1).Alpha, 0);

    // A negative offset moves toward 0 as well.
    w.t.AntX[0] = "-400";
    w.Choose(0);
    EXPECT_NEAR(w.m.Ant(3).X, -400 + (h * h - h * h / 4) / 800, 1e-4);

    // "SB Ref.": sideband feeds, the shift needs offset and setback.
    w.t.AntX[0] = "200";
    w.Choose(1);
    EXPECT_EQ(w.t.AntSBOPhase[0], "180");
    EXPECT_EQ(w.t.AntCSBMag[0], "1");
    const double zu = 1.47 / std::sin(1.33 * 3 * kDegToRad);
    const double zl = 1.47 / std::sin(4.0 * 3 * kDegToRad);
    EXPECT_NEAR(w.m.Ant(3).X, 200 - (zu * zu - zl * zl) / 400, 1e-4);
    w.m.Ant(3).X = 55;
    w.t.AntY[0] = "0";
    w.Choose(1);
    EXPECT_EQ(w.t.AntX[2], "55"); // the record's offset stays

    // "CEGS": the middle antenna is the reference.
    Window c;
    c.t.AntX = {"0", "300", "0"};
    c.t.AntY = {"0", "900", "0"};
    c.Choose(2);
    EXPECT_EQ(c.t.AntCSBMag[1], "0.5");
    EXPECT_EQ(c.t.AntCSBPhase[1], "180");
    EXPECT_EQ(c.t.AntCLRMag[0], "0.484");
    EXPECT_EQ(c.t.AntCLRMag[2], "0.484");
    EXPECT_EQ(c.t.AntSBOPhase[2], "180");
    EXPECT_NEAR(c.m.Ant(1).X, 300 + (h * h - h * h / 4) / 600, 1e-4);
    EXPECT_NEAR(c.m.Ant(3).X, 300 - (2.25 * h * h - h * h) / 600, 1e-4);
    EXPECT_EQ(c.t.AntY, (ColumnTexts{"900", "900", "900"}));
    c.t.AntX[1] = "0";
    c.Choose(2);
    EXPECT_EQ(c.t.AntX, (ColumnTexts{"0", "0", "0"}));
}

TEST(ArrayPresets, CheckBoxOffMovesAntennasOnly) {
    Window w;
    w.t.AntCSBMag = {"0.3", "0.3", "0.3"};
    w.m.Ant(2).Phi1 = 12;
    w.Choose(2, false);
    EXPECT_EQ(w.t.AntCSBMag, (ColumnTexts{"0.3", "0.3", "0.3"}));
    EXPECT_FLOAT_EQ(w.m.Ant(2).Phi1, 12);
    EXPECT_EQ(w.t.AntZ[1], "28.48728");
}

TEST(ArrayPresets, FrequencyFloorAndZeroAngle) {
    Window w;
    w.t.ArrayFreq = "100";
    w.Choose(0);
    EXPECT_FLOAT_EQ(w.m.ArrayFreq, 329.0F);
    EXPECT_EQ(w.t.ArrayFreq, "100");
    EXPECT_EQ(w.t.AntZ[2], "28.57387");

    // An angle of exactly 0 written otherwise than "0" stops after the number of antennas.
    for (int index : {0, 1, 2}) {
        Window z;
        z.path.ThPathAngle = "0.0";
        z.t.AntZ = {"1", "2", "3"};
        EXPECT_TRUE(z.Choose(index).has_value());
        EXPECT_EQ(z.t.AntZ, (ColumnTexts{"1", "2", "3"}));
        EXPECT_EQ(z.t.AntAtten[0], "0");
    }
}

TEST(ArrayPresets, NoneRestoresTheDefaults) {
    Window w;
    w.m.NumAnts = 2;
    w.t.AntX = {"1", "2", "3"};
    w.t.AntRot = {"9", "9", "9"};
    w.t.ArrayFreq = "110";
    w.path.ThPathAngle = "2.5";
    w.m.RefAntY = 500;
    EXPECT_FALSE(w.Choose(3).has_value());
    EXPECT_EQ(w.m.NumAnts, 2);
    EXPECT_EQ(w.t.AntX, (ColumnTexts{"0", "0", "0"}));
    EXPECT_EQ(w.t.AntRot, (ColumnTexts{"9", "9", "9"}));
    EXPECT_EQ(w.t.ArrayFreq, "330.0");
    EXPECT_EQ(w.t.ArrayARatio, "0.3");
    EXPECT_EQ(w.t.ArrayModDepth, ".4");
    EXPECT_EQ(w.t.ArrayCLRModDepth, ".9");
    EXPECT_EQ(w.path.ThPathAngle, "3.00");
    EXPECT_EQ(w.path.ThPathWidth, "0.67");
    EXPECT_FLOAT_EQ(w.m.RefAntY, 0);
    EXPECT_EQ(w.t.AntAtten[2], "0");
}

TEST(ArrayPresets, HeightButtonsSpreadOneTwoThree) {
    struct Case {
        int index;
        ColumnTexts before;
        ColumnTexts after;
    };
    const Case cases[] = {
        {1, {"10", "x", "x"}, {"10", "20.000", "30.000"}}, {2, {"x", "12", "x"}, {"6.000", "12", "18.000"}},
        {3, {"x", "x", "0.9"}, {".300", ".600", "0.9"}},   {1, {"", "5", "5"}, {"", "5", "5"}},
        {3, {"1", "2", "abc"}, {"1", "2", "abc"}},
    };
    for (const Case& c : cases) {
        ColumnTexts z = c.before;
        HeightRatio(c.index, z);
        EXPECT_EQ(z, c.after) << c.index;
    }
}

TEST(PanelLayout, CaptionsColoursAndColumnsByNumberOfAntennas) {
    struct Case {
        std::uint8_t n;
        std::array<std::string, 3> captions;
        bool middle;
        bool upper;
        std::vector<int> inUse;
        std::array<bool, 3> heightButtons;
    };
    const Case cases[] = {
        {1, {"Lower Antenna", "Middle Antenna", "Upper Antenna"}, false, false, {0}, {false, false, false}},
        {2,
         {"Lower Antenna(*)", "Middle Antenna", "Upper Antenna"},
         false,
         true,
         {0, 2},
         {true, false, true}},
        {3,
         {"Lower Antenna", "Middle Antenna(*)", "Upper Antenna"},
         true,
         true,
         {0, 1, 2},
         {true, true, true}},
        {0,
         {"Lower Antenna", "Middle Antenna(*)", "Upper Antenna"},
         true,
         true,
         {0, 1, 2},
         {true, true, true}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.n));
        const AntennaPanelLayout l = LayoutAntennaPanel(c.n);
        EXPECT_EQ(l.Captions, c.captions);
        EXPECT_EQ(l.Middle.Enabled, c.middle);
        EXPECT_EQ(l.Middle.BackColor, c.middle ? 0xFFFFFFu : 0xC0C0C0u);
        EXPECT_EQ(l.Upper.Enabled, c.upper);
        EXPECT_EQ(l.Upper.BackColor, c.upper ? 0xFFFFFFu : 0xC0C0C0u);
        EXPECT_EQ(ColumnsInUse(c.n), c.inUse);
        EXPECT_EQ(l.HeightButtons, c.heightButtons);
        // A column not in use offers none of its boxes, its rotation and feed adjustments included.
        for (const std::span<const AntBox> boxes : {l.Middle.Boxes, l.Upper.Boxes}) {
            ASSERT_EQ(boxes.size(), 12u);
            for (AntBox box : {AntBox::X, AntBox::Rot, AntBox::Atten, AntBox::PhaseAdj, AntBox::CLRPhase})
                EXPECT_EQ(std::count(boxes.begin(), boxes.end(), box), 1);
        }
    }
}

// Over flat, perfectly conducting ground each antenna radiates a direct ray and one from its
// image below the ground, in opposite phase. A "Null Ref." array puts the CSB on the lower and the
// SBO on the upper antenna; the course line (zero DDM, CDI zero) is where the SBO field is in
// quadrature with the CSB field, which for the preset's heights is the requested path angle.
TEST(ArrayPresets, NullReferenceGlidePathOverPerfectGround) {
    const double cFeetPerMicrosecond = 983.571056;
    for (double angle : {2.5, 3.0, 3.5}) {
        for (double freq : {330.0, 335.0}) {
            Window w;
            w.t.ArrayFreq = plat::GeneralText(freq);
            w.t.AntX = {"400", "0", "0"};
            w.t.AntY = {"1000", "0", "0"};
            w.path.ThPathAngle = plat::GeneralText(angle);
            w.Choose(0);
            const AntennaRec lower = w.m.Ant(1);
            const AntennaRec upper = w.m.Ant(3);
            const double k = 2 * std::numbers::pi * freq / cFeetPerMicrosecond;
            // The receiver on the approach, 5 nautical miles in front of the lower antenna.
            const double range = 5 * 6076.0;
            const auto field = [&](const AntennaRec& a, double elev) {
                const double rx = 0, ry = lower.Y - range * std::cos(elev), rz = range * std::sin(elev);
                const double d1 = std::hypot(rx - a.X, ry - a.Y, rz - a.Z);
                const double d2 = std::hypot(rx - a.X, ry - a.Y, rz + a.Z);
                return std::polar(1 / d1, -k * d1) - std::polar(1 / d2, -k * d2);
            };
            const auto ddm = [&](double elevDeg) {
                const double e = elevDeg * std::numbers::pi / 180;
                const std::complex<double> csb = double{lower.CSBMag} * field(lower, e);
                const std::complex<double> sbo = double{upper.SBOMag} * field(upper, e);
                return std::real(sbo * std::conj(csb));
            };
            double lo = angle - 0.4;
            double hi = angle + 0.4;
            ASSERT_LT(ddm(lo) * ddm(hi), 0) << angle << " degrees, " << freq << " MHz";
            for (int i = 0; i < 60; ++i) {
                const double mid = (lo + hi) / 2;
                (ddm(lo) * ddm(mid) <= 0 ? hi : lo) = mid;
            }
            EXPECT_NEAR(lo, angle, 0.01) << freq << " MHz";
        }
    }
}

} // namespace
