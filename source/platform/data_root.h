#pragma once
// Finds the folder that holds the run-time "Data/" tree.
#include <string>

namespace platform {

// Looks beside the executable, in the installed share folder (<prefix>/share/zoderud), then in
// the folders above the executable (a build tree inside the source tree). Returns the folder
// that holds "Data/", with a trailing "/", or empty when none does.
std::string findDataRoot();
// findDataRoot, made the working directory; false when there is none or it can't be entered.
bool enterDataRoot();

} // namespace platform
