// The hostile typist on the ground editor, with the shipped example loaded: every text of the
// table in every box, then every command.
#include "Edit3DFixture.h"

#include "platform/ui/testing/HostileTypist.h"

namespace {

class Edit3DHostileTypist : public Edit3DTest, public ::testing::WithParamInterface<std::string> {};

TEST_P(Edit3DHostileTypist, NoTextEndsOrFreezesTheEditor) {
    plat::testing::HostileTypist typist(*boxes_, *dialogs_, [this] {
        auto& w = Opened();
        w.Show();
        return w.Window();
    });
    EXPECT_EQ(typist.Run(GetParam()), std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(Texts, Edit3DHostileTypist, ::testing::ValuesIn(plat::testing::HostileTexts()),
                         [](const ::testing::TestParamInfo<std::string>& info) {
                             return "Text" + std::to_string(info.index);
                         });

} // namespace
