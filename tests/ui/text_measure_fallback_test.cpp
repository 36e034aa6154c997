// Widgets measure text before the render thread has registered any line height.
#include <gtest/gtest.h>

#include "render/font_records.h"
#include "support/ui_harness.h"
#include "ui/text_measure.h"

namespace {

TEST(TextMeasureFallback, UnregisteredLineHeightFallsBackToTheFontRecord) {
    UIHarness ui;
    RenderInterface& ri = ui.renderInterface();
    const std::string key = "EBGaramond-Regular_64";
    ASSERT_LT(ri.registeredLineHeight(key), 0.0f) << "no glyph atlas has been built";
    const FontRecord* font = ri.findFontRecord(key);
    ASSERT_NE(font, nullptr);
    struct Case {
        std::string key;
        float expected;
    };
    for (const Case& c : {Case{key, font->lineHeight}, Case{"NoSuchFont_48", 0.0f}}) {
        const TextMeasure size = measureUIText(&ri, c.key, "One line", false, 20000.0f);
        if (c.expected > 0.0f) EXPECT_FLOAT_EQ(size.height, c.expected) << c.key;
        else EXPECT_GT(size.height, 0.0f) << c.key << ": a small positive minimum";
    }
    // Once registered, the registered height is what counts.
    ri.registerFontName(key, 0.2f);
    EXPECT_FLOAT_EQ(measureUIText(&ri, key, "One line", false, 20000.0f).height, 0.2f);
    EXPECT_EQ(measureUIText(nullptr, key, "One line", false, 1.0f).width, 0.0f);
}

} // namespace
