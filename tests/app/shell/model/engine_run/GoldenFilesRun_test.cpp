// Every golden parameter file, as the program writes it, runs through the engine without error.

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

#include <dlfcn.h>

namespace fs = std::filesystem;

namespace {

class Engine {
public:
    Engine() {
        handle_ = dlopen(KELVD_LIBRARY, RTLD_NOW | RTLD_LOCAL);
        if (handle_ == nullptr)
            return;
        start =
            reinterpret_cast<int (*)(const char*, const char*, const char*)>(dlsym(handle_, "Kelv_start"));
        progress = reinterpret_cast<int (*)()>(dlsym(handle_, "Kelv_getProgress"));
        lastError = reinterpret_cast<int (*)()>(dlsym(handle_, "Kelv_getLastError"));
    }
    ~Engine() {
        if (handle_ != nullptr)
            dlclose(handle_);
    }
    Engine(const Engine&) = delete;
    Engine& operator=(const Engine&) = delete;

    bool Loaded() const { return start != nullptr && progress != nullptr && lastError != nullptr; }

    // Starts a run and polls it as the program does, until it reports done (100) or failed (0).
    int Run(const std::string& inp, const std::string& prn, const std::string& ground) {
        if (start(inp.c_str(), prn.c_str(), ground.c_str()) != 0)
            return -1;
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        int p = progress();
        while (p != 100 && p != 0 && std::chrono::steady_clock::now() < deadline) {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
            p = progress();
        }
        return p;
    }

    int (*start)(const char*, const char*, const char*) = nullptr;
    int (*progress)() = nullptr;
    int (*lastError)() = nullptr;

private:
    void* handle_ = nullptr;
};

int CountLines(const fs::path& p) {
    std::ifstream in(p);
    int n = 0;
    for (std::string line; std::getline(in, line);)
        if (line.find_first_not_of(" \t\r") != std::string::npos)
            ++n;
    return n;
}

TEST(GoldenFilesRun, EngineReadsEveryFile) {
    Engine engine;
    ASSERT_TRUE(engine.Loaded()) << dlerror();

    struct Case {
        const char* golden;
        const char* ground; // the ground file the model names
        int points;         // field points of its flight profile
    };
    const Case cases[] = {
        {"three_antennas_2d.inp", "site1.3D", 11},
        {"two_antennas.inp", "site1.3D", 11},
        {"metres.inp", "metres.3D", 5},
        {"ground_3d.inp", "site1.3D", 11},
        {"flight_type_2.inp", "site1.3D", 11},
        {"flight_type_7.inp", "site1.3D", 11},
        {"no_ground_file.inp", "site1.3D", 11},
        {"renamed.inp", "site1.3D", 11},
    };
    const fs::path root = fs::path(TEST_OUTPUT_DIR) / "GoldenFilesRun";
    const fs::path previous = fs::current_path();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.golden);
        const fs::path dir = root / fs::path(c.golden).stem();
        fs::remove_all(dir);
        fs::create_directories(dir);
        fs::current_path(dir);
        fs::copy_file(fs::path(GOLDEN_DIR) / c.golden, "model.inp");
        fs::copy_file(fs::path(GOLDEN_DIR) / "default.3D", c.ground);

        EXPECT_EQ(engine.Run("model.inp", "model.prn", c.ground), 100);
        EXPECT_EQ(engine.lastError(), 0);
        EXPECT_EQ(CountLines("model.prn"), c.points);
        fs::current_path(previous);
    }
}

} // namespace
