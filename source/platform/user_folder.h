#pragma once
// The per-user folder where settings and saved characters live.
#include <string>

namespace platform {

// $XDG_DATA_HOME/<appName>/, else ~/.local/share/<appName>/, with a trailing "/".
// Empty when no home can be found: nothing is then written, never at the file-system root.
std::string userApplicationFolder(const std::string& appName);

} // namespace platform
