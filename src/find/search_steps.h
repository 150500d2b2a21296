#pragma once

// What the searches of each kind of place share; not for use outside src/find.

#include <optional>
#include <set>
#include <string>
#include <string_view>

#include "find/installations.h"

namespace fendral::find {

inline constexpr std::size_t kRecordLimit = 1024 * 1024;

// Gathers what the places yield, each folder once.
class Collector {
 public:
  Collector(Search& search, Extent extent) : search_(search), extent_(extent) {}

  // Takes `folder` when it holds the game and was not taken before. True once the search may stop.
  bool offer(const std::string& folder, std::string whence);
  bool done() const { return extent_ == Extent::First && !search_.found.empty(); }
  // The bytes of a record file; nothing when it is missing (said only in `looked`) or unusable
  // (said in `skipped`).
  std::optional<std::string> readRecord(const std::string& file);
  void look(const std::string& place) { search_.looked.push_back(place); }
  void skip(const std::string& file, std::string reason) {
    search_.skipped.push_back({file, std::move(reason)});
  }

 private:
  Search& search_;
  Extent extent_;
  std::set<std::string> taken_;  // real paths
};

// The real path of `path` with every link resolved. Nothing when there is none: `why` then says what
// is wrong with the path, or stays empty when the path or a folder on it is simply missing.
std::optional<std::string> realPath(const std::string& path, std::string& why);

void searchSteam(const Places& places, Collector& collector);
void searchGog(const Places& places, Collector& collector);

}  // namespace fendral::find
