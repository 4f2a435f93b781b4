// Runs from the main window with the real engine: a constant radius cut sweeps what its boxes say,
// input the run cannot use is refused before anything is written, and a failed run says why.
#include "RunWindowFixture.h"

#include <QTest>

#include <cmath>
#include <fstream>
#include <sstream>
#include <vector>

#include "platform/services/Clipboard.h"
#include "platform/text/Strings.h"
#include "platform/ui/testing/GuiTest.h"

using namespace shell;

namespace {

constexpr char kOverwrite[] = "Parameter File Exists.\rOverwrite? ";
constexpr double kDegree = 3.14159265358979323846 / 180;

struct ReportRow {
    double x, y, z, alpha;
};

// The rows under the report's column heads (X, Y, Z, ALPHA first), up to the first line that is
// not one.
std::vector<ReportRow> ReportRows(const std::string& report) {
    std::istringstream lines(report.substr(report.find("ECSMAG    ESSMAG")));
    std::string line;
    std::getline(lines, line);
    std::vector<ReportRow> rows;
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        ReportRow r{};
        if (!(fields >> r.x >> r.y >> r.z >> r.alpha))
            break;
        rows.push_back(r);
    }
    return rows;
}

class RunInput : public RunWindow {
protected:
    class frmMain& Active() {
        class frmMain& w = Started();
        EXPECT_TRUE(QTest::qWaitForWindowActive(w.Window()));
        return w;
    }
    // The box focused and its text replaced by typing, the focus left where it is.
    static void Type(plat::TextBox& box, const std::string& typed) {
        box.SetFocus();
        ASSERT_TRUE(plat::testing::WaitFor([&] { return box.HasFocus(); })) << box.Name();
        box.Editor()->selectAll();
        QTest::keyClick(box.Editor(), Qt::Key_Delete);
        QTest::keyClicks(box.Editor(), QString::fromStdString(typed));
    }
    static void TypeTab(plat::TextBox& box, const std::string& typed) {
        Type(box, typed);
        QTest::keyClick(box.Editor(), Qt::Key_Tab);
        ASSERT_TRUE(plat::testing::WaitFor([&] { return !box.HasFocus(); })) << box.Name();
    }
    // Keys typed into the ground grid from its current cell (row, col): a character opens the
    // cell's edit box, Ctrl+V pastes the clipboard from the cell on.
    static void GridKeys(class frmMain& w, int row, int col, const std::string& typed) {
        plat::FlexGrid& g = *w.grdGround;
        g.SetRow(row);
        g.SetCol(col);
        g.SetFocus();
        for (char ch : typed) {
            const bool paste = ch == '\x16';
            QKeyEvent key(QEvent::KeyPress, paste ? Qt::Key_V : Qt::Key_unknown,
                          paste ? Qt::ControlModifier : Qt::NoModifier, QString(QChar(ch)));
            QApplication::sendEvent(QApplication::focusWidget(), &key);
        }
    }
};

TEST_F(RunInput, ConstantRadiusCutSweepsTheElevationAtTheAzimuthTheBoxesSay) {
    auto& w = Active();
    ASSERT_EQ(w.cmbFlight->ListIndex(), 0);
    EXPECT_EQ(w.lblY(1).Caption(), "Elev. Ang");
    EXPECT_EQ(w.lblZ(1).Caption(), "Azim. Ang");
    TypeTab(w.txtFltZ(0), "11");
    EXPECT_EQ(w.txtFltZ(1).Text(), "11"); // the end azimuth is the start azimuth
    EXPECT_FALSE(w.txtFltZ(1).Enabled());
    TypeTab(w.txtFltY(0), "0.5");
    TypeTab(w.txtFltY(1), "7");
    TypeTab(*w.txtFltNumPoints, "5");
    const double radius = std::stod(w.txtFltX(0).Text());
    PressF5(w);

    ASSERT_EQ(engine_->starts.size(), 1u);
    const std::string report = Read("FORT7");
    EXPECT_NE(report.find("ALPHA INCREMENTED FROM\r\n          0.500 DEGREES TO      7.000 DEGREES"),
              std::string::npos)
        << report;
    const std::vector<ReportRow> rows = ReportRows(report);
    ASSERT_EQ(rows.size(), 5u) << report;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        SCOPED_TRACE(i);
        const ReportRow& r = rows[i];
        // The point's own geometry: at the radius, seen at azimuth 11 (X lateral, negative to the
        // right of the centreline looking out along Y) and at the stepped elevation.
        const double horizontal = std::hypot(r.x, r.y);
        EXPECT_NEAR(std::hypot(horizontal, r.z), radius, 0.01);
        EXPECT_NEAR(std::atan2(-r.x, r.y) / kDegree, 11.0, 1e-4);
        EXPECT_NEAR(std::atan2(r.z, horizontal) / kDegree, 0.5 + 1.625 * static_cast<double>(i), 1e-4);
        EXPECT_NEAR(r.alpha, 0.5 + 1.625 * static_cast<double>(i), 5e-4);
    }
}

