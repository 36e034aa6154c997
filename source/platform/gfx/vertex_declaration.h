#pragma once
// A vertex layout: which attributes sit where in which stream. Effects find each attribute at
// a location fixed by its usage, so any layout works with any effect.
#include <cstdint>
#include <vector>

#include "platform/gfx/ref_counted.h"
#include "platform/gfx/types.h"

namespace gfx {

// Attribute locations, and the names effect stages declare them under.
//   POSITION 0 inPosition, NORMAL 1 inNormal, TANGENT 2 inTangent, COLOR0 3 inColour,
//   TEXCOORD0-3 4-7 inTexCoord0..3, BLENDWEIGHT 8 inBlendWeight, BLENDINDICES 9 inBlendIndices,
//   COLOR1 10 inColour1.
// -1 for usages without a location.
int attributeLocation(DeclUsage usage, uint8_t usageIndex);
constexpr int kAttributeCount = 11;

class VertexDeclaration : public RefCounted {
public:
    // Fails with InvalidCall for a usage without a location or an unknown type.
    static Result create(const std::vector<VertexElement>& elements, VertexDeclaration** out);
    const std::vector<VertexElement>& elements() const { return elements_; }

private:
    VertexDeclaration() = default;
    std::vector<VertexElement> elements_;
};

} // namespace gfx
