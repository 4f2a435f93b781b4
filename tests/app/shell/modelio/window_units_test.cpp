// The main window's display units and ground mode, and a loaded model's flight type and output
// selection, on the real window.

#include "../mainwindow/GuiTest.h"
#include "GoldenFiles.h"

#include <vector>

using namespace shell;

namespace fs = std::filesystem;

namespace {

constexpr char kQuestion[] = "Would you like to convert the displayed values?";

using WindowUnits = WindowTest;

TEST_F(WindowUnits, UseSIUnitsConvertsWhenTheUserAgrees) {
    auto& w = frmMain();
    w.Show();
    plat::MenuItem& item = w.Menu("mnuUseSI");
    EXPECT_FALSE(item.Visible());
    w.txtAntZ(0).SetText("100");
    w.grdGround->SetTextMatrix(3, 2, "50");
    w.grdGround->SetTextMatrix(3, 3, "100");

    boxes_->Expect(kQuestion, plat::vbYes);
    item.Click();
    EXPECT_TRUE(item.Checked());
    EXPECT_EQ(Model().LengthUnit, 1);
    EXPECT_EQ(w.Label37(0).Caption(), "m");
    EXPECT_EQ(w.Label37(11).Caption(), "m");
    EXPECT_EQ(w.Label62->Caption(), "Ground Plane (m)");
    EXPECT_EQ(w.Label66->Caption(), "Antenna Parameters (m)");
    EXPECT_EQ(w.txtAntZ(0).Text(), "30.478514");
    EXPECT_EQ(w.grdGround->TextMatrix(3, 3), "30.47851");

    boxes_->Expect(kQuestion, plat::vbYes);
    item.Click();
    EXPECT_FALSE(item.Checked());
    EXPECT_EQ(Model().LengthUnit, 0);
    EXPECT_EQ(w.Label63->Caption(), "Theodolite (ft)");
    EXPECT_EQ(w.txtAntZ(0).Text(), "100");
    EXPECT_EQ(w.grdGround->TextMatrix(3, 3), "100");

    boxes_->Expect(kQuestion, plat::vbNo);
    item.Click();
    EXPECT_EQ(w.txtAntZ(0).Text(), "100");
    EXPECT_EQ(w.Label37(4).Caption(), "m");
    EXPECT_EQ(boxes_->Shown().back().buttons, plat::vbYesNo);
}

TEST_F(WindowUnits, MetresFileShowsMetresWithFeetLabels) {
    Put("metres.3D", "  1           1\r\n 0.000    0.000    0.000\r\n");
    const std::string in = Put("metres.inp", GoldenText("metres.inp"));
    auto& w = frmMain();
    w.Show();
    dialogs_->ExpectFile(in);
    w.Menu("mnuLoad").Trigger();
    EXPECT_TRUE(w.Menu("mnuUseSI").Checked());
    EXPECT_EQ(w.txtAntZ(0).Text(), "3.047851");
    EXPECT_EQ(w.grdGround->TextMatrix(1, 2), "100");
    EXPECT_EQ(w.txtFltX(0).Text(), "6095.703"); // a constant radius cut: only the radius is a length (single)
    EXPECT_EQ(w.txtFltY(0).Text(), "0.5");
    EXPECT_EQ(w.Label37(0).Caption(), "ft");
    EXPECT_EQ(Model().LengthUnit, 0);
}

TEST_F(WindowUnits, GroundModeSwitchKeepsTheGrid) {
    auto& w = frmMain();
    w.Show();
    Model().NumGroundPts = 2;
    plat::MenuItem& item = w.Menu("mnuUse3D");
    const bool was3D = item.Checked();
    if (was3D)
        item.Click();
    ASSERT_FALSE(item.Checked());
    item.Click();
    EXPECT_TRUE(item.Checked());
    EXPECT_EQ(Model().NumGroundPts, 0);
    EXPECT_FALSE(w.grdGround->Enabled());
    EXPECT_FALSE(w.cmdFlat->Enabled());
    EXPECT_EQ(w.grdGround->TextMatrix(2, 2), "20000.00");
    item.Click();
    EXPECT_TRUE(w.grdGround->Enabled());
    EXPECT_FALSE(w.Command2->Enabled());
    EXPECT_EQ(w.grdGround->TextMatrix(2, 2), "20000.00");
}

TEST_F(WindowUnits, LoadedFlightTypeAndOutputSelectionAreKept) {
    Put("site1.3D", "  1           1\r\n 0.000    0.000    0.000\r\n");
    const std::string golden = GoldenText("three_antennas_2d.inp");
    const std::string card4 = "\t\t3\t11\t0\t";
    const std::string card5 = "\t\t1\t1\t1 \t";
    for (const char* type : {"2", "4", "5", "6", "7"}) {
        SCOPED_TRACE(type);
        plat::DeleteWindowInstances();
        Model() = ModelVariables{};
        MainShellState() = ShellState{};
        fs::remove(dir_ / "Pellic.ini");
        std::string text = golden;
        text.replace(text.find(card4), card4.size(), std::string("\t\t") + type + "\t11\t0\t");
        text.replace(text.find(card5), card5.size(), "\t\t0\t4\t9 \t");
        const std::string in = Put("site1.inp", text);
        auto& w = frmMain();
        w.Show();
        dialogs_->ExpectFile(in);
        w.Menu("mnuLoad").Trigger();
        EXPECT_EQ(Model().FlightType, std::stoi(type));
        EXPECT_EQ(Model().PlotFlightType, std::stoi(type));
        EXPECT_EQ(Model().PlotOn, 0);
        EXPECT_EQ(Model().XAxisVar, 4);
        EXPECT_EQ(Model().YAxisVar, 9);
        EXPECT_EQ(w.txtFltNumPoints->Text(), "11");

        const std::string out = (dir_ / "out" / type / "site1.inp").string();
        fs::create_directories(fs::path(out).parent_path());
        dialogs_->ExpectFile(out);
        w.Menu("mnuSave").Trigger();
        std::ifstream saved(out, std::ios::binary);
        const std::string written((std::istreambuf_iterator<char>(saved)), std::istreambuf_iterator<char>());
        const std::string wanted4 = std::string("\t\t") + type + "\t11\t0\t";
        EXPECT_NE(written.find(wanted4), std::string::npos);
        EXPECT_NE(written.find("\t\t0\t4\t9 \t"), std::string::npos);
    }
}

} // namespace
