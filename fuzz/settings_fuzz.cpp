// Feeds arbitrary bytes to the settings reader and writer as a settings file and checks that a write
// reads back and leaves every other line of the file as it was.
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

#include "settings/private_profile.h"
#include "support/scratch_folder.h"

namespace {

using fendral::settings::readProfileString;
using fendral::settings::writeProfileString;

// One folder for the whole run, removed when the fuzzer exits.
const std::filesystem::path& folder() {
  static const fendral::testing::ScratchFolder run("fendral-fuzz");
  return run.path();
}

void put(const std::filesystem::path& file, std::string_view bytes) {
  std::ofstream(file, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string get(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

void check(bool condition) {
  if (!condition) std::abort();
}

constexpr std::array<std::string_view, 6> kSections{"Main", "main", " MAIN\t", "Other", "a", ""};
constexpr std::array<std::string_view, 6> kKeys{"JoyStick", "joystick", "Q2Location", "k", " K ", "x"};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  // The first two bytes pick names and capacity; the rest is the file, whose tail is also the value.
  const std::uint8_t pick = data[0];
  const std::size_t capacity = data[1];
  const std::string_view file(reinterpret_cast<const char*>(data) + 2, size - 2);
  const std::string_view section = kSections[pick % kSections.size()];
  const std::string_view key = kKeys[(pick / kSections.size()) % kKeys.size()];

  const std::filesystem::path host = folder() / "fendral.ini";
  const std::string path = folder().string() + "\\fendral.ini";
  put(host, file);

  for (std::string_view name : kKeys)
    check(readProfileString(section, name, path, capacity).size() < std::max<std::size_t>(capacity, 1));

  std::string value(file.substr(file.size() - std::min<std::size_t>(file.size(), pick % 64 * 4)));
  std::replace_if(
      value.begin(), value.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
  check(writeProfileString(section, key, value, path));
  const std::string after = get(host);
  const std::string readBack = readProfileString(section, key, path);
  check(value.size() <= 254 ? readBack == value : value.starts_with(readBack) && readBack.size() >= 251);

  // Everything outside one changed stretch is kept, and that stretch was part of one line before.
  const std::size_t shorter = std::min(file.size(), after.size());
  std::size_t prefix = 0;
  while (prefix < shorter && file[prefix] == after[prefix]) ++prefix;
  std::size_t suffix = 0;
  while (suffix < shorter - prefix && file[file.size() - 1 - suffix] == after[after.size() - 1 - suffix])
    ++suffix;
  const std::string_view removed = file.substr(prefix, file.size() - prefix - suffix);
  check(removed.find_first_of("\r\n") == std::string_view::npos);

  std::filesystem::remove(host);
  return 0;
}
