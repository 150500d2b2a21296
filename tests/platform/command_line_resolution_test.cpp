#include <filesystem>

#include <gtest/gtest.h>

#include "scratch.h"

namespace fendral::platform {
namespace {

using testing::InFolder;
using testing::ScratchFolder;
using testing::writeFile;
using Words = std::vector<std::string>;

class ResolveCommandLineTest : public ::testing::Test {
 protected:
  ScratchFolder folder;
};

TEST_F(ResolveCommandLineTest, ProgramIsShortestLeadingRunNamingAFile) {
  std::filesystem::create_directories(folder / "Quake");  // a folder is no program
  writeFile(folder / "Quake  2 folder/quake2.exe", "");
  const auto call = resolveCommandLine(
      folder.path() + "/Quake  2 folder\\quake2.exe  +set game  ctf \\baseq2\\x.cfg\t-nojoy ", "/opt");
  ASSERT_TRUE(call);
  EXPECT_EQ(call->program, folder / "Quake  2 folder/quake2.exe");
  EXPECT_EQ(call->args, (Words{"+set", "game", "ctf", "\\baseq2\\x.cfg\t-nojoy"}));

  writeFile(folder / "a", "");
  writeFile(folder / "a b", "");
  const auto shortest = resolveCommandLine(folder / "a b c", "/opt");
  ASSERT_TRUE(shortest);
  EXPECT_EQ(shortest->program, folder / "a");
  EXPECT_EQ(shortest->args, (Words{"b", "c"}));
}

TEST_F(ResolveCommandLineTest, WithoutAnyFileTheFirstWordIsTheProgram) {
  const auto call = resolveCommandLine("  C:\\nowhere\\q2.exe   -x  $(touch pwned);  ", "/opt");
  ASSERT_TRUE(call);
  EXPECT_EQ(call->program, "C:/nowhere/q2.exe");
  EXPECT_EQ(call->args, (Words{"-x", "$(touch", "pwned);"}));

  EXPECT_FALSE(resolveCommandLine("", "/opt"));
  EXPECT_FALSE(resolveCommandLine("    ", "/opt"));
}

TEST_F(ResolveCommandLineTest, MissingNotepadIsTheEditorBesideTheLauncher) {
  const auto call = resolveCommandLine("notepad.exe C:\\games\\Quake 2\\my  config.cfg ", "/opt/fendral");
  ASSERT_TRUE(call);
  EXPECT_EQ(call->program, "/opt/fendral/fendral-notepad");
  EXPECT_EQ(call->args, (Words{"C:/games/Quake 2/my  config.cfg"}));

  const auto upper = resolveCommandLine("  NotePad.EXE  \\q2\\a.bat", "/");
  ASSERT_TRUE(upper);
  EXPECT_EQ(upper->program, "/fendral-notepad");
  EXPECT_EQ(upper->args, (Words{" /q2/a.bat"}));

  const auto bare = resolveCommandLine("notepad.exe ", "/opt");
  ASSERT_TRUE(bare);
  EXPECT_TRUE(bare->args.empty());

  const auto other = resolveCommandLine("notepad.exe.bak a b", "/opt");
  ASSERT_TRUE(other);
  EXPECT_EQ(other->program, "notepad.exe.bak");
}

TEST_F(ResolveCommandLineTest, AnExistingNotepadIsRunItself) {
  writeFile(folder / "notepad.exe", "", 0755);
  const InFolder inside(folder.path());
  const auto call = resolveCommandLine("notepad.exe my file.txt", "/opt");
  ASSERT_TRUE(call);
  EXPECT_EQ(call->program, "notepad.exe");
  EXPECT_EQ(call->args, (Words{"my", "file.txt"}));
  // A relative name must not reach an interpreter's PATH search or option parsing.
  EXPECT_EQ(hostArgv(*call, ""), (Words{"./notepad.exe", "my", "file.txt"}));
}

}  // namespace
}  // namespace fendral::platform
