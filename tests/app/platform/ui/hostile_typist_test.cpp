// The hostile typist finds what it is for: a handler that throws (also while the window opens), a
// window left disabled, a modal window that will not close; a window that asks before it closes is
// answered until it does.
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
        stuckItem = &bad.Add("mnuStuck", "Stuck");
        stuckItem->Click = [this] { stuck.Show(Modality::Modal); };
    }
    plat::TextBox txtIn{*this, "txtIn"};
    plat::CommandButton cmdThrow{*this, "cmdThrow"};
    Dialog asks{"frmAsks", [] { return plat::MsgBox("Save changes?", plat::vbYesNoCancel) == plat::vbNo; }};
    Dialog stuck{"frmStuck", [] { return false; }};
    plat::MenuItem* disable = nullptr;
    plat::MenuItem* stuckItem = nullptr;
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

TEST_F(HostileTypistFinds, AHandlerThatThrowsWhileTheWindowOpens) {
    w.disable->SetVisible(false);
    w.stuckItem->SetVisible(false);
    w.Activate = [] { throw std::runtime_error("no data"); };
    // The window is activated again when the modal window over it closes.
    EXPECT_EQ(typist.Run("0"), (std::vector<std::string>{"opening the window: a handler threw: no data",
                                                         "button Throw: the handler threw: broken",
                                                         "menu/&Bad/Asks: the handler threw: no data"}));
}

} // namespace
