#ifndef PLATFORM_UI_TESTING_SCRATCHFOLDER_H
#define PLATFORM_UI_TESTING_SCRATCHFOLDER_H

// A test fixture that works in a folder of its own (header only; include it from test code).

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>

#include <gtest/gtest.h>

namespace plat::testing {

// A file's bytes as they are (nothing when it cannot be read).
inline std::string FileBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// Each test starts in an empty folder <parent>/<suite>.<test>, made the current directory (the
// program works in the folder of its file); the directory before it comes back after the test.
class ScratchFolderTest : public ::testing::Test {
protected:
    explicit ScratchFolderTest(const std::filesystem::path& parent) : home_(std::filesystem::current_path()) {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        dir_ = parent / (std::string(info->test_suite_name()) + "." + info->name());
        std::filesystem::remove_all(dir_);
        std::filesystem::create_directories(dir_);
        dir_ = std::filesystem::canonical(dir_);
        std::filesystem::current_path(dir_);
    }
    ~ScratchFolderTest() override {
        std::error_code error;
        std::filesystem::current_path(home_, error);
    }

    // Writes a file (and its folders) below the scratch folder; its full name.
    std::string Put(const std::string& relative, const std::string& text) {
        const std::filesystem::path p = dir_ / relative;
        std::filesystem::create_directories(p.parent_path());
        std::ofstream(p, std::ios::binary) << text;
        return p.string();
    }
    std::string Read(const std::string& relative) const { return FileBytes(dir_ / relative); }
    bool Exists(const std::string& relative) const { return std::filesystem::exists(dir_ / relative); }

    std::filesystem::path dir_;

private:
    std::filesystem::path home_;
};

} // namespace plat::testing

#endif
