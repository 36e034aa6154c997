#include "scene/lightmapping_data.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "app/log.h"
#include "platform/gfx/buffers.h"
#include "platform/gfx/math_vector.h"
#include "platform/gfx/texture.h"
#include "render/renderable_asset.h"
#include "render/renderable_instance.h"
#include "render/renderable_light.h"

namespace {

// How far a light reaches, in units of its squared radius: sqrt(999.99994) - 1 in single
// precision, 30.622776.
const float kReach = std::sqrt(999.99994f) - 1.0f;

constexpr std::uint32_t kVertexStride = 52;
constexpr std::uint32_t kNormalOffset = 12;
constexpr std::uint32_t kLightmapUvOffset = 44;

gfx::Vector3 readVector3(const std::uint8_t* bytes) {
    gfx::Vector3 v;
    std::memcpy(&v, bytes, sizeof v);
    return v;
}

gfx::Vector3 lightPosition(const RenderablePointLight& light) { return light.position(); }
gfx::Vector3 lightColour(const RenderablePointLight& light) {
    return {light.record().colour[0], light.record().colour[1], light.record().colour[2]};
}

} // namespace

void LightmapPacker::reset() {
    downX_ = rightX_ = rightY_ = downY_ = 0;
    width_ = height_ = 0;
    free_.clear();
}

void LightmapPacker::addFree(std::uint32_t x0, std::uint32_t x1, std::uint32_t y0, std::uint32_t y1) {
    if (x1 <= x0 || y1 <= y0) return;
    free_.push_back({x0, x1, y0, y1, x1 - x0, y1 - y0});
}

bool LightmapPacker::fitFree(std::uint32_t width, std::uint32_t height, std::uint32_t& x, std::uint32_t& y) {
    for (auto it = free_.begin(); it != free_.end(); ++it) {
        if (it->width < width || it->height < height) continue;
        const Rect rect = *it;
        free_.erase(it);
        x = rect.x0;
        y = rect.y0;
        const bool narrower = width < rect.width, shorter = height < rect.height;
        if (narrower) addFree(rect.x0 + width, rect.x1, rect.y0, rect.y0 + height);
        if (shorter) addFree(rect.x0, rect.x0 + width, rect.y0 + height, rect.y1);
        if (narrower && shorter) addFree(rect.x0 + width, rect.x1, rect.y0 + height, rect.y1);
        return true;
    }
    return false;
}

void LightmapPacker::grow(std::uint32_t width, std::uint32_t height, std::uint32_t& x, std::uint32_t& y) {
    if (width_ + width <= height_ + height) {
        x = rightX_;
        y = rightY_;
        rightX_ += width;
        width_ += width;
        if (height_ < height) {
            addFree(downX_, x, downY_, y + height);
            height_ = height;
            downY_ = height;
        }
        if (height_ > height) addFree(x, x + width, y + height, downY_);
    } else {
        x = downX_;
        y = downY_;
        downY_ += height;
        height_ += height;
        if (width_ < width) {
            addFree(rightX_, x + width, rightY_, y);
            width_ = width;
            rightX_ = width;
        }
        if (width_ > width) addFree(x + width, rightX_, y, downY_);
    }
}

void LightmapPacker::place(std::uint32_t width, std::uint32_t height, std::uint32_t& x, std::uint32_t& y) {
    if (!fitFree(width, height, x, y)) grow(width, height, x, y);
}

std::uint32_t LightmapData::chartSide(float sizeFactor) {
    // Compared before converting, so a huge or non-finite surface cannot overflow the side.
    const float texels = std::max(1.0f, sizeFactor * 0.0625f) + 0.5f;
    if (!(texels < float(kMaxChartSide / 16))) return kMaxChartSide;
    return std::min(kMaxChartSide, 16u * std::uint32_t(texels));
}

std::uint8_t LightmapData::colourByte(float channel) {
    if (channel >= 1.0f) return 255;
    if (!(channel >= 0.0f)) return 0;
    return std::uint8_t(std::floor(channel * 256.0f));
}

