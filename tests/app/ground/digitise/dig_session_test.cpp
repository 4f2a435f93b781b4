#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ground/digitise/logic/DigSession.h"
#include "ground/digitise/logic/PointsGrid.h"
#include "platform/text/Strings.h"

namespace {

using common::MakeVector;
using digitise::DigSession;
using digitise::Prompt;
using digitise::Release;

const digitise::RangeTexts kRange{"0", "100", "0", "50"};

struct Session : ::testing::Test {
    void SetUp() override {
        digitise::SizeGridColumns(points, 3000, 255);
        ASSERT_TRUE(session.StartCalibration());
    }
    void Accept() { ASSERT_EQ(session.AcceptRange(kRange, points), ""); }
    Release Click(float x, float y) { return session.MouseUp(MakeVector(x, y, 0), points); }
    // The chart's corners in click order: LL, UL, LR, UR.
    void Calibrate() {
        Accept();
        for (auto [x, y] : {std::pair{1000.F, 4000.F}, {1500.F, 1000.F}, {4500.F, 4200.F}})
            ASSERT_EQ(Click(x, y), Release::Corner);
        ASSERT_EQ(Click(3500, 1200), Release::Ready);
    }

    plat::GridModel points;
    DigSession session;
};

TEST_F(Session, PromptsInOrderThenPoints) {
    EXPECT_EQ(session.DigState(), 1);
    EXPECT_FALSE(session.ParamsAccepted());
    EXPECT_EQ(Click(1000, 4000), Release::Ignored); // no range yet
    EXPECT_EQ(session.DigState(), 1);
    Accept();
    std::vector<Prompt> prompts{session.CurrentPrompt()};
    for (auto [x, y] : {std::pair{1000.F, 4000.F}, {1500.F, 1000.F}, {4500.F, 4200.F}, {3500.F, 1200.F}}) {
        Click(x, y);
        prompts.push_back(session.CurrentPrompt());
    }
    EXPECT_EQ(prompts, (std::vector<Prompt>{Prompt::LowLeft, Prompt::UpLeft, Prompt::LowRight,
                                            Prompt::UpRight, Prompt::ReadyToDig}));
    EXPECT_EQ(session.DigState(), 5);
    EXPECT_EQ(digitise::PromptText(Prompt::ReadyToDig), "Ready To Digitize....");
    EXPECT_EQ(Click(10, 10), Release::Ignored); // outside the quadrilateral
    EXPECT_EQ(session.NextRow(), 1);
    EXPECT_EQ(Click(2750, 4099), Release::Point); // just above the bottom side's midpoint
    EXPECT_NEAR(std::stod(points.TextMatrix(1, 0)), 50, 0.1);
    EXPECT_EQ(points.TextMatrix(1, 1), plat::Format(session.LastGround().Y, "####0.00"));
    EXPECT_EQ(session.NextRow(), 2);
    EXPECT_FALSE(session.StartCalibration()); // one is under way
}

TEST_F(Session, NotConvexRestartsAtLowerLeftKeepingTheRange) {
    Accept();
    Click(1000, 4000);
    Click(1500, 1000);
    Click(3500, 1200); // UR's place clicked for LR: the sides cross
    EXPECT_EQ(Click(4500, 4200), Release::NotConvex);
    EXPECT_EQ(session.DigState(), 1);
    EXPECT_EQ(session.CurrentPrompt(), Prompt::LowLeft);
    EXPECT_TRUE(session.ParamsAccepted());
    EXPECT_EQ(Click(1000, 4000), Release::Corner);
    EXPECT_EQ(session.DigState(), 2);
}

TEST_F(Session, FullGridChangesNothing) {
    Calibrate();
    for (int i = 0; i < 100; ++i)
        ASSERT_EQ(Click(2000 + 10 * (i % 20), 2000 + 10 * (i / 20)), Release::Point) << i;
    EXPECT_EQ(points.TextMatrix(100, 0).empty(), false);
    const std::string last = points.TextMatrix(100, 0) + points.TextMatrix(100, 1);
    for (auto [x, y] : {std::pair{2500.F, 2500.F}, {10.F, 10.F}})
        EXPECT_EQ(Click(x, y), Release::GridFull);
    EXPECT_EQ(session.NextRow(), 101);
    EXPECT_EQ(points.Rows(), 101);
    EXPECT_EQ(points.TextMatrix(100, 0) + points.TextMatrix(100, 1), last);
}

TEST_F(Session, DragMovesThePendingCornerWithTheLeftButtonOnly) {
    Accept();
    EXPECT_FALSE(session.MouseMove(2, MakeVector(700, 700, 0)));
    EXPECT_EQ(session.CornerPoints().LL, common::Vector3{});
    EXPECT_TRUE(session.MouseMove(1, MakeVector(900, 3900, 0)));
    EXPECT_EQ(session.CornerPoints().LL, MakeVector(900, 3900, 0));
    // A release records whatever button it was: the release carries no button at all.
    EXPECT_EQ(Click(1000, 4000), Release::Corner);
    EXPECT_EQ(session.CornerPoints().LL, MakeVector(1000, 4000, 0));
    EXPECT_TRUE(session.MouseMove(1, MakeVector(1400, 900, 0)));
    EXPECT_EQ(session.CornerPoints().UL, MakeVector(1400, 900, 0));
    EXPECT_EQ(session.CornerPoints().LL, MakeVector(1000, 4000, 0));
}

TEST_F(Session, IdleAndDigitisingIgnoreDrags) {
    Calibrate();
    EXPECT_FALSE(session.MouseMove(1, MakeVector(0, 0, 0)));
    session.Reset();
    EXPECT_EQ(session.DigState(), 0);
    EXPECT_FALSE(session.MouseMove(1, MakeVector(0, 0, 0)));
    EXPECT_EQ(Click(2500, 2500), Release::Ignored);
    EXPECT_TRUE(session.StartCalibration());
    EXPECT_FALSE(session.ParamsAccepted()); // a new calibration asks for the range again
}

// A rejected range leaves everything as it was; an accepted one empties the grid.
TEST_F(Session, RangeAcceptance) {
    points.SetTextMatrix(3, 1, "7.00");
    EXPECT_EQ(session.AcceptRange({"0", "0", "0", "1"}, points), "Min X and Max X cannot be equal....");
    EXPECT_FALSE(session.ParamsAccepted());
    EXPECT_EQ(points.TextMatrix(3, 1), "7.00");
    Accept();
    EXPECT_EQ(points.TextMatrix(3, 1), "");
    EXPECT_EQ(points.TextMatrix(0, 1), "Z");
    EXPECT_EQ(session.Range().XMax, 100);
}

} // namespace
