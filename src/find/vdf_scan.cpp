#include "find/vdf_scan.h"

#include "platform/ascii_case.h"

namespace fendral::find {

namespace {

// Steam's own files nest three deep; anything far past that is not one of them.
constexpr std::size_t kDeepest = 64;

enum class TokenKind { End, Open, Close, Text, Condition, Broken };

struct Token {
  TokenKind kind = TokenKind::End;
  std::string text;
};

class Tokens {
 public:
  explicit Tokens(std::string_view text) : text_(text) {}

  Token next() {
    skipBlanksAndComments();
    if (at_ == text_.size()) return {};
    const char c = text_[at_];
    if (c == '{' || c == '}') {
      ++at_;
      return {c == '{' ? TokenKind::Open : TokenKind::Close, {}};
    }
    if (c == '"') return quoted();
    if (c == '[') {
      const std::size_t end = text_.find(']', at_);
      if (end == std::string_view::npos) return broken("a condition without its ']'");
      countLines(at_, end + 1);
      at_ = end + 1;
      return {TokenKind::Condition, {}};
    }
    const std::size_t start = at_;
    while (at_ < text_.size() && !isBlank(text_[at_]) && text_[at_] != '"' && text_[at_] != '{' &&
           text_[at_] != '}')
      ++at_;
    return {TokenKind::Text, std::string(text_.substr(start, at_ - start))};
  }

  std::size_t line() const { return line_; }

 private:
  static bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f'; }

  void skipBlanksAndComments() {
    while (at_ < text_.size()) {
      if (isBlank(text_[at_])) {
        if (text_[at_] == '\n') ++line_;
        ++at_;
      } else if (text_.substr(at_, 2) == "//") {
        at_ = std::min(text_.find('\n', at_), text_.size());
      } else {
        return;
      }
    }
  }

  Token quoted() {
    Token token{TokenKind::Text, {}};
    const std::size_t startLine = line_;
    for (++at_; at_ < text_.size(); ++at_) {
      char c = text_[at_];
      if (c == '"') {
        ++at_;
        return token;
      }
      if (c == '\n') ++line_;
      if (c == '\\' && at_ + 1 < text_.size()) {
        const char escaped = text_[at_ + 1];
        if (escaped == '\\' || escaped == '"' || escaped == 'n' || escaped == 't') {
          ++at_;
          c = escaped == 'n' ? '\n' : escaped == 't' ? '\t' : escaped;
        }
      }
      token.text += c;
    }
    line_ = startLine;
    return broken("a quote left open");
  }

  Token broken(const char* what) {
    at_ = text_.size();
    return {TokenKind::Broken, what};
  }

  void countLines(std::size_t from, std::size_t to) {
    for (std::size_t i = from; i < to; ++i) line_ += text_[i] == '\n';
  }

  std::string_view text_;
  std::size_t at_ = 0;
  std::size_t line_ = 1;
};

}  // namespace

const VdfNode* VdfNode::child(std::string_view name) const {
  for (const VdfNode& entry : children) {
    if (platform::equalsIgnoringCase(entry.key, name)) return &entry;
  }
  return nullptr;
}

VdfScan scanVdf(std::string_view text) {
  VdfScan scan;
  scan.root.block = true;
  Tokens tokens(text);
  // The open blocks, outermost first. Only the innermost one grows, so the others stay in place.
  std::vector<VdfNode*> open{&scan.root};
  const auto fail = [&](const std::string& why) {
    scan.error = why + " on line " + std::to_string(tokens.line());
    return scan;
  };
  for (;;) {
    Token key = tokens.next();
    switch (key.kind) {
      case TokenKind::End:
        if (open.size() > 1) return fail("a block left open at the end");
        return scan;
      case TokenKind::Close:
        if (open.size() == 1) return fail("a '}' without its block");
        open.pop_back();
        continue;
      case TokenKind::Open:
        return fail("a block without a name");
      case TokenKind::Condition:
        continue;
      case TokenKind::Broken:
        return fail(key.text);
      case TokenKind::Text:
        break;
    }
    Token value = tokens.next();
    VdfNode& entry = open.back()->children.emplace_back();
    entry.key = std::move(key.text);
    if (value.kind == TokenKind::Text) {
      entry.value = std::move(value.text);
    } else if (value.kind == TokenKind::Open) {
      if (open.size() > kDeepest) return fail("blocks nested too deep");
      entry.block = true;
      open.push_back(&entry);
    } else if (value.kind == TokenKind::Broken) {
      return fail(value.text);
    } else {
      return fail("a key without its value");
    }
  }
}

}  // namespace fendral::find
