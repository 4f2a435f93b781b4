// The plot parameters dialog: what it shows, what "Exit" stores and refuses, the options that act at
// once, the unit conversions of its boxes, and its openers.
#include "PlotFixture.h"

#include "platform/services/Clock.h"
#include "plot/ui/frmPlot.h"
#include "plot/ui/frmPlotParams.h"

#include <QLineEdit>
#include <QTest>

#include <cmath>

#include <gtest/gtest.h>

namespace {

using namespace plotfixture;

constexpr const char* kBoth = "X-Axis and Y-axis tics must be greater than 4";
constexpr const char* kX = "X-Axis tics must be greater than 4";
constexpr const char* kY = "Y-Axis tics must be greater than 4";

class PlotParamsTest : public ::testing::Test {
protected:
    PlotParamsTest() {
        plat::testing::Application();
        Links();
        SetUpModel(3, "");
        plot::PlotSettings& s = Settings();
        s.PlotAxisMode = 5; // both manual
        s.PlotXMin = 0;
        s.PlotXMax = 30000;
        s.PlotXTics = 6;
        s.PlotYMin = -100;
        s.PlotYMax = 100;
        s.PlotYTics = 8;
        shell::Model().ILSData.ToleranceCategory = 2;
    }
    void TearDown() override { plat::DeleteWindowInstances(); }
    static plot::PlotSettings& Settings() { return shell::Model().PlotSettings; }
    // The dialog shown modeless, so that a test can type into it.
    static class frmPlotParams& Open() {
        class frmPlotParams& d = frmPlotParams();
        d.Show();
        plat::DoEvents(20);
        return d;
    }
    static void Type(plat::TextBox& box, const std::string& text) {
        box.SetFocus();
        box.Editor()->selectAll();
        QTest::keyClicks(box.Editor(), QString::fromStdString(text));
    }
    static void Enter(plat::TextBox& box) {
        QTest::keyClick(box.Editor(), Qt::Key_Return);
        plat::DoEvents(20);
    }
    plat::testing::ScriptedServices services;
};

TEST_F(PlotParamsTest, TheDialogShowsTheSettingsWithItsCaptionsAndItems) {
    Settings().PlotLabel = "  Run 7 ";
    Settings().PlotXUnit = 1;
    Settings().PlotXMax = 12152;
    Settings().RunwayLength = 9000.5F;
    shell::Model().FlightType = 1; // the plot's own run type is shown
    class frmPlotParams& d = Open();
    EXPECT_EQ(d.Caption(), "Plot Parameters");
    EXPECT_EQ(d.Frame2->Caption(), "X-Axis");
    EXPECT_EQ(d.Frame1->Caption(), "Y-Axis");
    EXPECT_EQ(d.Frame3->Caption(), "Analysis");
    EXPECT_EQ(d.Frame4->Caption(), "Other");
    EXPECT_EQ(d.Command1->Caption(), "Exit");
    EXPECT_EQ(d.optXChoice(2).Caption(), "Scale by Run Type");
    EXPECT_EQ(d.optCat(3).Caption(), "III");
    EXPECT_EQ(d.cmbUnits->List(2), "Deg.");
    EXPECT_EQ(d.cmbFlightPlot->ListCount(), 8);
    EXPECT_EQ(d.cmbFlightPlot->List(5), "5 - Pattern B, 2\xB0-3\xB0");
    EXPECT_EQ(d.cmbFlightPlot->ListIndex(), 3);
    EXPECT_EQ(d.txtLabel->Text(), "Run 7");
    EXPECT_TRUE(d.txtLabel->Enabled());
    EXPECT_EQ(d.txtXMax->Text(), " 2"); // 12152 ft in nmi
    EXPECT_EQ(d.txtYMin->Text(), "-100");
    EXPECT_EQ(d.txtRWYLength->Text(), "9000.5");
    EXPECT_EQ(d.txtRWYWidth->Text(), "150.0");
    EXPECT_TRUE(d.optXChoice(1).Value());
    EXPECT_TRUE(d.optYChoice(1).Value());
    EXPECT_TRUE(d.optCat(2).Value());
}

TEST_F(PlotParamsTest, TicsBelowFourAreRefusedNamingTheAxes) {
    const struct {
        const char *x, *y, *message;
        float storedX, storedY;
    } cases[] = {{" 4", " 4", nullptr, 4, 4},
                 {" 3", " 4", kX, 3, 4},
                 {" 4", " 3", kY, 4, 4},
                 {" 3", " 3", kBoth, 3, 4}};
    for (const auto& c : cases) {
        class frmPlotParams& d = Open();
        d.txtXtics->SetText(c.x);
        d.txtYtics->SetText(c.y);
        if (c.message)
            services.Boxes().Expect(c.message, plat::vbOK);
        d.Command1->SetValue(true);
        EXPECT_EQ(Settings().PlotXTics, c.storedX) << c.x << c.y;
        EXPECT_EQ(Settings().PlotYTics, c.storedY) << c.x << c.y;
        EXPECT_EQ(d.IsLoaded(), c.message != nullptr) << "the dialog stays open only on a refusal";
        if (c.message) {
            EXPECT_EQ(services.Boxes().Shown().back().buttons, plat::vbExclamation);
            plat::Unload(d);
        }
        plat::DoEvents(0);
    }
}

TEST_F(PlotParamsTest, NauticalMilesAreStoredInFeetAndShownAgain) {
    class frmPlotParams& d = Open();
    d.cmbUnits->SetListIndex(1);
    EXPECT_EQ(Settings().PlotXUnit, 1); // at once
    d.txtXMax->SetText("1");
    d.txtXMin->SetText("0");
    d.Command1->SetValue(true);
    EXPECT_FLOAT_EQ(Settings().PlotXMax, 6076);
    EXPECT_FLOAT_EQ(Settings().PlotXMin, 0);
    plat::DoEvents(0);
    EXPECT_EQ(Open().txtXMax->Text(), " 1");
}

// Miles whose feet no Single holds read as 0, as any box value a Single cannot hold: the plot is
// never given an infinite range.
TEST_F(PlotParamsTest, NauticalMilesBeyondASingleInFeetStoreZero) {
    const struct {
        const char *max, *min;
        float storedMax, storedMin;
    } cases[] = {{"2e38", "-1", 0, -6076}, {"1", "-3e38", 6076, 0}, {"5e34", "0", 5e34F * 6076, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.max) + " " + c.min);
        class frmPlotParams& d = Open();
        d.cmbUnits->SetListIndex(1);
        Type(*d.txtXMax, c.max);
        Type(*d.txtXMin, c.min);
        QTest::mouseClick(d.Command1->Widget(), Qt::LeftButton);
        plat::DoEvents(0);
        EXPECT_FALSE(d.IsLoaded());
        EXPECT_FLOAT_EQ(Settings().PlotXMax, c.storedMax);
        EXPECT_FLOAT_EQ(Settings().PlotXMin, c.storedMin);
    }
}

