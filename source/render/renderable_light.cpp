#include "render/renderable_light.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <tuple>

#include "app/simple_parameter_group.h"
#include "platform/gfx/math_matrix.h"
#include "platform/gfx/math_vector.h"
#include "render/light_parameters.h"
#include "render/view_frustum.h"

RenderablePointLight::RenderablePointLight(ParameterManager::ParameterGroupPair* pair)
    : RenderableLight(false), pair_(pair) {
    initBoundingBoxes(bounds_);
    update();
}

void RenderablePointLight::update() {
    const SimpleParameterGroup* group = pair_ ? pair_->renderGroup() : nullptr;
    const float radius = declared::read(group, PointLightParameters::radius);
    const Vector3Value position = declared::read(group, PointLightParameters::position);
    const Vector3Value colour = declared::read(group, PointLightParameters::colour);
    record_.colour[0] = colour[0];
    record_.colour[1] = colour[1];
    record_.colour[2] = colour[2];
    record_.colour[3] = 1.0f;
    std::copy(position.begin(), position.end(), record_.position);
    record_.squaredRadius = radius * radius;
    // The squared radius, not the radius, is the half-size: lights reach as far as their
    // effects' attenuation (1 - d^2 / r^2) allows.
    const float s = record_.squaredRadius;
    bounds_.local = {{-s, -s, -s}, {s, s, s}};
    placeBoundingBox(bounds_, {1.0f, 1.0f, 1.0f}, {position[0], position[1], position[2]});
}

RenderableDirectionalLight::RenderableDirectionalLight()
    : RenderableLight(true), record_{{0.05f, 0.05f, 0.05f, 1.0f},
                                     {0.1f, 0.1f, 0.1f, 0.0f},
                                     {0.6f, 1.0f, 0.78f, 1.0f},
                                     32.0f,
                                     {0.0f, 0.0f, 0.0f},
                                     {0.0f, 0.0f, 0.0f}} {
    initBoundingBoxes(bounds_);
}

void RenderableDirectionalLight::setDirection(const gfx::Vector3& direction) {
    record_.direction[0] = direction.x;
    record_.direction[1] = direction.y;
    record_.direction[2] = direction.z;
}

void shadowFrustumCorners(const ViewFrustum& frustum, gfx::Vector3 corners[8]) {
    const float t = 2.0f * std::tan(frustum.fieldOfView() / 2.0f);
    const float nearHeight = t * frustum.nearDistance(), nearWidth = frustum.aspect() * nearHeight;
    const float farHeight = t * frustum.farDistance(), farWidth = frustum.aspect() * farHeight;
    const gfx::Vector3 forward = gfx::normalize(frustum.forward());
    const gfx::Vector3 side{-forward.z, 0.0f, forward.x};
    const gfx::Vector3 up{0.0f, 1.0f, 0.0f};
    const gfx::Vector3 nearCentre = frustum.eye() + forward * frustum.nearDistance();
    const gfx::Vector3 farCentre = frustum.eye() + forward * frustum.farDistance();
    int i = 0;
    for (const auto& [centre, height, width] : {std::tuple{nearCentre, nearHeight, nearWidth},
                                                std::tuple{farCentre, farHeight, farWidth}}) {
        for (float v : {1.0f, -1.0f})
            for (float h : {1.0f, -1.0f}) corners[i++] = centre + up * (v * height / 2.0f) + side * (h * width / 2.0f);
    }
}

void RenderableDirectionalLight::update() {
    if (!frustum_) return;
    gfx::Vector3 corners[8];
    shadowFrustumCorners(*frustum_, corners);
    gfx::Vector3 centre;
    for (const gfx::Vector3& corner : corners) centre = centre + corner * 0.125f;
    // The light looks down on the frustum from above and behind, opposite to the direction the
    // cameras light their scenes from by default.
    const gfx::Vector3 eye = centre + gfx::Vector3{-0.333f, 0.333f, -0.333f} * (frustum_->farDistance() + 1.0f);
    const gfx::Matrix view = gfx::lookAtLH(eye, centre, {0.0f, 1.0f, 0.0f});
    gfx::Vector3 low{FLT_MAX, FLT_MAX, FLT_MAX}, high{-FLT_MAX, -FLT_MAX, -FLT_MAX};
    for (const gfx::Vector3& corner : corners) {
        const gfx::Vector3 p = gfx::transformCoord(corner, view);
        low = {std::min(low.x, p.x), std::min(low.y, p.y), std::min(low.z, p.z)};
        high = {std::max(high.x, p.x), std::max(high.y, p.y), std::max(high.z, p.z)};
    }
    const gfx::Matrix projection =
        gfx::orthoOffCenterLH(low.x - 20.0f, high.x + 20.0f, low.y - 10.0f, high.y + 70.0f, low.z - 20.0f + 1.0f, high.z);
    shadowViewProjection_ = view * projection;
}
