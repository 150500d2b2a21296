#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

// A fresh folder per test, removed afterwards; the program names files in it with a backslash.
class TempFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (std::filesystem::temp_directory_path() / "fendral-test-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    folder_ = pattern;
  }
  void TearDown() override {
    std::filesystem::permissions(folder_, std::filesystem::perms::owner_all);
    std::filesystem::remove_all(folder_);
  }

  std::filesystem::path host(std::string_view name = "fendral.ini") const { return folder_ / name; }
  std::string ini(std::string_view name = "fendral.ini") const {
    return folder_.string() + "\\" + std::string(name);
  }
  void put(std::string_view bytes, std::string_view name = "fendral.ini") const {
    std::ofstream(host(name), std::ios::binary) << bytes;
  }
  std::string get(std::string_view name = "fendral.ini") const {
    std::ifstream in(host(name), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }
  std::size_t entries() const {
    return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(folder_), {}));
  }

  std::filesystem::path folder_;
};
