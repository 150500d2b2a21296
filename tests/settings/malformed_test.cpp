#include <random>

#include "settings/private_profile.h"
#include "temp_folder.h"

namespace fendral::settings {
namespace {

class Malformed : public TempFolder {};

TEST_F(Malformed, BinaryJunkAndNulBytesAreOrdinaryBytes) {
  std::string junk(64 * 1024, '\0');
  std::mt19937 random(7);
  for (char& c : junk) c = static_cast<char>(random());
  using namespace std::string_literals;
  const std::string file = junk + "\n[Ma\0in]\n[Main]\nk\0ey=v\0al\n"s + junk;
  put(file);
  EXPECT_EQ(readProfileString("Main", std::string("k\0ey", 4), ini()), std::string("v\0al", 4));
  EXPECT_EQ(readProfileString(std::string("Ma\0in", 5), "x", ini()), "");
  ASSERT_TRUE(writeProfileString("Main", "new", "1", ini()));
  EXPECT_EQ(readProfileString("Main", "new", ini()), "1");
  EXPECT_EQ(get().find(junk), 0u);
  EXPECT_NE(get().rfind(junk), 0u);
}

TEST_F(Malformed, HugeFilesAndLinesKeepTheirOtherLines) {
  const std::string longLine(100'000, 'L');
  std::string file = "[Pad]\r" + longLine + "\r";
  while (file.size() < 10 * 1024 * 1024) file += "padding=" + std::string(100, 'p') + "\r";
  file += "[Main]\rlong=" + longLine + "\r";
  put(file);
  EXPECT_EQ(readProfileString("Main", "long", ini()), longLine.substr(0, 254));
  ASSERT_TRUE(writeProfileString("Main", "short", "s", ini()));
  EXPECT_EQ(get(), file + "short=s\r");
}

}  // namespace
}  // namespace fendral::settings
