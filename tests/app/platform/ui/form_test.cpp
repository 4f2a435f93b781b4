// Windows: load and unload, modal windows with a nested event loop, default instances.
#include <string>
#include <vector>

#include <QTest>

#include "platform/ui/Form.h"
#include "platform/ui/TextBox.h"
#include "platform/ui/testing/GuiTest.h"

namespace {

using plat::testing::Application;

struct Dialog : plat::Form {
    Dialog() : plat::Form("frmDialog") {
        ++created;
        Load = [this] { log.push_back("Load"); };
        Unload = [this](int& cancel) {
            log.push_back("Unload");
            cancel = refuse ? 1 : 0;
        };
    }
    ~Dialog() override { ++destroyed; }
    plat::TextBox txtValue{*this, "txtValue"};
    std::vector<std::string> log;
    bool refuse = false;
    static inline int created = 0;
    static inline int destroyed = 0;
};

class FormTest : public ::testing::Test {
protected:
    QApplication& app = Application();
};

TEST_F(FormTest, ShowLoadsOnceAndUnloadLeavesTheLoadedWindows) {
    Dialog d;
    d.SetCaption("Edit 3D Ground File");
    EXPECT_EQ(d.Caption(), "Edit 3D Ground File");
    d.Show();
    d.Hide();
    d.Show();
    EXPECT_EQ(d.log, (std::vector<std::string>{"Load"}));
    auto forms = plat::LoadedForms();
    EXPECT_NE(std::find(forms.begin(), forms.end(), &d), forms.end());
    d.refuse = true;
    EXPECT_FALSE(plat::Unload(d));
    EXPECT_TRUE(d.Visible());
    d.refuse = false;
    EXPECT_TRUE(plat::Unload(d));
    EXPECT_FALSE(d.Visible());
    EXPECT_TRUE(d.WasUnloaded());
    forms = plat::LoadedForms();
    EXPECT_EQ(std::find(forms.begin(), forms.end(), &d), forms.end());
    EXPECT_TRUE(plat::Unload(d)); // not loaded: nothing
    EXPECT_EQ(d.log, (std::vector<std::string>{"Load", "Unload", "Unload"}));
}

TEST_F(FormTest, ClosingByTheCloseBoxUnloads) {
    Dialog d;
    d.Show();
    d.refuse = true;
    d.Window()->close();
    EXPECT_TRUE(d.Visible());
    d.refuse = false;
    d.Window()->close();
    EXPECT_FALSE(d.Visible());
    EXPECT_FALSE(d.IsLoaded());
}

TEST_F(FormTest, AModalShowReturnsWhenTheWindowIsHiddenOrUnloaded) {
    Dialog d;
    bool modalWhileShown = false;
    plat::testing::Queue([&] {
        modalWhileShown = d.IsModal() && d.Window()->isModal();
        d.txtValue.SetText("42");
        d.Hide();
    });
    d.Show(plat::Form::Modality::Modal);
    EXPECT_TRUE(modalWhileShown);
    EXPECT_FALSE(d.IsModal());
    EXPECT_EQ(d.txtValue.Text(), "42");
    plat::testing::Queue([&] { plat::Unload(d); });
    d.Show(plat::Form::Modality::Modal);
    EXPECT_FALSE(d.IsLoaded());
}

TEST_F(FormTest, ADefaultInstanceIsRecreatedAfterUnload) {
    Dialog::created = 0;
    Dialog::destroyed = 0;
    {
        plat::DefaultInstance<Dialog> frmDialog;
        EXPECT_FALSE(frmDialog.Exists());
        frmDialog().txtValue.SetText("kept");
        frmDialog().Show();
        EXPECT_EQ(frmDialog().txtValue.Text(), "kept");
        EXPECT_EQ(Dialog::created, 1);
        plat::Unload(frmDialog());
        EXPECT_FALSE(frmDialog.Exists());
        EXPECT_EQ(frmDialog().txtValue.Text(), ""); // a fresh window
        EXPECT_EQ(Dialog::created, 2);
        EXPECT_EQ(Dialog::destroyed, 0); // the old one goes once the event loop runs
        plat::DoEvents();
        EXPECT_EQ(Dialog::destroyed, 1);
    }
    EXPECT_EQ(Dialog::destroyed, 2);
}

TEST_F(FormTest, DeleteWindowInstancesDeletesEveryInstancesWindowLastMadeFirst) {
    static std::vector<std::string> gone;
    struct Named : plat::Form {
        explicit Named(std::string name) : plat::Form(name), name_(std::move(name)) {}
        ~Named() override { gone.push_back(name_); }
        std::string name_;
    };
    struct Main : Named {
        Main() : Named("frmMain") {}
    };
    struct Help : Named {
        Help() : Named("frmHelp") {}
    };
    gone.clear();
    plat::DefaultInstance<Main> frmMain;
    plat::DefaultInstance<Help> frmHelp;
    {
        plat::DefaultInstance<Help> gonePrivate; // its end takes it out of the instances
        gonePrivate();
    }
    ASSERT_EQ(gone, std::vector<std::string>{"frmHelp"});
    frmMain().name_ = "retired frmMain";
    frmMain().Show();
    plat::Unload(frmMain());
    frmMain();
    frmHelp();
    plat::DeleteWindowInstances();
    EXPECT_EQ(gone, (std::vector<std::string>{"frmHelp", "frmHelp", "frmMain", "retired frmMain"}));
    EXPECT_FALSE(frmMain.Exists());
    EXPECT_FALSE(frmHelp.Exists());
    frmMain().Show();
    EXPECT_TRUE(frmMain.Exists());
    plat::DeleteWindowInstances();
    EXPECT_EQ(gone.size(), 5U);
}

TEST_F(FormTest, GeometryInTwips) {
    plat::Form f("frmGeometry");
    f.Move(1500, 3000, 7665, 7575);
    EXPECT_EQ(f.Left(), 1500);
    EXPECT_EQ(f.Top(), 3000);
    EXPECT_EQ(f.Width(), 7665);
    EXPECT_EQ(f.Height(), 7575);
    f.SetClientSize(3000, 1500);
    EXPECT_EQ(f.ScaleWidth(), 3000);
    EXPECT_EQ(f.ScaleHeight(), 1500);
}

TEST_F(FormTest, WindowStateFollowsMinimisingAndRestoring) {
    plat::Form f("frmState");
    f.Show();
    EXPECT_EQ(f.WindowState(), 0);
    for (int state : {1, 2, 0}) {
        f.SetWindowState(state);
        EXPECT_EQ(f.WindowState(), state);
    }
    plat::Unload(f);
}

} // namespace
