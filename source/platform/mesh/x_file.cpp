#include "platform/mesh/x_file.h"

#include <assimp/Importer.hpp>
#include <assimp/postprocess.h>
#include <assimp/scene.h>

#include <algorithm>
#include <cstring>

#include "platform/file_io.h"
#include "platform/gfx/math_matrix.h"
#include "platform/gfx/math_vector.h"
#include "platform/mesh/mesh.h"
#include "platform/mesh/x_file_animation.h"
#include "platform/paths.h"

namespace mesh {
namespace {

// Mesh files are small; anything larger is not one of ours.
constexpr std::size_t kMaxFileBytes = 64u << 20;

// These steps give back the file's own positions, winding and v coordinates: the reader turns
// the file into its right-handed convention and ConvertToLeftHanded turns it back.
constexpr unsigned kReadSteps =
    aiProcess_Triangulate | aiProcess_JoinIdenticalVertices | aiProcess_ConvertToLeftHanded;

// The reader's matrices act on column vectors; the engine's on row vectors.
gfx::Matrix engineMatrix(const aiMatrix4x4& m) {
    gfx::Matrix out;
    for (unsigned r = 0; r < 4; ++r)
        for (unsigned c = 0; c < 4; ++c) out.m[r][c] = m[c][r];
    return out;
}

std::string frameName(const aiString& name) {
    // An unnamed file frame comes back empty; the reader's own root for a file without frames
    // has a name of its making.
    const std::string text = name.C_Str();
    if (text.empty() || text.rfind("$dummy", 0) == 0) return kNoName;
    return text;
}

XMaterial readMaterial(const aiMaterial& material) {
    XMaterial out;
    aiColor4D diffuse(0.0f, 0.0f, 0.0f, 1.0f);
    material.Get(AI_MATKEY_COLOR_DIFFUSE, diffuse);
    out.diffuse = {diffuse.r, diffuse.g, diffuse.b, diffuse.a};
    aiColor3D colour(0.0f, 0.0f, 0.0f);
    if (material.Get(AI_MATKEY_COLOR_SPECULAR, colour) == AI_SUCCESS) out.specular = {colour.r, colour.g, colour.b};
    colour = aiColor3D(0.0f, 0.0f, 0.0f);
    if (material.Get(AI_MATKEY_COLOR_EMISSIVE, colour) == AI_SUCCESS) out.emissive = {colour.r, colour.g, colour.b};
    material.Get(AI_MATKEY_SHININESS, out.power);
    aiString texture;
    if (material.GetTexture(aiTextureType_DIFFUSE, 0, &texture) == AI_SUCCESS) out.textureFilename = texture.C_Str();
    return out;
}

struct Piece {
    const aiMesh* mesh = nullptr;
    gfx::Matrix placement;
    bool placed = false;
    uint32_t firstVertex = 0;
};

// The pieces merged into one mesh, faces grouped by material in material order. Each piece's
// firstVertex is set to where its vertices landed.
gfx::Result mergePieces(std::vector<Piece>& pieces, uint32_t options, gfx::Device* device, Mesh** out) {
    std::stable_sort(pieces.begin(), pieces.end(),
                     [](const Piece& a, const Piece& b) { return a.mesh->mMaterialIndex < b.mesh->mMaterialIndex; });
    bool normals = false, uv0 = false, uv1 = false;
    uint32_t vertexCount = 0, faceCount = 0;
    for (Piece& piece : pieces) {
        normals = normals || piece.mesh->HasNormals();
        uv0 = uv0 || piece.mesh->HasTextureCoords(0);
        uv1 = uv1 || piece.mesh->HasTextureCoords(1);
        piece.firstVertex = vertexCount;
        vertexCount += piece.mesh->mNumVertices;
        for (unsigned f = 0; f < piece.mesh->mNumFaces; ++f) faceCount += piece.mesh->mFaces[f].mNumIndices == 3;
    }
    std::vector<gfx::VertexElement> layout{{0, 0, gfx::DeclType::Float3, 0, gfx::DeclUsage::Position, 0}};
    uint16_t offset = 12;
    const uint16_t normalOffset = offset, uv0Offset = uint16_t(offset + (normals ? 12 : 0)),
                   uv1Offset = uint16_t(uv0Offset + (uv0 ? 8 : 0));
    if (normals) layout.push_back({0, normalOffset, gfx::DeclType::Float3, 0, gfx::DeclUsage::Normal, 0});
    if (uv0) layout.push_back({0, uv0Offset, gfx::DeclType::Float2, 0, gfx::DeclUsage::TexCoord, 0});
    if (uv1) layout.push_back({0, uv1Offset, gfx::DeclType::Float2, 0, gfx::DeclUsage::TexCoord, 1});

    Mesh* result = nullptr;
    const gfx::Result made = Mesh::create(faceCount, vertexCount, options, layout, device, &result);
    if (gfx::failed(made)) return made;
    const uint32_t stride = result->numBytesPerVertex();
    void* vertexData = nullptr;
    void* indexData = nullptr;
    result->lockVertexBuffer(0, &vertexData);
    result->lockIndexBuffer(0, &indexData);
    auto* vertices = static_cast<uint8_t*>(vertexData);
    const bool wide = result->options() & Options::Use32BitIndices;
    std::vector<AttributeRange> table;
    uint32_t face = 0;
    for (const Piece& piece : pieces) {
        const aiMesh& source = *piece.mesh;
        for (unsigned v = 0; v < source.mNumVertices; ++v) {
            uint8_t* vertex = vertices + size_t(piece.firstVertex + v) * stride;
            gfx::Vector3 position{source.mVertices[v].x, source.mVertices[v].y, source.mVertices[v].z};
            if (piece.placed) position = gfx::transformCoord(position, piece.placement);
            std::memcpy(vertex, &position, 12);
            if (normals && source.HasNormals()) {
                gfx::Vector3 normal{source.mNormals[v].x, source.mNormals[v].y, source.mNormals[v].z};
                if (piece.placed) normal = gfx::normalize(gfx::transformNormal(normal, piece.placement));
                std::memcpy(vertex + normalOffset, &normal, 12);
            }
            for (unsigned set = 0; set < 2; ++set) {
                if (!(set == 0 ? uv0 : uv1) || !source.HasTextureCoords(set)) continue;
                const float uv[2] = {source.mTextureCoords[set][v].x, source.mTextureCoords[set][v].y};
                std::memcpy(vertex + (set == 0 ? uv0Offset : uv1Offset), uv, 8);
            }
        }
        const uint32_t firstFace = face;
        for (unsigned f = 0; f < source.mNumFaces; ++f) {
            if (source.mFaces[f].mNumIndices != 3) continue;
            for (unsigned k = 0; k < 3; ++k) {
                const uint32_t index = piece.firstVertex + source.mFaces[f].mIndices[k];
                if (wide)
                    static_cast<uint32_t*>(indexData)[face * 3 + k] = index;
                else
                    static_cast<uint16_t*>(indexData)[face * 3 + k] = uint16_t(index);
            }
            result->attributes()[face] = source.mMaterialIndex;
            ++face;
        }
        if (face == firstFace) continue;
        if (!table.empty() && table.back().attributeId == source.mMaterialIndex) {
            table.back().faceCount += face - firstFace;
            table.back().vertexCount += source.mNumVertices;
        } else {
            table.push_back({source.mMaterialIndex, firstFace, face - firstFace, piece.firstVertex, source.mNumVertices});
        }
    }
    result->unlockIndexBuffer();
    result->unlockVertexBuffer();
    result->setAttributeTable(table);
    *out = result;
    return gfx::Result::Ok;
}

const aiScene* readSceneFromMemory(Assimp::Importer& importer, const void* data, std::size_t size,
                                   const std::string& source, std::string* error) {
    const aiScene* scene = size > 0 && size <= kMaxFileBytes ? importer.ReadFileFromMemory(data, size, kReadSteps, "x")
                                                             : nullptr;
    if (!scene || !scene->mRootNode || (scene->mFlags & AI_SCENE_FLAGS_INCOMPLETE)) {
        if (error) *error = source + ": " + (size > 0 ? importer.GetErrorString() : "no bytes");
        return nullptr;
    }
    return scene;
}

const aiScene* readScene(Assimp::Importer& importer, const std::string& path, std::string* error) {
    std::string bytes;
    if (!platform::readWholeFile(platform::resolvePath(path), bytes, kMaxFileBytes)) {
        if (error) *error = "cannot read " + path;
        return nullptr;
    }
    return readSceneFromMemory(importer, bytes.data(), bytes.size(), path, error);
}

void collectPieces(const aiScene& scene, const aiNode& node, const gfx::Matrix& parent, std::vector<Piece>& pieces) {
    const gfx::Matrix world = engineMatrix(node.mTransformation) * parent;
    for (unsigned i = 0; i < node.mNumMeshes; ++i)
        if (node.mMeshes[i] < scene.mNumMeshes) pieces.push_back({scene.mMeshes[node.mMeshes[i]], world, true, 0});
    for (unsigned i = 0; i < node.mNumChildren; ++i) collectPieces(scene, *node.mChildren[i], world, pieces);
}

std::vector<XMaterial> readMaterials(const aiScene& scene) {
    std::vector<XMaterial> materials;
    for (unsigned i = 0; i < scene.mNumMaterials; ++i) materials.push_back(readMaterial(*scene.mMaterials[i]));
    return materials;
}

gfx::Result buildFrame(const aiScene& scene, const aiNode& node, uint32_t options, gfx::Device* device,
                       const std::vector<XMaterial>& materials, std::unique_ptr<XFrame>& out) {
    out = std::make_unique<XFrame>();
    out->name = frameName(node.mName);
    out->transform = engineMatrix(node.mTransformation);
    std::vector<Piece> pieces;
    for (unsigned i = 0; i < node.mNumMeshes; ++i)
        if (node.mMeshes[i] < scene.mNumMeshes) pieces.push_back({scene.mMeshes[node.mMeshes[i]], {}, false, 0});
    if (!pieces.empty()) {
        auto container = std::make_unique<XMeshContainer>();
        const gfx::Result merged = mergePieces(pieces, options, device, &container->mesh);
        if (gfx::failed(merged)) return merged;
        container->materials = materials;
        // A skinned mesh split by material has each bone once per piece: one bone per name.
        for (const Piece& piece : pieces)
            for (unsigned b = 0; b < piece.mesh->mNumBones; ++b) {
                const aiBone& bone = *piece.mesh->mBones[b];
                auto found = std::find_if(container->bones.begin(), container->bones.end(),
                                          [&](const XBone& known) { return known.name == bone.mName.C_Str(); });
                if (found == container->bones.end()) {
                    container->bones.push_back({bone.mName.C_Str(), engineMatrix(bone.mOffsetMatrix), {}, {}});
                    found = container->bones.end() - 1;
                }
                for (unsigned w = 0; w < bone.mNumWeights; ++w) {
                    found->vertices.push_back(piece.firstVertex + bone.mWeights[w].mVertexId);
                    found->weights.push_back(bone.mWeights[w].mWeight);
                }
            }
        out->meshes.push_back(std::move(container));
    }
    for (unsigned i = 0; i < node.mNumChildren; ++i) {
        std::unique_ptr<XFrame> child;
        const gfx::Result built = buildFrame(scene, *node.mChildren[i], options, device, materials, child);
        if (gfx::failed(built)) return built;
        out->children.push_back(std::move(child));
    }
    return gfx::Result::Ok;
}

} // namespace

XMeshContainer::~XMeshContainer() { gfx::safeRelease(mesh); }

gfx::Result loadMeshFromX(const std::string& path, uint32_t options, gfx::Device* device,
                          std::vector<XMaterial>& materials, Mesh** out, std::string* error) {
    if (!out) return gfx::Result::InvalidCall;
    *out = nullptr;
    Assimp::Importer importer;
    const aiScene* scene = readScene(importer, path, error);
    if (!scene) return gfx::Result::Fail;
    std::vector<Piece> pieces;
    collectPieces(*scene, *scene->mRootNode, gfx::identityMatrix(), pieces);
    if (pieces.empty()) {
        if (error) *error = path + ": no mesh";
        return gfx::Result::Fail;
    }
    const gfx::Result merged = mergePieces(pieces, options, device, out);
    if (gfx::failed(merged)) {
        if (error) *error = path + ": the mesh cannot be made with these options";
        return merged;
    }
    materials = readMaterials(*scene);
    return gfx::Result::Ok;
}

namespace {

gfx::Result buildHierarchy(const aiScene* scene, const std::string& source, uint32_t options, gfx::Device* device,
                           std::unique_ptr<XFrame>& root, std::string* error, AnimationController* animation) {
    if (!scene) return gfx::Result::Fail;
    const gfx::Result built = buildFrame(*scene, *scene->mRootNode, options, device, readMaterials(*scene), root);
    if (gfx::failed(built)) {
        root.reset();
        if (error) *error = source + ": a mesh cannot be made with these options";
        return built;
    }
    if (animation) readAnimationSets(*scene, *root, *animation);
    return built;
}

} // namespace

gfx::Result loadFrameHierarchyFromX(const std::string& path, uint32_t options, gfx::Device* device,
                                    std::unique_ptr<XFrame>& root, std::string* error,
                                    AnimationController* animation) {
    root.reset();
    Assimp::Importer importer;
    return buildHierarchy(readScene(importer, path, error), path, options, device, root, error, animation);
}

gfx::Result loadFrameHierarchyFromXInMemory(const void* data, std::size_t size, const std::string& source,
                                            uint32_t options, gfx::Device* device, std::unique_ptr<XFrame>& root,
                                            std::string* error, AnimationController* animation) {
    root.reset();
    Assimp::Importer importer;
    return buildHierarchy(readSceneFromMemory(importer, data, size, source, error), source, options, device, root,
                          error, animation);
}

} // namespace mesh
