// A fresh, empty folder for one test's files.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <string_view>

// A folder under the system's temporary one, named after `prefix`, the
// running test and the moment, so that runs and tests never share one;
// created empty.
inline std::filesystem::path FreshTempFolder(std::string_view prefix) {
  const std::string test =
      ::testing::UnitTest::GetInstance()->current_test_info()->name();
  const auto stamp =
      std::chrono::steady_clock::now().time_since_epoch().count();
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() /
      (std::string(prefix) + "-" + test + "-" + std::to_string(stamp));
  std::filesystem::create_directories(folder);
  return folder;
}
