#include "platform/gfx/line_drawer.h"

#include <array>
#include <cmath>
#include <cstring>

#include "platform/gfx/buffers.h"
#include "platform/gfx/device.h"
#include "platform/gfx/effect.h"
#include "platform/gfx/effect_description.h"
#include "platform/gfx/vertex_declaration.h"

namespace gfx {

namespace {

// The corners arrive in clip space; "across" runs from -1 to 1 over the quad's width, and
// gFeather is the share of that width (each side) over which an antialiased edge fades out.
const char* kLineEffect = R"(
parameter float gFeather = 0;

vertex LineVS {
in vec4 inPosition;
in vec4 inColour;
in vec2 inTexCoord0;
out vec4 colour;
out float across;
void main() { gl_Position = inPosition; colour = inColour; across = inTexCoord0.x; }
}

fragment LineFS {
in vec4 colour;
in float across;
void main() {
    float edge = 1.0 - abs(across);
    float coverage = gFeather > 0.0 ? clamp(edge / gFeather, 0.0, 1.0) : 1.0;
    outColour = vec4(colour.rgb * colour.a * coverage, colour.a * coverage);
    outColour1 = vec4(0.0);
}
}

technique LineTech {
    pass P0 { vertex = LineVS; fragment = LineFS; CullMode = None; ZEnable = true; ZWriteEnable = false;
              AlphaBlendEnable = true; BlendOp = Add; SrcBlend = One; DestBlend = InvSrcAlpha; }
}
)";

} // namespace

LineDrawer::LineDrawer(Device* device) : device_(device) {
    if (!device_) return;
    EffectDescription* description = nullptr;
    std::string errors;
    if (succeeded(compileEffectFromText(kLineEffect, "line.fx", {}, &description, &errors))) {
        if (failed(Effect::create(device_, description, &effect_, &errors))) effect_ = nullptr;
        description->release();
    }
    const std::vector<VertexElement> elements{{0, 0, DeclType::Float4, 0, DeclUsage::Position, 0},
                                              {0, 16, DeclType::Float4, 0, DeclUsage::Color, 0},
                                              {0, 32, DeclType::Float2, 0, DeclUsage::TexCoord, 0}};
    if (failed(device_->createVertexDeclaration(elements, &declaration_))) declaration_ = nullptr;
}

LineDrawer::~LineDrawer() {
    safeRelease(vertices_);
    safeRelease(declaration_);
    safeRelease(effect_);
}

void LineDrawer::begin() { begun_ = true; }

void LineDrawer::end() { begun_ = false; }

void LineDrawer::drawTransform(const Vector3* points, std::uint32_t count, const Matrix& transform, std::uint32_t argb) {
    lastSegments_ = 0;
    if (!begun_ || !valid() || !points || count < 2) return;
    Viewport viewport{};
    device_->getViewport(viewport);
    if (viewport.width == 0 || viewport.height == 0) return;
    const float colour[4] = {float(argb >> 16 & 255) / 255.0f, float(argb >> 8 & 255) / 255.0f,
                             float(argb & 255) / 255.0f, float(argb >> 24 & 255) / 255.0f};
    // An antialiased line is a pixel wider, fading out over the outer pixel of each side, so
    // that it still covers its width in all.
    const float drawnWidth = antialias_ ? width_ + 1.0f : width_;
    const float feather = antialias_ ? 2.0f / drawnWidth : 0.0f;
    std::vector<Vertex> quads;
    quads.reserve(std::size_t(count - 1) * 6);
    const auto clipOf = [&](const Vector3& p) {
        const float in[4] = {p.x, p.y, p.z, 1.0f};
        std::array<float, 4> out{};
        for (int c = 0; c < 4; ++c)
            for (int r = 0; r < 4; ++r) out[std::size_t(c)] += in[r] * transform.m[r][c];
        return out;
    };
    for (std::uint32_t i = 0; i + 1 < count; ++i) {
        const std::array<float, 4> a = clipOf(points[i]), b = clipOf(points[i + 1]);
        if (a[3] <= 1e-6f || b[3] <= 1e-6f) continue;
        // The direction in pixels, and the offset of half the width across it.
        const float ax = a[0] / a[3] * 0.5f * float(viewport.width), ay = a[1] / a[3] * 0.5f * float(viewport.height);
        const float bx = b[0] / b[3] * 0.5f * float(viewport.width), by = b[1] / b[3] * 0.5f * float(viewport.height);
        const float dx = bx - ax, dy = by - ay;
        const float length = std::sqrt(dx * dx + dy * dy);
        if (length < 1e-6f) continue;
        const float nx = -dy / length * drawnWidth * 0.5f, ny = dx / length * drawnWidth * 0.5f;
        const auto corner = [&](const std::array<float, 4>& p, float side) {
            Vertex v{};
            v.clip[0] = p[0] + side * nx * 2.0f / float(viewport.width) * p[3];
            v.clip[1] = p[1] + side * ny * 2.0f / float(viewport.height) * p[3];
            v.clip[2] = p[2];
            v.clip[3] = p[3];
            std::memcpy(v.colour, colour, sizeof colour);
            v.across[0] = side;
            return v;
        };
        const Vertex a0 = corner(a, -1.0f), a1 = corner(a, 1.0f), b0 = corner(b, -1.0f), b1 = corner(b, 1.0f);
        quads.insert(quads.end(), {a0, a1, b1, b1, b0, a0});
        ++lastSegments_;
    }
    if (quads.empty()) return;
    const auto bytes = std::uint32_t(quads.size() * sizeof(Vertex));
    if (bytes > capacity_) {
        safeRelease(vertices_);
        capacity_ = 0;
        if (failed(device_->createVertexBuffer(bytes * 2, Usage::WriteOnly | Usage::Dynamic, Pool::Default, &vertices_)))
            return;
        capacity_ = bytes * 2;
    }
    void* data = nullptr;
    if (failed(vertices_->lock(0, bytes, &data, Lock::Discard))) return;
    std::memcpy(data, quads.data(), bytes);
    vertices_->unlock();
    effect_->setFloat(effect_->getParameterByName("gFeather"), feather);
    std::uint32_t passes = 0;
    effect_->begin(&passes, 0);
    effect_->beginPass(0);
    device_->setVertexDeclaration(declaration_);
    device_->setStreamSource(0, vertices_, 0, sizeof(Vertex));
    device_->drawPrimitive(PrimitiveType::TriangleList, 0, std::uint32_t(quads.size() / 3));
    effect_->endPass();
    effect_->end();
}

} // namespace gfx
