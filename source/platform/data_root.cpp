#include "platform/data_root.h"

#include "platform/paths.h"

namespace platform {
namespace {

std::string withoutTrailingSlash(std::string folder) {
    while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
    return folder;
}

} // namespace

std::string findDataRoot() {
    const std::string exe = executableDirectory();
    const std::string candidates[] = {exe, exe + "../share/zoderud/"};
    for (const auto& candidate : candidates) {
        if (isDirectory(candidate + "Data")) return withoutTrailingSlash(lexicallyNormal(candidate)) + "/";
    }
    std::string folder = withoutTrailingSlash(lexicallyNormal(exe));
    while (!folder.empty() && folder != "/") {
        if (isDirectory(folder + "/Data")) return folder + "/";
        const std::size_t slash = folder.rfind('/');
        if (slash == std::string::npos) break;
        folder = folder.substr(0, slash);
    }
    return {};
}

bool enterDataRoot() {
    const std::string root = findDataRoot();
    return !root.empty() && setCurrentDirectory(root);
}

} // namespace platform
