#include <gtest/gtest.h>

#include "settings/text_encoding.h"

namespace fendral::settings {
namespace {

TEST(Encoding, OnlyWellFormedUtf8IsUtf8) {
  for (const char* bytes : {"", "plain", "\xC3\xA9", "\357\273\277bom", "\xF4\x8F\xBF\xBF", "\xE2\x80\xA8"})
    EXPECT_TRUE(isUtf8(bytes)) << bytes;
  // Cut short, overlong, a surrogate half, past U+10FFFF, a stray continuation byte, Latin-1.
  for (const char* bytes :
       {"\xC3", "\xC0\x80", "\xE0\x80\x80", "\xED\xA0\x80", "\xF4\x90\x80\x80", "\x80", "Caf\xE9"})
    EXPECT_FALSE(isUtf8(bytes)) << bytes;
}

TEST(Encoding, EveryWindows1252ByteComesBackUnchanged) {
  std::string all;
  for (int byte = 0; byte < 256; ++byte) all += static_cast<char>(byte);
  const std::u32string text = decodeText(all);
  EXPECT_EQ(text[0x80], U'\u20AC');
  EXPECT_EQ(text[0x81], U'\u0081');
  EXPECT_EQ(text[0xE9], U'\u00E9');
  EXPECT_EQ(encodeText(text, ByteEncoding::Windows1252), all);
  EXPECT_EQ(encodeText(U"\u0100", ByteEncoding::Windows1252), std::nullopt);
  EXPECT_EQ(encodeText(decodeText("\xEF\xBB\xBF\xF0\x9F\x98\x80"), ByteEncoding::Utf8),
            "\xEF\xBB\xBF\xF0\x9F\x98\x80");
}

}  // namespace
}  // namespace fendral::settings
