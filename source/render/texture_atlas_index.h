#pragma once
// Where each packed texture lies inside its atlas, read from ".tai" texture-atlas index files: one
// entry map per group (the folder or renderable that loaded it), each keyed by texture base name
// and iterated in key order.
#include <list>
#include <map>
#include <string>
#include <unordered_map>
#include <utility>

// A texture's rectangle in atlas coordinates (0 to 1).
struct AtlasPlacement {
    float offsetU = 0.0f;
    float offsetV = 0.0f;
    float scaleU = 1.0f;
    float scaleV = 1.0f;
};

class TextureAtlasIndex {
public:
    using EntryMap = std::map<std::string, AtlasPlacement>;

    // Reads the file and adds its entries under the group name (a file that cannot be opened
    // gives an empty map). Comment lines ("#" or empty) come first; a word "-halftexel" on the
    // second of them sets the half-texel flag. The file's last line is never read as an entry,
    // the first entry under a key wins, and a malformed entry line is skipped and logged.
    void loadTextureAtlasIndex(const std::string& path, const std::string& group);

    // The group's entries, or null.
    const EntryMap* findGroup(const std::string& group) const;
    // The placement of a texture base name in the group's entries; the default placement (offset
    // 0, 0 and scale 1, 1) when either is missing.
    const AtlasPlacement& find(const std::string& group, const std::string& baseName) const;

    // "textures\stone_wall.dds" gives "stone_wall": no folders, no extension.
    static std::string entryKey(const std::string& textureFile);

    // In load order.
    const std::list<std::pair<std::string, EntryMap>>& groups() const { return groups_; }
    bool halfTexel() const { return halfTexel_; }
    const std::string& lastPath() const { return path_; }
    const AtlasPlacement& defaultPlacement() const { return default_; }

private:
    std::list<std::pair<std::string, EntryMap>> groups_;
    std::unordered_map<std::string, EntryMap*> groupIndex_;
    std::string path_;
    bool halfTexel_ = false;
    AtlasPlacement default_;
};
