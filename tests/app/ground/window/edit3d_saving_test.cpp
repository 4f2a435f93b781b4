// Saving from the ground editor as a user reaches it, with real keys and clicks: a file the window
// refused is replaced only when the user agrees; a value still open in the cell box is committed
// before every command that reads or leaves the grid; a grid of more cuts than a run reads is saved
// only after a warning that names the limit.

#include "Edit3DFixture.h"

#include <QApplication>
#include <QTest>

#include <array>
#include <functional>

#include "platform/ui/testing/UserInput.h"

using plat::testing::FileBytes;
using shell::Model;

namespace {

// Two cuts of two nodes, and the same with 12.5 typed into X of the first node.
const std::string kTwoCuts =
    ground::CountsLine(2, 2) + "1.00 2.00 3.00\r\n4.00 2.00 6.00\r\n1.00 8.00 9.00\r\n4.00 8.00 9.00\r\n";
const std::string kTwoCutsTyped =
    ground::CountsLine(2, 2) + "12.50 2.00 3.00\r\n4.00 2.00 6.00\r\n1.00 8.00 9.00\r\n4.00 8.00 9.00\r\n";

class Edit3DSaving : public Edit3DTest {
public:
    plat::ScriptedMessageBoxes& Boxes() { return *boxes_; }
    plat::ScriptedFileDialogs& Dialogs() { return *dialogs_; }

protected:
    static void Click(plat::CommandButton& button) { QTest::mouseClick(button.Widget(), Qt::LeftButton); }
    // Chooses an item of the grid's pop-up menu, opened by the right button as a user opens it.
    static void ChooseFromPopup(class frmEdit3D& w, const std::string& item) {
        bool chosen = false;
        plat::testing::Queue([&] { chosen = plat::testing::ClickOpenMenuItem(item); });
        plat::testing::ClickCell(*w.grdGround, w.grdGround->Row(), w.grdGround->Col(), Qt::RightButton);
        EXPECT_TRUE(chosen) << item;
    }
    // Types 12.5 into X of the first node: the floating box opens over the cell and stays open.
    static void TypeIntoFirstNode(class frmEdit3D& w) {
        w.grdGround->Select(1, 1);
        w.grdGround->SetFocus();
        plat::testing::TypeKeys("12.5");
        ASSERT_TRUE(w.txtData->Visible());
    }
};

} // namespace

TEST_F(Edit3DSaving, ARefusedFileIsReplacedOnlyWhenTheUserAgrees) {
    // 150 nodes a cut: more than the editor takes, though a run reads them.
    std::string wide = ground::CountsLine(150, 1);
    for (int i = 0; i < 150; ++i)
        wide += std::to_string(i) + ".00 0.00 1.00\r\n";
    Put("wide.3D", wide);
    Model().File3D = "wide.3D";
    boxes_->Expect("The 3D ground file wide.3D cannot be loaded.\r\nThe first line must give the samples per "
                   "lateral cut and the number of lateral cuts, each from 1 to 100.",
                   plat::vbOK);
    auto& w = Shown();
    ASSERT_EQ(w.grdGround->Rows(), 220);
    const std::string replace = "The 3D ground file wide.3D could not be read. Replace it?";
    // "Save" asks; No leaves the file as it was.
    boxes_->Expect(replace, plat::vbNo);
    Click(*w.cmdSaveExit);
    EXPECT_EQ(FileBytes(dir_ / "wide.3D"), wide);
    EXPECT_FALSE(w.Saved());
    // "Exit" answered Yes asks too; No keeps the file and the window.
    boxes_->Expect(kExitPrompt, plat::vbYes);
    boxes_->Expect(replace, plat::vbNo);
    Click(*w.cmdExit);
    EXPECT_FALSE(w.WasUnloaded());
    EXPECT_EQ(FileBytes(dir_ / "wide.3D"), wide);
    // Yes replaces it with the grid; the next save asks nothing.
    boxes_->Expect(replace, plat::vbYes);
    Click(*w.cmdSaveExit);
    const std::string counts = ground::CountsLine(10, 20);
    EXPECT_EQ(FileBytes(dir_ / "wide.3D").substr(0, counts.size()), counts);
    EXPECT_TRUE(w.Saved());
    TypeIntoFirstNode(w);
    Click(*w.cmdSaveExit);
    EXPECT_EQ(FileBytes(dir_ / "wide.3D").substr(counts.size(), 17), "12.50 0.00 0.00\r\n");
    EXPECT_EQ(boxes_->Shown().size(), 5U);
}

