#include "settings/private_profile.h"

// Placeholder until the reader and writer are written.
namespace fendral::settings {
std::string readProfileString(std::string_view, std::string_view, const std::string&, std::size_t) {
  return {};
}
bool writeProfileString(std::string_view, std::string_view, std::string_view, const std::string&) {
  return false;
}
}  // namespace fendral::settings
