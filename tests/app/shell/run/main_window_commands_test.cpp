// Every command of the main window as a user reaches it: each menu-bar path clicked with the mouse,
// its access keys, its shortcut and its toolbar button, sent as the desktop sends them; each runs its
// command once, counted by what it shows. Also after a message box on screen has closed, when the
// desktop has left no window active. Runs off screen and on a virtual X display.
#include "RunWindowFixture.h"

#include <functional>

#include <QAbstractButton>
#include <QMessageBox>
#include <QTest>

#include "platform/ui/testing/UserInput.h"
#include "shell/mainwindow/logic/ShellCommands.h"

namespace {

constexpr char kOverwrite[] = "Parameter File Exists.\rOverwrite? ";

struct Command {
    std::vector<std::string> path;
    Qt::Key shortcut;     // Qt::Key_unknown: none
    int button;           // toolbar button, 0: none
    std::function<void()> arm;
    std::function<int()> effect;
};

// A box on screen, closed by its OK button once it shows.
void BoxOnScreenClosed() {
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
            box->button(QMessageBox::Ok)->click();
    });
    closer.start(20);
    plat::QtMessageBoxService().Show({"Shown on screen", plat::vbOKOnly, ""});
}

class MainWindowCommands : public RunWindow {
protected:
    void SetUp() override {
        RunWindow::SetUp();
        PutSample("cegs_site.inp");
        Put("cegs_site.prn", " 1.00000E+03 1.00000E+00\r\n 2.00000E+03 2.00000E+00\r\n");
    }

    int Boxes(const std::string& prompt) const {
        int n = 0;
        for (const auto& r : boxes_->Shown())
            n += r.prompt == prompt ? 1 : 0;
        return n;
    }
    int Dialogs() const { return static_cast<int>(dialogs_->Requests().size()); }

    std::vector<Command> Table(class frmMain& w, plat::testing::WindowWatch& watch) {
        auto window = [&watch](const char* name) { return [&watch, name] { return watch.Shown(name); }; };
        auto box = [this](const char* prompt, int answer) {
            return std::pair<std::function<void()>, std::function<int()>>{
                [this, prompt, answer] { boxes_->Expect(prompt, answer); }, [this, prompt] { return Boxes(prompt); }};
        };
        auto dialog = [this] { dialogs_->ExpectCancel(); };
        auto nothing = [] {};
        const auto overwrite = box(kOverwrite, plat::vbCancel);
        // A key typed into a box marks the model edited, so that New asks first.
        const auto edited = [this, &w] {
            QTest::keyClick(w.txtThZ->Editor(), Qt::Key_0);
            boxes_->Expect(shell::kSaveChangesQuestion, plat::vbNo);
        };
        // A check that the command changes: counted when it changes.
        auto flips = [&w](const char* item) {
            return [&w, item, checked = w.Menu(item).Checked(), n = 0]() mutable {
                const bool now = w.Menu(item).Checked();
                n += now != checked ? 1 : 0;
                checked = now;
                return n;
            };
        };
        // A field model chosen again changes nothing to see: its check is taken off before.
        auto unchecked = [&w](const char* item) { return [&w, item] { w.Menu(item).SetChecked(false); }; };
        return {
            {{"Run/Plot", "Run Simulation"}, Qt::Key_F5, 6, overwrite.first, overwrite.second},
            {{"Run/Plot", "Run and Plot"}, Qt::Key_F6, 7, overwrite.first, overwrite.second},
            {{"Run/Plot", "Plot"}, Qt::Key_F7, 8, nothing, window("frmPlot")},
            {{"Run/Plot", "Generate Multiple Outputs"}, Qt::Key_unknown, 0, nothing, window("frmMulOutputs")},
            {{"&Other Parameters", "Plot Params"}, Qt::Key_F4, 0, nothing, window("frmPlotParams")},
            {{"&Other Parameters", "Element Params"}, Qt::Key_unknown, 0, nothing, window("frmElemParm")},
            {{"&Other Parameters", "O&utput Params"}, Qt::Key_unknown, 0, nothing, window("frmOutput")},
            {{"&Other Parameters", "Use Ray Optics"}, Qt::Key_unknown, 10, unchecked("mnuRay"), flips("mnuRay")},
            {{"&Other Parameters", "Use Phys. Opt."}, Qt::Key_unknown, 12, unchecked("mnuPO"), flips("mnuPO")},
            {{"&Other Parameters", "Use GTD"}, Qt::Key_unknown, 11, unchecked("mnuGTD"), flips("mnuGTD")},
            {{"&Help", "Coordinate Help"}, Qt::Key_unknown, 0, nothing, window("frmOriginHelp")},
            {{"&Help", "About"}, Qt::Key_unknown, 0, nothing, window("frmNewAbout")},
            {{"&File", "Use 3D File"}, Qt::Key_unknown, 5, nothing, flips("mnuUse3D")},
            {{"&File", "Change &3D Filename"}, Qt::Key_unknown, 0, dialog, [this] { return Dialogs(); }},
            {{"&File", "Edit 3&D File"}, Qt::Key_unknown, 0, nothing, window("frmEdit3D")},
            {{"&File", "Load Output File"}, Qt::Key_unknown, 0, dialog, [this] { return Dialogs(); }},
            {{"&File", "&Save Param File"}, Qt::Key_unknown, 2, dialog, [this] { return Dialogs(); }},
            {{"&File", "&Load Param File"}, Qt::Key_unknown, 3, dialog, [this] { return Dialogs(); }},
            {{"&File", "&New Param File"}, Qt::Key_unknown, 1, edited, [this] { return Boxes(shell::kSaveChangesQuestion); }},
            {{"&File", "Exit"}, Qt::Key_unknown, 0, nothing, [this] { return exits_; }},
        };
    }

