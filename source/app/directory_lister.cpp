#include "app/directory_lister.h"

#include <algorithm>
#include <cctype>
#include <map>

#include "platform/paths.h"

namespace {

std::string lowerCase(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// keepCase: the name as found, for a file whose lower-case name another file shares.
FileEntry fileEntryFor(const std::string& folder, const std::string& found, bool isDirectory, bool keepCase) {
    FileEntry entry;
    entry.isDirectory = isDirectory;
    const std::string shown = keepCase ? found : lowerCase(found);
    const std::size_t dot = shown.rfind('.');
    if (dot == std::string::npos) {
        entry.name = entry.extension = shown;
    } else {
        entry.name = shown.substr(0, dot);
        entry.extension = shown.substr(dot + 1);
    }
    // A name without a dot is opened as it is, not as name.name.
    entry.fileName = dot == std::string::npos ? shown : entry.name + "." + entry.extension;
    entry.fullPath = folder + entry.fileName;
    return entry;
}

FileEntry folderEntryFor(const std::string& folder, const std::string& found) {
    FileEntry entry;
    entry.isDirectory = true;
    entry.name = found;
    entry.fileName = found + "/";
    entry.fullPath = folder + entry.fileName;
    return entry;
}

bool isDotEntry(const std::string& name) { return name == "." || name == ".."; }

// The shared walk of listFiles and listFolderEntries.
template <class Container>
bool listInto(const std::string& searched, const std::string& shownFolder, const std::string& extension,
              Container& out, bool includeFolders, bool includeDotEntries, bool markFiles) {
    std::vector<platform::DirectoryEntry> entries;
    if (!platform::listDirectory(searched, entries)) return false;
    // Names that differ only in case (possible on Linux) would list as one name twice, and
    // opening that name would read one of the files twice; such files keep their own names.
    std::map<std::string, int> lowerNames;
    for (const auto& found : entries) ++lowerNames[lowerCase(found.name)];
    std::vector<FileEntry> folders, files;
    for (const auto& found : entries) {
        // Only what can be opened by the name listed is given: a "\" in a name is read back as
        // a folder separator, and a pipe or device would hang or fail a reader.
        if (found.name.find('\\') != std::string::npos) continue;
        if (found.isDirectory && includeFolders) {
            if (isDotEntry(found.name) && !includeDotEntries) continue;
            folders.push_back(folderEntryFor(shownFolder, found.name));
            continue;
        }
        if (found.isDirectory && isDotEntry(found.name)) continue;
        if (!found.isDirectory && !found.isRegularFile) continue;
        const bool twin = lowerNames[lowerCase(found.name)] > 1;
        FileEntry entry = fileEntryFor(shownFolder, found.name, markFiles ? false : found.isDirectory, twin);
        if (extension == "*" || lowerCase(entry.extension) == extension) files.push_back(std::move(entry));
    }
    out.insert(out.end(), folders.begin(), folders.end());
    out.insert(out.end(), files.begin(), files.end());
    return true;
}

} // namespace

bool listFiles(const std::string& baseFolder, std::string& folder, const std::string& extension,
               std::list<FileEntry>& out, bool includeFolders, bool includeDotEntries) {
    std::string searched = folder;
    toAbsoluteWindowsPath(searched, baseFolder);
    return listInto(searched, folder, extension, out, includeFolders, includeDotEntries, true);
}

bool listFolderEntries(const std::string& folder, const std::string& extension, std::vector<FileEntry>& out,
                       bool includeFolders, bool includeDotEntries) {
    return listInto(folder, folder, extension, out, includeFolders, includeDotEntries, false);
}

bool listDirectories(const std::string& folder, std::list<FileEntry>& out) {
    std::vector<platform::DirectoryEntry> entries;
    if (!platform::listDirectory(folder, entries)) return false;
    for (const auto& found : entries) {
        if (!found.isDirectory || isDotEntry(found.name) || found.name == ".svn") continue;
        if (found.name.find('\\') != std::string::npos) continue;
        out.push_back(folderEntryFor(folder, found.name));
    }
    return true;
}

void toAbsoluteWindowsPath(std::string& path, const std::string& baseFolder) {
    path = platform::toForwardSlashes(path);
    if (platform::isRelativePath(path)) path = platform::toForwardSlashes(baseFolder) + "/" + path;
    path = platform::lexicallyNormal(path);
    if (path.empty() || path.back() != '/') path += '/';
}

void makeAbsolutePath(const std::string& baseFolder, std::string& path) { toAbsoluteWindowsPath(path, baseFolder); }

bool pathIsDirectory(const std::string& path) { return platform::isDirectory(path); }

bool fileExists(const std::string& path) { return platform::isRegularFile(path); }
