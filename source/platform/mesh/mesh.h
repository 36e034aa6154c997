#pragma once
// A triangle mesh shaped like the one the engine's mesh code was designed on: one vertex stream
// of any declared layout, 16- or 32-bit indices, an attribute id per face and an attribute table
// of face and vertex ranges per id. Cloning converts between layouts, optimising compacts and
// sorts, and a subset draws the range of one attribute id.
#include <cstdint>
#include <vector>

#include "platform/gfx/buffers.h"
#include "platform/gfx/ref_counted.h"
#include "platform/gfx/types.h"
#include "platform/gfx/vertex_declaration.h"

namespace gfx {
class Device;
}

namespace mesh {

// Creation options; the values are the ones the engine passes.
namespace Options {
constexpr uint32_t Use32BitIndices = 0x001;
// Vertex and index buffers in CPU memory only: may be made and filled off the drawing thread,
// cannot be drawn.
constexpr uint32_t SystemMemory = 0x110;
// CPU copy and GL buffers: drawable, and kept across a device reset.
constexpr uint32_t Managed = 0x220;
} // namespace Options

// Optimisation flags, combined with the creation options of the result.
namespace Optimize {
// Drops vertices no face uses.
constexpr uint32_t Compact = 0x01000000;
// Faces sorted by attribute id (stable), so each id is one run of faces.
constexpr uint32_t AttributeSort = 0x02000000;
// Vertices renumbered in the order the faces first use them.
constexpr uint32_t VertexCache = 0x04000000;
} // namespace Optimize

// Twenty bytes, as the engine reads attribute tables.
struct AttributeRange {
    uint32_t attributeId = 0;
    uint32_t faceStart = 0;
    uint32_t faceCount = 0;
    uint32_t vertexStart = 0;
    uint32_t vertexCount = 0;
};
static_assert(sizeof(AttributeRange) == 20);

// Bytes one vertex of the layout takes: the end of its furthest stream-0 element.
uint32_t vertexSize(const std::vector<gfx::VertexElement>& elements);

class Mesh : public gfx::RefCounted {
public:
    // A mesh of the given size with zeroed vertices, indices and attributes, and an empty
    // attribute table. The device may be null for a system-memory mesh (it then cannot draw);
    // more than 65535 vertices need 32-bit indices.
    static gfx::Result create(uint32_t faceCount, uint32_t vertexCount, uint32_t options,
                              const std::vector<gfx::VertexElement>& declaration, gfx::Device* device, Mesh** out);

    uint32_t numFaces() const { return faceCount_; }
    uint32_t numVertices() const { return vertexCount_; }
    uint32_t numBytesPerVertex() const { return stride_; }
    uint32_t options() const { return options_; }
    const std::vector<gfx::VertexElement>& declaration() const { return elements_; }
    gfx::Device* device() const { return device_; }

    // The whole buffer; what was written reads back, and a managed mesh uploads at unlock.
    gfx::Result lockVertexBuffer(uint32_t flags, void** data);
    gfx::Result unlockVertexBuffer();
    // Three indices per face, 16 or 32 bits as the options say.
    gfx::Result lockIndexBuffer(uint32_t flags, void** data);
    gfx::Result unlockIndexBuffer();
    // One attribute id per face. The attribute table is not rebuilt from it (optimize does).
    uint32_t* attributes() { return attributes_.data(); }
    const std::vector<uint32_t>& attributeIds() const { return attributes_; }
    // With one reference added, which the caller releases.
    gfx::VertexBuffer* getVertexBuffer();
    gfx::IndexBuffer* getIndexBuffer();

    const std::vector<AttributeRange>& attributeTable() const { return table_; }
    void setAttributeTable(const std::vector<AttributeRange>& table) { table_ = table; }

    // The same faces and attributes in another layout: elements found in both (by usage and
    // usage index) are converted, the others are zero. The table is kept.
    gfx::Result cloneMesh(uint32_t options, const std::vector<gfx::VertexElement>& declaration, gfx::Device* device,
                          Mesh** out) const;
    // A new mesh with the optimisation flags applied (the low bits are its creation options);
    // the attribute table is rebuilt from the sorted faces: one range per id that has faces.
    gfx::Result optimize(uint32_t flags, Mesh** out) const;

    // Draws the faces of the range whose attribute id is asked, through the effect pass that is
    // active. An id without a range draws nothing; a system-memory mesh cannot draw.
    gfx::Result drawSubset(uint32_t attributeId);

private:
    Mesh() = default;
    ~Mesh() override;
    uint32_t index(uint32_t position) const;

    gfx::Device* device_ = nullptr;
    uint32_t faceCount_ = 0;
    uint32_t vertexCount_ = 0;
    uint32_t stride_ = 0;
    uint32_t options_ = 0;
    std::vector<gfx::VertexElement> elements_;
    gfx::VertexDeclaration* vertexDeclaration_ = nullptr;
    gfx::VertexBuffer* vertices_ = nullptr;
    gfx::IndexBuffer* indices_ = nullptr;
    std::vector<uint32_t> attributes_;
    std::vector<AttributeRange> table_;
};

} // namespace mesh