TEST_F(PlotParamsTest, EmptyRunwayBoxesStoreTheStandardRunwayAndEqualLimitsAreOffset) {
    class frmPlotParams& d = Open();
    d.txtRWYLength->SetText("");
    d.txtRWYWidth->SetText("");
    d.txtXMax->SetText("500");
    d.txtXMin->SetText("500");
    d.txtYMax->SetText("20");
    d.txtYMin->SetText("20");
    d.Command1->SetValue(true);
    EXPECT_FLOAT_EQ(Settings().RunwayLength, 10000);
    EXPECT_FLOAT_EQ(Settings().RunwayWidth, 150);
    EXPECT_FLOAT_EQ(Settings().PlotXMin, 499);
    EXPECT_FLOAT_EQ(Settings().PlotYMin, -80);
}

TEST_F(PlotParamsTest, EqualLimitsLeftInTheMinimumBoxGiveErrorAndBlockExit) {
    class frmPlotParams& d = Open();
    Type(*d.txtXMin, "30000");
    d.txtXtics->SetFocus(); // leaving the box checks it
    plat::DoEvents(20);
    EXPECT_EQ(d.txtXMin->Text(), "Error");
    EXPECT_EQ(d.MinMaxError(), 1);
    d.Command1->SetValue(true);
    EXPECT_TRUE(d.IsLoaded());
    EXPECT_FLOAT_EQ(Settings().PlotXMin, 0);
    // Changed and left again, the dialog closes.
    Type(*d.txtXMin, "100");
    d.txtXtics->SetFocus();
    plat::DoEvents(20);
    EXPECT_EQ(d.MinMaxError(), 0);
    d.Command1->SetValue(true);
    EXPECT_FALSE(d.IsLoaded());
    EXPECT_FLOAT_EQ(Settings().PlotXMin, 100);
}

