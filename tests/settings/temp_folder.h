#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "settings/private_profile.h"
#include "support/scratch_folder.h"

// A fresh folder per test, removed afterwards.
class TempFolder : public ::testing::Test {
 protected:
  std::filesystem::path host() const { return folder_ / "fendral.ini"; }
  std::string ini(const char* name = "fendral.ini") const { return (folder_ / name).string(); }
  void put(std::string_view bytes) const { std::ofstream(host(), std::ios::binary) << bytes; }
  std::string get() const {
    std::ifstream in(host(), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }
  std::string read(std::string_view key, std::size_t cap = 255, std::string_view section = "Main") const {
    return fendral::settings::readProfileString(section, key, ini(), cap);
  }
  bool write(std::string_view key, std::string_view value) const {
    return fendral::settings::writeProfileString("Main", key, value, ini());
  }
  std::size_t entries() const {
    return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(folder_), {}));
  }

  fendral::testing::ScratchFolder scratch_{"fendral-settings"};
  const std::filesystem::path& folder_ = scratch_.path();
};
