#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>

#include "platform/ascii_case.h"
#include "platform/host_platform.h"

namespace fendral::platform {

bool isRegularFile(const std::string& hostFile) {
  struct stat info {};
  return ::stat(hostFile.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

namespace {

bool isExecutableFile(const std::string& file) {
  return isRegularFile(file) && ::access(file.c_str(), X_OK) == 0;
}

bool isWindowsProgram(std::string_view file) {
  static constexpr std::array<std::string_view, 3> kExtensions{".exe", ".bat", ".com"};
  return std::any_of(kExtensions.begin(), kExtensions.end(),
                     [file](std::string_view ext) { return endsWithIgnoringCase(file, ext); });
}

// The first executable `name` in the folders of a PATH value; an empty entry is the current folder.
std::optional<std::string> findOnPath(std::string_view name, std::string_view searchPath) {
  std::size_t pos = 0;
  while (pos <= searchPath.size()) {
    std::size_t end = searchPath.find(':', pos);
    if (end == std::string_view::npos) end = searchPath.size();
    std::string_view folder = searchPath.substr(pos, end - pos);
    if (folder.empty()) folder = ".";
    std::string candidate;
    candidate.reserve(folder.size() + 1 + name.size());
    candidate.append(folder).append("/").append(name);
    if (isExecutableFile(candidate)) return candidate;
    pos = end + 1;
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::vector<std::string>> hostArgv(const ProgramCall& call, std::string_view searchPath) {
  if (!isRegularFile(call.program)) return std::nullopt;
  // A relative name gets "./" so neither an interpreter's PATH search nor its option parsing sees it.
  std::string file = call.program.front() == '/' ? std::string() : std::string("./");
  file += call.program;

  std::vector<std::string> argv;
  if (isExecutableFile(file)) {
    argv.push_back(file);
  } else if (std::optional<std::string> wine;
             isWindowsProgram(file) && (wine = findOnPath("wine", searchPath))) {
    argv = {std::move(*wine), file};
  } else if (isWindowsProgram(file) && !endsWithIgnoringCase(file, ".bat")) {
    return std::nullopt;  // a Windows binary needs wine; only a batch file makes sense to /bin/sh
  } else if (::access(file.c_str(), R_OK) == 0) {
    argv = {"/bin/sh", file};
  } else {
    return std::nullopt;
  }
  argv.insert(argv.end(), call.args.begin(), call.args.end());
  return argv;
}

}  // namespace fendral::platform
