#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace fendral::find {

// One entry of a Valve KeyValues text file: a key with either a value or a block of entries.
struct VdfNode {
  std::string key;
  std::string value;
  std::vector<VdfNode> children;
  bool block = false;

  // The first entry of this block named `name`, in any ASCII letter case; null when there is none.
  const VdfNode* child(std::string_view name) const;
};

struct VdfScan {
  VdfNode root;       // a block holding the file's top-level entries
  std::string error;  // empty when the whole text was read; else why not, with its line
};

// Reads the text format Steam writes its library and manifest files in: quoted or bare keys and
// values, "{...}" blocks, "\\", "\"", "\n" and "\t" escapes, "//" comments and "[$PLATFORM]"
// conditions (ignored). Work and memory stay linear in the text, whatever it holds.
VdfScan scanVdf(std::string_view text);

}  // namespace fendral::find
