#include "settings/ini_scan.h"

#include <algorithm>
#include <cstring>

#include "platform/ascii_case.h"

namespace fendral::settings {

namespace {

constexpr std::size_t npos = std::string_view::npos;

bool isBlank(char c) {
  return c == ' ' || c == '\t';
}

// Walks the lines of a text. CR and LF are looked up with memchr and remembered until passed, so a
// scan stays linear whatever mix of endings the file has.
class LineScanner {
 public:
  LineScanner(std::string_view text, std::size_t start)
      : text_(text), pos_(start), cr_(find('\r')), lf_(find('\n')) {}

  // The next line's content as [begin, end); false when the text is used up.
  bool next(std::size_t& begin, std::size_t& end) {
    if (pos_ >= text_.size()) return false;
    if (cr_ < pos_) cr_ = find('\r');
    if (lf_ < pos_) lf_ = find('\n');
    begin = pos_;
    end = std::min(cr_, lf_);
    if (end == npos) {
      end = text_.size();
      pos_ = end;
    } else if (text_[end] == '\r' && end + 1 < text_.size() && text_[end + 1] == '\n') {
      pos_ = end + 2;
    } else {
      pos_ = end + 1;
    }
    return true;
  }

  // Start of the line after the one last returned.
  std::size_t position() const { return pos_; }

  // Moves forward to a line start; the remembered CR and LF stay valid until passed.
  void skipTo(std::size_t lineStart) { pos_ = lineStart; }

 private:
  std::size_t find(char c) const {
    if (pos_ >= text_.size()) return npos;
    const void* hit = std::memchr(text_.data() + pos_, c, text_.size() - pos_);
    return hit ? static_cast<std::size_t>(static_cast<const char*>(hit) - text_.data()) : npos;
  }

  std::string_view text_;
  std::size_t pos_;
  std::size_t cr_;
  std::size_t lf_;
};

// A header's name runs to the first ']'; a header without one names the rest of its line.
std::string_view headerName(std::string_view trimmedLine) {
  std::string_view inner = trimmedLine.substr(1);
  return trimBlanks(inner.substr(0, inner.find(']')));
}

// Ahead of the section only headers matter: the next '[' with nothing but blanks before it on its line.
// memchr finds it far faster than walking line by line.
std::size_t nextHeaderLine(std::string_view text, std::size_t from, std::size_t bodyStart) {
  while (from < text.size()) {
    const void* hit = std::memchr(text.data() + from, '[', text.size() - from);
    if (hit == nullptr) return npos;
    const auto bracket = static_cast<std::size_t>(static_cast<const char*>(hit) - text.data());
    std::size_t start = bracket;
    while (start > bodyStart && isBlank(text[start - 1])) --start;
    if (start == bodyStart || text[start - 1] == '\r' || text[start - 1] == '\n') return start;
    from = bracket + 1;
  }
  return npos;
}

}  // namespace

std::string_view trimBlanks(std::string_view text) {
  while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
  return text;
}

std::size_t bomLength(std::string_view text) {
  return text.starts_with("\xEF\xBB\xBF") ? 3 : 0;
}

std::string_view lineEndingOf(std::string_view text) {
  std::size_t at = text.find_first_of("\r\n");
  if (at == npos) return "\r\n";
  if (text[at] == '\n') return "\n";
  return (at + 1 < text.size() && text[at + 1] == '\n') ? "\r\n" : "\r";
}

KeyPlace findKey(std::string_view text, std::string_view section, std::string_view key) {
  using platform::equalsIgnoringCase;
  section = trimBlanks(section);
  key = trimBlanks(key);
  KeyPlace place;
  const std::size_t bodyStart = bomLength(text);
  LineScanner lines(text, bodyStart);
  std::size_t begin = 0;
  std::size_t end = 0;
  for (;;) {
    if (!place.sectionFound) {
      const std::size_t header = nextHeaderLine(text, lines.position(), bodyStart);
      if (header == npos) break;
      lines.skipTo(header);
    }
    if (!lines.next(begin, end)) break;
    std::string_view line = trimBlanks(text.substr(begin, end - begin));
    if (!line.empty() && line.front() == '[') {
      // Only the first block of a section counts, so its end is the end of the search.
      if (place.sectionFound) break;
      if (equalsIgnoringCase(headerName(line), section)) {
        place.sectionFound = true;
        place.insertAt = lines.position();
        place.insertAfterUnendedLine = lines.position() == end;
      }
      continue;
    }
    if (!place.sectionFound || line.empty() || line.front() == ';') continue;
    std::size_t equals = line.find('=');
    if (equals == npos) continue;
    place.insertAt = lines.position();
    place.insertAfterUnendedLine = lines.position() == end;
    if (equalsIgnoringCase(trimBlanks(line.substr(0, equals)), key)) {
      place.keyFound = true;
      place.valueBegin = static_cast<std::size_t>(line.data() - text.data()) + equals + 1;
      place.valueEnd = end;
      place.value = trimBlanks(line.substr(equals + 1));
      break;
    }
  }
  return place;
}

}  // namespace fendral::settings
