#include "shell/model/ModelVariables.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <stdexcept>
#include <type_traits>

using namespace shell;

// The kinds the program declares its variables with: other code relies on Byte wrapping,
// Integer ranges and single-precision rounding.
static_assert(std::is_same_v<decltype(ModelVariables::NumAnts), std::uint8_t>);
static_assert(std::is_same_v<decltype(ModelVariables::NumGroundPts), std::int16_t>);
static_assert(std::is_same_v<decltype(plot::ILSAnalysisRec::ToleranceCategory), std::int16_t>);
static_assert(std::is_same_v<decltype(ModelVariables::FltNumPoints), float>);
static_assert(sizeof(AntennaRec) == 16 * sizeof(float));

TEST(ModelVariables, StartValues) {
    const ModelVariables m;
    EXPECT_EQ(m.RunStatus, 100);
    EXPECT_EQ(m.Facility, 2);
    EXPECT_EQ(m.PlotSettings.PlotAxisMode, 10);
    EXPECT_EQ(m.PlotSettings.ShowAnalysis, 1);
    EXPECT_EQ(m.PlotSettings.UseOldZ3Calc, 1);
    EXPECT_EQ(m.ILSData.ToleranceCategory, 1);
    EXPECT_NEAR(m.AircraftSpeed, 200.0, 1e-9);
    EXPECT_NEAR(m.PlotSettings.RunwayLength, 10000.0, 1e-9);
    EXPECT_NEAR(m.PlotSettings.RunwayWidth, 150.0, 1e-9);
    EXPECT_NEAR(m.ILSData.CatIFactor, 1000.0, 1e-9);
    ASSERT_TRUE(std::holds_alternative<std::int16_t>(m.BankAngle));
    EXPECT_EQ(std::get<std::int16_t>(m.BankAngle), 0);

    // Everything else starts at zero or empty: a model never loaded writes zeros for the ground
    // constants and the unused card values.
    EXPECT_TRUE(m.InFile.empty() && m.OutFile.empty() && m.File3D.empty() && m.SavedInFile.empty());
    EXPECT_EQ(m.LengthUnit, 0);
    EXPECT_EQ(m.NumAnts, 0);
    EXPECT_EQ(m.FltAngFlag, 0);
    for (float v : {m.PermittivityRe, m.PermittivityIm, m.Conductivity, m.OutParam1, m.OutParam2, m.OutParam3,
                    m.OutParam4, m.OriginShift, m.FltNumPoints})
        EXPECT_EQ(v, 0.0F);
    for (const AntennaRec& a : m.Ant)
        EXPECT_EQ(a, AntennaRec{});
    for (std::uint8_t r : m.RayIgnore)
        EXPECT_EQ(r, 0);
}

TEST(ModelVariables, TablesAreIndexedAsTheProgramIndexesThem) {
    ModelVariables m;
    m.Ant(1).X = 1;
    m.Ant(3).X = 3;
    m.RayIgnore(12) = 1;
    EXPECT_EQ(m.Ant(1).X, 1.0F);
    EXPECT_EQ(m.Ant(2).X, 0.0F);
    EXPECT_EQ(m.Ant(3).X, 3.0F);
    EXPECT_EQ(m.RayIgnore(12), 1);
    EXPECT_EQ(m.RayIgnore(1), 0);
    // A box index (0-based) used by mistake must not reach a neighbouring record.
    for (int bad : {0, 4, -1})
        EXPECT_THROW(m.Ant(bad), std::out_of_range) << bad;
    EXPECT_THROW(m.RayIgnore(0), std::out_of_range);
    EXPECT_THROW(m.RayIgnore(13), std::out_of_range);
}

TEST(ModelVariables, ReferenceAntennaAndFileLines) {
    struct Case {
        std::uint8_t numAnts;
        int reference;
        int line1, line2, line3;
    };
    for (const Case& c : {Case{1, 3, 1, 2, 3}, Case{2, 3, 1, 3, 3}, Case{3, 2, 1, 2, 3}}) {
        EXPECT_EQ(ReferenceAntenna(c.numAnts), c.reference) << int(c.numAnts);
        EXPECT_EQ(AntennaOfFileLine(1, c.numAnts), c.line1);
        EXPECT_EQ(AntennaOfFileLine(2, c.numAnts), c.line2);
        if (c.numAnts == 3) {
            EXPECT_EQ(AntennaOfFileLine(3, c.numAnts), c.line3);
        }
    }
}

TEST(ModelVariables, OneProgramWideInstance) {
    Model().InFile = "site.inp";
    EXPECT_EQ(&Model(), &Model());
    EXPECT_EQ(Model().InFile, "site.inp");
}
