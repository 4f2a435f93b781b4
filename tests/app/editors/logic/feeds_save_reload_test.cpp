// Attenuation, phase adjust and transmitter modifications take effect once: the feeds shown are
// the feeds saved, and a save followed by a reload shows the same feeds and adjustments, with the
// adjustment boxes acting on the same base feeds as before.

#include "editors/logic/ArrayPresets.h"
#include "editors/logic/FeedRules.h"
#include "platform/text/Numbers.h"
#include "platform/text/Strings.h"
#include "shell/model/ParamFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

using namespace editors;
using namespace shell;

namespace {

// A ground grid without data rows (the writer reads none in 3D ground mode).
class NoGrid : public plat::GridModel {
public:
    NoGrid() { SetRows(1); }
};

// The collector's part for the antenna panel: every box read as its number.
void Collect(const AntennaPanelTexts& t, ModelVariables& m) {
    for (int k = 1; k <= 3; ++k) {
        const auto i = static_cast<std::size_t>(k - 1);
        AntennaRec& r = m.Ant(k);
        r.X = plat::CSng(t.AntX[i]);
        r.Y = plat::CSng(t.AntY[i]);
        r.Z = plat::CSng(t.AntZ[i]);
        r.CSBMag = plat::CSng(t.AntCSBMag[i]);
        r.CSBPhase = plat::CSng(t.AntCSBPhase[i]);
        r.SBOMag = plat::CSng(t.AntSBOMag[i]);
        r.SBOPhase = plat::CSng(t.AntSBOPhase[i]);
        r.CLRMag = plat::CSng(t.AntCLRMag[i]);
        r.CLRPhase = plat::CSng(t.AntCLRPhase[i]);
        r.Atten = plat::CSng(t.AntAtten[i]);
        r.PhaseAdj = plat::CSng(t.AntPhaseAdj[i]);
    }
    m.SBOPowerAdj = plat::CSng(t.SBOPowerAdj);
    m.CLRPowerAdj = plat::CSng(t.CLRPowerAdjust);
    m.CSBSBOPhase = plat::CSng(t.CSBSBOPhase);
}

std::vector<std::string> Lines(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

std::vector<float> Numbers(const std::string& line) {
    std::istringstream in(line);
    std::vector<float> v;
    for (float x; in >> x;)
        v.push_back(x);
    return v;
}

// The feed lines and card 6 of a three-antenna parameter file, read back into records.
struct Loaded {
    std::vector<std::string> feedLines;
    std::vector<std::string> card6;
    ModelVariables m;
};

Loaded Load(const std::string& path) {
    const std::vector<std::string> lines = Lines(path);
    Loaded l;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i] == "'SECTION'\t3 0 0") {
            for (int k = 1; k <= 3; ++k) {
                const std::string& b = lines.at(i + 1 + 2 * static_cast<std::size_t>(k));
                l.feedLines.push_back(b);
                const std::vector<float> f = Numbers(b);
                EXPECT_EQ(f.size(), 6u);
                AntennaRec& r = l.m.Ant(k);
                r.SBOMag = f.at(0);
                r.SBOPhase = f.at(1);
                r.CSBMag = f.at(2);
                r.CSBPhase = f.at(3);
                r.CLRMag = f.at(4);
                r.CLRPhase = f.at(5);
            }
        }
        if (lines[i] == "'SECTION'\t6 0 0") {
            l.card6 = {lines.at(i + 1), lines.at(i + 2)};
            const std::vector<float> adj = Numbers(l.card6[0]);
            EXPECT_EQ(adj.size(), 6u);
            for (int k = 1; k <= 3; ++k) {
                l.m.Ant(k).Atten = adj.at(2 * static_cast<std::size_t>(k) - 2);
                l.m.Ant(k).PhaseAdj = adj.at(2 * static_cast<std::size_t>(k) - 1);
            }
            const std::vector<float> xmtr = Numbers(l.card6[1]);
            EXPECT_EQ(xmtr.size(), 3u);
            l.m.SBOPowerAdj = xmtr.at(0);
            l.m.CLRPowerAdj = xmtr.at(1);
            l.m.CSBSBOPhase = xmtr.at(2);
        }
    }
    EXPECT_EQ(l.feedLines.size(), 3u);
    EXPECT_EQ(l.card6.size(), 2u);
    return l;
}

// What showing a loaded model puts into the panel, with the base feeds recovered.
void Show(const ModelVariables& m, AntennaPanelTexts& t, BaseFeeds& b) {
    for (int k = 1; k <= 3; ++k) {
        const auto i = static_cast<std::size_t>(k - 1);
        const AntennaRec& r = m.Ant(k);
        t.AntCSBMag[i] = plat::Format(r.CSBMag, "####0.0##");
        t.AntCSBPhase[i] = plat::Format(r.CSBPhase, "####0.0##");
        t.AntSBOMag[i] = plat::Format(r.SBOMag, "####0.0##");
        t.AntSBOPhase[i] = plat::Format(r.SBOPhase, "####0.0##");
        t.AntCLRMag[i] = plat::Format(r.CLRMag, "####0.0##");
        t.AntCLRPhase[i] = plat::Format(r.CLRPhase, "####0.0##");
        t.AntAtten[i] = plat::Format(r.Atten, "###0.0");
        t.AntPhaseAdj[i] = plat::Format(r.PhaseAdj, "###0.0");
        RecoverBaseFeeds(b, static_cast<int>(i), r);
    }
    t.SBOPowerAdj = plat::Format(m.SBOPowerAdj, "###0.0");
    t.CLRPowerAdjust = plat::Format(m.CLRPowerAdj, "###0.0");
    t.CSBSBOPhase = plat::Format(m.CSBSBOPhase, "###0.0");
}

