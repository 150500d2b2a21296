// Feeds arbitrary bytes to the scanner of Steam's KeyValues text and checks that what it reads
// written back out reads the same; then gives the same bytes to the search for installations as a
// Steam library list, an app manifest or Heroic's record, which must neither crash nor hang.
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "find/installations.h"
#include "find/vdf_scan.h"
#include "support/scratch_folder.h"

namespace {

using namespace fendral::find;

void check(bool condition) {
  if (!condition) std::abort();
}

std::string inQuotes(std::string_view text) {
  std::string out = "\"";
  for (char c : text) {
    if (c == '\\' || c == '"') out += '\\';
    out += c;
  }
  return out + '"';
}

void write(const VdfNode& block, std::string& out) {
  for (const VdfNode& entry : block.children) {
    out += inQuotes(entry.key);
    if (entry.block) {
      out += " {\n";
      write(entry, out);
      out += "}\n";
    } else {
      out += ' ' + inQuotes(entry.value) + '\n';
    }
  }
}

bool same(const VdfNode& a, const VdfNode& b) {
  if (a.key != b.key || a.value != b.value || a.block != b.block || a.children.size() != b.children.size())
    return false;
  for (std::size_t i = 0; i < a.children.size(); ++i)
    if (!same(a.children[i], b.children[i])) return false;
  return true;
}

// A home with one Steam root whose library holds the game; the input replaces one of its files.
const fendral::testing::ScratchFolder& home() {
  static const fendral::testing::ScratchFolder run("fendral-fuzz");
  static const bool made = [] {
    run.put("Steam/steamapps/libraryfolders.vdf",
            "\"libraryfolders\" { \"1\" { \"path\" \"" + run.at("lib") + "\" } }");
    run.put("lib/steamapps/appmanifest_2320.acf", "\"AppState\" { \"installdir\" \"Quake 2\" }");
    run.put("lib/steamapps/common/Quake 2/baseq2/pak0.pak", "PACK");
    std::filesystem::create_directories(run.at(".steam"));
    std::filesystem::create_directory_symlink(run.at("Steam"), run.at(".steam/steam"));
    return true;
  }();
  (void)made;
  return run;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const VdfScan scan = scanVdf(text);
  if (scan.error.empty()) {
    std::string again;
    write(scan.root, again);
    const VdfScan rescan = scanVdf(again);
    check(rescan.error.empty() && same(scan.root, rescan.root));
  }

  // The files cost far more than the scanner, so only some inputs go through them.
  if (size % 8 >= 3) return 0;
  static const char* const kFiles[] = {"Steam/steamapps/libraryfolders.vdf",
                                       "lib/steamapps/appmanifest_2320.acf",
                                       ".config/heroic/gog_store/installed.json"};
  const std::string file = home().at(kFiles[size % 8]);
  const std::string before = home().get(kFiles[size % 8]);
  std::ofstream(file, std::ios::binary).write(text.data(), static_cast<std::streamsize>(size));
  Places places;
  places.home = home().path().string();
  places.dataHome = places.home;
  places.systemFolders.clear();
  const Search search = findInstallations(places, Extent::All);
  check(search.found.size() <= 2);
  std::ofstream(file, std::ios::binary) << (before == "<unreadable>" ? "" : before);
  return 0;
}
