#pragma once
// The rules every mesh asset of the scene shares for its ".x" file: the asset's name, the file's
// path, the load into one of the engine's vertex layouts with recomputed normals and tangents,
// optimised into a drawable mesh, and the materials and texture names taken from the file.
#include <string>
#include <vector>

namespace gfx {
class Device;
class VertexDeclaration;
} // namespace gfx
namespace mesh {
class Mesh;
}

// The engine's standard mesh vertex (44 bytes): position, normal, tangent, texture coordinate.
struct MeshVertex {
    float position[3];
    float normal[3];
    float tangent[3];
    float uv[2];
};
static_assert(sizeof(MeshVertex) == 44);

// The static meshes' vertex (52 bytes): the same, then the lightmap coordinates.
struct LightmappedMeshVertex {
    float position[3];
    float normal[3];
    float tangent[3];
    float uv[2];
    float lightmapUv[2];
};
static_assert(sizeof(LightmappedMeshVertex) == 52);

// One per material of the file: the ambient colour is the diffuse one; the file's ambient and
// emissive colours are not kept.
struct MeshMaterial {
    float diffuse[4];
    float ambient[4];
    float specular[4];
    float power;
};
static_assert(sizeof(MeshMaterial) == 52);

// "Mesh_" and "crate" give "Mesh_crate".
std::string meshAssetName(const std::string& prefix, const std::string& baseName);
// A file name handed in at run time is cut at its first ".": "crate.old.x" gives "crate".
std::string baseNameOfFile(const std::string& fileName);
// The texture base name of a material's texture file: the text before its first "." (the whole
// name when it has none).
std::string textureBaseName(const std::string& textureFile);

// What a mesh file gives its asset.
struct MeshFile {
    MeshFile() = default;
    MeshFile(const MeshFile&) = delete;
    MeshFile& operator=(const MeshFile&) = delete;
    ~MeshFile();

    // Null when the file could not be loaded: the asset is then absent and never drawn.
    mesh::Mesh* mesh = nullptr;
    std::string path;
    // All three in material order, one entry per material: the subsets' attribute ids index
    // them. A material without a texture has empty names, and nothing is bound for it.
    std::vector<MeshMaterial> materials;
    std::vector<std::string> textureNames;
    std::vector<std::string> normalTextureNames;
    // Whether the file had a second set of texture coordinates.
    bool hasLightmapCoordinates = false;
};

enum class LightmapCoordinates { NotNeeded, Needed };

// Reads folder + baseName + ".x" (the folder ends in a separator; any length), clones it to the
// layout of the declaration, recomputes its normals and tangents (those of the file are always
// replaced) and optimises it into the managed pool (compacted, sorted by attribute, vertices in
// the order the faces use them). A file that cannot be loaded is logged once, here, and leaves
// out.mesh null. A mesh that needs lightmap coordinates and has none logs "Need to add light
// map UVs for: %s " and loads on.
bool loadMeshFile(const std::string& folder, const std::string& baseName, const gfx::VertexDeclaration* layout,
                  gfx::Device* device, LightmapCoordinates lightmap, MeshFile& out);
