// Reading ".fx" declarations without a device: the sizes an effect file may give its arrays.
#include <gtest/gtest.h>

#include "platform/gfx/effect_description.h"

namespace {

const char* kStages = "vertex V { void main() { gl_Position = vec4(0.0); } }\n"
                      "fragment F { void main() { outColour = vec4(1.0); } }\n"
                      "technique T { pass P { vertex = V; fragment = F; } }\n";

TEST(EffectParser, ArraySizesFromOneToTheLimitAreTakenAsWritten) {
    struct Row {
        const char* size;
        uint32_t expected;
    };
    for (const Row& row : {Row{"1", 1}, Row{"4096", 4096}, Row{"0012", 12}}) {
        SCOPED_TRACE(row.size);
        const std::string text = std::string("parameter vec4 a[") + row.size + "] = {1, 2};\n" + kStages;
        gfx::EffectDescription* description = nullptr;
        std::string errors;
        ASSERT_EQ(gfx::compileEffectFromText(text, "sizes.fx", {}, &description, &errors), gfx::Result::Ok) << errors;
        ASSERT_EQ(description->parameters.size(), 1u);
        const gfx::ParameterDecl& a = description->parameters[0];
        EXPECT_EQ(a.arraySize, row.expected);
        ASSERT_EQ(a.defaults.size(), 4u * row.expected);
        EXPECT_EQ(a.defaults[1], 2.0f);
        EXPECT_NE(description->glslSource(0).find("uniform vec4 a[" + std::to_string(row.expected) + "];"),
                  std::string::npos);
        description->release();
    }
}

} // namespace
