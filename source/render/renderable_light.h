#pragma once
// The scene's lights on the render side: point lights read from their render object's
// parameters, and the one directional light, whose shadow view and projection follow the camera.
#include <cstdint>

#include "app/parameter_manager.h"
#include "platform/gfx/math_types.h"
#include "render/bounding_record.h"

class ViewFrustum;

// What every renderable's effect receives of a point light: 32 bytes.
struct PointLightRecord {
    float colour[4];
    float position[3];
    float squaredRadius;
};
static_assert(sizeof(PointLightRecord) == 32);

// What every renderable's effect receives of the directional light: 76 bytes. How an effect uses
// the three colours and the power is its own; the names say what the values suit.
struct DirectionalLightRecord {
    float ambient[4];
    float specular[4];
    float diffuse[4];
    float specularPower;
    float position[3];
    float direction[3];
};
static_assert(sizeof(DirectionalLightRecord) == 76);

class RenderableLight {
public:
    explicit RenderableLight(bool directional) : directional_(directional) {}
    virtual ~RenderableLight() = default;
    RenderableLight(const RenderableLight&) = delete;
    RenderableLight& operator=(const RenderableLight&) = delete;

    // Re-reads the light from its source.
    virtual void update() = 0;
    // The light's data, which begins with its position (three floats).
    virtual const float* getLightData() const = 0;

    bool isDirectional() const { return directional_; }
    const BoundingRecord& bounds() const { return bounds_; }
    // Handed in by the manager before each update.
    void setFrustum(const ViewFrustum* frustum) { frustum_ = frustum; }

protected:
    const ViewFrustum* frustum_ = nullptr;
    BoundingRecord bounds_;

private:
    bool directional_;
};

class RenderablePointLight : public RenderableLight {
public:
    // Reads the light at once from the pair's render side.
    explicit RenderablePointLight(ParameterManager::ParameterGroupPair* pair);

    // "radius", "position" and "colour"; a value the group lacks reads as 0. The box is a cube
    // of half-size radius squared around the position.
    void update() override;
    const float* getLightData() const override { return record_.position; }

    const PointLightRecord& record() const { return record_; }
    gfx::Vector3 position() const { return {record_.position[0], record_.position[1], record_.position[2]}; }
    float squaredRadius() const { return record_.squaredRadius; }

private:
    ParameterManager::ParameterGroupPair* pair_;
    PointLightRecord record_{};
};

class RenderableDirectionalLight : public RenderableLight {
public:
    // The fixed colours and power, position (0, 0, 0); its box spans all of space.
    RenderableDirectionalLight();

    // With a frustum handed in: the shadow view-projection that covers the camera's frustum.
    void update() override;
    const float* getLightData() const override { return record_.position; }

    // From the camera frame.
    void setDirection(const gfx::Vector3& direction);
    const DirectionalLightRecord& record() const { return record_; }
    const gfx::Matrix& shadowViewProjection() const { return shadowViewProjection_; }

private:
    gfx::Matrix shadowViewProjection_;
    DirectionalLightRecord record_;
};

// The eight corners of the camera's frustum as the shadow covers it: four around the near
// centre, then four around the far centre. The side vector is forward x up, not normalised, so a
// camera looking straight down gives slices that are vertical lines.
void shadowFrustumCorners(const ViewFrustum& frustum, gfx::Vector3 corners[8]);
