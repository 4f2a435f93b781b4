#pragma once
// The main window with its run commands over the real engine library, watched through a thin
// wrapper that records each start and what the wait window showed while the run was polled.

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>

#include "../mainwindow/GuiTest.h"
#include "platform/engine/EngineBinding.h"
#include "platform/services/Clock.h"
#include "platform/ui/Keys.h"
#include "platform/ui/PictureBox.h"
#include "shell/run/RunCommands.h"
#include "shell/run/frmGeneric.h"

namespace fs = std::filesystem;

inline bool WaitWindowLoaded() {
    for (plat::Form* f : plat::LoadedForms()) {
        if (f->Name() == "frmGeneric")
            return true;
    }
    return false;
}

// Handles events until `done` holds or about two seconds have passed.
template <class Pred> bool WaitUntil(Pred done) {
    for (int i = 0; i < 200 && !done(); ++i)
        plat::DoEvents(10);
    return done();
}

struct StartRecord {
    std::string in, plot, ground;
};

class WatchedEngine final : public plat::IEngine {
public:
    explicit WatchedEngine(std::unique_ptr<plat::IEngine> real) : real_(std::move(real)) {}
    std::vector<StartRecord> starts;
    int polls = 0;
    int pollsWithWaitWindow = 0;

    int Kelv_start(const std::string& in, const std::string& plot, const std::string& ground) override {
        starts.push_back({in, plot, ground});
        return real_->Kelv_start(in, plot, ground);
    }
    int Kelv_stop() override { return real_->Kelv_stop(); }
    int Kelv_getProgress() override {
        ++polls;
        if (WaitWindowLoaded() && frmGeneric().Visible())
            ++pollsWithWaitWindow;
        return real_->Kelv_getProgress();
    }
    int Kelv_getLastError() override { return real_->Kelv_getLastError(); }

private:
    std::unique_ptr<plat::IEngine> real_;
};

class RunWindow : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        MainRunState() = shell::RunState{};
        auto engine = std::make_unique<WatchedEngine>(plat::LoadEngine());
        engine_ = engine.get();
        plat::SetEngine(std::move(engine));
    }
    void TearDown() override {
        WindowTest::TearDown();
        plat::SetEngine(nullptr);
    }

    // The sample site copied into the scratch folder under `name`, remembered by the settings file.
    std::string PutSample(const std::string& name) {
        fs::copy_file(fs::path(PELLON_EXAMPLES_DIR) / "cegs_site.3D", dir_ / "cegs_site.3D",
                      fs::copy_options::skip_existing);
        const std::string path = Put(name, plat::testing::FileBytes(fs::path(PELLON_EXAMPLES_DIR) / "cegs_site.inp"));
        Put("Pellic.ini", name + ",,cegs_site.3D\r\n0, 1\r\n");
        return path;
    }
    class frmMain& Started() {
        class frmMain& w = frmMain();
        w.Show();
        plat::DoEvents(0);
        return w;
    }
    // F5 as the window sees it: previewed by the window, which presses toolbar button 6.
    static void PressF5(class frmMain& w) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_F5, Qt::NoModifier);
        QApplication::sendEvent(w.txtThZ->Editor(), &press);
    }

    WatchedEngine* engine_ = nullptr;
};
