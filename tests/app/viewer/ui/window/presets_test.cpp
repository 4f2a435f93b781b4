// The viewer's presets list and its store image, through the window's own controls: the file in the
// program's folder, the points chosen into the boxes, the main window's antenna boxes, and a folder
// that cannot be written.

#include "../../../shell/mainwindow/GuiTest.h"

#include <QTest>

#include <cmath>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

#include "platform/text/Numbers.h"
#include "platform/text/testing/FileSizeLimit.h"
#include "viewer/ui/frmViewGround.h"

using namespace shell;
namespace fs = std::filesystem;

namespace {

const std::string kDefaultFile =
    "13\r\nArray-Top, OS, SB, HT\r\nArray-6', OS, SB, 6\r\nArray-0'', OS, SB, 0\r\nAbeam-50', 0, SB, 50\r\n"
    "Abeam-6', 0, SB, 6\r\nAbeam-0', 0, SB, 0\r\nThresh-50', 0, 0, 50\r\nThresh-0', 0, 0, 0\r\n"
    "Pt.C, 0, 859, 100\r\nPt.B, 0, 3500, 238\r\nPt.A, 0, 24304, 1326\r\nUser Trg, 0, 0, 0\r\n"
    "User Eye, 0, -3500, 238\r\n";

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
    text.replace(text.find(from), from.size(), to);
    return text;
}

class ViewerPresets : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        saved_ = frmViewGround::ProgramFolder();
        program_ = dir_ / "program";
        fs::create_directories(program_);
        frmViewGround::ProgramFolder() = program_;
    }
    void TearDown() override {
        WindowTest::TearDown();
        frmViewGround::ProgramFolder() = saved_;
    }

    // The viewer as the main window's "View 2D" opens it.
    class frmViewGround& OpenedFromMain() {
        frmMain().Show();
        frmMain().cmdView2D->SetValue(true);
        auto& v = frmViewGround();
        EXPECT_TRUE(QTest::qWaitForWindowActive(v.Window()));
        return v;
    }
    std::string PresetsFile() const { return plat::testing::FileBytes(program_ / "ViewPresets.txt"); }
    static std::vector<std::string> Box(const class frmViewGround& v) {
        return {v.txtX0->Text(), v.txtY0->Text(), v.txtZ0->Text()};
    }
    // Chooses by the keyboard in the list, as a person would.
    static void Key(class frmViewGround& v, Qt::Key key) { QTest::keyClick(v.cmbPresets->Widget(), key); }
    static void Choose(class frmViewGround& v, int index) {
        Key(v, Qt::Key_Home);
        for (int i = 0; i < index; ++i)
            Key(v, Qt::Key_Down);
    }

    fs::path program_;

private:
    fs::path saved_;
};

TEST_F(ViewerPresets, AMissingFileIsWrittenAsTheDefaultAndListed) {
    auto& v = OpenedFromMain();
    EXPECT_EQ(PresetsFile(), kDefaultFile);
    ASSERT_EQ(v.cmbPresets->ListCount(), 13);
    EXPECT_EQ(v.cmbPresets->List(0), "Array-Top");
    EXPECT_EQ(v.cmbPresets->List(2), "Array-0''");
    EXPECT_EQ(v.cmbPresets->List(12), "User Eye");
    EXPECT_EQ(v.cmbPresets->ListIndex(), -1);
    EXPECT_EQ(v.cmbPresets->Text(), "");
    EXPECT_EQ(v.lblViewPresets->Caption(), "View Presets");
    EXPECT_EQ(v.lblSB->Caption() + v.lblOS->Caption() + v.lblHT->Caption(), "SB:OS:HT:");
    EXPECT_TRUE(v.Image3->Visible());
    EXPECT_FALSE(v.Image3->Picture().isNull());
    // A file of the user's own is read, not replaced.
    plat::Unload(v);
    const std::string own = Replaced(kDefaultFile, "Pt.C, 0, 859, 100", "Tower, 10, 20, 30");
    Put("program/ViewPresets.txt", own);
    auto& again = OpenedFromMain();
    EXPECT_EQ(again.cmbPresets->List(8), "Tower");
    Choose(again, 8);
    EXPECT_EQ(Box(again), (std::vector<std::string>{"20.00", "10.00", "30.00"}));
    EXPECT_EQ(PresetsFile(), own);
}

