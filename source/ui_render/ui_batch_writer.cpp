#include "ui_render/ui_batch_writer.h"

#include <algorithm>
#include <cmath>

#include "render/device_global.h"

namespace {

std::uint32_t channel(float value) {
    const float clamped = std::clamp(value, 0.0f, 1.0f);
    return static_cast<std::uint32_t>(std::lround(clamped * 255.0f));
}

} // namespace

bool UIDrawKey::sameDrawAs(const UIDrawKey& other) const {
    if (effect != other.effect || technique != other.technique || textureParameter != other.textureParameter ||
        texture != other.texture || scissorEnabled != other.scissorEnabled) {
        return false;
    }
    return !scissorEnabled || (scissor.left == other.scissor.left && scissor.top == other.scissor.top &&
                               scissor.right == other.scissor.right && scissor.bottom == other.scissor.bottom);
}

std::uint32_t packUIColour(float r, float g, float b, float a) {
    return channel(a) << 24 | channel(r) << 16 | channel(g) << 8 | channel(b);
}

void UIBatchWriter::setKey(const UIDrawKey& key) {
    if (haveKey_ && key_.sameDrawAs(key)) return;
    key_ = key;
    haveKey_ = true;
}

bool UIBatchWriter::extendRun(Layout layout, std::uint32_t firstVertex, std::uint32_t count) {
    if (!haveKey_ || !key_.effect || count == 0) return false;
    if (runs_.size() <= sectionStart_ || runs_.back().layout != layout || !runs_.back().key.sameDrawAs(key_)) {
        runs_.push_back({key_, layout, firstVertex, 0});
    }
    runs_.back().vertexCount += count * 4;
    return true;
}

ColouredTexturedVertex* UIBatchWriter::addQuads(std::uint32_t count) {
    const auto first = static_cast<std::uint32_t>(vertices_.size());
    if (!extendRun(Layout::ColouredTextured, first, count)) return nullptr;
    vertices_.resize(vertices_.size() + static_cast<std::size_t>(count) * 4);
    return vertices_.data() + first;
}

UIRectangleVertex* UIBatchWriter::addRectangleQuads(std::uint32_t count) {
    const auto first = static_cast<std::uint32_t>(rectangleVertices_.size());
    if (!extendRun(Layout::Rectangle, first, count)) return nullptr;
    rectangleVertices_.resize(rectangleVertices_.size() + static_cast<std::size_t>(count) * 4);
    return rectangleVertices_.data() + first;
}

void UIBatchWriter::addQuad(const float (&corners)[8], std::uint32_t colour) {
    ColouredTexturedVertex* vertex = addQuads(1);
    if (!vertex) return;
    for (int i = 0; i < 4; ++i) {
        vertex[i].x = corners[i * 2];
        vertex[i].y = corners[i * 2 + 1];
        vertex[i].z = 0.0f;
        vertex[i].colour = colour;
        vertex[i].u = 0.0f;
        vertex[i].v = 0.0f;
    }
}

void UIBatchWriter::addTexturedQuad(const float (&corners)[8], float uOffset, float vOffset) {
    ColouredTexturedVertex* vertex = addQuads(1);
    if (!vertex) return;
    static const float uv[8] = {0.0f, 0.0f, 1.0f, 0.0f, 1.0f, 1.0f, 0.0f, 1.0f};
    for (int i = 0; i < 4; ++i) {
        vertex[i].x = corners[i * 2];
        vertex[i].y = corners[i * 2 + 1];
        vertex[i].z = 0.0f;
        vertex[i].colour = 0xFFFFFFFFu;
        vertex[i].u = uv[i * 2] + uOffset;
        vertex[i].v = uv[i * 2 + 1] + vOffset;
    }
}

std::uint32_t UIBatchWriter::beginSection() {
    sectionStart_ = static_cast<std::uint32_t>(runs_.size());
    return sectionStart_;
}

void UIBatchWriter::clear() {
    vertices_.clear();
    rectangleVertices_.clear();
    runs_.clear();
    haveKey_ = false;
    sectionStart_ = 0;
    uploaded_ = false;
}

bool UIBatchWriter::upload(gfx::Device* device) {
    uploaded_ = false;
    if ((vertices_.empty() && rectangleVertices_.empty()) || !device) return false;
    const bool plain = vertices_.empty() || buffer_.write(device, vertices_.data(),
                                                          static_cast<std::uint32_t>(vertices_.size()), uploadedBase_);
    const bool rectangles =
        rectangleVertices_.empty() || rectangleBuffer_.write(device, rectangleVertices_.data(),
                                                             static_cast<std::uint32_t>(rectangleVertices_.size()),
                                                             uploadedRectangleBase_);
    uploaded_ = plain && rectangles;
    return uploaded_;
}

void UIBatchWriter::drawRuns(gfx::Device* device, std::uint32_t first, std::uint32_t end) {
    end = std::min(end, static_cast<std::uint32_t>(runs_.size()));
    if (!uploaded_ || !device || first >= end) return;
    // Others draw between sections with buffers of their own: bind ours each time.
    Layout bound = Layout::None;
    bool scissorOn = false;
    for (std::uint32_t index = first; index < end; ++index) {
        const Run& run = runs_[index];
        const UIDrawKey& key = run.key;
        if (run.layout != bound) {
            bound = run.layout;
            const bool rectangles = bound == Layout::Rectangle;
            device->setVertexDeclaration(rectangles ? vdUIRectangle : vdPositionColourTex);
            (rectangles ? rectangleBuffer_ : buffer_).bind(device);
        }
        const std::uint32_t base = bound == Layout::Rectangle ? uploadedRectangleBase_ : uploadedBase_;
        gfx::beginPerfEvent(0xFF22FFFF, key.eventName);
        if (key.scissorEnabled) device->setScissorRect(key.scissor);
        if (key.scissorEnabled != scissorOn) {
            device->setRenderState(gfx::RenderState::ScissorTestEnable, key.scissorEnabled ? 1 : 0);
            scissorOn = key.scissorEnabled;
        }
        key.effect->setTechnique(key.technique);
        if (key.textureParameter) key.effect->setTexture(key.textureParameter, key.texture);
        std::uint32_t passes = 0;
        if (key.effect->begin(&passes, 0) == gfx::Result::Ok) {
            if (key.effect->beginPass(0) == gfx::Result::Ok) {
                // Each call starts at index 0 of the quad index buffer, its first vertex given
                // as the base vertex.
                for (std::uint32_t done = 0; done < run.vertexCount; done += maxQuadsPerCall * 4) {
                    const std::uint32_t vertices = std::min(maxQuadsPerCall * 4, run.vertexCount - done);
                    device->drawIndexedPrimitive(gfx::PrimitiveType::TriangleList,
                                                 static_cast<std::int32_t>(base + run.firstVertex + done),
                                                 0, vertices, 0, vertices / 2);
                }
                ++drawCalls_;
                key.effect->endPass();
            }
            key.effect->end();
        }
        gfx::endPerfEvent();
    }
    if (scissorOn) device->setRenderState(gfx::RenderState::ScissorTestEnable, 0);
}
