// The element parameters dialog: shown from the records, "Done" stores all twelve words, "Cancel"
// and the close box store nothing.

#include <functional>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QMainWindow>
#include <QTest>

#include "editors/elemparm/frmElemParm.h"
#include "platform/ui/testing/GuiTest.h"
#include "platform/ui/Form.h"
#include "shell/mainwindow/frmMain.h"
#include "shell/model/ModelVariables.h"

using namespace shell;

namespace {

using plat::testing::WaitFor;

class ElementDialog : public ::testing::Test {
protected:
    void SetUp() override {
        services_ = std::make_unique<plat::testing::ScriptedServices>();
        Model() = ModelVariables{};
        for (int k = 1; k <= 3; ++k) {
            AntennaRec& r = Model().Ant(k);
            r.Alpha = 0.5F * static_cast<float>(k);
            r.Phi1 = -45.0F;
            r.Phi2 = static_cast<float>(k);
            r.Phi3 = 1.23456789F;
        }
        Model().NumAnts = 1; // every column is shown and stored whatever the number in use
    }
    void TearDown() override {
        plat::DeleteWindowInstances();
        services_.reset();
    }

    // Opens the dialog modally and runs `inside` from within its loop; returns once it has closed.
    static void Open(const std::function<void(class frmElemParm&)>& inside) {
        plat::testing::Queue([inside] {
            class frmElemParm& d = frmElemParm();
            ASSERT_TRUE(QTest::qWaitForWindowActive(d.Window()));
            inside(d);
        });
        frmElemParm().Show(plat::Form::Modality::Modal);
        EXPECT_FALSE(frmElemParm().IsLoaded() && frmElemParm().Visible());
    }
    // New texts in all twelve boxes, the last one typed and left in the box (focus not moved on).
    static void EditAll(class frmElemParm& d) {
        plat::ControlArray<plat::TextBox>* rows[] = {&d.txtAntAlpha, &d.txtAntPhi1, &d.txtAntPhi2,
                                                     &d.txtAntPhi3};
        for (int r = 0; r < 4; ++r) {
            for (int i = 0; i < 3; ++i)
                (*rows[r])(i).SetText(std::to_string(10 * r + i + 1));
        }
        plat::TextBox& last = d.txtAntPhi3(2);
        last.SetFocus();
        ASSERT_TRUE(WaitFor([&] { return last.HasFocus(); }));
        QTest::keyClick(last.Editor(), Qt::Key_Delete);
        QTest::keyClicks(last.Editor(), "1m");
    }

    std::unique_ptr<plat::testing::ScriptedServices> services_;
};

TEST_F(ElementDialog, ShowsTheRecordsAndDoneStoresAllTwelveWords) {
    std::string shown[3][4];
    Open([&](class frmElemParm& d) {
        for (int i = 0; i < 3; ++i) {
            shown[i][0] = d.txtAntAlpha(i).Text();
            shown[i][1] = d.txtAntPhi1(i).Text();
            shown[i][2] = d.txtAntPhi2(i).Text();
            shown[i][3] = d.txtAntPhi3(i).Text();
        }
        EXPECT_EQ(d.Caption(), "Element Parameters");
        EditAll(d);
        // The box last typed in is converted and guarded when the button takes the focus.
        QTest::mouseClick(d.Command1->Widget(), Qt::LeftButton);
    });
    EXPECT_EQ(shown[0][0], "0.5");
    EXPECT_EQ(shown[2][0], "1.5");
    EXPECT_EQ(shown[1][1], "-45");
    EXPECT_EQ(shown[1][2], "2");
    EXPECT_EQ(shown[0][3], "1.234568"); // seven significant digits
    for (int k = 1; k <= 3; ++k) {
        SCOPED_TRACE(k);
        const AntennaRec& r = Model().Ant(k);
        EXPECT_FLOAT_EQ(r.Alpha, static_cast<float>(k));
        EXPECT_FLOAT_EQ(r.Phi1, static_cast<float>(10 + k));
        EXPECT_FLOAT_EQ(r.Phi2, static_cast<float>(20 + k));
        if (k < 3) {
            EXPECT_FLOAT_EQ(r.Phi3, static_cast<float>(30 + k));
        }
    }
    EXPECT_NEAR(Model().Ant(3).Phi3, 3.28, 1e-5); // "1m" read as metres in feet
}

TEST_F(ElementDialog, CancelAndTheCloseBoxStoreNothing) {
    const std::function<void(class frmElemParm&)> closers[] = {
        [](class frmElemParm& d) { QTest::mouseClick(d.Command2->Widget(), Qt::LeftButton); },
        [](class frmElemParm& d) { d.Window()->close(); },
    };
    for (const auto& close : closers) {
        const ModelVariables before = Model();
        Open([&](class frmElemParm& d) {
            EditAll(d);
            close(d);
        });
        EXPECT_EQ(Model(), before);
    }
}

TEST_F(ElementDialog, EnterConvertsGuardsAndMovesOn) {
    std::string afterEnter;
    Open([&](class frmElemParm& d) {
        plat::TextBox& box = d.txtAntAlpha(0);
        box.SetFocus();
        ASSERT_TRUE(WaitFor([&] { return box.HasFocus(); }));
        QTest::keyClicks(box.Editor(), "x");
        QTest::keyClick(box.Editor(), Qt::Key_Return);
        ASSERT_TRUE(WaitFor([&] { return d.txtAntAlpha(1).HasFocus(); }));
        afterEnter = box.Text();
        d.Command1->SetValue(true);
    });
    EXPECT_EQ(afterEnter, "0.0");
    EXPECT_FLOAT_EQ(Model().Ant(1).Alpha, 0.0F);
}

TEST(ElementDialogMenu, TheMainWindowsMenuItemOpensItModally) {
    plat::testing::ScriptedServices services;
    Model() = ModelVariables{};
    class frmMain& w = frmMain();
    bool modal = false;
    plat::testing::Queue([&] {
        modal = frmElemParm().IsModal();
        frmElemParm().Command2->SetValue(true);
    });
    ASSERT_TRUE(w.Menu("mnuElemParm").Click);
    w.Menu("mnuElemParm").Click();
    EXPECT_TRUE(modal);
    plat::DeleteWindowInstances();
}

} // namespace
