#pragma once
// The writer's golden parameter files, as the reader, round-trip and window tests read them.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/ui/testing/ScratchFolder.h"

// A golden file's bytes; a missing or empty one fails the test.
inline std::string GoldenText(const std::string& name) {
    const std::string text = plat::testing::FileBytes(std::filesystem::path(GOLDEN_DIR) / name);
    EXPECT_FALSE(text.empty()) << "missing golden file " << name;
    return text;
}

// The run title of a file: its first line's text between "' '" and " INPUT A'".
inline std::string TitleOf(const std::string& text) {
    const std::size_t start = text.find("' '") + 3;
    return text.substr(start, text.find(" INPUT A'") - start);
}
