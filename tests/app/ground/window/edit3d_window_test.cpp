// The ground editor window: its face, loading and saving with their prompts and failures, the saved
// state, and the grid commands from its buttons and pop-up menu.

#include "Edit3DFixture.h"

#include "platform/services/Clipboard.h"
#include "platform/text/AtomicFile.h"
#include "shell/dialogs/frmOriginHelp.h"

using namespace plat;
using plat::testing::FileBytes;
using shell::Model;

namespace {

const char kMismatch[] =
    "There is a difference between data grid dimensions, and the values in the fields!  Please correct..";
const char kResize[] = "All data will be lost!\r\nAre you sure?";

} // namespace

TEST_F(Edit3DTest, FreshWindowShowsTwentyCutsOfTenNodes) {
    auto& w = Opened();
    EXPECT_EQ(w.Caption(), "Edit 3D Ground File");
    EXPECT_EQ(w.ScaleWidth(), frmEdit3D::kClientWidth);
    EXPECT_EQ(w.ScaleHeight(), frmEdit3D::kClientHeight);
    EXPECT_EQ(w.grdGround->Rows(), 220);
    EXPECT_EQ(w.grdGround->TextMatrix(22, 0), "#3");
    EXPECT_TRUE(w.cmdSaveExit->Enabled());
    EXPECT_FALSE(w.Saved());
    EXPECT_EQ(w.Label3->Caption(), "Units are in feet");
    EXPECT_EQ(w.lbl3DFile->Caption(), "none");
    EXPECT_EQ(Model().ViewGroundSource, 1);
    EXPECT_TRUE(w.Command2->Enabled()); // the 3D viewer of the cuts
    EXPECT_EQ(w.Label14->Caption(), "- Pasting from Quattro Pro or Excel Spreadsheet: Press CTRL-V ");
    struct Placed {
        plat::Control* control;
        int left, top, width, height;
    };
    for (const Placed& p :
         {Placed{w.grdGround.get(), 0, 90, 4425, 6030}, Placed{w.txtNumY.get(), 6855, 120, 435, 285},
          Placed{w.cmdFixY.get(), 6360, 6180, 1080, 240}, Placed{w.cmdExit.get(), 4650, 5700, 1365, 390}}) {
        // Twips round to whole pixels.
        EXPECT_NEAR(p.control->Left(), p.left, 15) << p.control->Name();
        EXPECT_NEAR(p.control->Top(), p.top, 15) << p.control->Name();
        EXPECT_NEAR(p.control->Width(), p.width, 15) << p.control->Name();
        EXPECT_NEAR(p.control->Height(), p.height, 15) << p.control->Name();
    }
    std::vector<std::string> captions;
    for (const auto& item : w.mnuNodes->Items())
        captions.push_back(item->Caption());
    EXPECT_EQ(captions,
              (std::vector<std::string>{"Copy Cells", "Paste Cells", "Paste 2D to 3D",
                                        "Paste Horizontal Grouping", "-", "Insert Node Before Selected",
                                        "Insert Node After Selected", "Remove Node", "Remove Row from All"}));
    EXPECT_FALSE(w.mnuNodes->Find("mnuPasteHoriz")->Enabled());
}

TEST_F(Edit3DTest, LoadsTheExampleAndSavesItInTheEditorsLayout) {
    auto& w = Opened();
    // The fresh grid counts as unsaved: the load offers to save it first.
    boxes_->Expect(kLoadPrompt, vbNo);
    dialogs_->ExpectFile(Example());
    w.LoadFile();
    EXPECT_EQ(w.NumX(), 3);
    EXPECT_EQ(w.NumY(), 8);
    EXPECT_EQ(w.txtNumY->Text(), "8");
    EXPECT_TRUE(w.Saved());
    EXPECT_FALSE(w.cmdSaveExit->Enabled());
    EXPECT_EQ(Model().File3D, Example());
    EXPECT_EQ(mainLabel_, Example());
    EXPECT_EQ(w.txtElevation->Text(), "0.000");
    EXPECT_FALSE(dialogs_->Requests().at(0).filter.empty());

    dialogs_->ExpectFile((dir_ / "copy.3D").string());
    w.cmdSaveAs->Click();
    EXPECT_EQ(FileBytes(dir_ / "copy.3D"), Golden("cegs_site_saved.3D"));
    EXPECT_EQ(Model().File3D, (dir_ / "copy.3D").string());
    // Exit right after a save closes without a prompt.
    w.cmdExit->Click();
    EXPECT_TRUE(w.WasUnloaded());
}

