#include "platform/user_folder.h"

#include <cstdlib>
#include <pwd.h>
#include <unistd.h>

namespace platform {
namespace {

std::string absoluteOrEmpty(const char* value) {
    if (!value || value[0] != '/') return {};
    std::string path = value;
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    return path == "/" ? std::string() : path;
}

} // namespace

std::string userApplicationFolder(const std::string& appName) {
    std::string base = absoluteOrEmpty(std::getenv("XDG_DATA_HOME"));
    if (base.empty()) {
        std::string home = absoluteOrEmpty(std::getenv("HOME"));
        if (home.empty()) {
            if (const passwd* user = ::getpwuid(::getuid())) home = absoluteOrEmpty(user->pw_dir);
        }
        if (home.empty()) return {};
        base = home + "/.local/share";
    }
    return base + "/" + appName + "/";
}

} // namespace platform
