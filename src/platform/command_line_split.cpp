#include <algorithm>
#include <cstddef>

#include "platform/ascii_case.h"
#include "platform/host_path.h"
#include "platform/host_platform.h"

namespace fendral::platform {

namespace {

struct Word {
  std::size_t begin, end;  // [begin, end) in the text
};

// Only the blank separates; tabs and other spaces stay inside words, as Windows reads them.
std::vector<Word> splitWords(std::string_view text) {
  std::vector<Word> words;
  std::size_t pos = 0;
  while (pos < text.size()) {
    const std::size_t begin = text.find_first_not_of(' ', pos);
    if (begin == std::string_view::npos) break;
    std::size_t end = text.find(' ', begin);
    if (end == std::string_view::npos) end = text.size();
    words.push_back({begin, end});
    pos = end;
  }
  return words;
}

std::string besideProgram(const std::string& folder, std::string_view name) {
  std::string path = folder;
  if (path.empty() || path.back() != '/') path += '/';
  path += name;
  return path;
}

}  // namespace

std::optional<ProgramCall> resolveCommandLine(const std::string& commandLine,
                                              const std::string& programFolder) {
  const std::string_view text(commandLine);
  const std::vector<Word> words = splitWords(text);
  if (words.empty()) return std::nullopt;

  const std::size_t start = words.front().begin;
  const std::string_view first = text.substr(start, words.front().end - start);

  // Windows editors take their whole command line as one file name, blanks included.
  if (equalsIgnoringCase(first, "notepad.exe") && !isRegularFile(hostPath(first))) {
    ProgramCall call{besideProgram(programFolder, "fendral-notepad"), {}};
    const std::size_t restBegin = std::min(words.front().end + 1, text.size());
    const std::string fileName = hostPath(text.substr(restBegin));
    if (!fileName.empty()) call.args.push_back(fileName);
    return call;
  }

  std::size_t programWords = 1;
  std::string program = hostPath(first);
  for (std::size_t n = 1; n <= words.size(); ++n) {
    std::string candidate = hostPath(text.substr(start, words[n - 1].end - start));
    if (isRegularFile(candidate)) {
      programWords = n;
      program = std::move(candidate);
      break;
    }
  }

  ProgramCall call{std::move(program), {}};
  for (std::size_t i = programWords; i < words.size(); ++i) {
    call.args.emplace_back(text.substr(words[i].begin, words[i].end - words[i].begin));
  }
  return call;
}

}  // namespace fendral::platform
