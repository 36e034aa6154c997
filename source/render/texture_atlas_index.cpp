#include "render/texture_atlas_index.h"

#include <sstream>
#include <vector>

#include "app/log.h"
#include "platform/file_io.h"
#include "platform/paths.h"

namespace {

bool isCommentLine(const std::string& line) { return line.empty() || line[0] == '#'; }

// texture atlas index, type, u, v, depth, width, height: "a.dds atlas.dds 0, 2D, 0.5, 0.25, 0.0, 0.5, 0.5".
bool parseEntry(const std::string& line, std::string& textureFile, AtlasPlacement& placement) {
    std::istringstream in(line);
    in.imbue(std::locale::classic());
    std::string atlasFile, atlasType;
    int atlasIndex = 0;
    float depthOffset = 0.0f;
    char comma[5] = {};
    in >> textureFile >> atlasFile >> atlasIndex;
    in.get(comma[0]);
    in >> atlasType >> placement.offsetU;
    in.get(comma[1]);
    in >> placement.offsetV;
    in.get(comma[2]);
    in >> depthOffset;
    in.get(comma[3]);
    in >> placement.scaleU;
    in.get(comma[4]);
    in >> placement.scaleV;
    if (in.fail()) return false;
    for (char c : comma)
        if (c != ',') return false;
    return true;
}

} // namespace

std::string TextureAtlasIndex::entryKey(const std::string& textureFile) {
    std::string key = textureFile;
    const std::size_t slash = key.find_last_of("/\\");
    if (slash != std::string::npos) key.erase(0, slash + 1);
    const std::size_t dot = key.rfind('.');
    if (dot != std::string::npos) key.erase(dot);
    return key;
}

void TextureAtlasIndex::loadTextureAtlasIndex(const std::string& path, const std::string& group) {
    path_ = path;
    std::string text;
    std::vector<std::string> lines;
    if (platform::readWholeFile(platform::resolvePath(path), text)) {
        std::size_t start = 0;
        while (start < text.size()) {
            const std::size_t end = text.find('\n', start);
            if (end == std::string::npos) {
                lines.push_back(text.substr(start));
                break;
            }
            lines.push_back(text.substr(start, end - start));
            start = end + 1;
        }
    }
    // The atlas tool ends its files with one line that is no entry.
    if (!lines.empty()) lines.pop_back();

    EntryMap entries;
    std::size_t line = 0;
    for (int comments = 0; line < lines.size() && isCommentLine(lines[line]); ++line) {
        if (++comments != 2) continue;
        std::istringstream words(lines[line]);
        for (std::string word; words >> word;) {
            if (word == "-halftexel") halfTexel_ = true;
        }
    }
    for (; line < lines.size(); ++line) {
        std::string textureFile;
        AtlasPlacement placement;
        if (!parseEntry(lines[line], textureFile, placement)) {
            LOG_MESSAGE("Skipped a malformed atlas index entry in %s, line %d", path.c_str(), static_cast<int>(line + 1));
            continue;
        }
        entries.emplace(entryKey(textureFile), placement);
    }
    groups_.emplace_back(group, std::move(entries));
    groupIndex_[group] = &groups_.back().second;
}

const TextureAtlasIndex::EntryMap* TextureAtlasIndex::findGroup(const std::string& group) const {
    auto found = groupIndex_.find(group);
    return found == groupIndex_.end() ? nullptr : found->second;
}

const AtlasPlacement& TextureAtlasIndex::find(const std::string& group, const std::string& baseName) const {
    const EntryMap* entries = findGroup(group);
    if (!entries) return default_;
    auto found = entries->find(baseName);
    return found == entries->end() ? default_ : found->second;
}
