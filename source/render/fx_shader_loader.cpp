#include "render/fx_shader_loader.h"

#include "app/log.h"
#include "platform/message_box.h"
#include "render/device_global.h"
#include "render/render_interface.h"

namespace {

const char* flag(bool on) { return on ? "1" : "0"; }

} // namespace

FXShaderLoader::FXShaderLoader(const std::string& path, RenderInterface* renderInterface)
    : path_(path), renderInterface_(renderInterface) {}

FXShaderLoader::~FXShaderLoader() {
    gfx::safeRelease(compiled_);
    gfx::safeRelease(effect_);
}

std::vector<gfx::EffectMacro> FXShaderLoader::macroTable(const RenderSettings& settings, bool instanced) {
    const bool shaderModel3 = settings.shaderLevel >= 3;
    return {{"SHADOWS_ENABLED", flag(shaderModel3 && settings.shadows)},
            {"SSAO_ENABLED", flag(shaderModel3 && settings.ssao)},
            {"SM3_ENABLED", flag(shaderModel3)},
            {"SHADER_INSTANCED", flag(settings.instancing && instanced)}};
}

void FXShaderLoader::report(const std::string& errors) const {
    if (errors.empty()) return;
    LOG_MESSAGE("%s", errors.c_str());
    platform::showMessageBox("", errors);
}

void FXShaderLoader::loadFile() {
    gfx::safeRelease(compiled_);
    std::string errors;
    // Only the four switches are read: the hand-off may rewrite the settings' strings meanwhile.
    RenderSettings settings;
    if (renderInterface_) {
        const RenderSettings& current = renderInterface_->renderSettings();
        settings.shaderLevel = current.shaderLevel;
        settings.shadows = current.shadows;
        settings.ssao = current.ssao;
        settings.instancing = current.instancing;
    }
    if (gfx::failed(gfx::compileEffectFromFile(path_, macroTable(settings, instanced_), &compiled_, &errors))) {
        gfx::safeRelease(compiled_);
    }
    report(errors);
    state_ = FileLoaded;
}

void FXShaderLoader::prepare() {
    if (compiled_ && deviceGlobal) {
        // The macros were applied when compiling; the effect is made from that description.
        gfx::safeRelease(effect_);
        std::string errors;
        if (gfx::failed(gfx::Effect::create(deviceGlobal, compiled_, &effect_, &errors))) gfx::safeRelease(effect_);
        report(errors);
    }
    gfx::safeRelease(compiled_);
    state_ = Prepared;
}

void FXShaderLoader::finishLoad() { state_ = Loaded; }

void FXShaderLoader::unload() { gfx::safeRelease(effect_); }
