// The hostile typist on the viewer: every text of the table in every box, then every command.
#include <gtest/gtest.h>

#include "ViewerProfileGrid.h"
#include "platform/ui/testing/HostileTypist.h"
#include "shell/model/ModelVariables.h"
#include "viewer/ui/frmViewGround.h"

namespace {

class ViewerHostileTypist : public ::testing::TestWithParam<std::string> {
protected:
    ViewerHostileTypist() { plat::testing::Application(); }
    void SetUp() override { shell::Model() = shell::ModelVariables{}; }
    void TearDown() override { plat::DeleteWindowInstances(); }

    QWidget* Opened() {
        auto& w = frmViewGround();
        ViewGroundHost host;
        host.groundGrid = [this]() -> const plat::GridModel* { return &grid_; };
        host.antennaBoxes = [this] { return boxes_; };
        host.setAntennaBoxes = [this](const viewer::AntennaBoxes& b) { boxes_ = b; };
        host.useSI = [this] { return si_; };
        host.openedByView2D = [] { return false; };
        w.SetHost(host);
        w.Show();
        return w.Window();
    }

    ViewerProfileGrid grid_{{"0", "1", "2", "4", "3"}};
    viewer::AntennaBoxes boxes_{0, {"0", "", "0"}, {"-1000", "", "0"}, {"", "", ""}};
    bool si_ = false;
    plat::testing::ScriptedServices services_;
};

TEST_P(ViewerHostileTypist, NoTextEndsOrFreezesTheViewer) {
    plat::testing::HostileTypist typist(services_.Boxes(), services_.Files(), [this] { return Opened(); });
    EXPECT_EQ(typist.Run(GetParam()), std::vector<std::string>{});
}

// The antenna boxes of the main window reach the viewer too: a setback that overflows in metres.
TEST_P(ViewerHostileTypist, NoAntennaBoxEndsTheViewerInMetres) {
    si_ = true;
    const std::string& t = GetParam();
    boxes_ = {0, {t, t, t}, {t, t, t}, {t, t, t}};
    plat::testing::HostileTypist typist(services_.Boxes(), services_.Files(), [this] { return Opened(); });
    EXPECT_EQ(typist.Run("0"), std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(Texts, ViewerHostileTypist, ::testing::ValuesIn(plat::testing::HostileTexts()),
                         [](const ::testing::TestParamInfo<std::string>& info) {
                             return "Text" + std::to_string(info.index);
                         });

} // namespace