TEST_F(Edit3DSaving, AValueLeftOpenInTheCellBoxIsCommittedBeforeEachCommand) {
    struct Case {
        const char* name;
        std::function<void(class frmEdit3D&, Edit3DSaving&)> run;
        // For commands that write no file: the X cells of the two nodes of the first cut afterwards.
        std::array<const char*, 2> xs;
        bool unloaded = false;
    };
    const Case cases[] = {
        {"Save", [](class frmEdit3D& w, Edit3DSaving&) { Click(*w.cmdSaveExit); }, {}},
        {"Save As",
         [](class frmEdit3D& w, Edit3DSaving& t) {
             t.Dialogs().ExpectFile("g.3D");
             Click(*w.cmdSaveAs);
         },
         {}},
        {"Exit",
         [](class frmEdit3D& w, Edit3DSaving& t) {
             t.Boxes().Expect(kExitPrompt, plat::vbYes);
             Click(*w.cmdExit);
         },
         {},
         true},
        {"close box",
         [](class frmEdit3D& w, Edit3DSaving& t) {
             t.Boxes().Expect(kExitPrompt, plat::vbYes);
             w.Window()->close();
         },
         {},
         true},
        {"Load",
         [](class frmEdit3D& w, Edit3DSaving& t) {
             t.Boxes().Expect(kLoadPrompt, plat::vbYes);
             t.Dialogs().ExpectCancel();
             Click(*w.cmdLoad);
         },
         {}},
        {"Translate",
         [](class frmEdit3D& w, Edit3DSaving& t) {
             t.Boxes().Expect("This will change ALL data points!\r\nAre you sure?", plat::vbYes);
             t.Boxes().Expect("Translation Completed...", plat::vbOK);
             Click(*w.Command3);
         },
         {"22.5", "14.0"}},
        {"Swap X", [](class frmEdit3D& w, Edit3DSaving&) { Click(*w.cmdFixX); }, {"4", "12.50"}},
        {"Insert",
         [](class frmEdit3D& w, Edit3DSaving&) { ChooseFromPopup(w, "Insert Node After Selected"); },
         {"12.50", "4"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Put("g.3D", kTwoCuts);
        Model().File3D = "g.3D";
        auto& w = Shown();
        w.txtOffset->SetText("10");
        TypeIntoFirstNode(w);
        c.run(w, *this);
        EXPECT_FALSE(w.txtData->Visible());
        if (c.xs[0] == nullptr) {
            EXPECT_EQ(FileBytes(dir_ / "g.3D"), kTwoCutsTyped);
        } else {
            EXPECT_EQ(FileBytes(dir_ / "g.3D"), kTwoCuts);
            EXPECT_EQ(w.grdGround->TextMatrix(1, 1), c.xs[0]);
            EXPECT_EQ(w.grdGround->TextMatrix(2, 1), c.xs[1]);
        }
        EXPECT_EQ(w.WasUnloaded(), c.unloaded);
        plat::DeleteWindowInstances();
    }
}

TEST_F(Edit3DSaving, MoreCutsThanARunReadsAreSavedAfterAWarning) {
    auto& w = Shown();
    w.txtNumY->SetFocus();
    plat::testing::TypeKeys("31");
    boxes_->Expect("All data will be lost!\r\nAre you sure?", plat::vbYes);
    Click(*w.Command1);
    ASSERT_EQ(w.NumY(), 31);
    const std::string path = (dir_ / "many.3D").string();
    const std::string warning = "The 3D ground file " + path +
                                " will hold 31 lateral cuts; a run reads at most 30.\r\nSave it anyway?";
    // No writes nothing; Yes writes the grid as it is.
    dialogs_->ExpectFile(path);
    boxes_->Expect(warning, plat::vbNo);
    Click(*w.cmdSaveAs);
    EXPECT_FALSE(std::filesystem::exists(path));
    dialogs_->ExpectFile(path);
    boxes_->Expect(warning, plat::vbYes);
    Click(*w.cmdSaveAs);
    EXPECT_EQ(FileBytes(path).substr(0, ground::CountsLine(10, 31).size()), ground::CountsLine(10, 31));
    // Thirty cuts save without a word.
    w.txtNumY->SetFocus();
    plat::testing::TypeKeys("30");
    boxes_->Expect("All data will be lost!\r\nAre you sure?", plat::vbYes);
    Click(*w.Command1);
    Click(*w.cmdSaveExit);
    EXPECT_EQ(FileBytes(path).substr(0, ground::CountsLine(10, 30).size()), ground::CountsLine(10, 30));
}
