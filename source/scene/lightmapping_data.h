#pragma once
// Lightmaps baked on the processor for one set of static instances: each instance gets a square
// chart in one atlas, every triangle's lightmap coordinates are rasterised into texels that know
// their world position and normal, the point lights are summed per texel, empty texels take a
// neighbour's colour, and the result goes into an A8R8G8B8 texture. Nothing is written to disk.
#include <cstdint>
#include <vector>

#include "platform/gfx/math_types.h"

namespace gfx {
class Texture;
}
class RenderableInstance;
class RenderablePointLight;

struct LightmapTexel {
    gfx::Vector3 position;
    gfx::Vector3 normal;
    gfx::Vector3 colour;
    // 1 when a triangle covers the texel centre.
    std::uint32_t covered = 0;
    std::uint32_t triangle = 0;
    std::uint32_t chart = 0;
};

struct LightmapTriangle {
    // Lightmap coordinates in atlas space, world positions, world normals (not normalised).
    gfx::Vector2 uv[3];
    gfx::Vector3 position[3];
    gfx::Vector3 normal[3];
    // Through the first corner, with the mean of the three normals as its normal.
    gfx::Plane plane;
};

struct LightmapChart {
    std::uint32_t index = 0;
    float uMax = 0.0f, vMax = 0.0f, uMin = 0.0f, vMin = 0.0f;
    // Columns x0 to x1 - 1, rows y0 to y1 - 1.
    std::uint32_t x1 = 0, x0 = 0, y1 = 0, y0 = 0;
    std::uint32_t triangleCount = 0;
    std::vector<LightmapTriangle> triangles;
    // The point lights that may reach the chart; their values are read at each lighting.
    std::vector<const RenderablePointLight*> lights;
};

// Places square charts in an atlas that grows to the right or downwards, whichever keeps it
// squarer, reusing the free rectangles growing leaves.
class LightmapPacker {
public:
    struct Rect {
        std::uint32_t x0 = 0, x1 = 0, y0 = 0, y1 = 0, width = 0, height = 0;
    };

    void reset();
    // The top-left corner of a width by height rectangle.
    void place(std::uint32_t width, std::uint32_t height, std::uint32_t& x, std::uint32_t& y);

    std::uint32_t width() const { return width_; }
    std::uint32_t height() const { return height_; }
    const std::vector<Rect>& freeRects() const { return free_; }

private:
    bool fitFree(std::uint32_t width, std::uint32_t height, std::uint32_t& x, std::uint32_t& y);
    void grow(std::uint32_t width, std::uint32_t height, std::uint32_t& x, std::uint32_t& y);
    void addFree(std::uint32_t x0, std::uint32_t x1, std::uint32_t y0, std::uint32_t y1);

    std::uint32_t downX_ = 0, rightX_ = 0, rightY_ = 0, downY_ = 0;
    std::uint32_t width_ = 0, height_ = 0;
    std::vector<Rect> free_;
};

class LightmapData {
public:
    // Charts are never larger than this, however large their instance's surface.
    static constexpr std::uint32_t kMaxChartSide = 512;
    // Atlases larger than this on a side are logged (and still baked).
    static constexpr std::uint32_t kLargeAtlasSide = 2048;

    // The atlas is clamped to maxTextureSide on each side (the largest texture the device
    // makes): charts beyond it are cut off.
    explicit LightmapData(std::uint32_t maxTextureSide = 8192) : maxTextureSide_(maxTextureSide) {}

    // Packs one chart per instance (writing each instance's lightmap index), gathers each chart's
    // triangles from its asset's lightmap buffers and the lights that may reach it, and
    // rasterises the charts into texels. width and height are 0 when there is nothing to bake.
    void buildLightmapTexels(std::uint32_t& width, std::uint32_t& height,
                             const std::vector<RenderableInstance*>& instances,
                             const std::vector<RenderablePointLight*>& pointLights);
    void clearLightmapColours(std::uint32_t width, std::uint32_t height);
    // Sums every chart light over its covered texels, from the lights' current values.
    void lightLightmapTexels(std::uint32_t width, std::uint32_t height);
    // Uncovered texels take the colour of the nearest covered one within three steps.
    void dilateLightmap(std::uint32_t width, std::uint32_t height);
    // Writes the colours into level 0 of the texture; nothing without a texture.
    void uploadLightmap(std::uint32_t width, std::uint32_t height, gfx::Texture* texture) const;

    // 16 x int(max(1, f / 16) + 0.5) texels, at most kMaxChartSide.
    static std::uint32_t chartSide(float sizeFactor);
    // 255 from 1.0 up, 0 below 0, else floor(c x 256).
    static std::uint8_t colourByte(float channel);

    const std::vector<std::vector<LightmapTexel>>& texels() const { return texels_; }
    std::vector<std::vector<LightmapTexel>>& texels() { return texels_; }
    const std::vector<LightmapChart>& charts() const { return charts_; }
    const LightmapPacker& packer() const { return packer_; }

private:
    // The instances in packing order, each with its chart.
    std::vector<RenderableInstance*> packLightmapCharts(const std::vector<RenderableInstance*>& instances,
                                                        std::uint32_t& width, std::uint32_t& height);
    void gatherTriangles(LightmapChart& chart, RenderableInstance& instance,
                         const std::vector<RenderablePointLight*>& pointLights);
    void rasteriseChart(std::uint32_t chartIndex, std::uint32_t width, std::uint32_t height);
    const LightmapTexel* findNearestCoveredTexel(std::uint32_t x, std::uint32_t y, std::uint32_t width,
                                                 std::uint32_t height) const;

    std::vector<std::vector<LightmapTexel>> texels_;
    std::vector<LightmapChart> charts_;
    LightmapPacker packer_;
    std::uint32_t maxTextureSide_;
};