TEST_F(PlotParamsTest, EachAxisOptionSetsItsBitsAtOnceTheFirstClickIncluded) {
    const struct {
        bool x;
        int option;
        int mode;
        bool boxesEnabled;
    } cases[] = {{true, 0, 4 | 3, false},   {true, 2, 4 | 2, false},  {true, 1, 4 | 1, true},
                 {false, 0, 1 | 12, false}, {false, 2, 1 | 8, false}, {false, 1, 1 | 4, true}};
    for (const auto& c : cases) {
        Settings().PlotAxisMode = 5 | 64 | 128;
        class frmPlotParams& d = Open();
        (c.x ? d.optXChoice : d.optYChoice)(c.option).SetValue(true);
        EXPECT_EQ(Settings().PlotAxisMode, c.mode | 64 | 128) << c.x << c.option;
        EXPECT_EQ((c.x ? d.txtXMax : d.txtYMax)->Enabled(), c.boxesEnabled) << c.x << c.option;
        EXPECT_EQ((c.x ? d.chkXInvert : d.chkYInvert)->Enabled(), c.boxesEnabled) << c.x << c.option;
        // "Exit" keeps the mode and clears the tics bits.
        d.Command1->SetValue(true);
        EXPECT_EQ(Settings().PlotAxisMode, c.mode) << c.x << c.option;
        plat::DoEvents(0);
    }
    // The modes shown on opening.
    for (const auto& [mode, x, y] : {std::tuple{10, 2, 2}, std::tuple{15, 0, 0}, std::tuple{5, 1, 1}}) {
        Settings().PlotAxisMode = static_cast<std::uint8_t>(mode);
        class frmPlotParams& d = Open();
        EXPECT_TRUE(d.optXChoice(x).Value()) << mode;
        EXPECT_TRUE(d.optYChoice(y).Value()) << mode;
        EXPECT_EQ(d.txtXMax->Enabled(), x == 1) << mode;
        plat::Unload(d);
        plat::DoEvents(0);
    }
}

TEST_F(PlotParamsTest, TheCategoryActsAtOnceAndCategoryZeroOpensWithNoneSet) {
    class frmPlotParams& d = Open();
    d.optCat(3).SetValue(true);
    plat::Unload(d); // closed without "Exit"
    EXPECT_EQ(shell::Model().ILSData.ToleranceCategory, 3);
    plat::DoEvents(0);
    shell::Model().ILSData.ToleranceCategory = 0;
    class frmPlotParams& e = Open();
    for (int i = 1; i <= 3; ++i)
        EXPECT_FALSE(e.optCat(i).Value()) << i;
    e.Command1->SetValue(true);
    EXPECT_EQ(shell::Model().ILSData.ToleranceCategory, 0);
}

TEST_F(PlotParamsTest, ALabelSwitchedOffClearsTheTitleAtOnce) {
    Settings().PlotLabel = "Run 7";
    class frmPlotParams& d = Open();
    d.chkLabel->SetValue(0);
    EXPECT_FALSE(d.txtLabel->Enabled());
    EXPECT_EQ(Settings().PlotLabel, "");
    d.chkLabel->SetValue(1);
    EXPECT_TRUE(d.txtLabel->Enabled());
    d.txtLabel->SetText("  New title ");
    d.Command1->SetValue(true);
    EXPECT_EQ(Settings().PlotLabel, "New title");
}

