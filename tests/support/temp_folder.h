#pragma once
// A fresh folder under the system's temporary folder, removed with everything in it.
#include <string>

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // The folder with a trailing "/".
    const std::string& path() const { return path_; }
    // Writes a file below the folder (creating parent folders) and returns its full path.
    std::string write(const std::string& relative, const std::string& contents) const;
    std::string makeFolder(const std::string& relative) const;

private:
    std::string path_;
};

// Reads a whole file, empty when it can't.
std::string readFile(const std::string& path);