std::vector<double> FeedNumbers(const AntennaPanelTexts& t) {
    std::vector<double> v;
    for (const ColumnTexts* boxes :
         {&t.AntCSBMag, &t.AntCSBPhase, &t.AntSBOMag, &t.AntSBOPhase, &t.AntCLRMag, &t.AntCLRPhase})
        for (const std::string& s : *boxes)
            v.push_back(plat::Val(s));
    return v;
}

void ExpectSameFeeds(const AntennaPanelTexts& a, const AntennaPanelTexts& b, double tolerance) {
    const std::vector<double> x = FeedNumbers(a);
    const std::vector<double> y = FeedNumbers(b);
    ASSERT_EQ(x.size(), y.size());
    for (std::size_t i = 0; i < x.size(); ++i)
        EXPECT_NEAR(x[i], y[i], tolerance) << "feed box " << i;
}

TEST(FeedsSaveReload, FeedsAndAdjustmentsTakeEffectOnce) {
    const std::filesystem::path dir = std::filesystem::path(TEST_OUTPUT_DIR) / "feeds_save_reload";
    std::filesystem::create_directories(dir);

    // A "CEGS" array with every kind of adjustment in force.
    AntennaPanelTexts t;
    TheodoliteTexts path;
    ModelVariables m;
    BaseFeeds b;
    PresetDefaults(t, path, m);
    t.AntX = {"0", "300", "0"};
    t.AntY = {"0", "900", "0"};
    ApplyPreset(2, t, path, true, m, b);
    const auto leave = [&](int col, const char* atten, const char* adj) {
        const auto i = static_cast<std::size_t>(col);
        t.AntAtten[i] = atten;
        ApplyAttenuation(t, b, m.Ant(col + 1), col);
        t.AntPhaseAdj[i] = adj;
        ApplyPhaseAdjust(t, b, m.Ant(col + 1), col);
    };
    leave(0, "6", "0");
    leave(1, "0", "10");
    leave(2, "3", "-20");
    t.SBOPowerAdj = "6";
    ApplyTransmitterModification(TransmitterBox::SBOPowerAdj, t, b, m);
    t.CSBSBOPhase = "10";
    ApplyTransmitterModification(TransmitterBox::CSBSBOPhase, t, b, m);

    m.InFile = (dir / "site.inp").string();
    m.File3D = (dir / "site.3D").string();
    std::filesystem::remove(m.InFile);
    Collect(t, m);
    const NoGrid grid;
    ASSERT_EQ(WriteParamFile(m, {grid, false, true}, {}), WriteStatus::Written);

    // The file holds the feeds as shown, not modified a second time.
    const Loaded first = Load(m.InFile);
    for (int k = 1; k <= 3; ++k) {
        const auto i = static_cast<std::size_t>(k - 1);
        EXPECT_NEAR(first.m.Ant(k).SBOMag, plat::Val(t.AntSBOMag[i]), 5e-4);
        EXPECT_NEAR(first.m.Ant(k).CSBMag, plat::Val(t.AntCSBMag[i]), 5e-4);
        EXPECT_NEAR(first.m.Ant(k).SBOPhase, plat::Val(t.AntSBOPhase[i]), 5e-4);
    }

    // Reloaded, the panel shows the same feeds and adjustments...
    AntennaPanelTexts shown;
    BaseFeeds base;
    ModelVariables loaded = first.m;
    Show(loaded, shown, base);
    ExpectSameFeeds(shown, t, 5e-4);
    EXPECT_EQ(shown.SBOPowerAdj, "6.0");
    EXPECT_EQ(shown.CSBSBOPhase, "10.0");
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_DOUBLE_EQ(plat::Val(shown.AntAtten[i]), plat::Val(t.AntAtten[i]));
        EXPECT_DOUBLE_EQ(plat::Val(shown.AntPhaseAdj[i]), plat::Val(t.AntPhaseAdj[i]));
    }

    // ...and leaving the adjustment boxes again does not compound them.
    for (int col = 0; col < 3; ++col) {
        ApplyAttenuation(shown, base, loaded.Ant(col + 1), col);
        ApplyPhaseAdjust(shown, base, loaded.Ant(col + 1), col);
    }
    ExpectSameFeeds(shown, t, 1e-3);

    // A second save of the reloaded model writes the same feeds and adjustments.
    ModelVariables again = m;
    again.InFile = (dir / "again.inp").string();
    std::filesystem::remove(again.InFile);
    Collect(shown, again);
    for (int k = 1; k <= 3; ++k) {
        again.Ant(k).X = m.Ant(k).X;
        again.Ant(k).Y = m.Ant(k).Y;
        again.Ant(k).Z = m.Ant(k).Z;
    }
    ASSERT_EQ(WriteParamFile(again, {grid, false, true}, {}), WriteStatus::Written);
    const Loaded second = Load(again.InFile);
    EXPECT_EQ(second.feedLines, first.feedLines);
    EXPECT_EQ(second.card6, first.card6);
}

} // namespace
