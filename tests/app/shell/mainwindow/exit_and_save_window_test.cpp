// The File menu's Exit and Save through the menu bar, as the user reaches them: Exit asks its
// overwrite question once, also when ending the program closes the window; a save that cannot write
// every file it would write changes no file.
#include "GuiTest.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

#include "platform/ui/testing/GuiTest.h"

using namespace shell;

namespace fs = std::filesystem;

namespace {

constexpr char kOverwrite[] = "Parameter File Exists.\rOverwrite? ";

QAction* ActionOf(const QList<QAction*>& actions, const QString& text) {
    for (QAction* a : actions) {
        if (a->text() == text)
            return a;
    }
    ADD_FAILURE() << "no menu item " << text.toStdString();
    return nullptr;
}

// The menu opened with a click on the menu bar, the item chosen with a click in the menu.
void ChooseMenuItem(class frmMain& w, const QString& menu, const QString& item) {
    QMenuBar* bar = w.Window()->menuBar();
    QAction* top = ActionOf(bar->actions(), menu);
    ASSERT_NE(top, nullptr);
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(top).center());
    QMenu* popup = top->menu();
    ASSERT_TRUE(plat::testing::WaitFor([&] { return popup->isVisible(); }));
    QAction* chosen = ActionOf(popup->actions(), item);
    ASSERT_NE(chosen, nullptr);
    QTest::mouseClick(popup, Qt::LeftButton, {}, popup->actionGeometry(chosen).center());
}

// A key typed into a box of the window: the window marks the model as edited.
void TypeKey(class frmMain& w) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_0, Qt::NoModifier, "0");
    QApplication::sendEvent(w.txtThZ->Editor(), &press);
}

class ExitAndSave : public WindowTest {
protected:
    std::string PutSample() {
        fs::copy_file(fs::path(PELLON_EXAMPLES_DIR) / "cegs_site.3D", dir_ / "cegs_site.3D",
                      fs::copy_options::skip_existing);
        const std::string site =
            Put("cegs_site.inp", plat::testing::FileBytes(fs::path(PELLON_EXAMPLES_DIR) / "cegs_site.inp"));
        Put("Pellic.ini", "cegs_site.inp,cegs_site.prn,cegs_site.3D\r\n0, 1\r\n");
        return site;
    }
    class frmMain& Started() {
        class frmMain& w = frmMain();
        w.Show();
        EXPECT_TRUE(QTest::qWaitForWindowActive(w.Window()));
        return w;
    }
};

} // namespace

TEST_F(ExitAndSave, ExitAfterAnEditAsksOnceThoughTheProgramsEndClosesTheWindow) {
    const std::string site = PutSample();
    auto& w = Started();
    int ends = 0;
    // As the application's quit does: every window is closed before the program ends.
    w.EndProgram = [&] {
        ++ends;
        w.Window()->close();
    };
    TypeKey(w);
    const std::string before = Read("cegs_site.inp");
    boxes_->Expect(kOverwrite, plat::vbYes);
    ChooseMenuItem(w, "&File", "Exit");
    EXPECT_EQ(boxes_->Shown().size(), 1u);
    EXPECT_EQ(ends, 1);
    EXPECT_FALSE(w.Window()->isVisible());
    EXPECT_NE(Read("cegs_site.inp"), before);
}

TEST_F(ExitAndSave, SaveThatCannotWriteTheDefaultGroundFileWritesNothing) {
    // A name without extension as long as the folder takes: the ground file it gives ("name.3D") is
    // three characters too long.
    const std::string name = std::string(253, 's');
    const std::string path = (dir_ / name).string();
    struct Case {
        const char* what;
        bool exists;
    };
    for (const Case c : {Case{"new name", false}, Case{"existing file", true}}) {
        SCOPED_TRACE(c.what);
        plat::DeleteWindowInstances();
        Model() = ModelVariables{};
        MainShellState() = ShellState{};
        if (c.exists)
            Put(name, "an earlier model\r\n");
        auto& w = Started();
        TypeKey(w);
        ASSERT_TRUE(Model().File3D.empty());
        dialogs_->ExpectFile(path);
        if (c.exists)
            boxes_->Expect(kOverwrite, plat::vbYes);
        boxes_->Expect("File Error: " + path + ".3D cannot be written.\r\nFile name too long", plat::vbOK);
        ChooseMenuItem(w, "&File", "&Save Param File");
        EXPECT_EQ(boxes_->Shown().back().title, "File Error");
        EXPECT_EQ(Exists(name), c.exists);
        if (c.exists) {
            EXPECT_EQ(Read(name), "an earlier model\r\n");
        }
        EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), c.exists ? 1 : 0);
        EXPECT_TRUE(Model().File3D.empty());
        fs::remove(dir_ / name);
    }
}
