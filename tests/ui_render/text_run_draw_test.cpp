// Texts drawn by runs (one quad per line from the run atlas) against the same texts drawn glyph
// by glyph, read back from an offscreen window: gradients, translucent and overlapping glyphs,
// clipping and the edit cursor; the fallback when the run atlas is full; runs shared between
// texts, let go when texts go and their room taken by new runs; lines off the screen; a device
// reset.
#include "ui_draw_fixture.h"

#include <algorithm>
#include <functional>

#include "ui_render/ui_text_renderable_asset.h"

namespace {

constexpr std::uint32_t width = 640;
constexpr std::uint32_t height = 360;
// Not black, so that the alpha the text leaves shows.
constexpr std::uint32_t background = 0xFF4A7396;

class TextRuns : public uitest::UIDrawTest {
protected:
    TextRuns() : UIDrawTest(width, height) {}

    void SetUp() override {
        start("<UITextRenderable><path folder='Data/fonts/'/></UITextRenderable>");
        if (HasFatalFailure()) return;
        asset_ = dynamic_cast<UITextRenderableAsset*>(manager_->findAsset("TextBox"));
        ASSERT_NE(asset_, nullptr);
        ASSERT_NE(asset_->runAtlas().texture(), nullptr) << "the asset makes a run atlas at load";
    }

    void configure(RenderInterface& renderInterface) override {
        renderInterface.setRenderSettings(width, height, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, "High", "Low",
                                          "EBGaramond-Regular_48", "original-garamond-bold-bt_48", 0, 0);
    }

    RenderInterface::UIObject* text(const std::string& string, float left, float top, float right, float bottom) {
        RenderInterface::UIObject* object = make("TextBox", 2);
        SimpleParameterGroup* group = params(object);
        group->setString("string", string);
        group->setVector2("topLeft", {left, top});
        group->setVector2("bottomRight", {right, bottom});
        return object;
    }

    // Changes reach the render side and the texts are laid out before the UI draws.
    const std::vector<std::uint32_t>& drawnFrame() {
        renderInterface_->swapFrame();
        frontEnd_->processPendingObjects();
        for (UIRenderable* renderable : manager_->renderables()) renderable->updateInstances();
        return frame(background);
    }

    bool byRuns(RenderInterface::UIObject* object) const {
        const TextBlock* block = asset_->blockOf(object->pair());
        return block && block->byRuns;
    }

    // The largest difference of any channel of any pixel; where, for the message.
    static int largestDifference(const std::vector<std::uint32_t>& a, const std::vector<std::uint32_t>& b,
                                 std::size_t& where) {
        int largest = 0;
        for (std::size_t i = 0; i < a.size(); ++i) {
            for (int shift = 0; shift < 32; shift += 8) {
                const int difference = std::abs(int((a[i] >> shift) & 255) - int((b[i] >> shift) & 255));
                if (difference > largest) {
                    largest = difference;
                    where = i;
                }
            }
        }
        return largest;
    }
    static int inked(const std::vector<std::uint32_t>& pixels) {
        return int(std::count_if(pixels.begin(), pixels.end(), [](std::uint32_t p) { return p != background; }));
    }

    // The frame as drawn now, then glyph by glyph (no run atlas): equal within one step a channel.
    void expectSameAsGlyphByGlyph(const std::vector<std::uint32_t>& byRunsFrame, const std::string& what) {
        asset_->setRunAtlasSize(0);
        const std::vector<std::uint32_t> glyphFrame = drawnFrame();
        std::size_t where = 0;
        EXPECT_LE(largestDifference(byRunsFrame, glyphFrame, where), 1)
            << what << ": pixel " << where % width << "," << where / width << " is " << std::hex
            << byRunsFrame[where] << " by runs, " << glyphFrame[where] << " glyph by glyph";
        if (HasFailure()) {
            savePicture(byRunsFrame);
            savePicture(glyphFrame);
        }
    }

