#pragma once

#include <string>

#include "platform/host_platform.h"

namespace fendral::ui {

// The host's operations plus the one thing only the toolkit can do: the message box.
class DesktopPlatform : public platform::HostPlatform {
 public:
  void message(const std::string& prompt) override;
};

}  // namespace fendral::ui
