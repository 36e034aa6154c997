#include "tracker/wizard/character_file_name.h"

#include <cctype>
#include <cstdint>

#include "platform/paths.h"

std::string makeCharacterFileName(const std::string& name) {
    std::string fileName;
    for (const char c : name) {
        if (fileName.size() == maximumCharacterFileNameLength) break;
        const auto byte = static_cast<unsigned char>(c);
        fileName += std::isalpha(byte) ? static_cast<char>(std::tolower(byte)) : '_';
    }
    return fileName;
}

std::string makeNewCharacterPath(const std::string& folder, const std::string& name) {
    if (folder.empty()) return {};
    const std::string stem = folder + makeCharacterFileName(name);
    std::string path = stem + ".xml";
    for (std::uint32_t copy = 2; platform::pathExists(path) && copy != 0; ++copy) {
        path = stem + "_" + std::to_string(copy) + ".xml";
    }
    return path;
}
