#pragma once

#include <string>
#include <string_view>

namespace fendral::platform {

// The host path a Windows-syntax path names: "\" is read as "/" and trailing blanks of the last name
// are dropped, as Windows file naming drops them ("\quake2.exe " names /quake2.exe).
std::string hostPath(std::string_view windowsPath);

}  // namespace fendral::platform
