#include "platform/gfx/vertex_declaration.h"

namespace gfx {

int attributeLocation(DeclUsage usage, uint8_t usageIndex) {
    switch (usage) {
    case DeclUsage::Position: return usageIndex == 0 ? 0 : -1;
    case DeclUsage::Normal: return usageIndex == 0 ? 1 : -1;
    case DeclUsage::Tangent: return usageIndex == 0 ? 2 : -1;
    case DeclUsage::Color: return usageIndex == 0 ? 3 : usageIndex == 1 ? 10 : -1;
    case DeclUsage::TexCoord: return usageIndex < 4 ? 4 + usageIndex : -1;
    case DeclUsage::BlendWeight: return usageIndex == 0 ? 8 : -1;
    case DeclUsage::BlendIndices: return usageIndex == 0 ? 9 : -1;
    }
    return -1;
}

Result VertexDeclaration::create(const std::vector<VertexElement>& elements, VertexDeclaration** out) {
    if (!out) return Result::InvalidCall;
    *out = nullptr;
    for (const VertexElement& element : elements) {
        if (attributeLocation(element.usage, element.usageIndex) < 0) return Result::InvalidCall;
        if (element.type == DeclType::Unused || uint8_t(element.type) > uint8_t(DeclType::Float16x4) ||
            (uint8_t(element.type) > uint8_t(DeclType::UByte4N) && uint8_t(element.type) < uint8_t(DeclType::Float16x2)))
            return Result::InvalidCall;
    }
    auto* declaration = new VertexDeclaration();
    declaration->elements_ = elements;
    *out = declaration;
    return Result::Ok;
}

} // namespace gfx