TEST_F(ViewerPresets, ArrayTopWithThreeAntennasTakesThePositionAntennaAndFillsItsEmptyBox) {
    auto& w = frmMain();
    w.Show();
    QTest::mouseClick(w.optNumAnts(2).Widget(), Qt::LeftButton);
    ASSERT_TRUE(w.optNumAnts(2).Value());
    w.txtAntX(1).SetText("1000");
    w.txtAntY(1).SetText("");
    // A profile without nodes: no redraw reads the antenna boxes, so only the preset can fill one.
    w.grdGround->SetTextMatrix(1, 4, "");
    auto& v = OpenedFromMain();
    ASSERT_EQ(v.Nodes().NodeCount(), 0);
    // Opening the viewer and showing what the tokens stand for leave the main window's boxes alone.
    v.cmbPresets->SetFocus();
    EXPECT_EQ(w.txtAntY(1).Text(), "");
    EXPECT_EQ(v.lblSBValue->Caption(), "0.00");
    EXPECT_EQ(v.lblOSValue->Caption(), "-1000.00");
    EXPECT_EQ(v.lblHTValue->Caption(), "60.00");

    int redraws = v.RedrawCount();
    Key(v, Qt::Key_Home);
    EXPECT_EQ(v.cmbPresets->Text(), "Array-Top");
    EXPECT_EQ(w.txtAntY(1).Text(), "0");
    EXPECT_EQ(Box(v), (std::vector<std::string>{"0.00", "-1000.00", "60.00"}));
    EXPECT_EQ(v.RedrawCount(), ++redraws);

    w.txtAntY(1).SetText("400");
    Key(v, Qt::Key_Down);
    EXPECT_EQ(Box(v), (std::vector<std::string>{"-400.00", "-1000.00", "6.00"}));
    Key(v, Qt::Key_Up);
    EXPECT_EQ(Box(v), (std::vector<std::string>{"-400.00", "-1000.00", "60.00"}));
    EXPECT_EQ(v.RedrawCount(), redraws + 2);
    EXPECT_EQ(v.lblSBValue->Caption(), "-400.00");
    EXPECT_EQ(w.txtAntX(1).Text(), "1000");
    // The look-at point is the preset, and the distance box measures from the side view's eye to it.
    EXPECT_EQ(v.View.Target, (common::Vector3{-400, -1000, 60}));
    EXPECT_NEAR(plat::Val(v.txtDist->Text()), std::sqrt(400.0 * 400 + 5000.0 * 5000 + 60.0 * 60), 0.006);
}

TEST_F(ViewerPresets, Image3StoresTheBoxesAsTheChosenPoint) {
    struct Case {
        int option;
        const char* line;
        const char* stored;
        int listIndex;
    };
    for (const Case c : {Case{1, "User Eye, 0, -3500, 238", "User Eye, -250.50, 100.00, 30.00", 12},
                         Case{0, "User Trg, 0, 0, 0", "User Trg, -250.50, 100.00, 30.00", 11}}) {
        SCOPED_TRACE(c.line);
        fs::remove(program_ / "ViewPresets.txt");
        auto& v = OpenedFromMain();
        QTest::mouseClick((c.option == 1 ? v.optTargetEye1 : v.optTargetEye0)->Widget(), Qt::LeftButton);
        for (auto [box, text] : {std::pair{v.txtX0.get(), "100.00"}, std::pair{v.txtY0.get(), " -250.50"},
                                 std::pair{v.txtZ0.get(), "30.00"}}) {
            box->SetText("");
            QTest::keyClicks(box->Widget(), text);
        }
        const int redraws = v.RedrawCount();
        QTest::mouseClick(v.Image3->Widget(), Qt::LeftButton);
        EXPECT_EQ(PresetsFile(), Replaced(kDefaultFile, c.line, c.stored));
        EXPECT_EQ(v.cmbPresets->ListIndex(), c.listIndex);
        EXPECT_EQ(v.RedrawCount(), redraws);
        EXPECT_EQ(v.txtY0->Text(), " -250.50");
        plat::Unload(v);
    }
}

// A program folder that cannot be written: the reason is said, and the stored point is kept in the
// list until the viewer closes. Root writes into a read-only folder; a file-size limit stands in.
TEST_F(ViewerPresets, AFolderThatCannotBeWrittenSaysSoAndThePresetAppliesUntilClosed) {
    const bool root = ::geteuid() == 0;
    auto& v = OpenedFromMain();
    QTest::mouseClick(v.optTargetEye1->Widget(), Qt::LeftButton);
    v.txtX0->SetText("12.00");
    v.txtY0->SetText("34.00");
    v.txtZ0->SetText("56.00");
    const std::string file = (program_ / "ViewPresets.txt").generic_string();
    const std::string reason = std::generic_category().message(root ? EFBIG : EACCES);
    boxes_->Expect("The view presets file " + file + " cannot be written.\r\n" + reason +
                       "\r\nThe stored User Eye preset applies until the viewer is closed.",
                   plat::vbOK);
    {
        std::optional<plat::testing::FileSizeLimit> limit;
        if (root)
            limit.emplace(16);
        else
            ASSERT_EQ(::chmod(program_.c_str(), 0555), 0);
        QTest::mouseClick(v.Image3->Widget(), Qt::LeftButton);
    }
    ::chmod(program_.c_str(), 0755);
    EXPECT_EQ(PresetsFile(), kDefaultFile);
    EXPECT_EQ(v.cmbPresets->Text(), "User Eye");

    Choose(v, 8);
    EXPECT_EQ(Box(v), (std::vector<std::string>{"859.00", "0.00", "100.00"}));
    Key(v, Qt::Key_End);
    EXPECT_EQ(Box(v), (std::vector<std::string>{"12.00", "34.00", "56.00"}));
    EXPECT_EQ(v.View.Eye, (common::Vector3{12, 34, 56}));

    plat::Unload(v);
    auto& again = OpenedFromMain();
    QTest::mouseClick(again.optTargetEye1->Widget(), Qt::LeftButton);
    Key(again, Qt::Key_End);
    EXPECT_EQ(Box(again), (std::vector<std::string>{"-3500.00", "0.00", "238.00"}));
}

} // namespace
