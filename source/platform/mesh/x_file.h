#pragma once
// Reading ".x" mesh files (text) into the engine's mesh types: one merged mesh with its materials,
// or the frame hierarchy with its mesh containers and bones. The only code that includes assimp.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/gfx/math_types.h"
#include "platform/gfx/types.h"

namespace gfx {
class Device;
}

namespace mesh {

class AnimationController;
class Mesh;

// One material as the file gives it; the attribute id of its faces is its position in the list.
struct XMaterial {
    gfx::Vector4 diffuse;
    gfx::Vector3 specular;
    gfx::Vector3 emissive;
    float power = 0.0f;
    // Empty when the material names no texture.
    std::string textureFilename;
};

// What meshes and frames are called when the file gives them no name (the reader keeps no mesh
// names at all).
inline constexpr const char* kNoName = "<no name>";

// Every mesh of the file, placed by its frames, as one mesh whose vertices carry a position,
// a normal when the file has normals, and texture coordinates 0 and 1 when the file has one or
// two "MeshTextureCoords" blocks. Faces are grouped by material in material order, with one
// attribute range per material that has faces (an unused material keeps its place in the list
// and has no range). Positions, winding and texture coordinates are the file's. A mesh without
// a material list uses the file's first top-level material (or a grey default when there is
// none). Fails, with the reason in error when given, for a missing or malformed file.
gfx::Result loadMeshFromX(const std::string& path, uint32_t options, gfx::Device* device,
                          std::vector<XMaterial>& materials, Mesh** out, std::string* error = nullptr);

// A bone of a skinned mesh container: the frame it follows, the matrix from mesh space into
// that bone's space, and the vertices it moves.
struct XBone {
    std::string name;
    gfx::Matrix offset;
    std::vector<uint32_t> vertices;
    std::vector<float> weights;
};

// The meshes of one frame, merged as loadMeshFromX merges them (without placing them).
struct XMeshContainer {
    XMeshContainer() = default;
    XMeshContainer(const XMeshContainer&) = delete;
    XMeshContainer& operator=(const XMeshContainer&) = delete;
    ~XMeshContainer();
    std::string name = kNoName;
    Mesh* mesh = nullptr;
    std::vector<XMaterial> materials;
    std::vector<XBone> bones;
};

struct XFrame {
    std::string name = kNoName;
    // Relative to the parent, with the translation in the fourth row.
    gfx::Matrix transform;
    // Its matrix times its parents' (updateCombinedMatrices); skinning reads it.
    gfx::Matrix combined;
    std::vector<std::unique_ptr<XMeshContainer>> meshes;
    std::vector<std::unique_ptr<XFrame>> children;
};

// With animation given, the file's animation sets are registered on it, playing onto the frames'
// matrices (a file without any leaves it without sets): it must not advance once root is freed.
gfx::Result loadFrameHierarchyFromX(const std::string& path, uint32_t options, gfx::Device* device,
                                    std::unique_ptr<XFrame>& root, std::string* error = nullptr,
                                    AnimationController* animation = nullptr);
// The same from a file's bytes, read earlier (off the drawing thread); source names them in
// errors.
gfx::Result loadFrameHierarchyFromXInMemory(const void* data, std::size_t size, const std::string& source,
                                            uint32_t options, gfx::Device* device, std::unique_ptr<XFrame>& root,
                                            std::string* error = nullptr, AnimationController* animation = nullptr);

} // namespace mesh
