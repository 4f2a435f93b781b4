// The hostile typist finds what it is for: a handler that throws, a window left disabled, a modal
// window that will not close; a window that asks before it closes is answered until it does.
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/services/MessageBox.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/Form.h"
#include "platform/ui/Menu.h"
#include "platform/ui/TextBox.h"
#include "platform/ui/testing/GuiTest.h"
#include "platform/ui/testing/HostileTypist.h"

namespace {

// A modal window whose close box is refused while `leave` says no.
struct Dialog : plat::Form {
    Dialog(const std::string& name, std::function<bool()> leave) : plat::Form(name) {
        Unload = [leave = std::move(leave)](int& cancel) { cancel = leave() ? 0 : 1; };
    }
};

struct Faulty : plat::Form {
    Faulty() : plat::Form("frmFaulty") {
        SetCaption("Faulty");
        SetClientSize(4000, 3000);
        txtIn.Move(100, 100, 1500, 300);
        cmdThrow.Move(100, 600, 1500, 400);
        cmdThrow.SetCaption("Throw");
        cmdThrow.Click = [] { throw std::runtime_error("broken"); };
        auto& bad = AddMenu("mnuBad", "&Bad");
        bad.Add("mnuAsks", "Asks").Click = [this] {
            asks.Show(Modality::Modal);
            ++asked;
        };
        disable = &bad.Add("mnuDisable", "Disable");
        disable->Click = [this] { Window()->setEnabled(false); };
        bad.Add("mnuStuck", "Stuck").Click = [this] { stuck.Show(Modality::Modal); };
    }
    plat::TextBox txtIn{*this, "txtIn"};
    plat::CommandButton cmdThrow{*this, "cmdThrow"};
    Dialog asks{"frmAsks", [] { return plat::MsgBox("Save changes?", plat::vbYesNoCancel) == plat::vbNo; }};
    Dialog stuck{"frmStuck", [] { return false; }};
    plat::MenuItem* disable = nullptr;
    int asked = 0;
};

class HostileTypistFinds : public ::testing::Test {
protected:
    plat::testing::ScriptedServices services_;
    Faulty w;
    plat::testing::HostileTypist typist{services_.Boxes(), services_.Files(), [this] {
                                            w.Show();
                                            return w.Window();
                                        }};
};

// The window left disabled offers no command after it.
TEST_F(HostileTypistFinds, AThrowAndADisabledWindowButNotAWindowThatAsksBeforeItCloses) {
    EXPECT_EQ(typist.Run("1e999"),
              (std::vector<std::string>{"button Throw: the handler threw: broken",
                                        "menu/&Bad/Disable: the window is left disabled"}));
    EXPECT_EQ(w.asked, 1);
    EXPECT_EQ(w.txtIn.Text(), "1e999");
}

TEST_F(HostileTypistFinds, AModalWindowThatWillNotCloseFailsTheRunWithoutHangingIt) {
    w.disable->SetVisible(false);
    const std::vector<std::string> problems = typist.Run("0");
    EXPECT_EQ(problems,
              (std::vector<std::string>{"button Throw: the handler threw: broken",
                                        "menu/&Bad/Stuck: still running after 15 s, window \"frmStuck\" "
                                        "will not close"}));
    EXPECT_FALSE(w.stuck.Visible());
}

} // namespace