std::vector<RenderableInstance*> LightmapData::packLightmapCharts(const std::vector<RenderableInstance*>& instances,
                                                                 std::uint32_t& width, std::uint32_t& height) {
    auto key = [](const RenderableInstance* instance) {
        const float f = instance->asset() ? instance->asset()->getLightmapSizeFactor() : 0.0f;
        return std::min(float(kMaxChartSide), float(int(std::min(f / 16.0f + 0.5f, 1e6f))) * 16.0f);
    };
    std::vector<RenderableInstance*> order(instances);
    std::stable_sort(order.begin(), order.end(),
                     [&](const RenderableInstance* a, const RenderableInstance* b) { return key(a) > key(b); });
    packer_.reset();
    charts_.assign(order.size(), LightmapChart{});
    for (std::size_t i = 0; i < order.size(); ++i) {
        const float f = order[i]->asset() ? order[i]->asset()->getLightmapSizeFactor() : 0.0f;
        const std::uint32_t side = chartSide(f);
        std::uint32_t x = 0, y = 0;
        packer_.place(side, side, x, y);
        LightmapChart& chart = charts_[i];
        chart.index = std::uint32_t(i);
        chart.x0 = x;
        chart.x1 = x + side;
        chart.y0 = y;
        chart.y1 = y + side;
        order[i]->lightmapIndex = chart.index;
    }
    width = packer_.width();
    height = packer_.height();
    if (width > kLargeAtlasSide || height > kLargeAtlasSide)
        LOG_MESSAGE("Uh oh! Really big light maps write code to handle this! w: %d, h: %d", int(width), int(height));
    width = std::min(width, maxTextureSide_);
    height = std::min(height, maxTextureSide_);
    for (LightmapChart& chart : charts_) {
        chart.uMin = float(chart.x0) / float(width);
        chart.uMax = float(chart.x1) / float(width);
        chart.vMin = float(chart.y0) / float(height);
        chart.vMax = float(chart.y1) / float(height);
    }
    return order;
}

void LightmapData::gatherTriangles(LightmapChart& chart, RenderableInstance& instance,
                                   const std::vector<RenderablePointLight*>& pointLights) {
    const gfx::Matrix& world = instance.worldMatrix();
    const gfx::Vector3 translation{world.m[3][0], world.m[3][1], world.m[3][2]};
    for (const RenderablePointLight* light : pointLights) {
        if (!light) continue;
        const float reach = std::sqrt(light->squaredRadius()) * kReach;
        if (reach > gfx::length(lightPosition(*light) - translation) - instance.radius()) chart.lights.push_back(light);
    }
    RenderableAsset* asset = instance.asset();
    if (!asset) return;
    chart.triangleCount = asset->getLightmapTriangleCount();
    gfx::VertexBuffer* vertices = asset->getLightmapVertexBuffer();
    gfx::IndexBuffer* indices = asset->getLightmapIndexBuffer();
    void* vertexData = nullptr;
    void* indexData = nullptr;
    const bool locked = vertices && indices && indices->indexSize() == 2 &&
                        gfx::succeeded(vertices->lock(0, 0, &vertexData, gfx::Lock::ReadOnly)) &&
                        gfx::succeeded(indices->lock(0, 0, &indexData, gfx::Lock::ReadOnly));
    if (locked) {
        const auto* vertexBytes = static_cast<const std::uint8_t*>(vertexData);
        const auto* index = static_cast<const std::uint16_t*>(indexData);
        const std::uint32_t vertexCount = vertices->length() / kVertexStride;
        const std::uint32_t triangles = std::min(chart.triangleCount, indices->length() / 6);
        for (std::uint32_t t = 0; t < triangles; ++t) {
            const std::uint16_t corners[3] = {index[3 * t], index[3 * t + 1], index[3 * t + 2]};
            if (corners[0] >= vertexCount || corners[1] >= vertexCount || corners[2] >= vertexCount) continue;
            LightmapTriangle triangle;
            gfx::Vector3 normalSum;
            for (int k = 0; k < 3; ++k) {
                const std::uint8_t* vertex = vertexBytes + std::size_t(corners[k]) * kVertexStride;
                triangle.position[k] = gfx::transformCoord(readVector3(vertex), world);
                triangle.normal[k] = gfx::transformNormal(readVector3(vertex + kNormalOffset), world);
                float uv[2];
                std::memcpy(uv, vertex + kLightmapUvOffset, sizeof uv);
                triangle.uv[k] = {chart.uMin + uv[0] * (chart.uMax - chart.uMin),
                                  chart.vMin + uv[1] * (chart.vMax - chart.vMin)};
                normalSum = normalSum + triangle.normal[k];
            }
            const gfx::Vector3 mean = normalSum * (1.0f / 3.0f);
            triangle.plane = {mean.x, mean.y, mean.z, -gfx::dot(mean, triangle.position[0])};
            chart.triangles.push_back(triangle);
        }
    }
    if (vertexData) vertices->unlock();
    if (indexData) indices->unlock();
    gfx::safeRelease(vertices);
    gfx::safeRelease(indices);
}