TEST_F(PlotParamsTest, SuffixedEntriesConvertIntoTheUnitTheBoxShows) {
    const struct {
        int unit; // cmbUnits
        const char* box;
        const char* typed;
        const char* shown;
    } cases[] = {{0, "txtXMax", "1n", "6076.0"}, {1, "txtXMax", "6076f", "1.0"},
                 {2, "txtXMax", "1n", "0"},      {1, "txtRWYLength", "100m", "328.08"},
                 {1, "txtYMax", "1n", "0"},      {0, "txtYtics", "7", "7"}};
    for (const auto& c : cases) {
        class frmPlotParams& d = Open();
        d.cmbUnits->SetListIndex(c.unit);
        auto& box = static_cast<plat::TextBox&>(*d.FindControl(c.box));
        Type(box, c.typed);
        Enter(box);
        EXPECT_EQ(box.Text(), c.shown) << c.box << " " << c.typed << " unit " << c.unit;
        EXPECT_FALSE(box.HasFocus()) << "Enter moves on";
        // Leaving the box converts the same way.
        Type(box, c.typed);
        d.Command1->SetFocus();
        plat::DoEvents(20);
        EXPECT_EQ(box.Text(), c.shown) << c.box << " " << c.typed << " left, unit " << c.unit;
        plat::Unload(d);
        plat::DoEvents(0);
    }
}

TEST_F(PlotParamsTest, AnyTextInAnyBoxLeavesOnlyNumbersStored) {
    const std::string texts[] = {"letters", "1e999", "-", std::string(300, '9'), "1e40", ""};
    for (const std::string& text : texts) {
        class frmPlotParams& d = Open();
        for (plat::TextBox* box : {d.txtXMax.get(), d.txtXMin.get(), d.txtYMax.get(), d.txtYMin.get(),
                                   d.txtRWYLength.get(), d.txtRWYWidth.get()})
            box->SetText(text);
        d.txtXtics->SetText("5");
        d.txtYtics->SetText("5");
        d.Command1->SetValue(true);
        const plot::PlotSettings& s = Settings();
        for (float v : {s.PlotXMax, s.PlotXMin, s.PlotYMax, s.PlotYMin, s.RunwayLength, s.RunwayWidth})
            EXPECT_TRUE(std::isfinite(v)) << text;
        plat::DoEvents(0);
        // Typed and left, the box holds a number.
        class frmPlotParams& e = Open();
        Type(*e.txtXMax, text);
        e.txtYMax->SetFocus();
        plat::DoEvents(20);
        EXPECT_TRUE(plat::IsNumeric(e.txtXMax->Text())) << text << " -> " << e.txtXMax->Text();
        plat::Unload(e);
        plat::DoEvents(0);
    }
}

TEST_F(PlotParamsTest, ThePlotsParametersItemShowsItCentredModalThenRedraws) {
    class frmPlot& w = frmPlot();
    w.Show();
    plat::DoEvents(50);
    bool seen = false;
    plat::testing::Queue([&] {
        class frmPlotParams& d = frmPlotParams();
        seen = d.IsModal();
        EXPECT_NEAR(d.Left(), w.Left() + (w.Width() - d.Width()) / 2, 15);
        EXPECT_NEAR(d.Top(), w.Top() + (w.Height() - d.Height()) / 2, 15);
        d.optCat(1).SetValue(true);
        d.Command1->SetValue(true);
    });
    w.Menu("mnuPlotParameters").Trigger();
    EXPECT_TRUE(seen);
    EXPECT_EQ(shell::Model().ILSData.ToleranceCategory, 1);
    // A right click on the plot opens it too.
    seen = false;
    plat::testing::Queue([&] {
        seen = frmPlotParams().IsModal();
        plat::Unload(frmPlotParams());
    });
    QTest::mouseClick(w.Plotter->Widget(), Qt::RightButton, {}, QPoint(300, 200));
    EXPECT_TRUE(seen);
}

} // namespace
