#include "platform/paths.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <filesystem>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {
namespace {

bool statPath(const std::string& path, struct stat& info) { return ::stat(path.c_str(), &info) == 0; }

bool caseLess(const std::string& a, const std::string& b) {
    const int folded = ::strcasecmp(a.c_str(), b.c_str());
    return folded != 0 ? folded < 0 : a < b;
}

// The name in folder that equals wanted ignoring case (the first in sorted order), or "".
std::string findCaseInsensitive(const std::string& folder, const std::string& wanted) {
    DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
    if (!dir) return {};
    std::vector<std::string> matches;
    while (dirent* entry = ::readdir(dir)) {
        if (::strcasecmp(entry->d_name, wanted.c_str()) == 0) matches.emplace_back(entry->d_name);
    }
    ::closedir(dir);
    if (matches.empty()) return {};
    return *std::min_element(matches.begin(), matches.end());
}

} // namespace

std::string toForwardSlashes(std::string path) {
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
}

std::string resolvePath(const std::string& spelled) {
    const std::string path = toForwardSlashes(spelled);
    struct stat info;
    if (path.empty() || statPath(path, info)) return path;

    std::string resolved;
    std::size_t start = 0;
    if (path[0] == '/') {
        resolved = "/";
        start = 1;
    }
    while (start <= path.size()) {
        std::size_t end = path.find('/', start);
        if (end == std::string::npos) end = path.size();
        const std::string component = path.substr(start, end - start);
        const bool last = end == path.size();
        if (!component.empty()) {
            std::string candidate = resolved + component;
            if (component != "." && component != ".." && !statPath(candidate, info)) {
                const std::string found = findCaseInsensitive(resolved.empty() ? "." : resolved, component);
                if (found.empty()) return path;
                candidate = resolved + found;
            }
            resolved = candidate;
            if (!last) resolved += '/';
        } else if (!last && !resolved.empty() && resolved.back() != '/') {
            resolved += '/';
        }
        if (last) break;
        start = end + 1;
    }
    if (!path.empty() && path.back() == '/' && (resolved.empty() || resolved.back() != '/')) resolved += '/';
    return resolved;
}

bool pathExists(const std::string& path) {
    struct stat info;
    return statPath(resolvePath(path), info);
}

bool isDirectory(const std::string& path) {
    struct stat info;
    return statPath(resolvePath(path), info) && S_ISDIR(info.st_mode);
}

bool isRegularFile(const std::string& path) {
    struct stat info;
    return statPath(resolvePath(path), info) && S_ISREG(info.st_mode);
}

bool isRelativePath(const std::string& path) {
    const std::string p = toForwardSlashes(path);
    return p.empty() || p[0] != '/';
}

std::string lexicallyNormal(const std::string& path) {
    std::string normal = std::filesystem::path(toForwardSlashes(path)).lexically_normal().generic_string();
    return normal.empty() ? "." : normal;
}

bool listDirectory(const std::string& folder, std::vector<DirectoryEntry>& out) {
    const std::string resolved = resolvePath(folder);
    DIR* dir = ::opendir(resolved.empty() ? "." : resolved.c_str());
    if (!dir) return false;
    std::vector<DirectoryEntry> folders, files;
    // errno is cleared before each read: the stat of a broken link below sets it, and only
    // readdir's own failure may end the listing as an error.
    while (true) {
        errno = 0;
        dirent* entry = ::readdir(dir);
        if (!entry) break;
        DirectoryEntry item{entry->d_name, false, false};
        if (entry->d_type == DT_DIR) {
            item.isDirectory = true;
        } else if (entry->d_type == DT_REG) {
            item.isRegularFile = true;
        } else if (entry->d_type == DT_UNKNOWN || entry->d_type == DT_LNK) {
            struct stat info;
            std::string full = resolved;
            if (!full.empty() && full.back() != '/') full += '/';
            if (statPath(full + item.name, info)) {
                item.isDirectory = S_ISDIR(info.st_mode);
                item.isRegularFile = S_ISREG(info.st_mode);
            }
        }
        (item.isDirectory ? folders : files).push_back(std::move(item));
    }
    const bool failed = errno != 0;
    ::closedir(dir);
    if (failed) return false;
    auto byName = [](const DirectoryEntry& a, const DirectoryEntry& b) { return caseLess(a.name, b.name); };
    std::sort(folders.begin(), folders.end(), byName);
    std::sort(files.begin(), files.end(), byName);
    out.insert(out.end(), folders.begin(), folders.end());
    out.insert(out.end(), files.begin(), files.end());
    return true;
}

std::string currentDirectory() {
    std::error_code error;
    const auto path = std::filesystem::current_path(error);
    return error ? std::string() : path.generic_string();
}

bool setCurrentDirectory(const std::string& path) { return ::chdir(resolvePath(path).c_str()) == 0; }

std::string executableDirectory() {
    std::error_code error;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) return currentDirectory() + "/";
    return exe.parent_path().generic_string() + "/";
}

bool createDirectory(const std::string& path) {
    const std::string resolved = resolvePath(path);
    if (::mkdir(resolved.c_str(), 0755) == 0) return true;
    return isDirectory(resolved);
}

bool createDirectories(const std::string& path) {
    std::error_code error;
    std::filesystem::create_directories(resolvePath(path), error);
    return isDirectory(path);
}

bool removeFile(const std::string& path) { return ::unlink(resolvePath(path).c_str()) == 0; }

} // namespace platform
