#include <gtest/gtest.h>

#include <QTimer>

#include <memory>

#include "platform/ui/testing/GuiTest.h"
#include "viewer/ui/frmGroundColors.h"
#include "viewer/ui/frmViewGround.h"

namespace {

class GroundColorsDialog : public ::testing::Test {
protected:
    GroundColorsDialog() { plat::testing::Application(); }
    void SetUp() override { services_ = std::make_unique<plat::testing::ScriptedServices>(); }
    void TearDown() override {
        plat::DeleteWindowInstances();
        services_.reset();
    }
    std::unique_ptr<plat::testing::ScriptedServices> services_;
};

TEST_F(GroundColorsDialog, LightOnDarkThenApplyChangesGivesTheViewerItsColours) {
    auto& viewer = frmViewGround();
    const frmViewGround::SurfaceFactory saved = frmViewGround::MakeSurface();
    frmViewGround::MakeSurface() = [](int, int) { return std::unique_ptr<plat::GlSurface>(); };
    plat::Load(viewer);
    QTimer::singleShot(0, [] {
        auto& dialog = frmGroundColors();
        EXPECT_EQ(dialog.Caption(), "Ground View Colors");
        EXPECT_EQ(dialog.Label1[5]->Caption(), "Bottom Vertical Grid:");
        EXPECT_EQ(dialog.cmdColor[3]->BackColor(), 0x606061U);
        dialog.cmdLight->Click();
        dialog.cmdExit->Click();
    });
    viewer.cmdColors->Click();
    EXPECT_EQ(viewer.BackgroundColor, 0);
    EXPECT_EQ(viewer.GridColor, 0xFFFFFF);
    EXPECT_EQ(viewer.GroundColor, 0xFF);
    EXPECT_EQ(viewer.RunwayColor, 0xFFFF00);
    EXPECT_EQ(viewer.Grid2Color, 0xC0C000);
    EXPECT_FLOAT_EQ(viewer.Grid3Color, 7976159.0F);
    EXPECT_EQ(viewer.Plotter->BackColor(), 0U);
    EXPECT_FALSE(viewer.EyeColor.has_value());
    frmViewGround::MakeSurface() = saved;
}

TEST_F(GroundColorsDialog, PickerChoosesOneColourAndACancelChangesNothing) {
    auto& dialog = frmGroundColors();
    dialog.Start(kDarkOnLight, nullptr);
    // The scripted dialogs cancel a colour picker they have no answer for.
    auto& files = services_->Files();
    const auto failOnUnexpected = files.OnUnexpected;
    files.OnUnexpected = [](const std::string&) {};
    dialog.cmdColor[2]->Click();
    files.OnUnexpected = failOnUnexpected;
    EXPECT_EQ(files.Unexpected(), 1);
    EXPECT_EQ(dialog.Colours, kDarkOnLight);
    services_->Files().ExpectColour(0x123456);
    dialog.cmdColor[2]->Click();
    EXPECT_EQ(dialog.Colours.GroundColor, 0x123456);
    EXPECT_EQ(dialog.cmdColor[2]->BackColor(), 0x123456U);
    dialog.cmdDefault->Click();
    EXPECT_EQ(dialog.Colours, kDarkOnLight);
}

} // namespace
