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

// Windows-1252 bytes come back through the table the editor's round trip and fuzz target also use.
TEST(Encoding, Utf8ComesBackUnchanged) {
  EXPECT_EQ(encodeText(decodeText("\357\273\277\xF0\x9F\x98\x80"), ByteEncoding::Utf8),
            "\357\273\277\xF0\x9F\x98\x80");
  EXPECT_EQ(encodeText(U"\u0100", ByteEncoding::Windows1252), std::nullopt);
}

}  // namespace
}  // namespace fendral::settings
