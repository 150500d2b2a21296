#include <array>
#include <vector>

#include "find/search_steps.h"
#include "settings/text_encoding.h"

namespace fendral::find {

namespace {

constexpr std::string_view kBlanks = " \t\r\n";

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// The four hex digits at `at`, or -1.
int hexUnit(std::string_view text, std::size_t at) {
  if (at + 4 > text.size()) return -1;
  int unit = 0;
  for (std::size_t i = at; i < at + 4; ++i) {
    const int digit = hexDigit(text[i]);
    if (digit < 0) return -1;
    unit = unit * 16 + digit;
  }
  return unit;
}

// The JSON string whose opening quote is at `at`, decoded; `at` moves past it. Nothing when it is
// cut short or holds a broken escape.
std::optional<std::string> jsonString(std::string_view text, std::size_t& at) {
  std::string out;
  for (++at; at < text.size(); ++at) {
    const char c = text[at];
    if (c == '"') {
      ++at;
      return out;
    }
    if (c != '\\') {
      out += c;
      continue;
    }
    if (++at == text.size()) return std::nullopt;
    switch (text[at]) {
      case 'b':
        out += '\b';
        break;
      case 'f':
        out += '\f';
        break;
      case 'n':
        out += '\n';
        break;
      case 'r':
        out += '\r';
        break;
      case 't':
        out += '\t';
        break;
      case 'u': {
        int unit = hexUnit(text, at + 1);
        if (unit < 0) return std::nullopt;
        at += 4;
        char32_t character = static_cast<char32_t>(unit);
        if (unit >= 0xD800 && unit < 0xDC00) {
          const int low = text.substr(at + 1, 2) == "\\u" ? hexUnit(text, at + 3) : -1;
          if (low < 0xDC00 || low >= 0xE000) return std::nullopt;
          character = 0x10000 + ((static_cast<char32_t>(unit) - 0xD800) << 10) +
                      (static_cast<char32_t>(low) - 0xDC00);
          at += 6;
        } else if (unit >= 0xDC00 && unit < 0xE000) {
          return std::nullopt;
        }
        settings::appendUtf8(out, character);
        break;
      }
      default:  // '"', '\\', '/'
        out += text[at];
    }
  }
  return std::nullopt;
}

// Every "install_path" value of Heroic's record of installed GOG games. Not a full JSON reader: one
// pass looking for the key, so any bytes at all take time linear in their length.
std::vector<std::string> installPaths(std::string_view json, std::string& error) {
  std::vector<std::string> paths;
  const std::size_t first = json.find_first_not_of(kBlanks);
  if (first == std::string_view::npos || (json[first] != '{' && json[first] != '[')) {
    error = "it is not JSON";
    return paths;
  }
  constexpr std::string_view kKey = "\"install_path\"";
  for (std::size_t at = json.find(kKey); at != std::string_view::npos; at = json.find(kKey, at)) {
    at = json.find_first_not_of(kBlanks, at + kKey.size());
    if (at == std::string_view::npos || json[at] != ':') continue;
    at = json.find_first_not_of(kBlanks, at + 1);
    if (at == std::string_view::npos || json[at] != '"') continue;
    std::optional<std::string> path = jsonString(json, at);
    if (!path) {
      error = "it holds a broken string";
      break;
    }
    paths.push_back(std::move(*path));
  }
  return paths;
}

// An unpacked offline installer keeps the game in app/.
bool offerWithApp(const std::string& folder, std::string whence, Collector& collector) {
  return collector.offer(folder, whence) || collector.offer(folder + "/app", whence);
}

}  // namespace

void searchGog(const Places& places, Collector& collector) {
  const std::string& home = places.home;
  const std::array<std::string, 2> records{
      home + "/.config/heroic/gog_store/installed.json",
      home + "/.var/app/com.heroicgameslauncher.hgl/config/heroic/gog_store/installed.json",
  };
  for (const std::string& record : records) {
    const std::optional<std::string> bytes = collector.readRecord(record);
    if (!bytes) continue;
    std::string error;
    // Every game of the record is looked at: only Quake II's folder holds its data.
    for (const std::string& path : installPaths(*bytes, error)) {
      if (path.find('\n') != std::string::npos) {
        collector.skip(record, "it names a folder with a line break");
      } else if (path.starts_with('/') && offerWithApp(path, "GOG, installed by Heroic", collector)) {
        return;
      }
    }
    if (!error.empty()) collector.skip(record, error);
  }
  for (const char* folder : {"/GOG Games/Quake II", "/Games/Heroic/Quake II"}) {
    if (offerWithApp(home + folder, "GOG", collector)) return;
  }
}

}  // namespace fendral::find
