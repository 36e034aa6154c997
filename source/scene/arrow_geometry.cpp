#include "scene/arrow_geometry.h"

#include <cmath>
#include <optional>

namespace {

constexpr float kRibbonHeight = 1.0f;
constexpr float kHeadHeight = 1.2f;

struct Direction {
    float x, z, length;
};

std::optional<Direction> step(const float (&from)[3], const float (&to)[3]) {
    const float dx = to[0] - from[0], dz = to[2] - from[2];
    const float length = std::sqrt(dx * dx + dz * dz);
    if (!(length > 0.0f) || !std::isfinite(length)) return std::nullopt;
    return Direction{dx / length, dz / length, length};
}

// A quad 2 wide and 4 long from the point along (ux, uz), v = 0 at the point.
TexturedGeometry arrowQuad(float x, float z, float ux, float uz) {
    TexturedGeometry quad;
    quad.vertices = {{{x + uz, kHeadHeight, z - ux}, {0, 0}},
                     {{x - uz, kHeadHeight, z + ux}, {1, 0}},
                     {{x + uz + 4 * ux, kHeadHeight, z - ux + 4 * uz}, {0, 1}},
                     {{x - uz + 4 * ux, kHeadHeight, z + ux + 4 * uz}, {1, 1}}};
    quad.indices = {0, 1, 2, 1, 3, 2};
    return quad;
}

} // namespace

PathArrowGeometry buildPathArrow(const PointPathAndColourValue& path) {
    PathArrowGeometry arrow;
    const std::size_t n = path.size();
    if (n < 2 || n > 32768) return arrow;
    // Each point's direction: its step to the next, else the one before it.
    std::vector<std::optional<Direction>> steps(n - 1);
    for (std::size_t i = 0; i + 1 < n; ++i) steps[i] = step(path[i].point, path[i + 1].point);
    std::optional<Direction> first;
    for (const auto& s : steps)
        if (s) {
            first = s;
            break;
        }
    if (!first) return arrow;
    Direction current = *first;
    float along = 0.0f;
    for (std::size_t i = 0; i < n; ++i) {
        if (i + 1 < n && steps[i]) current = *steps[i];
        const float x = path[i].point[0], z = path[i].point[2];
        const bool last = i + 1 == n;
        const float v = last ? 0.0f : along;
        arrow.ribbon.vertices.push_back({{x + 0.5f * current.z, kRibbonHeight, z - 0.5f * current.x}, {0.0f, v}});
        arrow.ribbon.vertices.push_back({{x - 0.5f * current.z, kRibbonHeight, z + 0.5f * current.x}, {last ? 0.0f : 1.0f, v}});
        if (i + 1 < n && steps[i]) along += steps[i]->length;
    }
    for (std::size_t k = 0; k + 1 < n; ++k) {
        const auto b = std::uint16_t(2 * k);
        arrow.ribbon.indices.insert(arrow.ribbon.indices.end(),
                                    {b, std::uint16_t(b + 1), std::uint16_t(b + 2), std::uint16_t(b + 1),
                                     std::uint16_t(b + 3), std::uint16_t(b + 2)});
    }
    // The head points back from the end, along the last direction there was.
    const PointAndColour& end = path[n - 1];
    arrow.head = arrowQuad(end.point[0], end.point[2], -current.x, -current.z);
    return arrow;
}

TexturedGeometry buildFacingArrow(const Vector3Value& base, const Vector3Value& tip) {
    const float from[3] = {base[0], base[1], base[2]}, to[3] = {tip[0], tip[1], tip[2]};
    const std::optional<Direction> direction = step(from, to);
    if (!direction) return {};
    return arrowQuad(base[0], base[2], direction->x, direction->z);
}
