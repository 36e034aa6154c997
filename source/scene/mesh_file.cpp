#include "scene/mesh_file.h"

#include "app/log.h"
#include "platform/gfx/device.h"
#include "platform/mesh/mesh.h"
#include "platform/mesh/mesh_geometry.h"
#include "platform/mesh/x_file.h"

std::string meshAssetName(const std::string& prefix, const std::string& baseName) { return prefix + baseName; }

std::string baseNameOfFile(const std::string& fileName) { return fileName.substr(0, fileName.find('.')); }

std::string textureBaseName(const std::string& textureFile) { return textureFile.substr(0, textureFile.find('.')); }

MeshFile::~MeshFile() { gfx::safeRelease(mesh); }

namespace {

bool hasSecondCoordinates(const mesh::Mesh& loaded) {
    for (const gfx::VertexElement& element : loaded.declaration())
        if (element.usage == gfx::DeclUsage::TexCoord && element.usageIndex == 1 &&
            element.type == gfx::DeclType::Float2)
            return true;
    return false;
}

MeshMaterial engineMaterial(const mesh::XMaterial& material) {
    const gfx::Vector4& d = material.diffuse;
    const gfx::Vector3& s = material.specular;
    return MeshMaterial{{d.x, d.y, d.z, d.w}, {d.x, d.y, d.z, d.w}, {s.x, s.y, s.z, 1.0f}, material.power};
}

} // namespace

bool loadMeshFile(const std::string& folder, const std::string& baseName, const gfx::VertexDeclaration* layout,
                  gfx::Device* device, LightmapCoordinates lightmap, MeshFile& out) {
    gfx::safeRelease(out.mesh);
    out.materials.clear();
    out.textureNames.clear();
    out.normalTextureNames.clear();
    out.path = folder + baseName + ".x";
    if (!layout || !device) {
        LOG_MESSAGE("Unable to load the mesh %s: no device or vertex layout", out.path.c_str());
        return false;
    }
    std::vector<mesh::XMaterial> materials;
    std::string error;
    mesh::Mesh* loaded = nullptr;
    if (gfx::failed(mesh::loadMeshFromX(out.path, mesh::Options::SystemMemory, device, materials, &loaded, &error))) {
        LOG_MESSAGE("Unable to load the mesh %s: %s", out.path.c_str(), error.c_str());
        return false;
    }
    out.hasLightmapCoordinates = hasSecondCoordinates(*loaded);
    if (lightmap == LightmapCoordinates::Needed && !out.hasLightmapCoordinates)
        LOG_MESSAGE("Need to add light map UVs for: %s ", out.path.c_str());

    mesh::Mesh* clone = nullptr;
    const gfx::Result cloned = loaded->cloneMesh(mesh::Options::SystemMemory, layout->elements(), device, &clone);
    loaded->release();
    gfx::Result result = cloned;
    if (gfx::succeeded(result)) result = mesh::computeNormals(clone);
    if (gfx::succeeded(result)) result = mesh::computeTangents(clone, 0);
    if (gfx::succeeded(result))
        result = clone->optimize(mesh::Optimize::Compact | mesh::Optimize::AttributeSort | mesh::Optimize::VertexCache |
                                     mesh::Options::Managed,
                                 &out.mesh);
    gfx::safeRelease(clone);
    if (gfx::failed(result)) {
        LOG_MESSAGE("Unable to load the mesh %s: it does not fit the vertex layout", out.path.c_str());
        return false;
    }
    for (const mesh::XMaterial& material : materials) {
        out.materials.push_back(engineMaterial(material));
        const bool textured = !material.textureFilename.empty();
        const std::string base = textured ? textureBaseName(material.textureFilename) : std::string();
        out.textureNames.push_back(base);
        out.normalTextureNames.push_back(textured ? base + "_normal" : std::string());
    }
    return true;
}
