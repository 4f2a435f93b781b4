// The hostile typist on the map digitiser: every text of the table in every box, then every command.
#include "DigitiserFixture.h"

#include "platform/ui/testing/HostileTypist.h"

namespace {

class DigitiserHostileTypist : public DigitiserTest, public ::testing::WithParamInterface<std::string> {};

TEST_P(DigitiserHostileTypist, NoTextEndsOrFreezesTheDigitiser) {
    plat::testing::HostileTypist typist(*boxes_, *dialogs_, [this] {
        auto& w = Opened();
        if (!w.HasImage())
            w.LoadImageFile(Chart());
        return w.Window();
    });
    EXPECT_EQ(typist.Run(GetParam()), std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(Texts, DigitiserHostileTypist, ::testing::ValuesIn(plat::testing::HostileTexts()),
                         [](const ::testing::TestParamInfo<std::string>& info) {
                             return "Text" + std::to_string(info.index);
                         });

} // namespace
