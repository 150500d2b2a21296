#pragma once

#include <QString>
#include <optional>

#include "ui/window_entry.h"

namespace fendral::cli {

// The window library, fendral-window.so, found where the program's run path says: in the library
// folder of the installation, or the build's, relative to the program.
class WindowLibrary {
 public:
  // Nothing, with `why` set, when it cannot be loaded.
  static std::optional<WindowLibrary> load(QString& why);

  int openWindow(const FendralWindowRequest& request) const { return open_(&request); }
  void showMessage(const FendralWindowRequest& request, const char* prompt) const { show_(&request, prompt); }

 private:
  WindowLibrary(FendralOpenWindow* open, FendralShowMessage* show) : open_(open), show_(show) {}
  FendralOpenWindow* open_;
  FendralShowMessage* show_;
};

}  // namespace fendral::cli
