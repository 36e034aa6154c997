#pragma once
// The camera as the visibility tree tests against it: view and projection, six clipping planes,
// a bounding sphere and a view cone, tested from the cheapest to the dearest.
#include <cstdint>

#include "platform/gfx/math_types.h"
#include "render/bounding_record.h"

class RenderInterface;

// A sphere under test; it remembers the plane that last rejected it, tried first next time.
struct TestedSphere {
    gfx::Vector3 centre;
    std::uint32_t lastPlane = 0;
    float radius = 0.0f;
};

// A box under test, with its remembered plane.
struct TestedBox {
    BoundingBox box;
    std::uint32_t lastPlane = 0;
};

class ViewFrustum {
public:
    enum Classification : std::uint32_t { Outside = 0, Inside = 1, Intersecting = 2 };
    enum PlaneIndex : std::uint32_t { Near = 0, Far, Left, Right, Top, Bottom, PlaneCount };

    // Identity matrices, eye (0, 0, 1), forward (0, 0, 1); planes, sphere and cone zero. The
    // render interface gives the screen size (its render-side settings; none: a screen of no size).
    explicit ViewFrustum(RenderInterface* renderInterface);

    // Field of view pi/4, near 1, far 120; a left-handed perspective projection, or with
    // perspective false an orthographic one (width pi/4, height the aspect value). Rebuilds the
    // planes, sphere, cone and view-projection.
    void setProjection(float aspect, bool perspective);
    // A new camera frame: view, eye and the camera's further point; forward is the view's third
    // column. Rebuilds the planes, sphere, cone and view-projection.
    void setView(const gfx::Matrix& view, const gfx::Vector3& eye, const gfx::Vector3& further);

    void buildPlanes();
    void buildBoundingSphere();
    void buildViewCone();

    Classification classifySphere(TestedSphere& sphere) const;
    // Outside or Intersecting: a box is never reported wholly inside.
    Classification classifyBox(TestedBox& box) const;
    // Whether a sphere can touch the frustum's bounding sphere.
    bool sphereReaches(const gfx::Vector3& centre, float radius) const;
    bool coneContains(const gfx::Vector3& centre, float radius) const;

    const gfx::Matrix& view() const { return view_; }
    const gfx::Matrix& projection() const { return projection_; }
    const gfx::Matrix& viewProjection() const { return viewProjection_; }
    const gfx::Vector3& eye() const { return eye_; }
    // Scaled to the bounding sphere's centre distance after buildBoundingSphere.
    const gfx::Vector3& forward() const { return forward_; }
    const gfx::Vector3& further() const { return further_; }
    float fieldOfView() const { return fieldOfView_; }
    float aspect() const { return aspect_; }
    float nearDistance() const { return near_; }
    float farDistance() const { return far_; }
    const gfx::Plane& plane(std::uint32_t index) const { return planes_[index]; }
    const gfx::Vector3& sphereCentre() const { return sphereCentre_; }
    float sphereRadius() const { return sphereRadius_; }
    float coneHalfAngle() const { return coneHalfAngle_; }

    // Wider than the projection's field of view: used by the sphere and the cone.
    static constexpr float kCullingAngle = 0.942477822f;

private:
    gfx::Matrix view_;
    gfx::Matrix projection_;
    gfx::Matrix viewProjection_;
    gfx::Vector3 eye_{0.0f, 0.0f, 1.0f};
    gfx::Vector3 forward_{0.0f, 0.0f, 1.0f};
    float fieldOfView_ = 0.0f;
    float aspect_ = 0.0f;
    float near_ = 1.0f;
    float far_ = 120.0f;
    gfx::Plane planes_[PlaneCount];
    gfx::Vector3 sphereCentre_;
    float sphereRadius_ = 0.0f;
    gfx::Vector3 coneApex_;
    gfx::Vector3 coneAxis_;
    float coneHalfAngle_ = 0.0f;
    float coneCosSquared_ = 0.0f;
    float coneSinSquared_ = 0.0f;
    float coneInverseSin_ = 0.0f;
    gfx::Vector3 further_;
    RenderInterface* renderInterface_;
};
