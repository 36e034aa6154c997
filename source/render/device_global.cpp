#include "render/device_global.h"

#include <vector>

gfx::Device* deviceGlobal = nullptr;

gfx::VertexDeclaration* vdPosition = nullptr;
gfx::VertexDeclaration* vdPositionColour = nullptr;
gfx::VertexDeclaration* vdPosition4Normal = nullptr;
gfx::VertexDeclaration* vdPositionTex = nullptr;
gfx::VertexDeclaration* vdPositionColourTex = nullptr;
gfx::VertexDeclaration* vdMesh = nullptr;
gfx::VertexDeclaration* vdMeshTwoTex = nullptr;
gfx::VertexDeclaration* vdHalfMesh = nullptr;
gfx::VertexDeclaration* vdPosition4Tex = nullptr;
gfx::VertexDeclaration* vdHalfInstance = nullptr;
gfx::VertexDeclaration* vdHalfPositionTex = nullptr;
gfx::VertexDeclaration* vdReserved = nullptr;
gfx::VertexDeclaration* vdUIRectangle = nullptr;

namespace {

using gfx::DeclType;
using gfx::DeclUsage;

gfx::VertexElement element(std::uint16_t offset, DeclType type, DeclUsage usage, std::uint8_t usageIndex = 0) {
    gfx::VertexElement e;
    e.stream = 0;
    e.offset = offset;
    e.type = type;
    e.method = 0;
    e.usage = usage;
    e.usageIndex = usageIndex;
    return e;
}

void create(const std::vector<gfx::VertexElement>& elements, gfx::VertexDeclaration** slot) {
    // A failed layout leaves its slot null; the draws that need it then draw nothing.
    deviceGlobal->createVertexDeclaration(elements, slot);
}

gfx::VertexDeclaration** allSlots[] = {&vdPosition,     &vdPositionColour, &vdPosition4Normal, &vdPositionTex,
                                       &vdPositionColourTex, &vdMesh,      &vdMeshTwoTex,      &vdHalfMesh,
                                       &vdPosition4Tex, &vdHalfInstance,   &vdHalfPositionTex, &vdReserved,
                                       &vdUIRectangle};

} // namespace

void createVertexDeclarations() {
    if (!deviceGlobal) return;
    const auto mesh = std::vector<gfx::VertexElement>{
        element(0, DeclType::Float3, DeclUsage::Position), element(12, DeclType::Float3, DeclUsage::Normal),
        element(24, DeclType::Float3, DeclUsage::Tangent), element(36, DeclType::Float2, DeclUsage::TexCoord)};
    create({element(0, DeclType::Float3, DeclUsage::Position)}, &vdPosition);
    create({element(0, DeclType::Float3, DeclUsage::Position), element(12, DeclType::Color, DeclUsage::Color)},
           &vdPositionColour);
    create({element(0, DeclType::Float4, DeclUsage::Position), element(16, DeclType::Float3, DeclUsage::Normal)},
           &vdPosition4Normal);
    create({element(0, DeclType::Float3, DeclUsage::Position), element(12, DeclType::Float2, DeclUsage::TexCoord)},
           &vdPositionTex);
    create({element(0, DeclType::Float3, DeclUsage::Position), element(12, DeclType::Color, DeclUsage::Color),
            element(16, DeclType::Float2, DeclUsage::TexCoord)},
           &vdPositionColourTex);
    create(mesh, &vdMesh);
    auto meshTwoTex = mesh;
    meshTwoTex.push_back(element(44, DeclType::Float2, DeclUsage::TexCoord, 1));
    create(meshTwoTex, &vdMeshTwoTex);
    create({element(0, DeclType::Float16x4, DeclUsage::Position), element(8, DeclType::Float16x4, DeclUsage::Normal),
            element(16, DeclType::Float16x2, DeclUsage::TexCoord), element(20, DeclType::Float1, DeclUsage::TexCoord, 1)},
           &vdHalfMesh);
    create({element(0, DeclType::Float4, DeclUsage::Position), element(16, DeclType::Float2, DeclUsage::TexCoord)},
           &vdPosition4Tex);
    create({element(0, DeclType::Float16x4, DeclUsage::Position), element(8, DeclType::Float16x4, DeclUsage::Normal),
            element(16, DeclType::Float16x4, DeclUsage::Tangent), element(24, DeclType::Float16x4, DeclUsage::TexCoord),
            element(32, DeclType::Float16x4, DeclUsage::TexCoord, 1),
            element(40, DeclType::Float16x4, DeclUsage::TexCoord, 2),
            element(48, DeclType::Float3, DeclUsage::TexCoord, 3)},
           &vdHalfInstance);
    create({element(0, DeclType::Float16x4, DeclUsage::Position), element(8, DeclType::Float16x4, DeclUsage::TexCoord)},
           &vdHalfPositionTex);
    create({element(0, DeclType::Float4, DeclUsage::Position), element(16, DeclType::Float3, DeclUsage::TexCoord),
            element(28, DeclType::Float4, DeclUsage::TexCoord, 1), element(44, DeclType::Float4, DeclUsage::TexCoord, 2)},
           &vdUIRectangle);
}

void releaseVertexDeclarations() {
    for (gfx::VertexDeclaration** slot : allSlots) {
        if (*slot) (*slot)->release();
        *slot = nullptr;
    }
}
