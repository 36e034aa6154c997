// Baking lightmaps on the processor: chart sizes, packing, coverage, the reach of a light,
// dilation, the bytes written, and atlases that grow too large.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "platform/gfx/buffers.h"
#include "platform/gfx/math_matrix.h"
#include "platform/gfx_fixture.h"
#include "render/renderable_light.h"
#include "scene/lightmapping_data.h"
#include "support/log_capture.h"
#include "support/scene_test_assets.h"

namespace {

using scenetest::ObjectPairs;

struct Corner {
    gfx::Vector3 position;
    gfx::Vector3 normal;
    gfx::Vector2 lightmapUv;
};

// A static asset with a surface size and, optionally, lightmap buffers of 52-byte vertices.
class LightmapAsset : public scenetest::TestAsset {
public:
    LightmapAsset(BaseRenderable* owner, float sizeFactor, const std::vector<Corner>& corners = {})
        : TestAsset("lightmapped", owner, {-1, -1, -1}, {1, 1, 1}), sizeFactor_(sizeFactor) {
        if (corners.empty()) return;
        static const gfx::ContextLink cpuOnly = std::make_shared<gfx::ContextState>();
        gfx::VertexBuffer::create(cpuOnly, uint32_t(corners.size() * 52), 0, gfx::Pool::SystemMemory, &vertices_);
        gfx::IndexBuffer::create(cpuOnly, uint32_t(corners.size() * 2), 0, gfx::Format::Index16, gfx::Pool::SystemMemory,
                                 &indices_);
        void* data = nullptr;
        vertices_->lock(0, 0, &data, 0);
        for (size_t i = 0; i < corners.size(); ++i) {
            uint8_t* vertex = static_cast<uint8_t*>(data) + i * 52;
            std::memset(vertex, 0, 52);
            std::memcpy(vertex, &corners[i].position, 12);
            std::memcpy(vertex + 12, &corners[i].normal, 12);
            std::memcpy(vertex + 44, &corners[i].lightmapUv, 8);
        }
        vertices_->unlock();
        indices_->lock(0, 0, &data, 0);
        for (size_t i = 0; i < corners.size(); ++i) static_cast<uint16_t*>(data)[i] = uint16_t(i);
        indices_->unlock();
    }
    ~LightmapAsset() override {
        gfx::safeRelease(vertices_);
        gfx::safeRelease(indices_);
    }
    float getLightmapSizeFactor() const override { return sizeFactor_; }
    std::uint32_t getLightmapTriangleCount() const override { return indices_ ? indices_->length() / 6 : 0; }
    gfx::VertexBuffer* getLightmapVertexBuffer() override {
        if (vertices_) vertices_->addRef();
        return vertices_;
    }
    gfx::IndexBuffer* getLightmapIndexBuffer() override {
        if (indices_) indices_->addRef();
        return indices_;
    }

private:
    float sizeFactor_;
    gfx::VertexBuffer* vertices_ = nullptr;
    gfx::IndexBuffer* indices_ = nullptr;
};

// Instances of assets, lights, and the bake.
class LightmapTest : public ::testing::Test {
protected:
    RenderableInstance* instance(float sizeFactor, const std::vector<Corner>& corners = {},
                                 const gfx::Matrix& placement = gfx::identityMatrix()) {
        assets_.push_back(std::make_unique<LightmapAsset>(&owner_, sizeFactor, corners));
        instances_.push_back(std::make_unique<RenderableInstance>(pairs_.object(placement), assets_.back().get(), false));
        instances_.back()->update();
        return instances_.back().get();
    }
    RenderablePointLight* light(float radius, const gfx::Vector3& position, const gfx::Vector3& colour) {
        lights_.push_back(std::make_unique<RenderablePointLight>(
            pairs_.light(radius, {position.x, position.y, position.z}, {colour.x, colour.y, colour.z})));
        return lights_.back().get();
    }
    std::vector<RenderableInstance*> all() const {
        std::vector<RenderableInstance*> out;
        for (const auto& i : instances_) out.push_back(i.get());
        return out;
    }
    std::vector<RenderablePointLight*> allLights() const {
        std::vector<RenderablePointLight*> out;
        for (const auto& l : lights_) out.push_back(l.get());
        return out;
    }
    // One triangle over the lower-left half of its chart, lying on the ground (normal up): its
    // lightmap (u, v) is the world (x / 16, z / 16).
    static std::vector<Corner> groundTriangle() {
        return {{{0, 0, 0}, {0, 1, 0}, {0, 0}}, {{16, 0, 0}, {0, 1, 0}, {1, 0}}, {{0, 0, 16}, {0, 1, 0}, {0, 1}}};
    }

