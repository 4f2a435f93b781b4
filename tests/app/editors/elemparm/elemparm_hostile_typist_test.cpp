// The hostile typist on the element parameters dialog: every text of the table in every box, then
// every command. The dialog is shown without its modal loop, so that the typist drives it.

#include <gtest/gtest.h>

#include "editors/elemparm/frmElemParm.h"
#include "platform/ui/Form.h"
#include "platform/ui/testing/GuiTest.h"
#include "platform/ui/testing/HostileTypist.h"
#include "shell/model/ModelVariables.h"

namespace {

class ElemParmHostileTypist : public ::testing::TestWithParam<std::string> {
protected:
    void SetUp() override { shell::Model() = shell::ModelVariables{}; }
    void TearDown() override { plat::DeleteWindowInstances(); }
    plat::testing::ScriptedServices services_;
};

TEST_P(ElemParmHostileTypist, NoTextEndsOrFreezesTheDialog) {
    plat::testing::HostileTypist typist(services_.Boxes(), services_.Files(), [] {
        class frmElemParm& d = frmElemParm();
        d.Show();
        return d.Window();
    });
    EXPECT_EQ(typist.Run(GetParam()), std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(Texts, ElemParmHostileTypist, ::testing::ValuesIn(plat::testing::HostileTexts()),
                         [](const ::testing::TestParamInfo<std::string>& info) {
                             return "Text" + std::to_string(info.index);
                         });

} // namespace
