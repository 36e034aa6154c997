#pragma once
// A ".fx" effect of a 3D renderable loaded in stages: compiled (CPU only) on a loader worker with
// macros from the render settings, created on the device on the render thread. An effect that
// fails stays null: its users draw nothing with it, and the compiler's text, with file and line,
// goes to a message box.
#include <string>
#include <vector>

#include "platform/gfx/effect.h"
#include "platform/gfx/effect_description.h"
#include "render/loadable_asset.h"

class RenderInterface;
struct RenderSettings;

class FXShaderLoader : public LoadableAsset {
public:
    FXShaderLoader(const std::string& path, RenderInterface* renderInterface);
    // Releases what it still holds.
    ~FXShaderLoader() override;
    FXShaderLoader(const FXShaderLoader&) = delete;
    FXShaderLoader& operator=(const FXShaderLoader&) = delete;

    // The device keeps effects across a lost device: nothing to do.
    void onLostDevice() override {}
    void onResetDevice() override {}
    // Worker: compiles with the macros of the render-side settings; FileLoaded.
    void loadFile() override;
    // Render thread: creates the effect from what was compiled; Prepared.
    void prepare() override;
    void fillData() override {}
    void finishLoad() override;
    // Releases the effect; loading again runs the stages again.
    void unload() override;

    // Null until created, and when compiling or creating failed. The loader keeps its reference.
    gfx::Effect* effect() const { return effect_; }
    const std::string& path() const { return path_; }
    // Whether this effect may be compiled for instanced drawing (its renderable decides).
    void setInstanced(bool instanced) { instanced_ = instanced; }
    bool instanced() const { return instanced_; }

    // "SHADOWS_ENABLED", "SSAO_ENABLED", "SM3_ENABLED", "SHADER_INSTANCED", each "0" or "1":
    // below shader level 3 the first three are "0"; instancing needs the switch and the flag.
    static std::vector<gfx::EffectMacro> macroTable(const RenderSettings& settings, bool instanced);

private:
    void report(const std::string& errors) const;

    std::string path_;
    RenderInterface* renderInterface_;
    gfx::EffectDescription* compiled_ = nullptr;
    gfx::Effect* effect_ = nullptr;
    bool instanced_ = false;
};
