#pragma once
// The textures the meshes of one folder share: a colour and a normal atlas at the resolution the
// texture detail picks, and the atlas index that says where each texture lies in them. Meshes
// move their texture coordinates into the atlas once, when they load.
#include <string>
#include <vector>

#include "render/texture_atlas_index.h"

namespace mesh {
struct AttributeRange;
}
class BaseRenderable;
class DDSTextureLoader;
class RenderableAsset;
class RenderInterface;
class ThreadResourcePool;

// "High" gives "large_tex/", "Medium" "medium_tex/", "Low" "small_tex/"; anything else
// (compared exactly) "large_tex/".
const char* atlasSubfolder(const std::string& textureDetail);

// The last component of a folder path: "Data/meshes/dynamic/" gives "dynamic".
std::string folderGroupName(const std::string& folder);

class MeshAtlasGroup {
public:
    // The texture detail is read from the render side of the render interface's settings.
    MeshAtlasGroup(ThreadResourcePool* renderContext, RenderInterface* renderInterface, const std::string& folder);
    // Unloads and deletes both loaders.
    ~MeshAtlasGroup();
    MeshAtlasGroup(const MeshAtlasGroup&) = delete;
    MeshAtlasGroup& operator=(const MeshAtlasGroup&) = delete;

    // Worker: reads the atlas index of the current detail's subfolder, makes both atlas loaders,
    // reads their files at once and hands them to the owner's loadables.
    void loadAtlas(BaseRenderable& owner);
    // Worker: points both loaders at the current detail's atlas files and hands them to the
    // owner again; the loaders stay the same objects, so what holds their textures stays valid.
    void reloadAtlasTextures(BaseRenderable& owner);
    // Worker: reads the current detail's atlas index again.
    void reloadAtlasIndex();

    // Where a texture base name lies, looked up under the group's name; a name the index lacks,
    // an empty name or a group the index lacks give the default placement.
    const AtlasPlacement& placement(const std::string& textureName) const;

    // The group's folder with the current detail's subfolder.
    std::string atlasFolder() const;
    const std::string& name() const { return name_; }
    const std::string& folder() const { return folder_; }
    DDSTextureLoader* colourLoader() const { return colourLoader_; }
    DDSTextureLoader* normalLoader() const { return normalLoader_; }
    const TextureAtlasIndex& atlasIndex() const { return atlasIndex_; }

    // The group's assets (not owned).
    std::vector<RenderableAsset*> assets;

private:
    std::string name_;
    ThreadResourcePool* renderContext_;
    RenderInterface* renderInterface_;
    std::string folder_;
    DDSTextureLoader* colourLoader_ = nullptr;
    DDSTextureLoader* normalLoader_ = nullptr;
    TextureAtlasIndex atlasIndex_;
};

// Moves the texture coordinates (two floats at uvOffset of each stride-byte vertex) of every
// attribute range into the atlas: a coordinate below 0 first becomes 1 - |c|, then c becomes
// |offset + scale * c|; coordinates above 1 stay. Each range takes the texture of its own
// attribute id (textureNames holds one per material); a vertex shared by two ranges moves once.
void placeInAtlas(void* vertices, unsigned vertexCount, unsigned stride, unsigned uvOffset,
                  const std::vector<mesh::AttributeRange>& ranges, const std::vector<std::string>& textureNames,
                  const MeshAtlasGroup& group);
