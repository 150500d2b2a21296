#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <stdexcept>
#include <string>
#include <string_view>

namespace fendral::testing {

// A fresh folder under the system's temporary folder, removed with all it holds when this goes.
class ScratchFolder {
 public:
  explicit ScratchFolder(std::string_view prefix = "fendral") {
    std::string pattern = (std::filesystem::temp_directory_path() / prefix).string() + "-XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("no scratch folder: " + pattern);
    path_ = pattern;
  }
  ~ScratchFolder() {
    std::error_code ignored;
    // A test may have locked the folder; open it again so everything can go.
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all, ignored);
    std::filesystem::remove_all(path_, ignored);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }

  // Names are relative to the folder.
  std::string at(const std::filesystem::path& name) const { return (path_ / name).string(); }
  // Writes `bytes`, making the folders on the way, and sets `mode` when one is given.
  void put(const std::filesystem::path& name, std::string_view bytes, int mode = -1) const {
    std::filesystem::create_directories((path_ / name).parent_path());
    std::ofstream(path_ / name, std::ios::binary) << bytes;
    if (mode >= 0) std::filesystem::permissions(path_ / name, std::filesystem::perms(mode));
  }
  std::string get(const std::filesystem::path& name) const {
    std::ifstream in(path_ / name, std::ios::binary);
    return in ? std::string(std::istreambuf_iterator<char>(in), {}) : "<unreadable>";
  }
  std::set<std::string> names(const std::filesystem::path& folder = {}) const {
    std::set<std::string> found;
    for (const auto& entry : std::filesystem::directory_iterator(path_ / folder))
      found.insert(entry.path().filename());
    return found;
  }

 private:
  std::filesystem::path path_;
};

}  // namespace fendral::testing
