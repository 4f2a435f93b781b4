// The level-run analysis on traces sampled every 1/16 degree whose crossings are known exactly.

#include "plot/logic/LevelRun.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <vector>

using namespace plot;

namespace {

struct Trace {
    std::vector<float> x;
    std::vector<float> y;
};

Trace Sampled(const std::function<double(double)>& cdi, double from = 1.0, double to = 5.5,
              double step = 1.0 / 16) {
    Trace t;
    for (double a = from; a <= to + 1e-9; a += step) {
        t.x.push_back(static_cast<float>(a));
        t.y.push_back(static_cast<float>(cdi(a)));
    }
    return t;
}

// Through 0 at 3 degrees, +75 at 2.75 and -75 at 3.25.
double Centred(double a) {
    return -300 * (a - 3.0);
}

// Through 0 at 3 degrees, +75 at 2.8125 and -75 at 3.3125.
double Skewed(double a) {
    return a < 3.0 ? 75 * (3.0 - a) / 0.1875 : -75 * (a - 3.0) / 0.3125;
}

LevelRunResult Analyse(const Trace& t) {
    return PatternBAnalysis(t.x, t.y);
}

} // namespace

TEST(LevelRun, PathWidthAndSymmetry) {
    struct Case {
        double (*cdi)(double);
        float path, p75, m75, width, symmetry;
    };
    for (const Case& c :
         {Case{Centred, 3.0F, 2.75F, 3.25F, 0.5F, 50}, Case{Skewed, 3.0F, 2.8125F, 3.3125F, 0.5F, 62}}) {
        const LevelRunResult r = Analyse(Sampled(c.cdi));
        EXPECT_FLOAT_EQ(r.LevelRunPathAngle, c.path);
        EXPECT_FLOAT_EQ(r.LevelRunAngleP75, c.p75);
        EXPECT_FLOAT_EQ(r.LevelRunAngleM75, c.m75);
        EXPECT_FLOAT_EQ(r.LevelRunWidth, c.width);
        EXPECT_EQ(r.LevelRunSymmetry, c.symmetry);
    }
    EXPECT_EQ(LevelRunAnnotationTexts(Analyse(Sampled(Centred))),
              (std::array<std::string, 4>{"Path Angle = 3.00", "Width = 0.50", "Symmetry = 50%",
                                          "Structure = 2.44"}));
}

TEST(LevelRun, CrossingsBetweenSamplesAreInterpolated) {
    // Through 0 at 3.01 degrees: no sample lies on any crossing.
    const LevelRunResult r = Analyse(Sampled([](double a) { return -300 * (a - 3.01); }));
    EXPECT_NEAR(r.LevelRunPathAngle, 3.01, 1e-5);
    EXPECT_NEAR(r.LevelRunAngleP75, 2.76, 1e-5);
    EXPECT_NEAR(r.LevelRunAngleM75, 3.26, 1e-5);
}

TEST(LevelRun, NoMinus75CrossingFindsNothing) {
    const LevelRunResult r = Analyse(Sampled([](double a) { return std::max(Centred(a), -70.0); }));
    EXPECT_EQ(r.LevelRunPathAngle, kNotFound);
    EXPECT_EQ(r.LevelRunAngleP75, kNotFound);
    EXPECT_EQ(r.LevelRunAngleM75, kNotFound);
    EXPECT_EQ(r.LevelRunWidth, kNotFound);
    EXPECT_EQ(r.LevelRunSymmetry, 0);
}

TEST(LevelRun, PathCrossingOutsideThePairIsIgnored) {
    // Falls through 0 at 2.0 degrees, jumps back up, then crosses as the centred trace.
    const LevelRunResult r = Analyse(Sampled([](double a) {
        return a < 2.0 ? 20 : a < 2.25 ? -20 : Centred(a);
    }));
    EXPECT_FLOAT_EQ(r.LevelRunPathAngle, 3.0F);
    EXPECT_EQ(r.LevelRunSymmetry, 50);
}

TEST(LevelRun, PairWithoutPathCrossingHasSymmetryZero) {
    // One step from +100 to -100 at 3 degrees passes all three levels at one sample, so no path
    // crossing lies strictly between the +75 and -75 ones.
    const LevelRunResult r = Analyse(Sampled([](double a) { return a < 3.0 ? 100 : -100; }));
    EXPECT_EQ(r.LevelRunPathAngle, kNotFound);
    EXPECT_NE(r.LevelRunWidth, kNotFound);
    EXPECT_EQ(r.LevelRunSymmetry, 0);
}

TEST(LevelRun, OnlyTheFirstHundredCrossingsOfALevelCount) {
    // A square wave of 0.02 degree period from 1.5 degrees: 175 falling crossings of each level; the
    // pair is the last one recorded, the hundredth, near 1.5 + 100 x 0.02 degrees.
    const LevelRunResult r = Analyse(
        Sampled([](double a) { return std::fmod(std::round((a - 1.5) / 0.01), 2.0) == 0 ? 100 : -100; }, 1.5,
                5.0, 0.01));
    EXPECT_NEAR(r.LevelRunAngleP75, 3.5, 0.02);
    EXPECT_NEAR(r.LevelRunAngleM75, 3.5, 0.02);
}

TEST(LevelRun, SampleOutsideTheWindowBetweenTwoInsideIsPassedOver) {
    Trace t = Sampled([](double a) { return -300 * (a - 3.03125); });
    // Between 3.0 (+9.375) and 3.0625 (-9.375): a stray sample far outside the window with the
    // value of the next one, which the interpolation must not take as its neighbour.
    for (std::size_t i = 0; i < t.x.size(); ++i)
        if (t.x[i] == 3.0625F) {
            t.x.insert(t.x.begin() + static_cast<long>(i), 9.0F);
            t.y.insert(t.y.begin() + static_cast<long>(i), t.y[i]);
            break;
        }
    const LevelRunResult r = Analyse(t);
    EXPECT_FLOAT_EQ(r.LevelRunPathAngle, 3.03125F);
    EXPECT_EQ(r.LevelRunSymmetry, 50);
}

TEST(LevelRun, StructureAngleComesFromThisRunAlone) {
    const LevelRunResult with = Analyse(Sampled([](double a) { return -600 * (a - 3.0); }));
    EXPECT_FLOAT_EQ(with.LevelRun180Angle, 2.75F);
    const LevelRunResult without = Analyse(Sampled(Centred, 2.5, 3.5));
    EXPECT_EQ(without.LevelRun180Angle, kNotFound);
}

TEST(LevelRun, DegenerateTraces) {
    const std::vector<Trace> traces{{},
                                    {{3.0F}, {0.0F}},
                                    {{3.0F, 3.0F}, {100.0F, -100.0F}},
                                    {{3.0F, 3.1F, 3.2F}, {5.0F, 5.0F, 5.0F}},
                                    {{5.0F, 4.0F, 3.0F, 2.0F}, {-100.0F, 0.0F, 100.0F, 200.0F}}};
    for (const Trace& t : traces) {
        const LevelRunResult r = Analyse(t);
        for (float v : {r.LevelRunPathAngle, r.LevelRunAngleP75, r.LevelRunAngleM75, r.LevelRunWidth,
                        r.LevelRunSymmetry, r.LevelRun180Angle})
            EXPECT_TRUE(std::isfinite(v));
    }
    // Two samples at one angle: the crossing lies there.
    EXPECT_EQ(Analyse(traces[2]).LevelRunAngleP75, 3.0F);
}