TEST_F(Edit3DTest, MetresModeReadsAndWritesFeet) {
    Put("m.3D", Golden("metres_node.3D"));
    Model().File3D = "m.3D";
    metres_ = true;
    auto& w = Opened();
    EXPECT_EQ(w.Label3->Caption(), "Units are in meters");
    EXPECT_EQ(w.grdGround->TextMatrix(1, 2), "-30.5");
    EXPECT_TRUE(w.Saved());
    w.grdGround->Select(1, 3);
    Key(*w.grdGround, '9'); // any key counts as a change
    w.txtData->SetText("2");
    int enter = 13;
    w.txtData->KeyPress(enter);
    w.cmdSaveExit->Click();
    EXPECT_EQ(FileBytes(dir_ / "m.3D"), Golden("metres_node.3D"));
    EXPECT_FALSE(w.cmdSaveExit->Enabled());
}

TEST_F(Edit3DTest, AFailedLoadTellsWhyAndChangesNothing) {
    Put("short.3D", " 2 2\r\n1 2 3\r\n");
    auto& w = Opened();
    w.grdGround->SetTextMatrix(1, 1, "7");
    Model().File3D = "keep.3D";
    const std::string path = (dir_ / "short.3D").string();
    dialogs_->ExpectFile(path);
    boxes_->Expect("The 3D ground file " + path +
                       " cannot be loaded.\r\nThe file ends before node 2 of cut 1: it announces 2 samples "
                       "in each of 2 cuts.",
                   vbOK);
    boxes_->Expect(kLoadPrompt, vbNo);
    w.LoadFile();
    EXPECT_EQ(Model().File3D, "keep.3D");
    EXPECT_EQ(w.grdGround->Rows(), 220);
    EXPECT_EQ(w.grdGround->TextMatrix(1, 1), "7");
    EXPECT_EQ(w.lbl3DFile->Caption(), "none");
    // A cancelled open dialog changes nothing either.
    boxes_->Expect(kLoadPrompt, vbNo);
    dialogs_->ExpectCancel();
    w.LoadFile();
    EXPECT_EQ(Model().File3D, "keep.3D");
}

TEST_F(Edit3DTest, AMalformedRememberedFileGivesTheEmptyGrid) {
    Put("bad.3D", " 500 1\r\n");
    Model().File3D = "bad.3D";
    boxes_->Expect(
        "The 3D ground file bad.3D cannot be loaded.\r\nThe first line must give the samples per lateral "
        "cut and the number of lateral cuts, each from 1 to 100.",
        vbOK);
    auto& w = Opened();
    EXPECT_EQ(w.grdGround->Rows(), 220);
    EXPECT_FALSE(w.Saved());
    EXPECT_TRUE(w.cmdSaveExit->Enabled());
}

TEST_F(Edit3DTest, CancelledSaveDialogsChangeNothing) {
    auto& w = Opened();
    Model().File3D = "old.3D";
    dialogs_->ExpectCancel();
    w.cmdSaveAs->Click();
    EXPECT_EQ(Model().File3D, "old.3D");
    EXPECT_FALSE(std::filesystem::exists(dir_ / "old.3D"));

    // Save with no name asks for one; Exit's save with a cancelled dialog stays open.
    Model().File3D.clear();
    dialogs_->ExpectFile((dir_ / "named.3D").string());
    w.cmdSaveExit->Click();
    EXPECT_TRUE(std::filesystem::exists(dir_ / "named.3D"));
    Model().File3D.clear();
    Key(*w.grdGround, 'x');
    boxes_->Expect(kExitPrompt, vbYes);
    dialogs_->ExpectCancel();
    w.cmdExit->Click();
    EXPECT_FALSE(w.WasUnloaded());
    EXPECT_EQ(Model().File3D, "");
}

