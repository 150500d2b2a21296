// Finding the game on a first run, warm cache: three Steam roots (two more of the usual names link to
// them), each listing the same four libraries with their apps, 300 app manifests among those
// libraries and Quake II's in the last one; the rest of the places empty. Set against one plain read
// of each record file the search reads, measured in the same run ("x_plain_read").
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "find/installations.h"
#include "support/scratch_folder.h"

namespace {

namespace fs = std::filesystem;
using namespace fendral::find;

struct Home {
  fendral::testing::ScratchFolder root{"fendral-find-bench"};
  Places places;
  std::vector<std::string> records;  // what the search reads

  Home() {
    places.home = root.at("home");
    places.dataHome = root.at("home/.local/share");
    places.systemFolders = {root.at("usr/share/games/quake2")};
    std::string list = "\"libraryfolders\"\n{\n";
    for (int library = 0; library < 4; ++library) {
      const std::string path = root.at("library" + std::to_string(library));
      list += "\t\"" + std::to_string(library) + "\"\n\t{\n\t\t\"path\"\t\t\"" + path +
              "\"\n\t\t\"label\"\t\t\"\"\n\t\t\"totalsize\"\t\t\"0\"\n\t\t\"apps\"\n\t\t{\n";
      for (int app = 0; app < 75; ++app) {
        const std::string id =
            library == 3 && app == 74 ? "2320" : std::to_string(400000 + library * 100 + app);
        list += "\t\t\t\"" + id + "\"\t\t\"123456789\"\n";
        root.put("library" + std::to_string(library) + "/steamapps/appmanifest_" + id + ".acf",
                 "\"AppState\"\n{\n\t\"appid\"\t\t\"" + id + "\"\n\t\"name\"\t\t\"App " + id +
                     "\"\n\t\"installdir\"\t\t\"" + (id == "2320" ? "Quake 2" : "App " + id) + "\"\n}\n");
      }
      list += "\t\t}\n\t}\n";
    }
    list += "}\n";
    root.put("library3/steamapps/common/Quake 2/baseq2/pak0.pak", "PACK");
    for (const char* steam :
         {"home/.local/share/Steam", "home/.var/app/com.valvesoftware.Steam/.local/share/Steam",
          "home/snap/steam/common/.local/share/Steam"}) {
      root.put(std::string(steam) + "/steamapps/libraryfolders.vdf", list);
      records.push_back(root.at(std::string(steam) + "/steamapps/libraryfolders.vdf"));
    }
    fs::create_directories(root.at("home/.steam"));
    fs::create_directory_symlink(root.at("home/.local/share/Steam"), root.at("home/.steam/steam"));
    fs::create_directory_symlink(root.at("home/.local/share/Steam"), root.at("home/.steam/root"));
    records.push_back(root.at("library3/steamapps/appmanifest_2320.acf"));
  }
};

const Home& home() {
  static const Home made;
  return made;
}

std::string plainRead(const std::string& file) {
  std::ifstream in(file, std::ios::binary | std::ios::ate);
  std::string content(static_cast<std::size_t>(in.tellg()), '\0');
  in.seekg(0).read(content.data(), static_cast<std::streamsize>(content.size()));
  return content;
}

// Median time of one plain read of every record file, the yardstick.
double plainReadSeconds() {
  std::vector<double> times(101);
  for (double& time : times) {
    const auto start = std::chrono::steady_clock::now();
    for (const std::string& file : home().records) benchmark::DoNotOptimize(plainRead(file));
    time = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  }
  std::nth_element(times.begin(), times.begin() + 50, times.end());
  return times[50];
}

void find(benchmark::State& state, Extent extent) {
  if (findInstallations(home().places, extent).found.size() != 1)
    state.SkipWithError("the game was not found");
  const double baseline = plainReadSeconds();
  const auto start = std::chrono::steady_clock::now();
  for (auto _ : state) benchmark::DoNotOptimize(findInstallations(home().places, extent));
  const double each = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() /
                      static_cast<double>(state.iterations());
  state.counters["x_plain_read"] = each / baseline;
}

// What a first run pays before its window shows.
void BM_FindFirst(benchmark::State& state) {
  find(state, Extent::First);
}

// What --find does: every place, and the games of what it finds.
void BM_FindAll(benchmark::State& state) {
  find(state, Extent::All);
}

void BM_PlainReadOfTheRecords(benchmark::State& state) {
  for (auto _ : state)
    for (const std::string& file : home().records) benchmark::DoNotOptimize(plainRead(file));
}

BENCHMARK(BM_FindFirst)->UseRealTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FindAll)->UseRealTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PlainReadOfTheRecords)->UseRealTime()->Unit(benchmark::kMicrosecond);

}  // namespace
