#include "platform/engine/EngineBinding.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

namespace {

std::string EmptyFolder(const std::string& name) {
    const auto folder = std::filesystem::path(TEST_OUTPUT_DIR) / name;
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    return folder.string();
}

TEST(EngineBinding, RealLibraryBindsAndReportsIdleState) {
    plat::DynamicEngine engine(KELVD_LIBRARY);
    EXPECT_EQ(engine.Kelv_getProgress(), 100);
    EXPECT_EQ(engine.Kelv_getLastError(), 0);
}

TEST(EngineBinding, RealLibraryRunOnMissingFileFailsWithFileCode) {
    plat::DynamicEngine engine(KELVD_LIBRARY);
    const std::string folder = EmptyFolder("engine_binding_missing");
    ASSERT_EQ(engine.Kelv_start((folder + "/none.inp").c_str(), (folder + "/none.prn").c_str(),
                                (folder + "/none.3D").c_str()),
              0);
    int progress = -1;
    for (int i = 0; i < 500; ++i) {
        progress = engine.Kelv_getProgress();
        if (progress == 0 || progress == 100) {
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    EXPECT_EQ(progress, 0);
    EXPECT_GE(engine.Kelv_getLastError(), 2);
    EXPECT_LE(engine.Kelv_getLastError(), 6);
}

TEST(EngineBinding, FindsTheLibraryBesideTheExecutableFirst) {
    // The test executable lies in the build's bin folder, where libKelvd.so is built.
    const std::string exeFolder = plat::ExecutableFolder();
    ASSERT_EQ(std::filesystem::path(exeFolder) / plat::kEngineLibraryName,
              std::filesystem::path(KELVD_LIBRARY));
    auto engine = plat::LoadEngine(exeFolder);
    auto* dynamic = dynamic_cast<plat::DynamicEngine*>(engine.get());
    ASSERT_NE(dynamic, nullptr);
    EXPECT_EQ(dynamic->Path(), KELVD_LIBRARY);
    EXPECT_EQ(engine->Kelv_getProgress(), 100);
}

TEST(EngineBinding, MissingLibraryIsATypedErrorNamingIt) {
    // Not beside this "executable" and not on the loader path.
    const std::string folder = EmptyFolder("engine_binding_nolib");
    try {
        plat::LoadEngine(folder);
        FAIL() << "no error";
    } catch (const plat::EngineLoadError& e) {
        EXPECT_EQ(e.MissingName(), "libKelvd.so");
        EXPECT_NE(std::string(e.what()).find("libKelvd.so"), std::string::npos);
    }
}

TEST(EngineBinding, ABrokenLibraryBesideTheExecutableIsReported) {
    const std::string folder = EmptyFolder("engine_binding_broken");
    std::ofstream(folder + "/libKelvd.so") << "not a library";
    EXPECT_THROW(plat::LoadEngine(folder), plat::EngineLoadError);
}

TEST(EngineBinding, MissingExportIsATypedErrorNamingIt) {
    try {
        plat::DynamicEngine engine(FAKE_PARTIAL_LIBRARY);
        FAIL() << "no error";
    } catch (const plat::EngineLoadError& e) {
        EXPECT_EQ(e.MissingName(), "Kelv_getLastError");
        EXPECT_NE(std::string(e.what()).find("Kelv_getLastError"), std::string::npos);
    }
}

class FakeEngine : public plat::IEngine {
public:
    int Kelv_start(const std::string& in, const std::string&, const std::string&) override {
        started = in;
        return 0;
    }
    int Kelv_stop() override { return 0; }
    int Kelv_getProgress() override { return 42; }
    int Kelv_getLastError() override { return 7; }
    std::string started;
};

TEST(EngineBinding, ATestCanInstallItsOwnEngine) {
    auto fake = std::make_unique<FakeEngine>();
    FakeEngine* raw = fake.get();
    plat::SetEngine(std::move(fake));
    EXPECT_EQ(plat::Engine().Kelv_start("a.inp", "a.prn", "a.3D"), 0);
    EXPECT_EQ(raw->started, "a.inp");
    EXPECT_EQ(plat::Engine().Kelv_getProgress(), 42);
    plat::SetEngine(nullptr);
    // Bound again by name: the real library beside this executable.
    auto* bound = dynamic_cast<plat::DynamicEngine*>(&plat::Engine());
    ASSERT_NE(bound, nullptr);
    EXPECT_EQ(bound->Path(), KELVD_LIBRARY);
}

} // namespace