TEST_F(Edit3DTest, AFailedWriteIsReportedAndTheWindowStays) {
    auto& w = Opened();
    Put("notafolder", "x");
    Model().File3D = "notafolder/g.3D";
    const std::string reason = WriteFileAtomically("notafolder/g.3D", "").reason;
    boxes_->Expect(kExitPrompt, vbYes);
    boxes_->Expect("The 3D ground file notafolder/g.3D cannot be written.\r\n" + reason +
                       "\r\nThe file on disk is unchanged.",
                   vbOK);
    Key(*w.grdGround, 'x');
    // The path names no existing file: Exit asks for a name.
    dialogs_->ExpectFile("notafolder/g.3D");
    w.cmdExit->Click();
    EXPECT_FALSE(w.WasUnloaded());
    EXPECT_EQ(FileBytes(dir_ / "notafolder"), "x");
}

TEST_F(Edit3DTest, ACellThatIsNoNumberStopsSaveAndIsSelected) {
    Put("g.3D", " 1 1\r\n1 2 3\r\n");
    Model().File3D = "g.3D";
    auto& w = Opened();
    Clipboard().SetText("abc");
    w.grdGround->Select(1, 2);
    w.mnuNodes->Find("mnuClipPaste")->Trigger();
    EXPECT_TRUE(w.cmdSaveExit->Enabled()); // a paste is a change
    boxes_->Expect("Y of node 1 of cut 1 is not a number: \"abc\".  Please correct it.", vbOK);
    w.cmdSaveExit->Click();
    EXPECT_EQ(FileBytes(dir_ / "g.3D"), " 1 1\r\n1 2 3\r\n");
    EXPECT_EQ(w.grdGround->Row(), 1);
    EXPECT_EQ(w.grdGround->Col(), 2);
}

