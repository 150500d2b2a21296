#pragma once

#include <string>
#include <string_view>

namespace fendral::platform {

// The host path a Windows-syntax path names: "\" is read as "/" and trailing blanks of the last name
// are dropped, as Windows file naming drops them ("\quake2.exe " names /quake2.exe).
std::string hostPath(std::string_view windowsPath);

// hostPath, made absolute against the current folder, so it keeps its meaning for a program that
// starts in another folder. An empty path is the root.
std::string absoluteHostPath(std::string_view windowsPath);
// A host path made absolute the same way.
std::string madeAbsolute(std::string hostPath);

}  // namespace fendral::platform
