#pragma once

#include <gtest/gtest.h>

#include "support/child_process.h"
#include "support/scratch_folder.h"

namespace fendral::notepad {

using testing::inChild;

class NotepadFiles : public ::testing::Test {
 protected:
  testing::ScratchFolder scratch{"notepad"};
};

}  // namespace fendral::notepad
