#pragma once

#include <vector>

namespace fendral::ui {

// One line of a help page, top to bottom. Headings are black capitals; texts are the teal prose
// under them; the title and the signature belong to the About page.
struct HelpItem {
  enum class Kind { Title, Heading, Text, Signature };
  Kind kind;
  const char* text;
};

struct HelpTab {
  const char* caption;
  std::vector<HelpItem> items;
};

// The six help pages in their tab order.
const std::vector<HelpTab>& helpTabs();

}  // namespace fendral::ui
