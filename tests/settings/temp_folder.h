#pragma once

#include <gtest/gtest.h>

#include <filesystem>

#include "settings/private_profile.h"
#include "support/scratch_folder.h"

// A fresh folder per test, with fendral.ini in it.
class TempFolder : public ::testing::Test {
 protected:
  std::filesystem::path host() const { return scratch_.path() / "fendral.ini"; }
  std::string ini(const char* name = "fendral.ini") const { return scratch_.at(name); }
  void put(std::string_view bytes) const { scratch_.put("fendral.ini", bytes); }
  std::string get() const { return scratch_.get("fendral.ini"); }
  std::string read(std::string_view key, std::size_t cap = 255, std::string_view section = "Main") const {
    return fendral::settings::readProfileString(section, key, ini(), cap);
  }
  bool write(std::string_view key, std::string_view value) const {
    return fendral::settings::writeProfileString("Main", key, value, ini());
  }
  std::size_t entries() const { return scratch_.names().size(); }

  fendral::testing::ScratchFolder scratch_{"fendral-settings"};
};
