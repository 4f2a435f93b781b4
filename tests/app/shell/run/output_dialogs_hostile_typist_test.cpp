// The hostile typist on the output dialogs: every text of the table in every box, then every button.
// The program shows both dialogs modal; here each is shown modeless, so that the typist can drive it.
#include "../mainwindow/GuiTest.h"

#include "platform/ui/testing/HostileTypist.h"
#include "shell/run/frmMulOutputs.h"
#include "shell/run/frmOutput.h"

namespace {

// The dialog shown and activated (it fills its controls from the model then).
template <class Dialog> QWidget* Shown(Dialog& d) {
    d.Show();
    d.Window()->activateWindow();
    plat::DoEvents(20);
    return d.Window();
}

class OutputDialogsHostileTypist : public WindowTest, public ::testing::WithParamInterface<std::string> {};

TEST_P(OutputDialogsHostileTypist, NoTextEndsOrFreezesTheOutputDialog) {
    plat::testing::HostileTypist typist(*boxes_, *dialogs_, [] { return Shown(frmOutput()); });
    EXPECT_EQ(typist.Run(GetParam()), std::vector<std::string>{});
}

// A parameter file may hold any byte as the X and Y variables: the lists then show no choice.
TEST_P(OutputDialogsHostileTypist, NoTextEndsTheOutputDialogOverVariablesNoListHolds) {
    for (const std::uint8_t variable : {std::uint8_t{6}, std::uint8_t{12}, std::uint8_t{255}}) {
        SCOPED_TRACE(int{variable});
        shell::Model().XAxisVar = variable;
        shell::Model().YAxisVar = variable;
        plat::testing::HostileTypist typist(*boxes_, *dialogs_, [] { return Shown(frmOutput()); });
        EXPECT_EQ(typist.Run(GetParam()), std::vector<std::string>{});
        plat::DeleteWindowInstances();
    }
}

TEST_P(OutputDialogsHostileTypist, NoTextEndsOrFreezesTheMultipleOutputsDialog) {
    plat::testing::HostileTypist typist(*boxes_, *dialogs_, [] {
        class frmMulOutputs& d = frmMulOutputs();
        d.NumAntsOption = [] { return 1; };
        return Shown(d);
    });
    EXPECT_EQ(typist.Run(GetParam()), std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(Texts, OutputDialogsHostileTypist,
                         ::testing::ValuesIn(plat::testing::HostileTexts()),
                         [](const ::testing::TestParamInfo<std::string>& info) {
                             return "Text" + std::to_string(info.index);
                         });

} // namespace
