#include "render/view_frustum.h"

#include <algorithm>
#include <cmath>

#include "platform/gfx/math_matrix.h"
#include "platform/gfx/math_plane.h"
#include "platform/gfx/math_vector.h"
#include "render/render_interface.h"

namespace {

constexpr float kFieldOfView = 0.785398163f; // pi / 4

gfx::Plane planeOf(float a, float b, float c, float d) { return gfx::normalize(gfx::Plane{a, b, c, d}); }

} // namespace

ViewFrustum::ViewFrustum(RenderInterface* renderInterface) : renderInterface_(renderInterface) {}

void ViewFrustum::setProjection(float aspect, bool perspective) {
    fieldOfView_ = kFieldOfView;
    aspect_ = aspect;
    near_ = 1.0f;
    far_ = 120.0f;
    projection_ = perspective ? gfx::perspectiveFovLH(fieldOfView_, aspect_, near_, far_)
                              : gfx::orthoLH(fieldOfView_, aspect_, near_, far_);
    buildPlanes();
    buildBoundingSphere();
    buildViewCone();
    viewProjection_ = view_ * projection_;
}

void ViewFrustum::setView(const gfx::Matrix& view, const gfx::Vector3& eye, const gfx::Vector3& further) {
    view_ = view;
    eye_ = eye;
    further_ = further;
    forward_ = {view.m[0][2], view.m[1][2], view.m[2][2]};
    buildPlanes();
    buildBoundingSphere();
    buildViewCone();
    viewProjection_ = view_ * projection_;
}

void ViewFrustum::buildPlanes() {
    const gfx::Matrix m = view_ * projection_;
    auto column = [&m](int c, int row) { return m.m[row][c]; };
    planes_[Near] = planeOf(column(2, 0), column(2, 1), column(2, 2), column(2, 3));
    planes_[Far] = planeOf(column(3, 0) - column(2, 0), column(3, 1) - column(2, 1), column(3, 2) - column(2, 2),
                           column(3, 3) - column(2, 3));
    planes_[Left] = planeOf(column(3, 0) + column(0, 0), column(3, 1) + column(0, 1), column(3, 2) + column(0, 2),
                            column(3, 3) + column(0, 3));
    planes_[Right] = planeOf(column(3, 0) - column(0, 0), column(3, 1) - column(0, 1), column(3, 2) - column(0, 2),
                             column(3, 3) - column(0, 3));
    planes_[Top] = planeOf(column(3, 0) - column(1, 0), column(3, 1) - column(1, 1), column(3, 2) - column(1, 2),
                           column(3, 3) - column(1, 3));
    planes_[Bottom] = planeOf(column(3, 0) + column(1, 0), column(3, 1) + column(1, 1), column(3, 2) + column(1, 2),
                              column(3, 3) + column(1, 3));
}

void ViewFrustum::buildBoundingSphere() {
    const float length = far_ - near_;
    const float h = std::tan(kCullingAngle / 2.0f) * length;
    const float depth = near_ + length / 2.0f - length;
    sphereRadius_ = std::sqrt(h * h + h * h + depth * depth);
    forward_ = forward_ * (near_ + length / 2.0f);
    sphereCentre_ = eye_ + forward_;
}

void ViewFrustum::buildViewCone() {
    std::uint32_t width = 0, height = 0;
    if (renderInterface_) {
        width = renderInterface_->renderSettings().width;
        height = renderInterface_->renderSettings().height;
    }
    // The scene's share of the screen height. A height of 0 or 1 would leave no rows and make
    // the cone's angle infinite: at least one row.
    const auto sceneHeight = std::max(1u, static_cast<std::uint32_t>(static_cast<float>(height) * 0.002f * 402.0f));
    const float w = static_cast<float>(width) / 2.0f;
    const float h = static_cast<float>(sceneHeight) / 2.0f;
    const float diagonal = std::sqrt(w * w + h * h);
    coneApex_ = eye_;
    coneAxis_ = {view_.m[0][2], view_.m[1][2], view_.m[2][2]};
    coneHalfAngle_ = std::atan2(diagonal / (h / std::tan(kCullingAngle / 2.0f)), 1.0f);
    const float s = std::sin(coneHalfAngle_), c = std::cos(coneHalfAngle_);
    coneCosSquared_ = c * c;
    coneSinSquared_ = s * s;
    coneInverseSin_ = 1.0f / s;
}

ViewFrustum::Classification ViewFrustum::classifySphere(TestedSphere& sphere) const {
    std::uint32_t index = sphere.lastPlane % PlaneCount;
    for (std::uint32_t tested = 0; tested < PlaneCount; ++tested, index = (index + 1) % PlaneCount) {
        const float d = gfx::dotCoord(planes_[index], sphere.centre);
        if (d < -sphere.radius) {
            sphere.lastPlane = index;
            return Outside;
        }
        if (std::fabs(d) < sphere.radius) return Intersecting;
    }
    return Inside;
}

ViewFrustum::Classification ViewFrustum::classifyBox(TestedBox& tested) const {
    std::uint32_t index = tested.lastPlane % PlaneCount;
    for (std::uint32_t count = 0; count < PlaneCount; ++count, index = (index + 1) % PlaneCount) {
        const gfx::Plane& p = planes_[index];
        const gfx::Vector3 corner{p.a >= 0.0f ? tested.box.max.x : tested.box.min.x,
                                  p.b >= 0.0f ? tested.box.max.y : tested.box.min.y,
                                  p.c >= 0.0f ? tested.box.max.z : tested.box.min.z};
        if (gfx::dotCoord(p, corner) < 0.0f) {
            tested.lastPlane = index;
            return Outside;
        }
    }
    return Intersecting;
}

bool ViewFrustum::sphereReaches(const gfx::Vector3& centre, float radius) const {
    const float reach = radius + sphereRadius_;
    return reach * reach > gfx::lengthSquared(centre - sphereCentre_);
}

bool ViewFrustum::coneContains(const gfx::Vector3& centre, float radius) const {
    const gfx::Vector3 u = coneApex_ - coneAxis_ * (radius * coneInverseSin_);
    const gfx::Vector3 e = centre - u;
    const float along = gfx::dot(coneAxis_, e);
    if (along <= 0.0f || along * along < gfx::lengthSquared(e) * coneCosSquared_) return false;
    const gfx::Vector3 f = centre - coneApex_;
    const float k = -gfx::dot(coneAxis_, f);
    const float distanceSquared = gfx::lengthSquared(f);
    return !(k > 0.0f && k * k >= distanceSquared * coneSinSquared_ && distanceSquared > radius * radius);
}
