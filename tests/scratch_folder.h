// A scratch folder per test, with fixture files written and read as raw
// bytes. Names are joined as texts: a narrow std::filesystem path would go
// through the process code page on Windows, not GBK, so fixture names are
// kept ASCII.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

#include "primitives/text.h"

class ScratchFolder {
 public:
  ScratchFolder() {
    const auto* info = testing::UnitTest::GetInstance()->current_test_info();
    folder_ = std::filesystem::temp_directory_path() /
              (std::string("varnel_") + info->test_suite_name() + "_" + info->name());
    std::filesystem::remove_all(folder_);
    std::filesystem::create_directories(folder_);
  }
  ~ScratchFolder() {
    std::error_code ignored;
    for (const auto& entry : std::filesystem::directory_iterator(folder_, ignored)) {
      std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_all,
                                   std::filesystem::perm_options::add, ignored);
    }
    std::filesystem::remove_all(folder_, ignored);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  Text Fixture(const std::string& name, const std::string& bytes) const {
    const Text path = PathOf(name);
    std::ofstream(std::filesystem::path(path), std::ios::binary) << bytes;
    return path;
  }
  Text PathOf(const std::string& name) const {
    return folder_.string() + static_cast<char>(std::filesystem::path::preferred_separator) + name;
  }
  static std::string Contents(const Text& path) {
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  static void MakeReadOnly(const Text& path) {
    std::filesystem::permissions(std::filesystem::path(path),
                                 std::filesystem::perms::owner_write | std::filesystem::perms::group_write |
                                     std::filesystem::perms::others_write,
                                 std::filesystem::perm_options::remove);
  }
  // The names in the folder, to see that nothing was left behind.
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder_)) {
      names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }

 private:
  std::filesystem::path folder_;
};
