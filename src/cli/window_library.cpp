#include "cli/window_library.h"

#include <dlfcn.h>

namespace fendral::cli {

std::optional<WindowLibrary> WindowLibrary::load(QString& why) {
  // Never closed: the toolkit's libraries cannot be unloaded while the program runs.
  void* library = ::dlopen("fendral-window.so", RTLD_LAZY | RTLD_LOCAL);
  if (library == nullptr) {
    why = QString::fromLocal8Bit(::dlerror());
    return std::nullopt;
  }
  auto* open = reinterpret_cast<FendralOpenWindow*>(::dlsym(library, FENDRAL_OPEN_WINDOW));
  auto* show = reinterpret_cast<FendralShowMessage*>(::dlsym(library, FENDRAL_SHOW_MESSAGE));
  if (open == nullptr || show == nullptr) {
    why = "fendral-window.so lacks its entry points";
    return std::nullopt;
  }
  return WindowLibrary(open, show);
}

}  // namespace fendral::cli
