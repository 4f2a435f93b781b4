// The page of a run, drawn off screen and read back by pixels and by the text it wrote, against
// positions computed here from the page geometry and the data.
#include "PlotFixture.h"

#include "platform/text/Strings.h"
#include "plot/logic/CDIFilter.h"
#include "plot/logic/LevelRun.h"
#include "plot/mm/modPlot_mm.h"
#include "plot/ui/PlotPage.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <map>
#include <optional>

namespace {

using namespace plotfixture;
using plat::Colour;

constexpr Colour kWhite = 0xFFFFFF;
constexpr Colour kBlack = 0x000000;
constexpr Colour kGrey = 0xC0C0C0;
constexpr Colour kBlue = 0xFF0000;
constexpr Colour kRed = 0x0000FF;
constexpr Colour kGreen = 0x00FF00;
constexpr Colour kMagenta = 0xFF00FF;

class PlotPageTest : public plat::testing::ScratchFolderTest {
protected:
    PlotPageTest() : ScratchFolderTest(std::filesystem::temp_directory_path() / "pellon_plot_page") {
        Links();
    }

    // Draws the model's plot on a white page.
    PlotOutcome Draw(const std::string* traceFile = nullptr, bool clear = true) {
        if (clear)
            buffer.Fill(kWhite);
        plot::BeginPlot(dc);
        return PlotData(dc, view, traceFile);
    }
    Colour At(int x, int y) const { return buffer.Pixel(x, y); }
    int CountInColumn(int x, int y0, int y1, Colour c) const {
        int n = 0;
        for (int y = y0; y <= y1; ++y)
            n += At(x, y) == c;
        return n;
    }
    int CountInRow(int y, int x0, int x1, Colour c) const {
        int n = 0;
        for (int x = x0; x <= x1; ++x)
            n += At(x, y) == c;
        return n;
    }
    bool Near(int x, int y, Colour c) const {
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
                if (At(x + dx, y + dy) == c)
                    return true;
        return false;
    }
    std::map<std::string, plat::TextCall> Texts() const {
        std::map<std::string, plat::TextCall> m;
        for (const plat::TextCall& t : log)
            m.emplace(t.text, t);
        return m;
    }

