#include "scene/mesh_atlas_group.h"

#include <cmath>
#include <cstring>

#include "platform/mesh/mesh.h"
#include "render/base_renderable.h"
#include "render/dds_texture_loader.h"
#include "render/render_interface.h"

const char* atlasSubfolder(const std::string& textureDetail) {
    if (textureDetail == "Medium") return "medium_tex/";
    if (textureDetail == "Low") return "small_tex/";
    return "large_tex/";
}

std::string folderGroupName(const std::string& folder) {
    std::string path = folder;
    while (!path.empty() && (path.back() == '/' || path.back() == '\\')) path.pop_back();
    const std::size_t separator = path.find_last_of("/\\");
    return separator == std::string::npos ? path : path.substr(separator + 1);
}

MeshAtlasGroup::MeshAtlasGroup(ThreadResourcePool* renderContext, RenderInterface* renderInterface,
                               const std::string& folder)
    : name_(folderGroupName(folder)), renderContext_(renderContext), renderInterface_(renderInterface),
      folder_(folder) {}

MeshAtlasGroup::~MeshAtlasGroup() {
    for (DDSTextureLoader* loader : {colourLoader_, normalLoader_}) {
        if (!loader) continue;
        loader->unload();
        delete loader;
    }
}

std::string MeshAtlasGroup::atlasFolder() const {
    const std::string detail = renderInterface_ ? renderInterface_->renderSettings().textureDetail : std::string();
    return folder_ + atlasSubfolder(detail);
}

void MeshAtlasGroup::loadAtlas(BaseRenderable& owner) {
    const std::string atlas = atlasFolder();
    atlasIndex_ = TextureAtlasIndex();
    atlasIndex_.loadTextureAtlasIndex(atlas + "atlas_texture.tai", name_);
    if (!colourLoader_) colourLoader_ = new DDSTextureLoader(atlas + "atlas_texture0.dds", renderContext_);
    if (!normalLoader_) normalLoader_ = new DDSTextureLoader(atlas + "atlas_normal_texture0.dds", renderContext_);
    for (DDSTextureLoader* loader : {colourLoader_, normalLoader_}) {
        loader->loadFile();
        owner.loadables.push_back(loader);
    }
}

void MeshAtlasGroup::reloadAtlasTextures(BaseRenderable& owner) {
    if (!colourLoader_ || !normalLoader_) return;
    const std::string atlas = atlasFolder();
    colourLoader_->setPath(atlas + "atlas_texture0.dds");
    normalLoader_->setPath(atlas + "atlas_normal_texture0.dds");
    owner.loadables.push_back(colourLoader_);
    owner.loadables.push_back(normalLoader_);
}

void MeshAtlasGroup::reloadAtlasIndex() {
    atlasIndex_ = TextureAtlasIndex();
    atlasIndex_.loadTextureAtlasIndex(atlasFolder() + "atlas_texture.tai", name_);
}

const AtlasPlacement& MeshAtlasGroup::placement(const std::string& textureName) const {
    return atlasIndex_.find(name_, textureName);
}

void placeInAtlas(void* vertices, unsigned vertexCount, unsigned stride, unsigned uvOffset,
                  const std::vector<mesh::AttributeRange>& ranges, const std::vector<std::string>& textureNames,
                  const MeshAtlasGroup& group) {
    if (!vertices || stride < uvOffset + 8) return;
    std::vector<bool> placed(vertexCount, false);
    auto* bytes = static_cast<uint8_t*>(vertices);
    for (const mesh::AttributeRange& range : ranges) {
        const std::string& name =
            range.attributeId < textureNames.size() ? textureNames[range.attributeId] : std::string();
        const AtlasPlacement& where = group.placement(name);
        for (unsigned v = range.vertexStart; v < range.vertexStart + range.vertexCount && v < vertexCount; ++v) {
            if (placed[v]) continue;
            placed[v] = true;
            float uv[2];
            std::memcpy(uv, bytes + std::size_t(v) * stride + uvOffset, 8);
            const float offset[2] = {where.offsetU, where.offsetV}, scale[2] = {where.scaleU, where.scaleV};
            for (int c = 0; c < 2; ++c) {
                if (uv[c] < 0.0f) uv[c] = 1.0f - std::fabs(uv[c]);
                uv[c] = std::fabs(offset[c] + scale[c] * uv[c]);
            }
            std::memcpy(bytes + std::size_t(v) * stride + uvOffset, uv, 8);
        }
    }
}