TEST_F(Edit3DTest, EveryCommandThatChangesDataMakesExitAsk) {
    struct Case {
        const char* name;
        std::function<void(class frmEdit3D&, ScriptedMessageBoxes&)> run;
    };
    const Case cases[] = {
        {"Swap X", [](class frmEdit3D& w, ScriptedMessageBoxes&) { w.cmdFixX->Click(); }},
        {"Swap Y", [](class frmEdit3D& w, ScriptedMessageBoxes&) { w.cmdFixY->Click(); }},
        {"Translate",
         [](class frmEdit3D& w, ScriptedMessageBoxes& b) {
             b.Expect("This will change ALL data points!\r\nAre you sure?", vbYes);
             b.Expect("Translation Completed...", vbOK);
             w.txtOffset->SetText("10");
             w.Command3->Click();
             EXPECT_EQ(w.grdGround->TextMatrix(1, 1), "11.0");
         }},
        {"Insert",
         [](class frmEdit3D& w, ScriptedMessageBoxes&) { w.mnuNodes->Find("mnuInsertAfter")->Trigger(); }},
        {"Remove cut",
         [](class frmEdit3D& w, ScriptedMessageBoxes&) { w.mnuNodes->Find("mnuRemoveNode")->Trigger(); }},
        {"Remove row",
         [](class frmEdit3D& w, ScriptedMessageBoxes&) { w.mnuNodes->Find("mnuRemoveRow")->Trigger(); }},
        {"Click commit",
         [](class frmEdit3D& w, ScriptedMessageBoxes&) {
             w.grdGround->Select(1, 1);
             int k = '5';
             w.grdGround->KeyPress(k);
             // A save now would commit the open box first, so the click is what stores the text.
             w.grdGround->Select(2, 2);
             w.grdGround->Click();
             EXPECT_EQ(w.grdGround->TextMatrix(1, 1), "5");
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Put("g.3D", " 2 2\r\n1 2 3\r\n4 2 6\r\n1 8 9\r\n4 8 9\r\n");
        Model().File3D = "g.3D";
        auto& w = Opened();
        ASSERT_TRUE(w.Saved());
        c.run(w, *boxes_);
        EXPECT_FALSE(w.Saved());
        EXPECT_TRUE(w.cmdSaveExit->Enabled());
        boxes_->Expect(kExitPrompt, vbNo);
        w.cmdExit->Click();
        EXPECT_TRUE(w.WasUnloaded());
        plat::DeleteWindowInstances();
    }
}

TEST_F(Edit3DTest, CountsTypedButNotAppliedAreRefused) {
    auto& w = Opened();
    w.grdGround->SetTextMatrix(1, 1, "-50");
    w.txtNumX->SetText("12");
    for (const char* item : {"mnuInsertBefore", "mnuRemoveNode", "mnuRemoveRow"}) {
        boxes_->Expect(kMismatch, vbOK);
        w.mnuNodes->Find(item)->Trigger();
    }
    boxes_->Expect(kMismatch, vbOK);
    w.cmdFixX->Click();
    EXPECT_EQ(w.grdGround->Rows(), 220);
    EXPECT_EQ(w.grdGround->TextMatrix(1, 1), "-50");
    // Clear Grid takes the boxes.
    boxes_->Expect(
        "This data has been changed since it last changed.  Would you like to save now?\r\nAre you sure?",
        vbYes);
    w.cmdInit->Click();
    EXPECT_EQ(w.grdGround->Rows(), 13 * 20);
    EXPECT_TRUE(w.Saved());
    EXPECT_FALSE(w.cmdSaveExit->Enabled());
    EXPECT_EQ(w.cmdInit->Caption(), "Clear Grid");
}

TEST_F(Edit3DTest, Paste2DTo3DAnsweredNoKeepsTheBoxesYesBuildsCuts) {
    auto& w = Opened();
    Clipboard().SetText("0\t1\r\n1000\t2\r\n2000\t3\r\n");
    boxes_->Expect(kResize, vbNo);
    w.mnuNodes->Find("mnu2Dto3D")->Trigger();
    EXPECT_EQ(w.txtNumY->Text(), "20");
    EXPECT_EQ(w.txtNumX->Text(), "10");
    EXPECT_EQ(w.grdGround->Rows(), 220);
    boxes_->Expect(kResize, vbYes);
    w.mnuNodes->Find("mnu2Dto3D")->Trigger();
    EXPECT_EQ(w.NumY(), 3);
    EXPECT_EQ(w.NumX(), 3);
    EXPECT_EQ(w.grdGround->Rows(), 12);
    EXPECT_EQ(w.grdGround->TextMatrix(11, 1), "5000");
    EXPECT_EQ(w.grdGround->TextMatrix(11, 2), "2000");
    EXPECT_FALSE(w.Saved());
}

TEST_F(Edit3DTest, CountBoxesStayWithinOneToAHundred) {
    auto& w = Opened();
    for (const auto& [typed, left] : {std::pair{"0", "1"}, {"250", "100"}, {"7", "7"}}) {
        w.txtNumX->SetText(typed);
        w.txtNumX->LostFocus();
        EXPECT_EQ(w.txtNumX->Text(), left);
    }
}

TEST_F(Edit3DTest, HelpShowsTheSecondOriginPictureModal) {
    auto& w = Opened();
    bool seen = false;
    plat::testing::Queue([&seen] {
        auto& help = frmOriginHelp();
        seen = help.IsModal() && Model().HelpPicture == 2 && help.imgHelp(2).Visible();
        plat::Unload(help);
    });
    w.Command4->Click();
    EXPECT_TRUE(seen);
}

TEST_F(Edit3DTest, TheCloseBoxAsksAsExitDoes) {
    auto& w = Opened();
    Key(*w.grdGround, 'x');
    dialogs_->ExpectCancel();
    boxes_->Expect(kExitPrompt, vbYes);
    EXPECT_FALSE(Unload(w)); // the save dialog was cancelled: the window stays
    boxes_->Expect(kExitPrompt, vbNo);
    EXPECT_TRUE(Unload(w));
    EXPECT_EQ(mainLabel_, "none");
}
