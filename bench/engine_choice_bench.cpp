// The engine choice behind Launch, on a 12-folder PATH with every kind of install present: a native
// engine in the Quake 2 folder (found first), an engine on the PATH (the last folder, after the
// system's own engines), a Flatpak app (after every PATH name), quake2.exe after all of them, the
// longest way, and the player's Engine= name. Set against a single stat of one file, measured in the
// same run.
#include <benchmark/benchmark.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "platform/engine_table.h"
#include "support/scratch_folder.h"

namespace {

namespace fs = std::filesystem;
using fendral::platform::EngineSearch;

struct Installs {
  fendral::testing::ScratchFolder root{"fendral-engine-bench"};
  EngineSearch search;

  Installs() {
    for (const char* folder : {"native", "data/baseq2", "windows", "system", "home/.local/share/flatpak"})
      fs::create_directories(root.path() / folder);
    put("native/quake2", "#!/bin/sh\n");
    put("windows/quake2.exe",
        "\x7f"
        "ELF");
    for (int i = 0; i < 12; ++i) {
      const fs::path folder = root.path() / ("bin" + std::to_string(i));
      fs::create_directories(folder);
      if (i > 0) search.path += ':';
      search.path += folder.string();
    }
    search.systemRoot = folder("system");
    search.home = folder("home");
    search.userFlatpak = folder("home/.local/share/flatpak");
  }
  void put(const std::string& name, const std::string& text) const {
    fs::create_directories((root.path() / name).parent_path());
    std::ofstream(root.path() / name) << text;
    fs::permissions(root.path() / name, fs::perms::owner_all);
  }
  std::string folder(const char* name) const { return (root.path() / name).string(); }
};

Installs& installs() {
  static Installs made;
  return made;
}

void choose(benchmark::State& state, const char* folder, const EngineSearch& search) {
  const std::string q2 = installs().folder(folder);
  for (auto _ : state) benchmark::DoNotOptimize(fendral::platform::chooseGameEngine(q2, "", search));
}

void BM_NativeInFolder(benchmark::State& state) {
  choose(state, "native", installs().search);
}
void BM_OnPath(benchmark::State& state) {
  installs().put("bin11/q2pro", "#!/bin/sh\n");
  choose(state, "data", installs().search);
}
void BM_FlatpakAfterPath(benchmark::State& state) {
  Installs& at = installs();
  fs::remove(at.root.path() / "bin11/q2pro");
  at.put("bin11/flatpak", "#!/bin/sh\n");
  fs::create_directories(at.root.path() /
                         "system/var/lib/flatpak/app/com.github.skullernet.q2pro/current/active");
  choose(state, "data", at.search);
}
void BM_WindowsAfterEverything(benchmark::State& state) {
  Installs& at = installs();
  fs::remove_all(at.root.path() / "system/var/lib/flatpak/app");
  choose(state, "windows", at.search);
}
void BM_PlayersChoiceOnPath(benchmark::State& state) {
  Installs& at = installs();
  at.put("bin11/q2pro-own", "#!/bin/sh\n");
  EngineSearch search = at.search;
  search.playerChoice = "q2pro-own";
  choose(state, "data", search);
}

void BM_OneStat(benchmark::State& state) {
  const std::string file = installs().folder("windows/quake2.exe");
  struct stat info {};
  for (auto _ : state) benchmark::DoNotOptimize(::stat(file.c_str(), &info));
}

BENCHMARK(BM_OneStat);
BENCHMARK(BM_NativeInFolder);
BENCHMARK(BM_OnPath);
BENCHMARK(BM_FlatpakAfterPath);
BENCHMARK(BM_WindowsAfterEverything);
BENCHMARK(BM_PlayersChoiceOnPath);

}  // namespace