TEST_F(RunInput, InputTheRunCannotUseIsRefusedNamingTheField) {
    struct Case {
        const char* what;
        std::function<void(class frmMain&)> enter;
        const char* message;
    };
    const Case cases[] = {
        {"frequency 0", [](class frmMain& w) { TypeTab(*w.txtArrayFreq, "0"); },
         "Frequency (MHz) must be greater than 0; it is 0.0."},
        {"frequency below 0", [](class frmMain& w) { TypeTab(*w.txtArrayFreq, "-330"); },
         "Frequency (MHz) must be greater than 0; it is -330."},
        // Typed and run with F5 before the box is left: the box's guard has not run.
        {"letters in an antenna box", [](class frmMain& w) { Type(w.txtAntZ(0), "ten"); },
         "Lower Antenna Height does not hold a number: \"ten\"."},
        // Typed cells are guarded; pasted ones keep what was pasted.
        {"letters pasted into a ground cell",
         [](class frmMain& w) {
             plat::Clipboard().SetText("l500\t-3");
             GridKeys(w, 3, 2, "\x16");
         },
         "Ground profile row 3 Y does not hold a number: \"l500\"."},
        {"distances turning back", [](class frmMain& w) { GridKeys(w, 3, 2, "-100"); },
         "Ground profile row 3: the distance Y (-100.000) must be greater than row 2's (0.000)."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string site = PutSample("cegs_site.inp");
        const std::string before = Read("cegs_site.inp");
        auto& w = Active();
        c.enter(w);
        boxes_->Expect(c.message, plat::vbOK);
        PressF5(w);
        EXPECT_TRUE(engine_->starts.empty());
        EXPECT_EQ(Read("cegs_site.inp"), before);
        EXPECT_EQ(MainRunState().RunCancelled, 1);
        ASSERT_FALSE(boxes_->Shown().empty());
        EXPECT_EQ(boxes_->Shown().back().buttons, plat::vbOKOnly | plat::vbExclamation);
        plat::DeleteWindowInstances();
        Model() = ModelVariables{};
        MainShellState() = ShellState{};
    }
}

TEST_F(RunInput, PointsTypedBeyondTheRangeRunClampedAndTheBoxShowsIt) {
    PutSample("cegs_site.inp");
    auto& w = Active();
    Type(*w.txtFltNumPoints, "900");
    boxes_->Expect(kOverwrite, plat::vbYes);
    PressF5(w);
    ASSERT_EQ(engine_->starts.size(), 1u);
    EXPECT_EQ(w.txtFltNumPoints->Text(), "201");
    EXPECT_EQ(ReportRows(Read("FORT7")).size(), 201u);
}

TEST_F(RunInput, FailedRunShowsTheEnginesReason) {
    auto& w = Active();
    // A linear cut of the default points: every field point stands on the lower antenna.
    w.cmbFlight->SetListIndex(1);
    ASSERT_EQ(w.txtAntX(0).Text(), "0");
    boxes_->Expect("Kelvd.dll Error #7\rFIELD POINT 0.000 0.000 0.000 IS AT ANTENNA 1", plat::vbOK);
    PressF5(w);
    ASSERT_EQ(engine_->starts.size(), 1u);
    EXPECT_NE(Read("FORT7").find("  FIELD POINT      0.000      0.000      0.000 IS AT ANTENNA 1"),
              std::string::npos);
}

// "12,5" reads as 125: once the box is left it shows what a run reads, and the run reads just that.
// A comma that groups thousands reads as it looks and stays.
TEST_F(RunInput, LengthBoxShowsTheNumberARunReadsOnceLeft) {
    PutSample("cegs_site.inp");
    auto& w = Active();
    const std::pair<plat::TextBox*, const char*> boxes[] = {
        {&w.txtAntZ(0), "125"}, {&w.txtFltX(0), "125"}, {w.txtThZ.get(), "125"}};
    for (const auto& [box, shown] : boxes) {
        SCOPED_TRACE(box->Name());
        TypeTab(*box, "12,5");
        EXPECT_EQ(plat::Trim(box->Text()), shown);
    }
    TypeTab(w.txtFltX(1), "1,250");
    EXPECT_EQ(w.txtFltX(1).Text(), "1,250");
    boxes_->Expect(kOverwrite, plat::vbYes);
    PressF5(w);
    ASSERT_EQ(engine_->starts.size(), 1u);
    const std::string file = Read("cegs_site.inp");
    std::istringstream lines(file.substr(file.find("'SECTION'\t3")));
    std::string line;
    for (int i = 0; i < 3; ++i)
        std::getline(lines, line);
    std::istringstream fields(line);
    double number = 0, x = 0, y = 0, z = 0;
    ASSERT_TRUE(fields >> number >> x >> y >> z) << line;
    EXPECT_EQ(z, 125.0) << line;
}

} // namespace