void LightmapData::rasteriseChart(std::uint32_t chartIndex, std::uint32_t width, std::uint32_t height) {
    const LightmapChart& chart = charts_[chartIndex];
    for (std::uint32_t y = chart.y0; y < std::min(chart.y1, height); ++y)
        for (std::uint32_t x = chart.x0; x < std::min(chart.x1, width); ++x) {
            const gfx::Vector2 p{(float(x) + 0.5f) / float(width), (float(y) + 0.5f) / float(height)};
            for (std::uint32_t t = 0; t < chart.triangles.size(); ++t) {
                const LightmapTriangle& triangle = chart.triangles[t];
                const gfx::Vector2 e1 = triangle.uv[1] - triangle.uv[0], e2 = triangle.uv[2] - triangle.uv[0],
                                   d = p - triangle.uv[0];
                const float det = e1.x * e2.y - e1.y * e2.x;
                // A degenerate triangle gives weights that are not finite, and covers nothing.
                const float b1 = (d.x * e2.y - d.y * e2.x) / det, b2 = (e1.x * d.y - e1.y * d.x) / det;
                if (!(b1 >= 0.0f && b2 >= 0.0f && b1 + b2 < 1.0f)) continue;
                const float b0 = 1.0f - b1 - b2;
                LightmapTexel& texel = texels_[y][x];
                texel.covered = 1;
                texel.triangle = t;
                texel.chart = chartIndex;
                texel.normal = gfx::normalize(triangle.normal[0] * b0 + triangle.normal[1] * b1 + triangle.normal[2] * b2);
                const gfx::Vector3 along =
                    triangle.position[0] * b0 + triangle.position[1] * b1 + triangle.position[2] * b2;
                gfx::Plane plane = triangle.plane;
                const float length = std::sqrt(plane.a * plane.a + plane.b * plane.b + plane.c * plane.c);
                if (length > 0.0f) plane = {plane.a / length, plane.b / length, plane.c / length, plane.d / length};
                const float ax = std::fabs(plane.a), ay = std::fabs(plane.b), az = std::fabs(plane.c);
                gfx::Vector3 position = along;
                if (ax >= ay && ax >= az)
                    position.x = plane.a != 0.0f ? -(plane.b * along.y + plane.c * along.z + plane.d) / plane.a : 0.0f;
                else if (ay >= az)
                    position.y = plane.b != 0.0f ? -(plane.a * along.x + plane.c * along.z + plane.d) / plane.b : 0.0f;
                else
                    position.z = plane.c != 0.0f ? -(plane.a * along.x + plane.b * along.y + plane.d) / plane.c : 0.0f;
                texel.position = position;
                break;
            }
        }
}

void LightmapData::buildLightmapTexels(std::uint32_t& width, std::uint32_t& height,
                                       const std::vector<RenderableInstance*>& instances,
                                       const std::vector<RenderablePointLight*>& pointLights) {
    texels_.clear();
    charts_.clear();
    width = height = 0;
    if (instances.empty()) return;
    const std::vector<RenderableInstance*> order = packLightmapCharts(instances, width, height);
    for (std::size_t i = 0; i < order.size(); ++i) gatherTriangles(charts_[i], *order[i], pointLights);
    texels_.assign(height, std::vector<LightmapTexel>(width));
    for (std::uint32_t c = 0; c < charts_.size(); ++c) rasteriseChart(c, width, height);
}

void LightmapData::clearLightmapColours(std::uint32_t width, std::uint32_t height) {
    for (std::uint32_t y = 0; y < std::min<std::size_t>(height, texels_.size()); ++y)
        for (std::uint32_t x = 0; x < std::min<std::size_t>(width, texels_[y].size()); ++x) texels_[y][x].colour = {};
}

