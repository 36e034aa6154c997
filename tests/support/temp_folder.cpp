#include "support/temp_folder.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

TempFolder::TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "zoderud-test-XXXXXX").string();
    const char* made = ::mkdtemp(pattern.data());
    path_ = std::string(made ? made : pattern.c_str()) + "/";
}

TempFolder::~TempFolder() {
    std::error_code error;
    // Tests make folders read-only; give the owner its rights back so removal works.
    for (auto& entry : std::filesystem::recursive_directory_iterator(path_, error)) {
        std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, error);
    }
    std::filesystem::remove_all(path_, error);
}

std::string TempFolder::write(const std::string& relative, const std::string& contents) const {
    const std::filesystem::path full = std::filesystem::path(path_) / relative;
    std::filesystem::create_directories(full.parent_path());
    std::ofstream(full, std::ios::binary) << contents;
    return full.string();
}

std::string TempFolder::makeFolder(const std::string& relative) const {
    const std::filesystem::path full = std::filesystem::path(path_) / relative;
    std::filesystem::create_directories(full);
    return full.string() + "/";
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}
