// The flight profile panel in the main window: choosing a kind of path, the number of points and
// the point converter.

#include "PanelsTest.h"

#include <array>

#include "editors/logic/PanelLayout.h"

#include <QFontMetrics>
#include <QLabel>

using namespace editors;
using namespace shell;

namespace {

using FlightPanel = PanelsTest;

TEST_F(FlightPanel, EachKindLoadsItsDefaultsOutputSelectionAndPanelState) {
    struct Case {
        int item;
        std::uint8_t type, xUnit, xVar, yVar;
        std::array<const char*, 6> points; // X(0), Y(0), Z(0), X(1), Y(1), Z(1)
        std::array<const char*, 3> captions;
        std::array<bool, 3> endRow; // X(1), Y(1), Z(1) enabled
        bool converter;
    };
    const Case cases[] = {
        {1,
         2,
         0,
         2,
         1,
         {"0.00", "0.00", "0.00", "0.00", "0.00", "0.00"},
         {"X", "Y", "Z"},
         {true, true, true},
         true},
        {2,
         3,
         1,
         1,
         2,
         {"0.00", "30380.00", "3.00", "0.00", "0.00", "0.00"},
         {"X", "Y", "Elev. Ang."},
         {true, true, false},
         true},
        {3,
         4,
         2,
         2,
         1,
         {"0.00", "42954.38", "1500.00", "0.00", "17145.07", "1500.00"},
         {"X", "Y", "Z"},
         {true, true, true},
         true},
        {4,
         7,
         2,
         5,
         1,
         {"24304.00", "-25.00", "1500.00", "0.00", "25.00", "1500.00"},
         {"Radius", "Az. Angle", "Flight Lvl"},
         {false, true, false},
         false},
        // The engine's constant radius cut: elevation Y(0) to Y(1) at the azimuth Z(0), which the
        // end box Z(1) holds too.
        {0,
         1,
         2,
         2,
         1,
         {"24304.00", "0.00", "0", "0.00", "90.00", "0"},
         {"Radius", "Elev. Ang", "Azim. Ang"},
         {false, true, false},
         false},
    };
    auto& w = W();
    w.txtFltNumPoints->SetText("150");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.item);
        Model().PlotOn = 0;
        w.cmbFlight->SetListIndex(c.item);
        EXPECT_EQ(Model().FlightType, c.type);
        EXPECT_EQ(Model().PlotFlightType, c.type);
        EXPECT_EQ(Model().PlotSettings.PlotXUnit, c.xUnit);
        EXPECT_EQ(Model().PlotOn, 2);
        EXPECT_EQ(Model().XAxisVar, c.xVar);
        EXPECT_EQ(Model().YAxisVar, c.yVar);
        const plat::TextBox* boxes[] = {&w.txtFltX(0), &w.txtFltY(0), &w.txtFltZ(0),
                                        &w.txtFltX(1), &w.txtFltY(1), &w.txtFltZ(1)};
        for (std::size_t i = 0; i < 6; ++i)
            EXPECT_EQ(boxes[i]->Text(), c.points[i]) << boxes[i]->Name();
        EXPECT_EQ(w.lblX(1).Caption(), c.captions[0]);
        EXPECT_EQ(w.lblY(1).Caption(), c.captions[1]);
        EXPECT_EQ(w.lblZ(1).Caption(), c.captions[2]);
        for (std::size_t i = 0; i < 3; ++i) {
            EXPECT_EQ(boxes[3 + i]->Enabled(), c.endRow[i]) << boxes[3 + i]->Name();
            EXPECT_EQ(boxes[3 + i]->BackColor(), c.endRow[i] ? kEnabledBackColor : kDisabledBackColor);
        }
        EXPECT_EQ(w.cmdConvertPoint(0).Enabled(), c.converter);
        EXPECT_EQ(w.txtFltAz(1).Enabled(), c.converter);
        EXPECT_EQ(w.txtFltNumPoints->Text(), "150");
    }

    // Without defaults: every point "0.00", the output selection of the kind all the same.
    w.chkUseDefaults->SetValue(0);
    w.cmbFlight->SetListIndex(2);
    for (const plat::TextBox* box : {&w.txtFltX(0), &w.txtFltY(0), &w.txtFltZ(0), &w.txtFltY(1)})
        EXPECT_EQ(box->Text(), "0.00") << box->Name();
    EXPECT_EQ(Model().YAxisVar, 2);

    // With metres shown the loaded lengths are converted, the angles are not.
    w.chkUseDefaults->SetValue(1);
    w.Menu("mnuUseSI").SetChecked(true);
    w.cmbFlight->SetListIndex(1);
    w.cmbFlight->SetListIndex(2);
    EXPECT_EQ(w.txtFltY(0).Text(), "9259.372143");
    EXPECT_EQ(w.txtFltZ(0).Text(), "3.00");
}