void LightmapData::lightLightmapTexels(std::uint32_t width, std::uint32_t height) {
    for (std::uint32_t y = 0; y < std::min<std::size_t>(height, texels_.size()); ++y)
        for (std::uint32_t x = 0; x < std::min<std::size_t>(width, texels_[y].size()); ++x) {
            LightmapTexel& texel = texels_[y][x];
            if (!texel.covered || texel.chart >= charts_.size()) continue;
            for (const RenderablePointLight* light : charts_[texel.chart].lights) {
                const float r = light->squaredRadius();
                const gfx::Vector3 d = lightPosition(*light) - texel.position;
                const float s = gfx::dot(d, d);
                if (!(r > 0.0f) || s > kReach * r || s == 0.0f) continue;
                const float nDotL = gfx::dot(texel.normal, d * (1.0f / std::sqrt(s)));
                if (nDotL < 0.0f) continue;
                const float factor = nDotL * std::sqrt(1.0f / (1.0f + 2.0f * s / r + s * s / (r * r)));
                texel.colour = texel.colour + lightColour(*light) * factor;
            }
        }
}

const LightmapTexel* LightmapData::findNearestCoveredTexel(std::uint32_t x, std::uint32_t y, std::uint32_t width,
                                                           std::uint32_t height) const {
    // Manhattan distance 1, 2, then 3: on each ring the pairs (y - i, x - (k - i)) and
    // (y + i, x + (k - i)) for i = 0..k, then the cells of the two other diagonals.
    static const int kRemaining[][2] = {{1, -1}, {-1, 1}, {2, -1}, {-1, 2}, {1, -2}, {-2, 1}};
    auto at = [&](int dy, int dx) -> const LightmapTexel* {
        const long row = long(y) + dy, column = long(x) + dx;
        if (column < 1 || column >= long(width) || row < 1 || row >= long(height)) return nullptr;
        const LightmapTexel& texel = texels_[std::size_t(row)][std::size_t(column)];
        return texel.covered ? &texel : nullptr;
    };
    for (int k = 1; k <= 3; ++k) {
        for (int i = 0; i <= k; ++i) {
            if (const LightmapTexel* found = at(-i, -(k - i))) return found;
            if (const LightmapTexel* found = at(i, k - i)) return found;
        }
        const int first = k == 2 ? 0 : 2, count = k == 2 ? 2 : k == 3 ? 4 : 0;
        for (int j = first; j < first + count; ++j)
            if (const LightmapTexel* found = at(kRemaining[j][0], kRemaining[j][1])) return found;
    }
    return nullptr;
}

void LightmapData::dilateLightmap(std::uint32_t width, std::uint32_t height) {
    height = std::uint32_t(std::min<std::size_t>(height, texels_.size()));
    for (std::uint32_t y = 0; y < height; ++y) {
        width = std::uint32_t(std::min<std::size_t>(width, texels_[y].size()));
        for (std::uint32_t x = 0; x < width; ++x) {
            LightmapTexel& texel = texels_[y][x];
            if (texel.covered) continue;
            if (const LightmapTexel* found = findNearestCoveredTexel(x, y, width, height)) texel.colour = found->colour;
        }
    }
}

void LightmapData::uploadLightmap(std::uint32_t width, std::uint32_t height, gfx::Texture* texture) const {
    if (!texture) return;
    gfx::LockedRect locked;
    if (gfx::failed(texture->lockRect(0, locked, nullptr, 0)) || !locked.bits) return;
    const std::uint32_t rows = std::min<std::uint32_t>({height, texture->levelHeight(0), std::uint32_t(texels_.size())});
    for (std::uint32_t y = 0; y < rows; ++y) {
        auto* row = static_cast<std::uint8_t*>(locked.bits) + std::size_t(y) * std::size_t(locked.pitch);
        const std::uint32_t columns =
            std::min<std::uint32_t>({width, texture->levelWidth(0), std::uint32_t(texels_[y].size())});
        for (std::uint32_t x = 0; x < columns; ++x) {
            const gfx::Vector3& colour = texels_[y][x].colour;
            row[4 * x + 0] = colourByte(colour.z);
            row[4 * x + 1] = colourByte(colour.y);
            row[4 * x + 2] = colourByte(colour.x);
            row[4 * x + 3] = 255;
        }
    }
    texture->unlockRect(0);
}
