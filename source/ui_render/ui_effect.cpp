#include "ui_render/ui_effect.h"

#include "app/log.h"
#include "platform/message_box.h"
#include "render/device_global.h"

gfx::Effect* loadUIEffect(const std::string& fileName, bool showErrors) {
    gfx::Device* device = deviceGlobal;
    if (!device) return nullptr;
    const std::string path = "Data/graphics/2D/effects/" + fileName;
    gfx::Effect* effect = nullptr;
    std::string errors;
    if (gfx::createEffectFromFile(device, path, {}, &effect, &errors) != gfx::Result::Ok) effect = nullptr;
    if (!errors.empty()) {
        LOG_MESSAGE("%s", errors.c_str());
        if (showErrors) platform::showMessageBox("", errors);
    }
    return effect;
}
