// Reading and saving the 18 settings, on a realistic settings file and on files padded with other
// sections ahead of Main, from 1 KB to 10 MB. Each read is also set against one plain read of the same
// file into a string, measured in the same run ("x_plain_read"); the Save of all 18 in one rewrite under
// the lock against saving them one key at a time, one rewrite each ("OneByOne").
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "settings/private_profile.h"
#include "settings/settings_save.h"
#include "support/scratch_folder.h"

namespace {

using fendral::settings::kSettings;
using fendral::settings::readSetting;
using fendral::settings::SettingValues;

const std::filesystem::path& folder() {
  static const fendral::testing::ScratchFolder run("fendral-bench");
  return run.path();
}

const std::string kMain =
    "[Main]\r\nQ2Location=C:\\Quake2\r\nCDLocation=D\r\nOptions=+set vid_ref gl +set gl_mode 4\r\n"
    "ServerIP=192.168.0.10\r\nConfig=fendral.cfg\r\nG1D=Capture the Flag\r\nG2D=Rocket Arena 2\r\n"
    "G3D=Action Quake 2\r\nG1C=ctf\r\nG2C=arena\r\nG3C=action\r\nG1Config=ctf.cfg\r\nG2Config=ra2.cfg\r\n"
    "G3Config=aq2.cfg\r\nJoystick=False\r\nCDaudio=True\r\nBatchFileStatus=False\r\n"
    "BatchFileLocation=3dfx.bat\r\n";

// A settings file of about `size` bytes: padding sections first, Main last. Made once per size.
std::string fileOfSize(std::int64_t size) {
  static std::map<std::int64_t, std::string> made;
  auto [entry, isNew] = made.try_emplace(size);
  if (!isNew) return entry->second;
  std::string text;
  for (int section = 0; text.size() + kMain.size() < static_cast<std::size_t>(size); ++section) {
    text += "[Pad" + std::to_string(section) + "]\r\n";
    for (int key = 0; key < 8; ++key) text += "Key" + std::to_string(key) + "=some padding value\r\n";
  }
  text += kMain;
  const std::filesystem::path host = folder() / ("size" + std::to_string(size) + ".ini");
  std::ofstream(host, std::ios::binary) << text;
  entry->second = host.string();
  return entry->second;
}

std::string plainRead(const std::string& host) {
  std::ifstream in(host, std::ios::binary | std::ios::ate);
  std::string content(static_cast<std::size_t>(in.tellg()), '\0');
  in.seekg(0).read(content.data(), static_cast<std::streamsize>(content.size()));
  return content;
}

// Median time of one plain read of the file, the yardstick for the settings reads.
double plainReadSeconds(const std::string& host) {
  std::vector<double> times(101);
  for (double& time : times) {
    const auto start = std::chrono::steady_clock::now();
    benchmark::DoNotOptimize(plainRead(host));
    time = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  }
  std::nth_element(times.begin(), times.begin() + 50, times.end());
  return times[50];
}

void readAll18(benchmark::State& state, const std::string& ini) {
  const double baseline = plainReadSeconds(ini);
  const auto start = std::chrono::steady_clock::now();
  for (auto _ : state) {
    for (const auto& setting : kSettings) benchmark::DoNotOptimize(readSetting(setting, ini));
  }
  const double each = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() /
                      static_cast<double>(state.iterations());
  state.counters["x_plain_read"] = each / baseline;
}

// Alternates between two value sets, so every save really changes all 18 values.
void saveAll18(benchmark::State& state, const std::string& ini) {
  SettingValues one, two;
  one.fill("value one");
  two.fill("value two");
  bool flip = false;
  for (auto _ : state) {
    flip = !flip;
    const fendral::platform::FileOutcome saved =
        fendral::settings::saveChangedSettings({ini, ini}, {flip ? two : one}, flip ? one : two);
    if (!saved) state.SkipWithError("the save failed");
  }
}

void saveOneByOne(benchmark::State& state, const std::string& ini) {
  bool flip = false;
  for (auto _ : state) {
    flip = !flip;
    for (const auto& setting : kSettings) {
      fendral::settings::writeProfileString("Main", setting.saveKey, flip ? "value one" : "value two", ini);
    }
  }
}

void BM_PlainRead(benchmark::State& state) {
  const std::string host = fileOfSize(state.range(0));
  for (auto _ : state) benchmark::DoNotOptimize(plainRead(host));
  state.SetComplexityN(state.range(0));
  state.SetBytesProcessed(state.iterations() * state.range(0));
}

void BM_Read18(benchmark::State& state) {
  readAll18(state, fileOfSize(state.range(0)));
  state.SetComplexityN(state.range(0));
}

void BM_Save18(benchmark::State& state) {
  saveAll18(state, fileOfSize(state.range(0)));
  state.SetComplexityN(state.range(0));
}

void BM_Save18OneByOne(benchmark::State& state) {
  saveOneByOne(state, fileOfSize(state.range(0)));
  state.SetComplexityN(state.range(0));
}

void BM_Save18OneByOneRealistic(benchmark::State& state) {
  saveOneByOne(state, fileOfSize(static_cast<std::int64_t>(kMain.size())));
}

void BM_Read18Realistic(benchmark::State& state) {
  readAll18(state, fileOfSize(static_cast<std::int64_t>(kMain.size())));
}

void BM_Save18Realistic(benchmark::State& state) {
  saveAll18(state, fileOfSize(static_cast<std::int64_t>(kMain.size())));
}

constexpr std::int64_t kSmallest = 1 << 10;
constexpr std::int64_t kLargest = 10 << 20;

BENCHMARK(BM_Read18Realistic)->UseRealTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Save18Realistic)->UseRealTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Save18OneByOneRealistic)->UseRealTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PlainRead)
    ->RangeMultiplier(8)
    ->Range(kSmallest, kLargest)
    ->UseRealTime()
    ->Unit(benchmark::kMicrosecond)
    ->Complexity(benchmark::oN);
BENCHMARK(BM_Read18)
    ->RangeMultiplier(8)
    ->Range(kSmallest, kLargest)
    ->UseRealTime()
    ->Unit(benchmark::kMicrosecond)
    ->Complexity(benchmark::oN);
BENCHMARK(BM_Save18)
    ->RangeMultiplier(8)
    ->Range(kSmallest, kLargest)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);
BENCHMARK(BM_Save18OneByOne)
    ->RangeMultiplier(8)
    ->Range(kSmallest, kLargest)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

}  // namespace
