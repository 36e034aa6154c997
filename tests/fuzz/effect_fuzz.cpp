// Fuzz target: the ".fx" effect reader, and the GLSL it builds from what it accepted.
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/gfx/effect_description.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    gfx::EffectDescription* description = nullptr;
    std::string errors;
    if (gfx::succeeded(gfx::compileEffectFromText(text, "fuzz.fx", {{"SHADOWS_ENABLED", "1"}}, &description, &errors))) {
        for (std::size_t stage = 0; stage < description->stages.size(); ++stage) description->glslSource(int(stage));
        description->release();
    }
    return 0;
}
