#pragma once
// The ground editor window in a scratch folder, with scripted message boxes, dialogs and clipboard.

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include <QTest>

#include "ground/ui/frmEdit3D.h"
#include "platform/ui/testing/GuiTest.h"
#include "platform/ui/testing/ScratchFolder.h"
#include "shell/model/ModelVariables.h"

inline constexpr char kExitPrompt[] =
    "This data has been changed since it was last saved.  Would you like to save now before exiting?";
inline constexpr char kLoadPrompt[] =
    "This data has been changed since it was last saved.  Would you like to "
    "save now before loading another file?";

class Edit3DTest : public plat::testing::ScratchFolderTest {
protected:
    Edit3DTest() : ScratchFolderTest(std::filesystem::path(TEST_OUTPUT_DIR) / "ground_window") {
        plat::testing::Application();
    }
    void SetUp() override {
        shell::Model() = shell::ModelVariables{};
        services_ = std::make_unique<plat::testing::ScriptedServices>();
        boxes_ = &services_->Boxes();
        dialogs_ = &services_->Files();
    }
    void TearDown() override {
        plat::DeleteWindowInstances();
        services_.reset();
    }

    // The editor loaded as the main window would open it, the file label it reports kept.
    class frmEdit3D& Opened() {
        auto& w = frmEdit3D();
        w.SetHost({[this] { return metres_; }, [this](const std::string& s) { mainLabel_ = s; }, nullptr});
        plat::Load(w);
        return w;
    }
    // The editor opened and shown, active, for real keys and clicks.
    class frmEdit3D& Shown() {
        auto& w = Opened();
        w.Show();
        EXPECT_TRUE(QTest::qWaitForWindowActive(w.Window()));
        return w;
    }
    // A copy of the shipped example in the scratch folder, so that no test can change the original.
    std::string Example() const {
        const std::filesystem::path copy = dir_ / "cegs_site.3D";
        if (!std::filesystem::exists(copy))
            std::filesystem::copy_file(std::filesystem::path(PELLON_EXAMPLES_DIR) / "cegs_site.3D", copy);
        return copy.string();
    }
    static std::string Golden(const char* name) {
        return plat::testing::FileBytes(std::filesystem::path(GROUND_DATA_DIR) / name);
    }
    static void Key(plat::FlexGrid& g, int key) { g.KeyPress(key); }

    plat::ScriptedMessageBoxes* boxes_ = nullptr;
    plat::ScriptedFileDialogs* dialogs_ = nullptr;
    bool metres_ = false;
    std::string mainLabel_ = "unchanged";

private:
    std::unique_ptr<plat::testing::ScriptedServices> services_;
};
