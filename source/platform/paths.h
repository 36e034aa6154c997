#pragma once
// File-system paths as the engine uses them: "\" accepted, names matched regardless of case,
// folder listings in a fixed order.
#include <string>
#include <vector>

namespace platform {

std::string toForwardSlashes(std::string path);
// The path as it exists on disk: spelled as given when that exists, else matched
// case-insensitively component by component; unchanged (but with "/") when nothing matches.
std::string resolvePath(const std::string& path);

bool pathExists(const std::string& path);
bool isDirectory(const std::string& path);
bool isRegularFile(const std::string& path);
bool isRelativePath(const std::string& path);
// Folds "." and ".." and doubled separators without touching the disk.
std::string lexicallyNormal(const std::string& path);

struct DirectoryEntry {
    std::string name; // as found on disk
    bool isDirectory = false;
    bool isRegularFile = false; // neither a folder nor a pipe, socket or device (links followed)
};
// Every entry of one folder, "." and ".." included: folders first, then files, each sorted
// by case-insensitive name. False when the folder can't be read.
bool listDirectory(const std::string& folder, std::vector<DirectoryEntry>& out);

std::string currentDirectory();
bool setCurrentDirectory(const std::string& path);
// The folder that holds the running executable, with a trailing "/".
std::string executableDirectory();
// Creates one folder level; true when it exists afterwards.
bool createDirectory(const std::string& path);
bool createDirectories(const std::string& path);
bool removeFile(const std::string& path);

} // namespace platform