    // Each way to the command runs it once.
    void ExpectEachWayRunsOnce(class frmMain& w, const Command& c, plat::testing::WindowWatch& watch) {
        const std::string name = c.path.back();
        auto once = [&](const std::string& way, const std::function<void()>& act) {
            c.arm();
            const int before = c.effect();
            act();
            plat::DoEvents(20);
            EXPECT_EQ(c.effect() - before, 1) << name << " by " << way;
        };
        once("the mouse", [&] { EXPECT_TRUE(plat::testing::ClickMenu(w, c.path)) << name; });
        if (plat::testing::HasAccessKeys(c.path))
            once("its access keys", [&] { EXPECT_TRUE(plat::testing::PressAccessKeys(w, c.path)) << name; });
        if (c.shortcut != Qt::Key_unknown) {
            once("its shortcut to the window", [&] { plat::testing::PressKey(w, c.shortcut); });
            once("its shortcut to the focused box", [&] {
                w.txtThZ->SetFocus();
                QTest::keyClick(w.txtThZ->Editor(), c.shortcut);
            });
        }
        if (c.button != 0)
            once("its toolbar button", [&] { plat::testing::ClickToolbarButton(*w.Toolbar1, c.button); });
        (void)watch;
    }

    int exits_ = 0;
};

TEST_F(MainWindowCommands, EveryCommandRunsOnceByEachWayToIt) {
    plat::testing::WindowWatch watch({"frmPlot", "frmMulOutputs", "frmPlotParams", "frmElemParm", "frmOutput",
                                      "frmOriginHelp", "frmNewAbout", "frmEdit3D"});
    auto& w = Started();
    w.EndProgram = [this] { ++exits_; };
    // The plot file of the last run.
    shell::Model().OutFile = (dir_ / "cegs_site.prn").string();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w.Window()));
    for (const Command& c : Table(w, watch))
        ExpectEachWayRunsOnce(w, c, watch);
    EXPECT_TRUE(engine_->starts.empty());
}

// A box on screen closes and leaves, on a desktop without a window manager (and off screen), no
// window active: the window has its focus back, and F5 and F6 ask the overwrite question once each.
TEST_F(MainWindowCommands, AfterAMessageBoxClosedF5AndF6RunOnce) {
    auto& w = Started();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w.Window()));
    w.txtThZ->SetFocus();
    for (Qt::Key key : {Qt::Key_F5, Qt::Key_F6}) {
        BoxOnScreenClosed();
        EXPECT_TRUE(plat::testing::WaitFor([&] { return w.txtThZ->HasFocus(); })) << "focus back";
        boxes_->Expect(kOverwrite, plat::vbCancel);
        const int before = Boxes(kOverwrite);
        plat::testing::PressKey(w, key);
        plat::DoEvents(20);
        EXPECT_EQ(Boxes(kOverwrite) - before, 1) << QKeySequence(key).toString().toStdString();
    }
    EXPECT_TRUE(engine_->starts.empty());
}

} // namespace
