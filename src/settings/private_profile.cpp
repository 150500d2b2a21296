#include "settings/private_profile.h"

#include <utility>

#include "platform/file_content.h"
#include "settings/ini_scan.h"
#include "settings/text_encoding.h"
#include "settings/utf16_text.h"

namespace fendral::settings {

namespace {

bool isQuote(char c) {
  return c == '"' || c == '\'';
}

bool isContinuationByte(char c) {
  return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// One matching pair of quotes around a stored value protects its blanks; it is not part of the value.
std::string_view unquote(std::string_view value) {
  if (value.size() >= 2 && isQuote(value.front()) && value.back() == value.front()) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

// At most `limit` bytes of `value`; a UTF-8 value is cut back to the start of a character the limit
// would split.
std::size_t cutLength(std::string_view value, std::size_t limit) {
  if (value.size() <= limit) return value.size();
  if (!isUtf8(value)) return limit;
  std::size_t lead = limit;
  while (lead > 0 && limit - lead < 4 && isContinuationByte(value[lead - 1])) --lead;
  if (lead == 0 || limit - lead >= 4) return limit;
  const auto first = static_cast<unsigned char>(value[lead - 1]);
  const std::size_t length = first >= 0xF0 ? 4 : first >= 0xE0 ? 3 : first >= 0xC0 ? 2 : 1;
  return (length > 1 && lead - 1 + length > limit) ? lead - 1 : limit;
}

// A line holds no line break, so CR and LF become blanks.
std::string singleLine(std::string_view text) {
  std::string line(text);
  for (char& c : line) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  return line;
}

// The text that reads back as `value`: quoted where the reader would trim or unquote it.
std::string storedForm(std::string_view value) {
  std::string line = singleLine(value);
  const bool padded = line != trimBlanks(line);
  if (padded || unquote(line).size() != line.size()) return '"' + line + '"';
  return line;
}

std::string withKey(std::string_view text, const KeyPlace& place, std::string_view section,
                    std::string_view key, std::string_view value) {
  if (place.keyFound) {
    std::string result;
    result.reserve(text.size() + value.size());
    result.append(text.substr(0, place.valueBegin)).append(value).append(text.substr(place.valueEnd));
    return result;
  }
  const std::string_view eol = lineEndingOf(text);
  std::string line = singleLine(trimBlanks(key));
  line.append("=").append(value);
  std::string result;
  result.reserve(text.size() + section.size() + line.size() + 8);
  if (!place.sectionFound) {
    result.append(text);
    if (text.size() > bomLength(text) && text.back() != '\r' && text.back() != '\n') result.append(eol);
    result.append("[").append(singleLine(trimBlanks(section))).append("]").append(eol);
    return result.append(line).append(eol);
  }
  result.append(text.substr(0, place.insertAt));
  if (place.insertAfterUnendedLine) result.append(eol);
  result.append(line);
  // A lone CR before a following LF would swallow that LF's empty line.
  const bool lfFollows = place.insertAt < text.size() && text[place.insertAt] == '\n';
  result.append(eol == "\r" && lfFollows ? "\r\n" : eol);
  return result.append(text.substr(place.insertAt));
}

// The settings file as 8-bit text: its bytes, or the UTF-8 form of a UTF-16 file.
struct SettingsText {
  std::string text;
  FileForm form = FileForm::Bytes;
  std::string oddByte;
};

// Why the file exists but cannot be read whole; an empty text when it does not exist.
struct SettingsRead {
  SettingsText file;
  platform::FileOutcome outcome;
  bool exists = false;
};

SettingsRead readSettingsText(const std::string& host) {
  platform::FileRead file = platform::readFileContent(host, kLargestFile);
  if (!file.outcome) {
    if (file.outcome.error == platform::FileError::NotFound) return {};
    return {{}, file.outcome};
  }
  SettingsText result;
  result.form = formOf(file.bytes);
  if (result.form == FileForm::Bytes) {
    result.text = std::move(file.bytes);
  } else {
    Utf16Text wide = fromUtf16(file.bytes, result.form);
    result.text = std::move(wide.text);
    result.oddByte = std::move(wide.oddByte);
  }
  return {std::move(result), {}, true};
}

// The text with `entry` set in it.
std::string withEntry(std::string text, std::string_view section, const ProfileEntry& entry) {
  const KeyPlace place = findKey(text, section, entry.key);
  // A value the file holds is not rewritten when it should stay or already reads as the one written,
  // so its quotes and blanks stay as they are.
  if (place.keyFound && (entry.onlyWhenMissing || unquote(place.value) == entry.value)) return text;
  return withKey(text, place, section, entry.key, storedForm(entry.value));
}

}  // namespace

std::string readProfileString(std::string_view section, std::string_view key, const std::string& path,
                              std::size_t capacity) {
  if (capacity == 0) return {};
  const SettingsRead read = readSettingsText(path);
  if (!read.outcome) return {};
  const KeyPlace place = findKey(read.file.text, section, key);
  if (!place.keyFound) return {};
  const std::string_view value = unquote(place.value);
  return std::string(value.substr(0, cutLength(value, capacity - 1)));
}

bool writeProfileString(std::string_view section, std::string_view key, std::string_view value,
                        const std::string& path) {
  const ProfileEntry entry{key, value};
  return static_cast<bool>(writeProfileStrings(section, {&entry, 1}, path));
}

platform::FileOutcome writeProfileStrings(std::string_view section, std::span<const ProfileEntry> entries,
                                          const std::string& path, const std::string& seedPath) {
  SettingsRead read = readSettingsText(path);
  if (!read.outcome) return read.outcome;  // a file that cannot be read whole is left as it is
  if (!read.exists && !seedPath.empty()) {
    SettingsRead seed = readSettingsText(seedPath);
    if (seed.outcome) read.file = std::move(seed.file);
  }
  const SettingsText& file = read.file;
  std::string text = file.text;
  for (const ProfileEntry& entry : entries) text = withEntry(std::move(text), section, entry);
  if (text == file.text && read.exists) return {};
  const bool wide = file.form != FileForm::Bytes;
  return platform::replaceFileContent(path, wide ? toUtf16(text, file.form, file.oddByte) : text);
}

platform::FileOutcome profileReadable(const std::string& path) {
  return readSettingsText(path).outcome;
}

}  // namespace fendral::settings
