#include <gtest/gtest.h>

#include <QApplication>

#include "editor_window.h"
#include "support/scratch_folder.h"

namespace fendral::notepad {
namespace {

// A large file goes in a part at a time; saving before all of it is in would cut it short.
TEST(EditorWindowTest, LargeFileIsNotSavedUntilItIsAllIn) {
  const testing::ScratchFolder scratch{"notepad"};
  std::string bytes;
  for (int i = 0; i < 25000; ++i)
    bytes += "bind k" + std::to_string(i) + (i % 3 ? " +attack\r\n" : " +jump\n");
  scratch.put("big.cfg", bytes);
  EditorWindow window(scratch.at("big.cfg"));
  ASSERT_TRUE(window.isLoading());
  EXPECT_FALSE(window.save());
  EXPECT_EQ(scratch.get("big.cfg"), bytes);
  while (window.isLoading()) QApplication::processEvents();
  EXPECT_TRUE(window.save());
  EXPECT_EQ(scratch.get("big.cfg"), bytes);
}

}  // namespace
}  // namespace fendral::notepad
