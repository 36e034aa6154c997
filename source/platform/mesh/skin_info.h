#pragma once
// A skinned mesh's bones (merged by name over the pieces the reader split it into) and their
// conversion into a blended mesh: each vertex carries up to four influences, weights summing to
// one, as indices into the whole bone list.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/gfx/math_types.h"
#include "platform/gfx/types.h"
#include "platform/mesh/x_file.h"

namespace gfx {
class Device;
}

namespace mesh {

class Mesh;

class SkinInfo {
public:
    static constexpr uint32_t kMaxInfluences = 4;
    // Bone indices are bytes: bones past this one cannot move a vertex.
    static constexpr uint32_t kMaxIndexedBones = 256;

    explicit SkinInfo(std::vector<XBone> bones) : bones_(std::move(bones)) {}

    uint32_t numBones() const { return uint32_t(bones_.size()); }
    const std::string& boneName(uint32_t bone) const { return bones_.at(bone).name; }
    const gfx::Matrix& boneOffsetMatrix(uint32_t bone) const { return bones_.at(bone).offset; }
    const std::vector<XBone>& bones() const { return bones_; }

    // The layout of base followed by four blend weights (BLENDWEIGHT, four floats) and four bone
    // indices (BLENDINDICES, four bytes).
    static std::vector<gfx::VertexElement> blendedDeclaration(const std::vector<gfx::VertexElement>& base);

    // source in the blended layout: each vertex keeps its strongest four influences, scaled to sum
    // to one; a vertex no bone moves follows bone 0 whole. maxInfluences (when given) is the most
    // influences any vertex kept. The source's vertex numbers are the bones' vertex numbers.
    gfx::Result convertToBlendedMesh(const Mesh& source, uint32_t options, gfx::Device* device, Mesh** out,
                                     uint32_t* maxInfluences = nullptr) const;

private:
    std::vector<XBone> bones_;
};

} // namespace mesh
