// Attenuation, phase adjust and transmitter modifications take effect once: the feeds the boxes
// show are what is saved, and saving then reloading shows the same feeds and adjustments, with the
// adjustment boxes acting on the same base feeds as before.

#include "PanelsTest.h"

#include <fstream>
#include <iterator>
#include <vector>

using namespace shell;

namespace {

using FeedsSaveReload = PanelsTest;

// The antenna cards of a parameter file: the array with its feed lines, and the adjustments.
std::string AntennaCards(const std::string& path) {
    const std::string text = plat::testing::FileBytes(path);
    const auto section = [&](const std::string& from, const std::string& to) {
        const std::size_t a = text.find(from);
        const std::size_t b = text.find(to, a);
        return a == std::string::npos || b == std::string::npos ? std::string() : text.substr(a, b - a);
    };
    return section("'SECTION'\t3", "'SECTION'\t4") + section("'SECTION'\t6", "'...'");
}

std::vector<double> ShownFeeds(class frmMain& w) {
    std::vector<double> v;
    for (int i : {0, 2}) {
        for (plat::ControlArray<plat::TextBox>* boxes :
             {&w.txtAntCSBMag, &w.txtAntCSBPhase, &w.txtAntSBOMag, &w.txtAntSBOPhase, &w.txtAntCLRMag,
              &w.txtAntCLRPhase, &w.txtAntAtten, &w.txtAntPhaseAdj})
            v.push_back(std::stod("0" + (*boxes)(i).Text()));
    }
    for (plat::TextBox* box : {w.txtSBOPowerAdj.get(), w.txtCLRPowerAdjust.get(), w.txtCSBSBOPhase.get()})
        v.push_back(std::stod(box->Text()));
    return v;
}

TEST_F(FeedsSaveReload, TheFeedsShownAreSavedAndReloadedWithoutCompounding) {
    auto& w = W();
    w.cmbPresets->SetListIndex(0); // lower antenna CSB 1, upper SBO 1
    TypeTab(w.txtAntAtten(0), "6");
    TypeTab(w.txtAntPhaseAdj(2), "10");
    TypeEnter(*w.txtSBOPowerAdj, "6");
    TypeEnter(*w.txtCSBSBOPhase, "20");
    const std::vector<double> shown = ShownFeeds(w);
    ASSERT_EQ(w.txtAntCSBMag(0).Text(), "0.708");
    ASSERT_EQ(w.txtAntSBOMag(2).Text(), ".7079458");
    ASSERT_EQ(w.txtAntSBOPhase(2).Text(), "30");

    Files().ExpectFile(Path("site.inp"));
    w.Menu("mnuSave").Trigger();
    // The records as saved are the boxes: no adjustment applied a second time.
    EXPECT_NEAR(Model().Ant(1).CSBMag, 0.708, 1e-6);
    EXPECT_NEAR(Model().Ant(3).SBOMag, 0.7079458, 1e-6);
    EXPECT_NEAR(Model().Ant(3).SBOPhase, 30, 1e-5);
    EXPECT_NEAR(Model().Ant(3).CSBPhase, 10, 1e-5);

    w.Toolbar1->Click(1); // New: the defaults, every feed 0
    ASSERT_EQ(w.txtAntCSBMag(0).Text(), "0");
    Files().ExpectFile(Path("site.inp"));
    Boxes().Expect(
        "No 3D File Associated with this INP file,\r\nBut a 3D file of the same name was found.\r\n"
        "This file will be used.",
        plat::vbOK);
    w.Menu("mnuLoad").Trigger();
    const std::vector<double> reloaded = ShownFeeds(w);
    ASSERT_EQ(reloaded.size(), shown.size());
    for (std::size_t i = 0; i < shown.size(); ++i)
        EXPECT_NEAR(reloaded[i], shown[i], 5e-4) << i;

    // Saved again unchanged, the antennas are written the same: nothing compounds over a round trip.
    Files().ExpectFile(Path("again.inp"));
    w.Menu("mnuSave").Trigger();
    const std::string cards = AntennaCards(Path("site.inp"));
    EXPECT_NE(cards.find("\t\t0.000\t20.000\t0.708\t0.000\t0.000\t0.000\r\n"), std::string::npos) << cards;
    EXPECT_EQ(AntennaCards(Path("again.inp")), cards);

    // The adjustment boxes act on the base feeds from before the save.
    TypeTab(w.txtAntAtten(0), "0");
    EXPECT_EQ(w.txtAntCSBMag(0).Text(), "1.0");
    TypeTab(w.txtAntPhaseAdj(2), "0");
    EXPECT_EQ(w.txtAntCSBPhase(2).Text(), "0.0");
    EXPECT_EQ(w.txtAntSBOPhase(2).Text(), "20.0");
}

} // namespace
