#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdlib>

#include "platform/ascii_case.h"
#include "platform/host_path.h"
#include "platform/host_platform.h"
#include "platform/unique_fd.h"

namespace fendral::platform {

std::string searchPath() {
  const char* path = std::getenv("PATH");
  return path != nullptr ? path : "/usr/local/bin:/usr/bin:/bin:/usr/local/games:/usr/games";
}

std::optional<std::string> findOnPath(std::string_view name, std::string_view path) {
  std::size_t pos = 0;
  while (pos <= path.size()) {
    std::size_t end = path.find(':', pos);
    if (end == std::string_view::npos) end = path.size();
    const std::string_view folder = path.substr(pos, end - pos);
    pos = end + 1;
    if (folder.empty()) continue;
    std::string candidate(folder);
    candidate.append("/").append(name);
    struct stat info {};
    if (::stat(candidate.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
        ::access(candidate.c_str(), X_OK) == 0) {
      return madeAbsolute(std::move(candidate));
    }
  }
  return std::nullopt;
}

namespace {

enum class Content { Unreadable, Native, Windows, Other };

// O_NONBLOCK keeps a FIFO from stalling the launcher; only regular files get read.
Content contentOf(const std::string& file) {
  const UniqueFd fd(::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
  struct stat info {};
  if (!fd.valid() || ::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode)) return Content::Unreadable;
  std::array<char, 4> head{};
  const ssize_t got = ::read(fd.get(), head.data(), head.size());
  const std::string_view start(head.data(), got > 0 ? static_cast<std::size_t>(got) : 0);
  if (start.starts_with("\x7f"
                        "ELF") ||
      start.starts_with("#!")) {
    return Content::Native;
  }
  return start.starts_with("MZ") ? Content::Windows : Content::Other;
}

bool hasNameEnding(std::string_view file, std::initializer_list<std::string_view> endings) {
  return std::any_of(endings.begin(), endings.end(),
                     [file](std::string_view end) { return endsWithIgnoringCase(file, end); });
}

}  // namespace

bool isNativeExecutable(const std::string& hostFile) {
  return contentOf(hostFile) == Content::Native && ::access(hostFile.c_str(), X_OK) == 0;
}

std::optional<Command> runCommand(const std::string& hostFile, std::string_view path) {
  const Content content = contentOf(hostFile);
  if (content == Content::Unreadable) return std::nullopt;
  // A relative name gets "./" so neither an interpreter's PATH search nor its option parsing sees it.
  const std::string file = hostFile.starts_with('/') ? hostFile : "./" + hostFile;
  if (content == Content::Native) return Command{file};

  const bool batch = hasNameEnding(file, {".bat", ".cmd"});
  if (content == Content::Windows || batch || hasNameEnding(file, {".exe", ".com"})) {
    if (std::optional<std::string> wine = findOnPath("wine", path)) return Command{std::move(*wine), file};
    // Without wine only a batch file of plain commands still makes sense, to the shell.
    if (content == Content::Windows || !batch) return std::nullopt;
  }
  return Command{"/bin/sh", file};
}

}  // namespace fendral::platform
