// The engine choice behind Launch, on a 12-folder PATH: a native engine in the Quake 2 folder (found
// first), an engine on the PATH (the last folder), and quake2.exe after a PATH search that finds
// nothing, the longest way. Set against a single stat of one file, measured in the same run.
#include <benchmark/benchmark.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "platform/host_platform.h"
#include "support/scratch_folder.h"

namespace {

namespace fs = std::filesystem;

struct Installs {
  fendral::testing::ScratchFolder root{"fendral-engine-bench"};
  std::string path;

  Installs() {
    for (const char* folder : {"native", "data/baseq2", "windows"})
      fs::create_directories(root.path() / folder);
    put("native/quake2", "#!/bin/sh\n");
    put("windows/quake2.exe",
        "\x7f"
        "ELF");
    for (int i = 0; i < 12; ++i) {
      const fs::path folder = root.path() / ("bin" + std::to_string(i));
      fs::create_directories(folder);
      if (i > 0) path += ':';
      path += folder.string();
    }
  }
  void put(const std::string& name, const std::string& text) const {
    std::ofstream(root.path() / name) << text;
    fs::permissions(root.path() / name, fs::perms::owner_all);
  }
  std::string folder(const char* name) const { return (root.path() / name).string(); }
};

const Installs& installs() {
  static const Installs made;
  return made;
}

void choose(benchmark::State& state, const char* folder) {
  const Installs& at = installs();
  const std::string q2 = at.folder(folder);
  for (auto _ : state) benchmark::DoNotOptimize(fendral::platform::chooseGameEngine(q2, "", at.path));
}

void BM_NativeInFolder(benchmark::State& state) {
  choose(state, "native");
}
void BM_WindowsAfterPathSearch(benchmark::State& state) {
  choose(state, "windows");
}

void BM_OnPath(benchmark::State& state) {
  const Installs& at = installs();
  at.put("bin11/yquake2", "#!/bin/sh\n");
  choose(state, "data");
}

void BM_OneStat(benchmark::State& state) {
  const std::string file = installs().folder("windows/quake2.exe");
  struct stat info {};
  for (auto _ : state) benchmark::DoNotOptimize(::stat(file.c_str(), &info));
}

BENCHMARK(BM_OneStat);
BENCHMARK(BM_NativeInFolder);
BENCHMARK(BM_OnPath);
BENCHMARK(BM_WindowsAfterPathSearch);

}  // namespace