    UITextRenderableAsset* asset_ = nullptr;
};

// Two glyph quads of the block whose inked parts overlap: one of the pair is drawn over the other.
bool hasOverlappingGlyphs(const TextBlock& block) {
    const auto& v = block.vertices;
    for (std::size_t a = 0; a < block.quadCount(); ++a) {
        for (std::size_t b = a + 1; b < block.quadCount(); ++b) {
            const bool apart = v[a * 4 + 2].x <= v[b * 4].x || v[b * 4 + 2].x <= v[a * 4].x ||
                               v[a * 4 + 1].y <= v[b * 4].y || v[b * 4 + 1].y <= v[a * 4].y;
            if (!apart) return true;
        }
    }
    return false;
}

struct RunCase {
    const char* name;
    const char* string;
    std::function<void(SimpleParameterGroup&)> setUp;
};

TEST_F(TextRuns, DrawTheSamePixelsAsGlyphQuads) {
    const RunCase cases[] = {
        {"gradient, translucent, wrapped over lines",
         "Strength 14 (+1), a paragraph that wraps over several lines of its narrow box.",
         [](SimpleParameterGroup& g) {
             g.setVector4("colour", {0.9f, 0.25f, 0.1f, 0.55f});
             g.setVector4("colour2", {0.1f, 0.6f, 1.0f, 1.0f});
         }},
        {"overlapping glyphs in colour spans",
         "<rAV>A{gW}AY <bTy>ffj W<rA>V",
         [](SimpleParameterGroup& g) {
             g.setVector4("colour", {1.0f, 1.0f, 0.9f, 0.8f});
             g.setVector4("colour2", {1.0f, 1.0f, 0.9f, 0.8f});
         }},
        {"bold span, right-aligned",
         "A [*bold] word\\nand a second line",
         [](SimpleParameterGroup& g) { g.setInt("horizAlignment", 1); }},
        {"clipped through the letters",
         "Clipped text, cut on every side\\nby its clip rectangle",
         [](SimpleParameterGroup& g) {
             g.setBool("shouldClipToRectangle", true);
             g.setVector2("clipTopLeft", {-0.73f, 0.46f});
             g.setVector2("clipBottomRight", {-0.21f, 0.27f});
         }},
        {"edit cursor between letters",
         "Cursor here",
         [](SimpleParameterGroup& g) {
             g.setBool("hasEditCursor", true);
             g.setUnsignedInt("cursorLetterPosition", 3);
         }},
    };
    for (const RunCase& runCase : cases) {
        SCOPED_TRACE(runCase.name);
        asset_->setRunAtlasSize(1024);
        RenderInterface::UIObject* object = text(runCase.string, -0.8f, 0.5f, -0.1f, -0.9f);
        runCase.setUp(*params(object));
        const std::vector<std::uint32_t> byRunsFrame = drawnFrame();
        ASSERT_TRUE(byRuns(object));
        EXPECT_GT(inked(byRunsFrame), 100);
        if (std::string(runCase.name).find("overlapping") != std::string::npos) {
            EXPECT_TRUE(hasOverlappingGlyphs(*asset_->blockOf(object->pair()))) << "the case shows overlaps";
        }
        expectSameAsGlyphByGlyph(byRunsFrame, runCase.name);
        EXPECT_FALSE(byRuns(object));
        renderInterface_->destroyUIObject(object);
    }
}

TEST_F(TextRuns, TextThatFindsNoRoomDrawsGlyphByGlyph) {
    // Room for a short word, not for the long line.
    asset_->setRunAtlasSize(64);
    RenderInterface::UIObject* small = text("ok", -0.9f, 0.8f, 0.9f, 0.6f);
    RenderInterface::UIObject* large = text("A line far wider than the run atlas", -0.9f, 0.4f, 0.9f, 0.0f);
    for (RenderInterface::UIObject* object : {small, large}) {
        params(object)->setVector4("colour", {0.3f, 1.0f, 0.4f, 0.9f});
    }
    const std::vector<std::uint32_t> mixed = drawnFrame();
    EXPECT_TRUE(byRuns(small));
    EXPECT_FALSE(byRuns(large));
    EXPECT_EQ(asset_->runAtlas().heldRunCount(), 1u) << "the long line held no run";
    EXPECT_GT(inked(mixed), 200);
    expectSameAsGlyphByGlyph(mixed, "fallback");
}

TEST_F(TextRuns, RunsAreSharedAndLetGoWhenTextsGo) {
    RenderInterface::UIObject* first = text("Same words\\ntwo lines", -0.9f, 0.8f, 0.9f, 0.4f);
    RenderInterface::UIObject* second = text("Same words\\ntwo lines", -0.9f, 0.2f, 0.9f, -0.2f);
    drawnFrame();
    ASSERT_TRUE(byRuns(first) && byRuns(second));
    const TextRunAtlas& runs = asset_->runAtlas();
    EXPECT_EQ(runs.heldRunCount(), 2u) << "one run a line, shared by both texts";

    // A changed text lets go of the run it no longer shows.
    params(second)->setString("string", "Same words\\nother line");
    drawnFrame();
    EXPECT_EQ(runs.heldRunCount(), 3u);
    params(second)->setString("string", "Same words\\nlast line");
    drawnFrame();
    EXPECT_EQ(runs.heldRunCount(), 3u);

    renderInterface_->destroyUIObject(second);
    drawnFrame();
    EXPECT_EQ(runs.heldRunCount(), 2u);
    renderInterface_->destroyUIObject(first);
    drawnFrame();
    EXPECT_EQ(runs.heldRunCount(), 0u);
    EXPECT_EQ(runs.runCount(), 4u) << "kept while their room is not needed";
}

TEST_F(TextRuns, RunsNoTextHoldsGiveTheirRoomToNewOnes) {
    asset_->setRunAtlasSize(64);
    // Twelve one-line texts, more than the atlas holds; drawn again in another colour, each
    // line is a new run of the same size.
    auto show = [&](const Vector4Value& colour, std::vector<RenderInterface::UIObject*>& texts) {
        for (int i = 0; i < 12; ++i) {
            const float top = 0.9f - float(i) * 0.12f;
            texts.push_back(text("Word " + std::to_string(i), -0.9f, top, 0.9f, top - 0.1f));
            params(texts.back())->setVector4("colour", colour);
        }
        drawnFrame();
        return std::count_if(texts.begin(), texts.end(), [&](auto* object) { return byRuns(object); });
    };
    std::vector<RenderInterface::UIObject*> first, second;
    const auto firstByRuns = show({1.0f, 0.5f, 0.5f, 1.0f}, first);
    ASSERT_GT(firstByRuns, 0);
    ASSERT_LT(firstByRuns, 12) << "the atlas is full";
    for (RenderInterface::UIObject* object : first) renderInterface_->destroyUIObject(object);
    drawnFrame();
    EXPECT_EQ(asset_->runAtlas().heldRunCount(), 0u);

    EXPECT_EQ(show({0.5f, 0.5f, 1.0f, 1.0f}, second), firstByRuns);
    EXPECT_EQ(asset_->runAtlas().heldRunCount(), std::size_t(firstByRuns));
}

TEST_F(TextRuns, ALineBelowTheScreenHoldsNoRunWhileTheLineOnItDoes) {
    // The last line sits well below the bottom of the screen.
    const float lineHeight = renderInterface_->registeredLineHeight("EBGaramond-Regular_48");
    RenderInterface::UIObject* object =
        text("visible\\n\\n\\n\\n\\nbelow", -0.9f, -1.0f + 2.5f * lineHeight, 0.9f, -1.0f);
    const std::vector<std::uint32_t> byRunsFrame = drawnFrame();
    ASSERT_TRUE(byRuns(object));
    EXPECT_EQ(asset_->runAtlas().heldRunCount(), 1u) << "the line below the screen holds none";
    EXPECT_GT(inked(byRunsFrame), 50);
    expectSameAsGlyphByGlyph(byRunsFrame, "lines off the screen");
}

TEST_F(TextRuns, DeviceResetMakesTheRunsAgain) {
    RenderInterface::UIObject* object = text("Before and after\\na reset", -0.9f, 0.8f, 0.9f, 0.0f);
    params(object)->setVector4("colour2", {1.0f, 0.8f, 0.2f, 1.0f});
    const std::vector<std::uint32_t> before = drawnFrame();
    const std::size_t runs = asset_->runAtlas().heldRunCount();
    ASSERT_EQ(runs, 2u);
    manager_->onLostDevice();
    manager_->onResetDevice();
    EXPECT_EQ(asset_->runAtlas().runCount(), 0u) << "every run went with the old atlas";
    ASSERT_NE(asset_->runAtlas().texture(), nullptr);
    const std::vector<std::uint32_t> after = drawnFrame();
    EXPECT_TRUE(byRuns(object));
    EXPECT_EQ(asset_->runAtlas().heldRunCount(), runs);
    std::size_t where = 0;
    EXPECT_EQ(largestDifference(before, after, where), 0) << "pixel " << where % width << "," << where / width;
}

TEST_F(TextRuns, TextsByRunsShareDraws) {
    for (int i = 0; i < 30; ++i) {
        const float top = 0.95f - float(i) * 0.06f;
        text("Label " + std::to_string(i), -0.9f, top, 0.9f, top - 0.05f);
    }
    drawnFrame();
    manager_->batchWriter().resetDrawCalls();
    drawnFrame();
    EXPECT_EQ(manager_->batchWriter().drawCalls(), 1u) << "thirty texts, one draw";
}

} // namespace
