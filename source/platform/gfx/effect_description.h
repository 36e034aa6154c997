#pragma once
// A ".fx" file read into its parts: the CPU-only "compile" stage of an effect, which may run on
// a worker thread. The format is described in Data/graphics/effects_format.md.
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "platform/gfx/ref_counted.h"
#include "platform/gfx/types.h"

namespace gfx {

struct EffectMacro {
    std::string name;
    std::string value;
};

enum class ParameterType { Bool, Int, Float, Vec2, Vec3, Vec4, Mat4, Texture, TextureCube };

// Floats per element (16 for a matrix, 0 for textures).
uint32_t componentCount(ParameterType type);

struct ParameterDecl {
    std::string name;
    std::string semantic;
    ParameterType type = ParameterType::Float;
    uint32_t arraySize = 0; // 0: not an array
    std::vector<float> defaults; // every component of every element, zero where not given
    int line = 0;
    uint32_t elementCount() const { return arraySize ? arraySize : 1; }
};

struct SamplerDecl {
    std::string name;
    bool cube = false;
    int textureParameter = -1; // index into parameters
    std::vector<std::pair<SamplerState, uint32_t>> states;
    int line = 0;
};

struct StageDecl {
    std::string name;
    bool vertex = true;
    std::string code;
    int line = 0; // of the first code line
};

struct PassDecl {
    std::string name;
    int vertexStage = -1;
    int fragmentStage = -1;
    std::vector<std::pair<RenderState, uint32_t>> states;
    int line = 0;
};

struct TechniqueDecl {
    std::string name;
    std::vector<PassDecl> passes;
};

class EffectDescription : public RefCounted {
public:
    std::string sourceName;
    std::vector<EffectMacro> macros;
    std::vector<ParameterDecl> parameters;
    std::vector<SamplerDecl> samplers;
    std::string common;
    int commonLine = 0;
    std::vector<StageDecl> stages;
    std::vector<TechniqueDecl> techniques;

    // The GLSL source of a stage, with the macros as #defines, the declarations and the
    // conventions prelude, and #line markers so compiler messages name lines of the file.
    std::string glslSource(int stage) const;
};

// Reads an effect file (path resolved case-insensitively). Errors come back as lines of
// "file:line: message"; on failure *out is null.
Result compileEffectFromFile(const std::string& path, const std::vector<EffectMacro>& macros, EffectDescription** out,
                             std::string* errors);
Result compileEffectFromText(const std::string& text, const std::string& sourceName,
                             const std::vector<EffectMacro>& macros, EffectDescription** out, std::string* errors);

} // namespace gfx
