#pragma once
// Lists one folder's entries by extension, and the path helpers of the load-file dialog.
// Names are reported in lower case; every open, exists and is-folder check finds them
// whatever their case on disk. Files whose names differ only in case keep their own names, so
// that each is listed, and opened, as itself.
#include <list>
#include <string>
#include <vector>

struct FileEntry {
    bool isDirectory = false;
    std::string name;      // a file's name before its last ".", lower case; a folder's name as found
    std::string extension; // after the last ".", lower case; empty for a folder
    std::string fileName;  // name + "." + extension (the name alone when it has no "."), or name + "/" for a folder
    std::string fullPath;  // the folder as given followed directly by fileName
};

// Lists folder (relative ones are taken against baseFolder). extension "*" takes every file.
// Folders come first (when includeFolders), then files, each sorted by case-insensitive name.
// Only entries that can be opened by the name listed are given: pipes, devices and sockets,
// and names holding a "\" (read back as a folder separator), are left out.
// Entries are appended to out; false (out unchanged) when the folder can't be read.
bool listFiles(const std::string& baseFolder, std::string& folder, const std::string& extension,
               std::list<FileEntry>& out, bool includeFolders, bool includeDotEntries);
// The same with the folder used as given; file entries keep their real folder flag.
bool listFolderEntries(const std::string& folder, const std::string& extension, std::vector<FileEntry>& out,
                       bool includeFolders, bool includeDotEntries);
// Only the sub-folders, without ".", ".." and ".svn".
bool listDirectories(const std::string& folder, std::list<FileEntry>& out);

// Makes path absolute against base (when relative), canonical, with a trailing separator.
void toAbsoluteWindowsPath(std::string& path, const std::string& baseFolder);
// The load-file dialog's form: absolute, canonical, "/" separators and a trailing "/".
void makeAbsolutePath(const std::string& baseFolder, std::string& path);
bool pathIsDirectory(const std::string& path);
// A regular file (or a link to one) is there: a folder, pipe or device is not a file to open.
bool fileExists(const std::string& path);
