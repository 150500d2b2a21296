// Feeds arbitrary bytes to the settings reader and writer as a settings file, plain or UTF-16, reached
// directly or through a symbolic link, and checks that a write reads back, keeps the link and the
// encoding and leaves every other line of the file as it was.
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
#include "settings/text_encoding.h"
#include "settings/utf16_text.h"
#include "support/scratch_folder.h"

namespace {

using namespace fendral::settings;

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
  // The first two bytes pick names, capacity and whether the settings file is reached through a
  // symbolic link (a dangling one starts without a file); the rest is the file, whose tail is also the
  // value.
  const std::uint8_t pick = data[0];
  const std::size_t capacity = data[1];
  const std::string_view section = kSections[pick % kSections.size()];
  const std::string_view key = kKeys[(pick / kSections.size()) % kKeys.size()];
  const int link = pick / 36 % 3;  // none, to a file, dangling
  const std::string_view file =
      link == 2 ? std::string_view() : std::string_view(reinterpret_cast<const char*>(data) + 2, size - 2);

  const std::filesystem::path named = folder() / "fendral.ini";
  const std::filesystem::path host = link == 0 ? named : folder() / "target.ini";
  const std::string path = named.string();
  if (link != 0) std::filesystem::create_symlink("target.ini", named);
  if (link != 2) put(host, file);

  for (std::string_view name : kKeys)
    check(readProfileString(section, name, path, capacity).size() < std::max<std::size_t>(capacity, 1));

  const std::string_view tail(reinterpret_cast<const char*>(data) + 2, size - 2);
  std::string value(tail.substr(tail.size() - std::min<std::size_t>(tail.size(), pick % 64 * 4)));
  std::replace_if(
      value.begin(), value.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
  check(writeProfileString(section, key, value, path));
  const std::string after = get(host);
  check(link == 0 || std::filesystem::is_symlink(named));

  // A UTF-16 file stays UTF-16 and is compared as the text the reader sees; its values are text, so
  // only UTF-8 ones read back as they were written.
  const FileForm form = formOf(file);
  const bool wide = form != FileForm::Bytes;
  check(formOf(after) == form);
  const std::string before = wide ? fromUtf16(file, form).text : std::string(file);
  const std::string now = wide ? fromUtf16(after, form).text : after;
  const std::string readBack = readProfileString(section, key, path);
  if (!wide || isUtf8(value))
    check(value.size() <= 254 ? readBack == value : value.starts_with(readBack) && readBack.size() >= 251);
  // Writing what is already there changes nothing.
  if (readBack.size() < 254) check(writeProfileString(section, key, readBack, path) && get(host) == after);

  // Everything outside one changed stretch is kept, and that stretch was part of one line before.
  const std::size_t shorter = std::min(before.size(), now.size());
  std::size_t prefix = 0;
  while (prefix < shorter && before[prefix] == now[prefix]) ++prefix;
  std::size_t suffix = 0;
  while (suffix < shorter - prefix && before[before.size() - 1 - suffix] == now[now.size() - 1 - suffix])
    ++suffix;
  const std::string_view removed = std::string_view(before).substr(prefix, before.size() - prefix - suffix);
  check(removed.find_first_of("\r\n") == std::string_view::npos);

  std::filesystem::remove(named);
  std::filesystem::remove(host);
  return 0;
}
