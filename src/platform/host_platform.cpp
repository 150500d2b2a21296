#include "platform/host_platform.h"

#include <cstdlib>

// Placeholder until the host platform is written.
namespace fendral::platform {
std::optional<ProgramCall> resolveCommandLine(const std::string&, const std::string&) { return {}; }
bool HostPlatform::fileTest(const std::string&) { return false; }
bool HostPlatform::startProgram(const std::string&) { return false; }
std::string HostPlatform::programFolder() { return {}; }
void HostPlatform::endProgram() { std::_Exit(0); }
}  // namespace fendral::platform
