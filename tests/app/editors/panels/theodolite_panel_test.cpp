// The path and theodolite boxes and "Calculate" in the main window.

#include "PanelsTest.h"

using namespace shell;

namespace {

using TheodolitePanel = PanelsTest;

TEST_F(TheodolitePanel, CalculateTakesTheHeightTypedJustBefore) {
    auto& w = W();
    w.txtAntX(1).SetText("400");
    w.txtAntY(1).SetText("1000");
    w.txtAntX(0).SetText("-10");
    w.txtThPathAngle->SetText("3");
    // The height box loses the focus (and is converted and guarded) before the button's click.
    Type(*w.txtThZ, "5f");
    Click(*w.cmdFindTheod);
    EXPECT_EQ(w.txtThZ->Text(), "5.0");
    EXPECT_EQ(w.txtThX->Text(), "364.57");
    EXPECT_EQ(w.txtThY->Text(), "911.42");
    EXPECT_EQ(Model().NumAnts, 3);
    EXPECT_EQ(w.txtAntX(1).Text(), "400");

    // Two antennas: the lower column is the reference; an empty height becomes 0.
    w.optNumAnts(1).SetValue(true);
    w.txtAntY(0).SetText("500");
    Type(*w.txtThZ, "");
    Click(*w.cmdFindTheod);
    EXPECT_EQ(w.txtThZ->Text(), "0.00"); // an empty length box reads 0.00 once converted
    EXPECT_EQ(w.txtThX->Text(), "-10.00");
    EXPECT_EQ(w.txtThY->Text(), "500.00");
}

TEST_F(TheodolitePanel, EnterAndLeavingThePathAndTheodoliteBoxes) {
    struct Case {
        plat::TextBox* box;
        bool enter;
        const char* typed;
        const char* shown;
    };
    auto& w = W();
    const Case cases[] = {
        {w.txtThPathAngle.get(), true, "2m", "0.0"},   // Enter only guards ("0"), then leaving writes 0.0
        {w.txtThPathAngle.get(), false, "2m", "6.56"}, // leaving converts first
        {w.txtThPathWidth.get(), false, "1f", "1.0"},  {w.txtThX.get(), true, "10m", "32.81"},
        {w.txtThY.get(), false, "abc", "0"},           {w.txtThZ.get(), false, " 12 ", "12"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.box->Name() + " " + c.typed);
        w.txtThPathAngle->SetText("3.00");
        Type(*c.box, c.typed);
        if (c.enter)
            Enter(*c.box);
        else
            Tab(*c.box);
        EXPECT_EQ(c.box->Text(), c.shown);
        if (c.box != w.txtThPathAngle.get()) {
            EXPECT_EQ(w.txtThPathAngle->Text(), "3.00");
        }
    }
}

} // namespace
