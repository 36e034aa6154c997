#include "scene/textured_mesh.h"

#include <cstring>

#include "platform/gfx/buffers.h"
#include "platform/gfx/device.h"
#include "render/device_global.h"

void TexturedMesh::build(const TexturedGeometry& geometry) {
    release();
    if (!deviceGlobal || geometry.vertices.empty() || geometry.indices.empty()) return;
    const auto vertexBytes = std::uint32_t(geometry.vertices.size() * sizeof(PositionTexVertex));
    const auto indexBytes = std::uint32_t(geometry.indices.size() * sizeof(std::uint16_t));
    void* data = nullptr;
    if (gfx::failed(deviceGlobal->createVertexBuffer(vertexBytes, 0, gfx::Pool::Managed, &vertices_)) ||
        gfx::failed(vertices_->lock(0, 0, &data, 0)))
        return release();
    std::memcpy(data, geometry.vertices.data(), vertexBytes);
    vertices_->unlock();
    if (gfx::failed(deviceGlobal->createIndexBuffer(indexBytes, gfx::Usage::WriteOnly, gfx::Format::Index16,
                                                    gfx::Pool::Managed, &indices_)) ||
        gfx::failed(indices_->lock(0, 0, &data, 0)))
        return release();
    std::memcpy(data, geometry.indices.data(), indexBytes);
    indices_->unlock();
    vertexCount_ = std::uint32_t(geometry.vertices.size());
    indexCount_ = std::uint32_t(geometry.indices.size());
}

void TexturedMesh::release() {
    gfx::safeRelease(vertices_);
    gfx::safeRelease(indices_);
    vertexCount_ = indexCount_ = 0;
}

void TexturedMesh::draw(gfx::Effect* effect, gfx::EffectHandle textureHandle, gfx::BaseTexture* texture) const {
    if (!built() || !effect || !deviceGlobal) return;
    deviceGlobal->setStreamSource(0, vertices_, 0, sizeof(PositionTexVertex));
    deviceGlobal->setIndices(indices_);
    effect->setTexture(textureHandle, texture);
    effect->commitChanges();
    deviceGlobal->drawIndexedPrimitive(gfx::PrimitiveType::TriangleList, 0, 0, vertexCount_, 0, indexCount_ / 3);
}

void beginPremultipliedBlend() {
    if (!deviceGlobal) return;
    gfx::Device* device = deviceGlobal;
    device->setRenderState(gfx::RenderState::AlphaBlendEnable, 1);
    device->setRenderState(gfx::RenderState::BlendOp, std::uint32_t(gfx::BlendOp::Add));
    device->setRenderState(gfx::RenderState::SrcBlend, std::uint32_t(gfx::Blend::One));
    device->setRenderState(gfx::RenderState::DestBlend, std::uint32_t(gfx::Blend::InvSrcAlpha));
    device->setVertexDeclaration(vdPositionTex);
}

void endPremultipliedBlend() {
    if (deviceGlobal) deviceGlobal->setRenderState(gfx::RenderState::AlphaBlendEnable, 0);
}