    ObjectPairs pairs_;
    scenetest::TestRenderable owner_{"StaticMeshRenderable"};
    std::vector<std::unique_ptr<LightmapAsset>> assets_;
    std::vector<std::unique_ptr<RenderableInstance>> instances_;
    std::vector<std::unique_ptr<RenderablePointLight>> lights_;
    LightmapData data_;
    std::uint32_t width_ = 0, height_ = 0;
};

TEST(LightmapSizes, ChartSidesAndColourBytes) {
    const std::vector<std::pair<float, std::uint32_t>> sides = {
        {0.0f, 16}, {23.9f, 16}, {24.0f, 32}, {40.0f, 48}, {1e12f, 512}, {INFINITY, 512}, {NAN, 16},
    };
    for (const auto& [factor, side] : sides) EXPECT_EQ(LightmapData::chartSide(factor), side) << factor;
    const std::vector<std::pair<float, int>> bytes = {
        {1.0f, 255}, {0.999f, 255}, {0.5f, 128}, {0.0f, 0}, {-0.25f, 0}, {7.0f, 255}, {NAN, 0},
    };
    for (const auto& [channel, byte] : bytes) EXPECT_EQ(int(LightmapData::colourByte(channel)), byte) << channel;
}

TEST_F(LightmapTest, ChartsPackLargestFirstGrowingTheSquarerWay) {
    struct Case {
        std::vector<float> factors;
        std::uint32_t width, height;
        // (x0, y0) of each instance's chart, in the instances' order.
        std::vector<std::pair<std::uint32_t, std::uint32_t>> corners;
    };
    const std::vector<Case> cases = {
        {{10}, 16, 16, {{0, 0}}},
        {{10, 10}, 32, 16, {{0, 0}, {16, 0}}},
        {{10, 10, 10}, 32, 32, {{0, 0}, {16, 0}, {0, 16}}},
        {{10, 10, 10, 10}, 32, 32, {{0, 0}, {16, 0}, {0, 16}, {16, 16}}},
        // The 48-texel chart goes first though it was added last; the 16 fits below the 32.
        {{24, 10, 40}, 80, 48, {{48, 0}, {48, 32}, {0, 0}}},
    };
    for (const Case& c : cases) {
        instances_.clear();
        for (float f : c.factors) instance(f);
        data_.buildLightmapTexels(width_, height_, all(), {});
        EXPECT_EQ(width_, c.width);
        EXPECT_EQ(height_, c.height);
        ASSERT_EQ(data_.charts().size(), c.factors.size());
        for (size_t i = 0; i < c.factors.size(); ++i) {
            const LightmapChart& chart = data_.charts()[instances_[i]->lightmapIndex];
            EXPECT_EQ(chart.index, instances_[i]->lightmapIndex);
            EXPECT_EQ(std::make_pair(chart.x0, chart.y0), c.corners[i]) << c.factors.size() << " charts, #" << i;
            EXPECT_FLOAT_EQ(chart.uMin, float(chart.x0) / float(width_));
            EXPECT_FLOAT_EQ(chart.vMax, float(chart.y1) / float(height_));
        }
        EXPECT_EQ(data_.texels().size(), height_);
    }
}

TEST_F(LightmapTest, AnEdgeThroughTexelCentresCoversOnlyTheInsideAndTexelsLieOnTheTriangle) {
    instance(10, groundTriangle());
    data_.buildLightmapTexels(width_, height_, all(), {});
    ASSERT_EQ(width_, 16u);
    for (std::uint32_t y = 0; y < 16; ++y)
        for (std::uint32_t x = 0; x < 16; ++x)
            EXPECT_EQ(data_.texels()[y][x].covered, x + y < 15 ? 1u : 0u) << x << ", " << y;
    const LightmapTexel& texel = data_.texels()[5][3];
    EXPECT_EQ(texel.position, (gfx::Vector3{3.5f, 0.0f, 5.5f}));
    EXPECT_EQ(texel.normal, (gfx::Vector3{0, 1, 0}));
    EXPECT_EQ(texel.chart, 0u);
}

TEST_F(LightmapTest, ALightReachesExactlyItsLimitAndNoFurther) {
    // A light radius and a height whose squares meet the limit exactly in single precision.
    const float reach = std::sqrt(999.99994f) - 1.0f;
    float radius = 0.0f, height = 0.0f;
    for (float rho = 1.0f; radius == 0.0f && rho < 1.001f; rho = std::nextafter(rho, 2.0f)) {
        const float limit = reach * (rho * rho);
        for (float h = std::nextafter(std::sqrt(limit), 0.0f), end = std::nextafter(std::sqrt(limit), 100.0f);
             h <= end; h = std::nextafter(h, 100.0f))
            if (h * h == limit) {
                radius = rho;
                height = h;
            }
    }
    ASSERT_GT(radius, 0.0f);
    struct Case {
        float height;
        bool lit;
    };
    for (const Case& c : {Case{height, true}, Case{std::nextafter(height, 100.0f), false}}) {
        instances_.clear();
        lights_.clear();
        instance(10, groundTriangle());
        light(radius, {3.5f, c.height, 5.5f}, {1.0f, 0.5f, 0.25f});
        data_.buildLightmapTexels(width_, height_, all(), allLights());
        ASSERT_EQ(data_.charts()[0].lights.size(), 1u);
        data_.lightLightmapTexels(width_, height_);
        const gfx::Vector3 colour = data_.texels()[5][3].colour;
        if (c.lit) {
            // Straight above: n.l is 1, and the distance is the limit.
            const float factor = 1.0f / (1.0f + reach);
            EXPECT_NEAR(colour.x, factor, 1e-5f);
            EXPECT_NEAR(colour.z, 0.25f * factor, 1e-5f);
        } else {
            EXPECT_EQ(colour, gfx::Vector3{});
        }
    }
}

TEST_F(LightmapTest, LightsBehindTheSurfaceOrOutOfReachOfTheChartAddNothing) {
    instance(10, groundTriangle());
    light(2.0f, {3.5f, -1.0f, 5.5f}, {1, 1, 1});   // below the ground
    light(1.0f, {500.0f, 1.0f, 0.0f}, {1, 1, 1});  // far beyond the chart
    data_.buildLightmapTexels(width_, height_, all(), allLights());
    EXPECT_EQ(data_.charts()[0].lights.size(), 1u);
    data_.lightLightmapTexels(width_, height_);
    EXPECT_EQ(data_.texels()[5][3].colour, gfx::Vector3{});
}

TEST_F(LightmapTest, UncoveredTexelsTakeTheFirstCoveredNeighbourInSearchOrder) {
    const gfx::Vector3 own{0.1f, 0.1f, 0.1f}, red{1, 0, 0}, green{0, 1, 0}, blue{0, 0, 1};
    struct Covered {
        int x, y;
        gfx::Vector3 colour;
    };
    struct Case {
        const char* what;
        int x, y;
        std::vector<Covered> covered;
        gfx::Vector3 expected;
    };
    const std::vector<Case> cases = {
        {"left before right", 8, 8, {{9, 8, green}, {7, 8, red}}, red},
        {"distance 1 before 2", 8, 8, {{10, 8, green}, {8, 9, blue}}, blue},
        {"up-left before down-left at distance 2", 8, 8, {{7, 9, green}, {7, 7, red}}, red},
        {"distance 3 still found", 8, 8, {{8, 11, blue}}, blue},
        {"distance 4 is too far", 8, 8, {{8, 12, blue}}, own},
        {"row 0 is never taken", 5, 1, {{5, 0, red}}, own},
        {"column 0 is never taken", 1, 5, {{0, 5, red}}, own},
    };
    for (const Case& c : cases) {
        instances_.clear();
        instance(10);
        data_.buildLightmapTexels(width_, height_, all(), {});
        ASSERT_EQ(width_, 16u);
        for (auto& row : data_.texels())
            for (LightmapTexel& texel : row) texel.colour = own;
        for (const Covered& covered : c.covered) {
            data_.texels()[covered.y][covered.x].covered = 1;
            data_.texels()[covered.y][covered.x].colour = covered.colour;
        }
        data_.dilateLightmap(width_, height_);
        EXPECT_EQ(data_.texels()[c.y][c.x].colour, c.expected) << c.what;
    }
}

TEST_F(LightmapTest, AtlasesPastTheLargeSideAreLoggedAndHugeOnesClampedToTheLargestTexture) {
    struct Case {
        int charts;
        std::uint32_t maxSide;
        bool logged;
        std::uint32_t width, height;
    };
    // Sixteen 512-texel charts make exactly 2048 by 2048 (not logged); a seventeenth makes it 2560
    // wide. The texel grid never passes the largest texture.
    for (const Case& c : {Case{16, 1024, false, 1024, 1024}, Case{17, 512, true, 512, 512}, Case{4, 600, false, 600, 600}}) {
        LogCapture log;
        instances_.clear();
        for (int i = 0; i < c.charts; ++i) instance(1e12f);
        LightmapData data(c.maxSide);
        data.buildLightmapTexels(width_, height_, all(), {});
        EXPECT_EQ(width_, c.width) << c.charts;
        EXPECT_EQ(height_, c.height) << c.charts;
        EXPECT_EQ(data.texels().size(), c.height);
        EXPECT_EQ(log.contains("Uh oh! Really big light maps write code to handle this! w: 2560, h: 2048"), c.logged)
            << c.charts;
        for (const LightmapChart& chart : data.charts()) EXPECT_EQ(chart.x1 - chart.x0, 512u);
    }
}

class LightmapUpload : public gfxtest::GfxTest {};

TEST_F(LightmapUpload, ColoursBecomeBgraBytesRowByRow) {
    LightmapData data;
    ObjectPairs pairs;
    scenetest::TestRenderable owner("StaticMeshRenderable");
    LightmapAsset asset(&owner, 10);
    RenderableInstance instance(pairs.object(gfx::identityMatrix()), &asset, false);
    std::uint32_t width = 0, height = 0;
    data.buildLightmapTexels(width, height, {&instance}, {});
    data.texels()[0][0].colour = {1.0f, 0.5f, 0.999f};
    data.texels()[3][2].colour = {-1.0f, 0.25f, 2.0f};
    gfx::Texture* texture = nullptr;
    ASSERT_EQ(device_->createTexture(width, height, 1, 0, gfx::Format::A8R8G8B8, gfx::Pool::Managed, &texture),
              gfx::Result::Ok);
    data.uploadLightmap(width, height, texture);
    data.uploadLightmap(width, height, nullptr);
    const std::vector<uint32_t> pixels = readLevel(texture, 0);
    EXPECT_EQ(at(pixels, width, 0, 0), 0xFFFF80FFu);
    EXPECT_EQ(at(pixels, width, 2, 3), 0xFF0040FFu);
    EXPECT_EQ(at(pixels, width, 5, 5), 0xFF000000u);
    texture->release();
}

} // namespace
