// The output dialog and the batch of outputs: what the dialogs store, the antenna rule, and the
// batch run's files and restored model with the real engine.
#include "RunWindowFixture.h"

#include "shell/run/frmMulOutputs.h"
#include "shell/run/frmOutput.h"

using namespace shell;

namespace {

template <class F> void Later(F&& action) {
    QTimer::singleShot(0, QCoreApplication::instance(), std::forward<F>(action));
}

// The output dialog once it has been activated (its controls then show the model).
class frmOutput& ActiveOutputDialog() {
    class frmOutput& d = frmOutput();
    EXPECT_TRUE(WaitUntil([&d] { return d.Window()->isActiveWindow(); }));
    return d;
}

class OutputDialogs : public RunWindow {};

TEST_F(OutputDialogs, OutputDialogShowsAndStoresTheSelection) {
    auto& w = Started();
    Model().XAxisVar = 0;
    Model().YAxisVar = 3;
    Model().RayIgnore(2) = 1;
    int xIndex = 99, yIndex = 99, jref = 99, jdir = 99;
    Later([&] {
        class frmOutput& d = ActiveOutputDialog();
        xIndex = d.cmbXAxis->ListIndex();
        yIndex = d.cmbYAXis->ListIndex();
        jdir = d.chkJ(0).Value();
        jref = d.chkJ(1).Value();
        d.chkJ(0).SetValue(0); // JDIR left out
        d.cmbYAXis->SetListIndex(10);
        d.Command1->SetValue(true);
    });
    w.Menu("mnuOutput").Trigger();
    EXPECT_EQ(xIndex, -1);
    EXPECT_EQ(yIndex, 2);
    EXPECT_EQ(jdir, 1);
    EXPECT_EQ(jref, 0);
    EXPECT_EQ(Model().XAxisVar, 0); // no X chosen stores 0
    EXPECT_EQ(Model().YAxisVar, 11);
    EXPECT_EQ(Model().RayIgnore(1), 1);
    EXPECT_EQ(Model().RayIgnore(2), 1);
    EXPECT_EQ(Model().RayIgnore(3), 0);

    // Reopened, JDIR shows unchecked; Cancel stores nothing.
    Later([&] {
        class frmOutput& d = ActiveOutputDialog();
        jdir = d.chkJ(0).Value();
        d.cmbXAxis->SetListIndex(4);
        d.chkJ(5).SetValue(0);
        d.Command2->SetValue(true);
    });
    const ModelVariables before = Model();
    w.Menu("mnuOutput").Trigger();
    EXPECT_EQ(jdir, 0);
    EXPECT_EQ(Model(), before);
    EXPECT_EQ(frmOutput().Caption(), "Output Parameters");
    EXPECT_EQ(frmOutput().cmbYAXis->List(8), "9 - Composite magn. of CSB and SBO rad. fields");
}

TEST_F(OutputDialogs, MultipleOutputsFollowTheAntennasSelected) {
    auto& w = Started();
    struct Case {
        int option;
        const char* all;
    };
    const Case cases[] = {{0, "11110000111"}, {1, "11111100111"}, {2, "11111111111"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.option);
        w.optNumAnts(c.option).SetValue(true);
        std::string checks;
        bool generate = false;
        std::string caption;
        int enabled = 0;
        Later([&] {
            class frmMulOutputs& d = frmMulOutputs();
            caption = d.Check1(10).Caption();
            for (int i = 0; i < 11; ++i)
                enabled += d.Check1(i).Enabled();
            d.cmdAll->SetValue(true);
            d.cmdGen->SetValue(true);
        });
        class frmMulOutputs& dialog = frmMulOutputs();
        dialog.NumAntsOption = [&w] {
            for (int i = 0; i < 3; ++i)
                if (w.optNumAnts(i).Value())
                    return i;
            return -1;
        };
        dialog.Show(plat::Form::Modality::Modal);
        checks = dialog.strChecks;
        generate = dialog.boolGen;
        EXPECT_TRUE(generate);
        EXPECT_EQ(checks, c.all);
        EXPECT_EQ(caption, "11 - Absolute value of CDI");
        EXPECT_EQ(enabled, c.option == 0 ? 7 : c.option == 1 ? 9 : 11);
    }
}

TEST_F(OutputDialogs, CancelAndTitleBarCloseRunNothing) {
    PutSample("cegs_site.inp");
    auto& w = Started();
    const ModelVariables before = Model();
    const std::vector<std::function<void()>> closes = {[] { frmMulOutputs().cmdCancel->SetValue(true); },
                                                       [] {
                                                           frmMulOutputs().Check1(0).SetValue(1);
                                                           frmMulOutputs().Window()->close();
                                                       }};
    for (const auto& close : closes) {
        Later([&] {
            frmMulOutputs().Check1(1).SetValue(1);
            close();
        });
        w.Menu("mnuGenAll").Trigger();
        EXPECT_FALSE(frmMulOutputs().IsLoaded() && frmMulOutputs().Visible());
    }
    EXPECT_TRUE(engine_->starts.empty());
    EXPECT_EQ(Model(), before);
}

TEST_F(OutputDialogs, BatchWritesAndRunsEachChosenOutputThenRestores) {
    const std::string site = PutSample("cegs_site.inp");
    auto& w = Started();
    Model().YAxisVar = 2;
    Later([] {
        frmMulOutputs().Check1(0).SetValue(1);
        frmMulOutputs().Check1(10).SetValue(1);
        frmMulOutputs().cmdGen->SetValue(true);
    });
    w.Menu("mnuGenAll").Trigger();
    ASSERT_EQ(engine_->starts.size(), 2u);
    const std::string base = (dir_ / "cegs_site").string();
    EXPECT_EQ(engine_->starts[0].in, base + "_1.inp");
    EXPECT_EQ(engine_->starts[0].plot, base + "_1.prn");
    EXPECT_EQ(engine_->starts[1].in, base + "_11.inp");
    EXPECT_EQ(engine_->starts[1].plot, base + "_11.prn");
    for (const char* f : {"cegs_site_1.prn", "cegs_site_11.prn"})
        EXPECT_GT(fs::file_size(dir_ / f), 0u) << f;
    // Each file carries its own output quantity on card 5.
    EXPECT_NE(Read("cegs_site_1.inp").find("'SECTION'\t5 0 0\r\n\t\t2\t1\t1 \t"), std::string::npos);
    EXPECT_NE(Read("cegs_site_11.inp").find("'SECTION'\t5 0 0\r\n\t\t2\t1\t11 \t"), std::string::npos);
    EXPECT_NE(plat::testing::FileBytes(dir_ / "cegs_site_1.prn"), plat::testing::FileBytes(dir_ / "cegs_site_11.prn"));
    EXPECT_EQ(Model().InFile, site);
    EXPECT_EQ(Model().YAxisVar, 2);
    EXPECT_EQ(Model().OutFile, base + ".prn");
    EXPECT_EQ(w.lblOutFile->Caption(), base + ".prn");
}

TEST_F(OutputDialogs, BatchOfAnUnnamedModelIsNamedTemp) {
    auto& w = Started();
    Later([] {
        frmMulOutputs().Check1(2).SetValue(1);
        frmMulOutputs().cmdGen->SetValue(true);
    });
    w.Menu("mnuGenAll").Trigger();
    ASSERT_EQ(engine_->starts.size(), 1u);
    EXPECT_EQ(engine_->starts[0].in, "temp_3.inp");
    EXPECT_GT(fs::file_size(dir_ / "temp_3.prn"), 0u);
    EXPECT_EQ(Model().InFile, "");
    EXPECT_EQ(w.lblOutFile->Caption(), "temp.prn");
}

} // namespace
