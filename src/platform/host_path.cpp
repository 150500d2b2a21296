#include "platform/host_path.h"

#include <unistd.h>

#include <cstdlib>
#include <memory>

namespace fendral::platform {

std::string hostPath(std::string_view windowsPath) {
  std::string path(windowsPath);
  for (char& c : path) {
    if (c == '\\') c = '/';
  }
  while (!path.empty() && path.back() == ' ') path.pop_back();
  return path;
}

std::string absoluteHostPath(std::string_view windowsPath) {
  return madeAbsolute(hostPath(windowsPath));
}

std::string madeAbsolute(std::string path) {
  if (path.starts_with('/')) return path;
  if (path.empty()) return "/";
  const std::unique_ptr<char, decltype(&::free)> here(::getcwd(nullptr, 0), &::free);
  if (!here) return path;
  std::string absolute(here.get());
  if (!absolute.ends_with('/')) absolute += '/';
  return absolute + path;
}

}  // namespace fendral::platform