    plat::testing::ScriptedServices services;
    plat::PixelBuffer buffer{719, 555, plat::PixelFormat::Bgrx32};
    plat::DeviceContext dc{buffer};
    std::vector<plat::TextCall> log;
    PlotView view;
};

// The frame's and the area's pixels: 1.0 and 10.0 in across, 1.0 and 7.5 in down.
const int kLeft = Px(1.0), kRight = Px(10.0), kTop = Py(1.0), kBottom = Py(7.5);

TEST_F(PlotPageTest, AnApproachWithItsAxesTraceAndAnalysis) {
    const Samples run = Approach();
    SetUpModel(3, Put("approach.prn", PlotFileText(run)));
    const PlotOutcome outcome = Draw();
    const plot::PlotSettings& s = shell::Model().PlotSettings;
    ASSERT_EQ(s.PlotYMax, -100);
    ASSERT_EQ(s.PlotXMax, 24304);
    const plot::ILSAnalysisRec& ils = shell::Model().ILSData;

    // The black frame.
    EXPECT_EQ(CountInColumn(kLeft, kTop, kBottom - 1, kBlack), kBottom - kTop);
    EXPECT_GE(CountInRow(kBottom, kLeft, kRight - 1, kBlack), kRight - kLeft - 2);
    // The red zone columns start on the top edge.
    EXPECT_GE(CountInRow(kTop, kLeft + 1, kRight, kBlack) + CountInRow(kTop, kLeft + 1, kRight, kRed),
              kRight - kLeft - 2);
    // A grey dotted grid column at the second X tic (3.25 in), clear of the trace and the red lines.
    const int gx = Px(1.0 + 9.0 / 4);
    EXPECT_GT(CountInColumn(gx, kTop + 1, kBottom - 1, kGrey), 100);
    EXPECT_GT(CountInColumn(gx, kTop + 1, kBottom - 1, kWhite), 100);
    // The zero line is solid: the sixth of eleven rows, grey all along but where lines cross it.
    const int zeroRow = Py(7.5 - 6.5 * 5 / 10);
    EXPECT_GT(CountInRow(zeroRow, kLeft + 1, kRight - 1, kGrey), kRight - kLeft - 15);
    const int dottedRow = Py(7.5 - 6.5 * 2 / 10);
    EXPECT_GT(CountInRow(dottedRow, kLeft + 1, kRight - 1, kWhite), 200);

    // The trace at its points (y measured from the top of the inverted axis).
    const auto pageX = [](double d) { return 1.0 + d * 9.0 / 24304; };
    const auto pageY = [](double cdi) { return 1.0 + (cdi + 100) * 6.5 / 200; };
    const int red3500 = Px(pageX(3500)), redCat = Px(pageX(1000));
    // Where zone 2's red rows lie over the trace, they hide it.
    const auto underRedRow = [&](int py) {
        for (const double cdi : {0.0, 30.0, -30.0})
            if (std::abs(py - Py(pageY(ils.Zone2MeanCDI + cdi))) <= 1)
                return true;
        return false;
    };
    int checked = 0;
    for (std::size_t i = 0; i < run.x.size(); ++i) {
        const double x = pageX(run.x[i]), y = pageY(run.y[i]);
        if (x < 1.02 || x > 9.98 || y < 1.02 || y > 7.48)
            continue;
        const int px = Px(x), py = Py(y);
        if (std::abs(px - red3500) <= 1 || std::abs(px - redCat) <= 1 || underRedRow(py))
            continue;
        EXPECT_TRUE(Near(px, py, kBlue)) << run.x[i];
        ++checked;
    }
    EXPECT_GT(checked, 150);

    // Red columns at 3500 ft and at the category's inner end, from top to bottom.
    EXPECT_EQ(ils.CatIFactor, 1000.0F);
    EXPECT_GT(CountInColumn(red3500, kTop, kBottom - 1, kRed), (kBottom - kTop) * 9 / 10);
    EXPECT_GT(CountInColumn(redCat, kTop, kBottom - 1, kRed), (kBottom - kTop) * 9 / 10);
    // Zone 2's mean row and its +-30 uA limits (category I: 30 at both ends), from 3500 ft out.
    for (const double cdi : {ils.Zone2MeanCDI + 0.0, ils.Zone2MeanCDI + 30.0, ils.Zone2MeanCDI - 30.0}) {
        const int row = Py(pageY(cdi));
        EXPECT_GT(CountInRow(row, red3500 + 2, kRight - 2, kRed), (kRight - red3500) * 9 / 10) << cdi;
        EXPECT_EQ(CountInRow(row, kLeft + 1, redCat - 1, kRed), 0) << cdi;
    }
    // The results window's labels.
    ASSERT_TRUE(outcome.results.has_value());
    EXPECT_EQ(outcome.results->lblBFSL, "3.00");
    EXPECT_EQ(outcome.results->lblRDH, "50.0");
}

TEST_F(PlotPageTest, ThePageWritesItsTitlesCaptionsTicLabelsAndAnnotation) {
    SetUpModel(3, Put("runs/approach.prn", PlotFileText(Approach())));
    dc.SetTextLog(&log);
    Draw();
    const auto texts = Texts();
    for (const char* t : {"Low Approach", "Course Deviation Indication (CDI)", "Feet", "Microamps"})
        EXPECT_EQ(texts.count(t), 1U) << t;
    EXPECT_EQ(texts.count(shell::Model().OutFile), 1U);
    EXPECT_EQ(texts.at("Microamps").escapement, 900);
    EXPECT_EQ(texts.at("Feet").escapement, 0);
    // X tic labels at 7.6 in, shifted left 0.1 in for three characters and 0.17 in for others.
    EXPECT_EQ(texts.at("0.0").at, (plat::POINT{900, 7600}));
    EXPECT_EQ(texts.at("6,076.0").at, (plat::POINT{3250 - 170, 7600}));
    EXPECT_EQ(texts.at("24,304.0").at, (plat::POINT{10000 - 170, 7600}));
    // Y tic labels at 0.95 in, right-aligned and centred on their line (anchor 7).
    EXPECT_EQ(texts.count("-100.0"), 1U);
    EXPECT_LT(texts.at("-100.0").at.x, 950);
    EXPECT_EQ(texts.count("100.0"), 1U);
    // The level-2 annotation at 6.0 in; a mean angle above 3 puts it at the top.
    const plot::ILSAnalysisRec& ils = shell::Model().ILSData;
    ASSERT_GT(ils.MeanAngleS, 3.0F);
    EXPECT_EQ(texts.at("Category I Tolerances").at, (plat::POINT{6000, 1100}));
    const std::string angle = "Path Angle = " + plat::Format(ils.MeanAngleS, "##0.00");
    EXPECT_EQ(texts.at(angle).at, (plat::POINT{6000, 1400}));
    const auto zone2 = std::find_if(
        log.begin(), log.end(), [](const plat::TextCall& t) { return t.text.rfind("Zone 2 = ", 0) == 0; });
    ASSERT_NE(zone2, log.end());
    EXPECT_EQ(zone2->at, (plat::POINT{6000, 1700}));
    const std::string pos = plat::Format(ils.Zone2MaxPos, "####0.00");
    EXPECT_EQ(zone2->text.substr(zone2->text.size() - pos.size()), pos);
}

TEST_F(PlotPageTest, MetresLabelTheAxisInTheirUnitOverXInFeet) {
    SetUpModel(3, Put("approach.prn", PlotFileText(Approach())));
    Links(true);
    dc.SetTextLog(&log);
    Draw();
    const auto texts = Texts();
    EXPECT_EQ(texts.count("Meters"), 1U);
    EXPECT_EQ(texts.count("7,408.0"), 1U); // 24304 ft, 4 nmi
    EXPECT_EQ(texts.count("45,011.01"), 0U);
    // The outer zone line stays at 24304 ft: the right edge of the area.
    EXPECT_GT(CountInColumn(kRight, kTop, kBottom - 1, kRed), (kBottom - kTop) * 9 / 10);
    const plot::ILSAnalysisRec& ils = shell::Model().ILSData;
    const std::string pos = plat::Format(static_cast<float>(ils.Zone2MaxPos * (1852.0 / 6076.0)), "####0.00");
    EXPECT_TRUE(std::any_of(log.begin(), log.end(), [&](const plat::TextCall& t) {
        return t.text.rfind("Zone 2 = ", 0) == 0 && t.text.ends_with(" at " + pos);
    })) << pos;
    // Kilometres read as before.
    shell::Model().PlotSettings.PlotXUnit = 1;
    log.clear();
    Draw();
    EXPECT_EQ(Texts().count("Kilometers"), 1U);
    EXPECT_EQ(Texts().count("7.41"), 1U);
}

TEST_F(PlotPageTest, ALevelRunDrawsItsPathAngleAndSeventyFiveMicroampLines) {
    const Samples run = LevelRun();
    SetUpModel(4, Put("level.prn", PlotFileText(run)));
    dc.SetTextLog(&log);
    Draw();
    // 4.0 degrees at the left, 1.8 at the right; -250 uA at the top, +250 at the bottom.
    const auto pageX = [](double a) { return 1.0 + (a - 4.0) * 9.0 / (1.8 - 4.0); };
    const auto pageY = [](double cdi) { return 1.0 + (cdi + 250) * 6.5 / 500; };
    const struct {
        double angle, top;
        Colour colour;
    } lines[] = {{3.0, 0, kMagenta}, {3.25, -75, kGreen}, {2.75, 75, kGreen}};
    for (const auto& l : lines) {
        const int x = Px(pageX(l.angle));
        const int top = Py(pageY(l.top));
        EXPECT_GT(CountInColumn(x, top + 1, kBottom - 1, l.colour), (kBottom - top) * 9 / 10) << l.angle;
        EXPECT_EQ(CountInColumn(x, kTop + 1, top - 3, l.colour), 0) << l.angle;
    }
    const auto texts = Texts();
    EXPECT_EQ(texts.count("Constant Altitude Approach"), 1U);
    const auto lines2 = plot::LevelRunAnnotationTexts(plot::PatternBAnalysis(
        std::vector<float>(run.x.begin(), run.x.end()), std::vector<float>(run.y.begin(), run.y.end())));
    EXPECT_EQ(lines2[0], "Path Angle = 3.00");
    for (std::size_t i = 0; i < lines2.size(); ++i)
        EXPECT_EQ(texts.at(lines2[i]).at, (plat::POINT{7700, static_cast<int>(1300 + 300 * i)})) << i;
    // Annotation level 0: neither lines nor texts.
    view.annotationLevel = 0;
    log.clear();
    Draw();
    EXPECT_EQ(CountInColumn(Px(pageX(3.0)), kTop, kBottom, kMagenta), 0);
    EXPECT_EQ(Texts().count("Path Angle = 3.00"), 0U);
}

// A redraw keeps the analysis of an unchanged plot; whatever changes what the analysis reads (the
// file, the method, the model's geometry, the category, the filter and its echo file) draws and
// reports what a window opened afresh on the same state would, and so does a change of units (X
// stays in feet: the labels change, the results do not).
TEST_F(PlotPageTest, ARedrawAfterAChangeDrawsAndReportsAsAFreshWindowWould) {
    Samples run = Approach();
    for (std::size_t i = 0; i < run.x.size(); ++i)
        run.y[i] += 9 * std::sin(run.x[i] / 800) + 4 * std::sin(run.x[i] / 150);
    SetUpModel(3, Put("approach.prn", PlotFileText(run)));
    shell::ModelVariables& m = shell::Model();
    m.PlotSettings.UseOldZ3Calc = 0;
    // The engine's echo of the run: one line a point, the distance (times `scale`) second.
    const auto Fort10 = [](const std::vector<double>& x, double scale) {
        std::string text = "'*''approach INPUT A'\n...           0\n";
        for (const double d : x) {
            char line[128];
            std::snprintf(line, sizeof line, "%10.2f%10.2f%10.2f%20.11E%20.11E\n", 0.0, d * scale, d * 0.0524,
                          1e-5, -2e-5);
            text += line;
        }
        return text;
    };
    Put(plot::kFort10Name, Fort10(run.x, 1.0));

    struct Step {
        const char* what;
        std::function<void()> change;
        bool changesResults;
    };
    const Step steps[] = {
        {"first", [] {}, true},
        {"unchanged", [] {}, false},
        {"the smoothing method", [&] { m.PlotSettings.UseOldZ3Calc = 1; }, true},
        {"the model's path angle", [&] { m.PathAngle = 3.2F; }, true},
        {"the theodolite's height", [&] { m.ThZ = 30; }, true},
        {"category II", [&] { m.ILSData.ToleranceCategory = 2; }, true},
        {"metres", [] { Links(true); }, false},
        {"back to feet", [] { Links(false); }, false},
        {"the file rewritten",
         [&] {
             Samples other = run;
             for (double& y : other.y)
                 y += 6;
             Put("approach.prn", PlotFileText(other));
         },
         true},
        {"the CDI filter", [&] { m.PlotSettings.UseCDIFilter = 1; }, true},
        {"the echo file's points closer", [&] { Put(plot::kFort10Name, Fort10(run.x, 0.5)); }, true},
        {"unchanged at last", [] {}, false},
    };
    std::optional<plot::ResultsLabels> previous;
    for (const Step& s : steps) {
        s.change();
        const PlotOutcome kept = Draw();
        const std::vector<std::uint8_t> keptPixels(buffer.Bits(), buffer.Bits() + buffer.Size());
        PlotView fresh;
        std::swap(view, fresh);
        const PlotOutcome afresh = Draw();
        std::swap(view, fresh);
        ASSERT_TRUE(kept.results.has_value() && afresh.results.has_value()) << s.what;
        const auto labels = [](const plot::ResultsLabels& l) {
            return std::vector<std::string>{l.lblAngle,     l.lblAveAng, l.lblBFSL,  l.lblRDH,  l.lblThAdjust,
                                            l.lblThVAdjust, l.lblARDH,   l.lblZone2, l.lblZone3};
        };
        EXPECT_EQ(labels(*kept.results), labels(*afresh.results)) << s.what;
        EXPECT_TRUE(keptPixels == std::vector<std::uint8_t>(buffer.Bits(), buffer.Bits() + buffer.Size()))
            << s.what;
        if (previous.has_value()) {
            EXPECT_EQ(labels(*kept.results) != labels(*previous), s.changesResults) << s.what;
        }
        previous = kept.results;
    }
}

TEST_F(PlotPageTest, AnAddedTraceIsRedOverAnUnchangedGrid) {
    SetUpModel(3, Put("approach.prn", PlotFileText(Approach())));
    Draw();
    const plat::PixelBuffer before = buffer;
    Samples second = Sampled(2000, 22000, 100, [](double) { return -50.0; });
    const std::string traceFile = Put("second.prn", PlotFileText(second));
    Draw(&traceFile, false);
    const int row = Py(1.0 + 50 * 6.5 / 200);
    EXPECT_GT(CountInRow(row, Px(1.0 + 2000 * 9.0 / 24304) + 1, Px(1.0 + 22000 * 9.0 / 24304) - 1, kRed),
              400);
    // Every pixel that changed turned red or holds a title's text; the grid and frame stay as drawn.
    for (int y = kTop; y <= kBottom; ++y) {
        for (int x = kLeft; x <= kRight; ++x) {
            if (buffer.Pixel(x, y) != before.Pixel(x, y)) {
                ASSERT_EQ(buffer.Pixel(x, y), kRed) << x << "," << y;
            }
        }
    }
}

TEST_F(PlotPageTest, BadFilesLeaveAClearedPageAndOneMessage) {
    const struct {
        const char* what;
        std::string text;
    } cases[] = {{"words", "distance cdi\r\n"},
                 {"one number", " 1.0\r\n"},
                 {"past the Single range", " 1.0E+39 0.0\r\n"}};
    for (const auto& c : cases) {
        SetUpModel(3, Put("bad.prn", c.text));
        services.Boxes().Expect("File input error", plat::vbOK);
        Draw();
        EXPECT_EQ(CountInRow(Py(4.0), 0, 718, kWhite), 719) << c.what;
    }
}

// The CDI filter without its echo file: its message, and the plot goes on unfiltered.
TEST_F(PlotPageTest, TheFilterWithoutItsEchoFileSaysSoAndThePlotGoesOn) {
    SetUpModel(3, Put("approach.prn", PlotFileText(Approach())));
    shell::Model().PlotSettings.UseCDIFilter = 1;
    services.Boxes().Expect("Error in Sample Rate (FORT10). CDI Filter cancelled", plat::vbOK);
    const PlotOutcome outcome = Draw();
    EXPECT_TRUE(outcome.results.has_value());
    EXPECT_GT(CountInRow(Py(4.25), kLeft + 1, kRight - 1, kGrey), 100);
}

TEST_F(PlotPageTest, DegenerateDataDrawsWithoutDividingByZero) {
    const struct {
        const char* what;
        std::string text;
    } cases[] = {{"a single point", " 1.00000E+03 5.00000E+00\r\n"},
                 {"all zero", " 1.0 0.0\r\n 2.0 0.0\r\n"},
                 {"one distance", " 5.0 1.0\r\n 5.0 2.0\r\n"}};
    for (const auto& c : cases) {
        SetUpModel(3, Put("odd.prn", c.text));
        shell::Model().PlotSettings.PlotAxisMode = 15; // auto-zoom on both axes: the data's own span
        Draw();
        EXPECT_TRUE(std::isfinite(view.scales.X) && std::isfinite(view.scales.Y)) << c.what;
        EXPECT_EQ(At(kLeft, Py(4.0)), kBlack) << c.what;
    }
    // Equal stored limits with manual scaling: the previous scales stay.
    SetUpModel(3, Put("odd.prn", " 1.0 1.0\r\n"));
    shell::Model().PlotSettings.PlotAxisMode = 5;
    view.scales = {2.0F, 3.0F};
    Draw();
    EXPECT_EQ(view.scales.X, 2.0F);
    EXPECT_EQ(view.scales.Y, 3.0F);
}

TEST_F(PlotPageTest, AQuantityOutsideTheListDrawsWithoutCaptionsOrAnalysis) {
    SetUpModel(3, Put("approach.prn", PlotFileText(Approach())));
    shell::Model().YAxisVar = 12;
    dc.SetTextLog(&log);
    const PlotOutcome outcome = Draw();
    EXPECT_FALSE(outcome.results.has_value());
    const auto texts = Texts();
    EXPECT_EQ(texts.count("Low Approach"), 1U);
    EXPECT_EQ(texts.count("Microamps"), 0U);
    EXPECT_EQ(texts.count("Category I Tolerances"), 0U);
    for (const plat::TextCall& t : log)
        EXPECT_FALSE(t.text.empty());
}

TEST_F(PlotPageTest, TicCountsOutOfRangeAreHeld) {
    SetUpModel(3, Put("approach.prn", PlotFileText(Approach())));
    shell::ModelVariables& m = shell::Model();
    m.PlotSettings.PlotAxisMode = 5; // manual: the stored counts are used
    m.PlotSettings.PlotXMin = 0;
    m.PlotSettings.PlotXMax = 24304;
    m.PlotSettings.PlotYMax = -100;
    m.PlotSettings.PlotYMin = 100;
    for (const float tics : {0.0F, -3.0F, 300.0F, 1e20F}) {
        m.PlotSettings.PlotXTics = tics;
        m.PlotSettings.PlotYTics = tics;
        dc.SetTextLog(&log);
        log.clear();
        Draw();
        const std::size_t labels =
            std::count_if(log.begin(), log.end(), [](const plat::TextCall& t) { return t.at.y == 7600; });
        EXPECT_TRUE(labels == 2 || labels == 256) << tics << " " << labels;
    }
}

} // namespace
