// A folder of the running test's own, for the tests that write panels and modules
// to disk: ctest runs the tests of one program side by side, so each takes a name
// of its own.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

// An empty folder under the system's temporary folder named `prefix` and the
// running test's name.
inline std::filesystem::path fresh_test_folder(const std::string& prefix) {
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() /
        (prefix + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    return dir;
}
