#include "platform/host_path.h"

namespace fendral::platform {

std::string hostPath(std::string_view windowsPath) {
  std::string path(windowsPath);
  for (char& c : path) {
    if (c == '\\') c = '/';
  }
  while (!path.empty() && path.back() == ' ') path.pop_back();
  return path;
}

}  // namespace fendral::platform