TEST_F(FlightPanel, HeadingsFitTheirLabelsAndEachColumnShowsItsUnit) {
    struct Case {
        int item;
        std::array<bool, 3> angles; // X, Y, Z columns in degrees
    };
    const Case cases[] = {{0, {false, true, true}},
                          {1, {false, false, false}},
                          {2, {false, false, true}},
                          {3, {false, false, false}},
                          {4, {false, true, false}}};
    auto& w = W();
    for (const bool metres : {false, true}) {
        w.Menu("mnuUseSI").SetChecked(metres);
        const std::string length = metres ? "m" : "ft";
        for (const Case& c : cases) {
            SCOPED_TRACE(std::to_string(c.item) + " " + length);
            w.cmbFlight->SetListIndex(c.item);
            plat::Label* heads[] = {&w.lblX(1), &w.lblY(1), &w.lblZ(1)};
            for (std::size_t col = 0; col < 3; ++col) {
                const QLabel& head = *heads[col]->Inner();
                const QFontMetrics metrics(head.font());
                EXPECT_LE(metrics.horizontalAdvance(head.text()), head.contentsRect().width())
                    << head.text().toStdString();
                EXPECT_LE(metrics.height(), head.contentsRect().height());
                const plat::Label& unit = w.Label37(6 + static_cast<int>(col));
                EXPECT_EQ(unit.Caption(), c.angles[col] ? "deg" : length) << col;
                EXPECT_FALSE(unit.Widget()->geometry().intersects(heads[col]->Widget()->geometry())) << col;
                const QFontMetrics unitMetrics(unit.Inner()->font());
                EXPECT_LE(unitMetrics.horizontalAdvance(unit.Inner()->text()),
                          unit.Inner()->contentsRect().width());
            }
        }
    }
}

TEST_F(FlightPanel, ConstantRadiusEndAzimuthIsTheStartAzimuth) {
    auto& w = W();
    w.cmbFlight->SetListIndex(0);
    // A model shown with another end azimuth (a file written elsewhere): the box shows the one
    // azimuth the run will use.
    FlightPanelTexts t = w.FlightTexts();
    t.FltZ = {"11", "90"};
    w.ShowFlightTexts(t);
    EXPECT_EQ(w.txtFltZ(1).Text(), "11");
    TypeTab(w.txtFltZ(0), "12.5");
    EXPECT_EQ(w.txtFltZ(1).Text(), "12.5");
    // Other kinds keep both boxes their own.
    w.cmbFlight->SetListIndex(1);
    TypeTab(w.txtFltZ(1), "40");
    TypeTab(w.txtFltZ(0), "5");
    EXPECT_EQ(w.txtFltZ(1).Text(), "40");
}

TEST_F(FlightPanel, NumberOfPointsIsAWholeNumberFromTwoTo201) {
    struct Case {
        const char* typed;
        bool enter;
        const char* shown;
    };
    const Case cases[] = {
        {"250", false, "201"}, {"250", true, "201"},   {"201", false, "201"}, {"", false, "201"},
        {"150", true, "150"},  {"1", false, "2"},      {"-5", false, "2"},    {"100.6", false, "101"},
        {"abc", false, "2"},   {"0.01n", false, "61"},
    };
    auto& w = W();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        Type(*w.txtFltNumPoints, c.typed);
        if (c.enter)
            Enter(*w.txtFltNumPoints);
        else
            Tab(*w.txtFltNumPoints);
        EXPECT_EQ(w.txtFltNumPoints->Text(), c.shown);
    }
}

TEST_F(FlightPanel, ConverterWritesTheRowsPointFromTheFirstCompleteCombination) {
    auto& w = W();
    w.cmbFlight->SetListIndex(1); // a linear cut offers both converter rows
    w.txtFltAz(0).SetText("90");
    w.txtFltRange(0).SetText("1000");
    w.txtFltAlt(0).SetText("50");
    Click(w.cmdConvertPoint(0));
    EXPECT_EQ(w.txtFltX(0).Text(), "1000");
    EXPECT_NEAR(std::stod(w.txtFltY(0).Text()), 2.95e-7, 1e-8);
    EXPECT_EQ(w.txtFltZ(0).Text(), "50");
    EXPECT_EQ(w.txtFltX(1).Text(), "0.00");

    // Elevation 0 with altitude only: nothing is written.
    w.txtFltEl(1).SetText("0");
    w.txtFltAlt(1).SetText("50");
    w.txtFltY(1).SetText("7");
    Click(w.cmdConvertPoint(1));
    EXPECT_EQ(w.txtFltY(1).Text(), "7");
    // Leaving a converter box changes nothing; Enter in it converts and guards.
    Type(w.txtFltRange(1), "1n");
    Tab(w.txtFltRange(1));
    EXPECT_EQ(w.txtFltRange(1).Text(), "1n");
    Focus(w.txtFltRange(1));
    Enter(w.txtFltRange(1));
    EXPECT_EQ(w.txtFltRange(1).Text(), "6076.0");
}

} // namespace
