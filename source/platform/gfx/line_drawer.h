#pragma once
// The drawing layer's stand-in for a line object: a polyline whose points are transformed by a
// matrix, each segment drawn as a quad of the line's width in pixels across the screen (core GL
// has no wide lines), its edges softened when antialiasing is on. Used between begin and end on
// the device's thread; the line keeps the device's states as it found them.
#include <cstdint>
#include <vector>

#include "platform/gfx/math_types.h"
#include "platform/gfx/ref_counted.h"
#include "platform/gfx/types.h"

namespace gfx {

class Device;
class Effect;
class VertexBuffer;
class VertexDeclaration;

class LineDrawer {
public:
    // Its effect and declaration are made here; a line that could not make them draws nothing.
    explicit LineDrawer(Device* device);
    ~LineDrawer();
    LineDrawer(const LineDrawer&) = delete;
    LineDrawer& operator=(const LineDrawer&) = delete;

    bool valid() const { return effect_ && declaration_; }
    void setWidth(float pixels) { width_ = pixels; }
    float width() const { return width_; }
    void setAntialias(bool on) { antialias_ = on; }
    bool antialias() const { return antialias_; }

    void begin();
    // Joins the points in order, each taken as a row vector times the transform, in one ARGB
    // colour. A segment with an end behind the eye is left out.
    void drawTransform(const Vector3* points, std::uint32_t count, const Matrix& transform, std::uint32_t argb);
    void end();

    // The segments the last drawTransform drew, for tests.
    std::uint32_t lastSegments() const { return lastSegments_; }

private:
    struct Vertex {
        float clip[4];
        float colour[4];
        float across[2];
    };
    Device* device_;
    Effect* effect_ = nullptr;
    VertexDeclaration* declaration_ = nullptr;
    VertexBuffer* vertices_ = nullptr;
    std::uint32_t capacity_ = 0;
    float width_ = 1.0f;
    bool antialias_ = false;
    bool begun_ = false;
    std::uint32_t lastSegments_ = 0;
};

} // namespace gfx
