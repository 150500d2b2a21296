#pragma once

#include "platform/file_content.h"

namespace fendral::platform {

// The FileError an errno stands for.
FileOutcome failure(int code);

}  // namespace fendral::platform
