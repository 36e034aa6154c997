#pragma once
// An effect made on the device from a compiled ".fx" description: techniques of passes, each a
// GL program with render states, and parameters that keep their values across frames.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/gfx/effect_description.h"
#include "platform/gfx/math_types.h"
#include "platform/gfx/ref_counted.h"
#include "platform/gfx/types.h"

namespace gfx {

class BaseTexture;
class Device;

// 0 is no handle: lookups of missing names give it, and every setter ignores it.
using EffectHandle = uint32_t;

namespace EffectBegin {
// Leave the states the passes set as they are at end().
constexpr uint32_t DoNotSaveState = 0x1;
} // namespace EffectBegin

class Effect : public RefCounted {
public:
    // The render-thread "create" stage: builds the GL programs. GLSL errors come back in errors
    // as "file:line: message" lines.
    static Result create(Device* device, const EffectDescription* description, Effect** out, std::string* errors);

    EffectHandle getParameterByName(const std::string& name) const;
    EffectHandle getParameterBySemantic(const std::string& semantic) const;
    EffectHandle getTechniqueByName(const std::string& name) const;
    EffectHandle getTechnique(uint32_t index) const;
    // The first technique is current until another is set.
    Result setTechnique(EffectHandle technique);
    EffectHandle getCurrentTechnique() const { return techniqueHandle(current_); }

    // begin saves the states the technique's passes set (unless DoNotSaveState) and gives the
    // pass count; end restores them.
    Result begin(uint32_t* passes, uint32_t flags);
    Result beginPass(uint32_t pass);
    // Sends parameters changed since the pass began (or since the last commit) to the program.
    Result commitChanges();
    Result endPass();
    Result end();

    // GL programs outlive a reset, so nothing is released or made again around one; these keep
    // the engine's lost/reset sequence the same for effects as for other resources.
    Result onLostDevice() { return Result::Ok; }
    Result onResetDevice() { return Result::Ok; }

    // Setters write as many components as the parameter holds and ignore the rest; arrays are
    // filled from element 0. Matrices are rows of four floats, used in row-vector form.
    Result setBool(EffectHandle parameter, bool value);
    Result setBoolArray(EffectHandle parameter, const bool* values, uint32_t count);
    Result setInt(EffectHandle parameter, int32_t value);
    Result setIntArray(EffectHandle parameter, const int32_t* values, uint32_t count);
    Result setFloat(EffectHandle parameter, float value);
    // Floats packed one component after another across the elements.
    Result setFloatArray(EffectHandle parameter, const float* values, uint32_t count);
    // Four floats; a vec2 or vec3 takes the first components.
    Result setVector(EffectHandle parameter, const float* vector4);
    // count vectors of four floats, one per element.
    Result setVectorArray(EffectHandle parameter, const float* vectors4, uint32_t count);
    Result setMatrix(EffectHandle parameter, const float* matrix16);
    Result setMatrixArray(EffectHandle parameter, const float* matrices16, uint32_t count);
    Result setVector(EffectHandle parameter, const Vector4& vector) { return setVector(parameter, &vector.x); }
    Result setVectorArray(EffectHandle parameter, const Vector4* vectors, uint32_t count) {
        return setVectorArray(parameter, vectors ? &vectors->x : nullptr, count);
    }
    Result setMatrix(EffectHandle parameter, const Matrix& matrix) { return setMatrix(parameter, matrix.data()); }
    Result setMatrixArray(EffectHandle parameter, const Matrix* matrices, uint32_t count) {
        return setMatrixArray(parameter, matrices ? matrices->data() : nullptr, count);
    }
    // Raw bytes, tightly packed 32-bit values (such as a light record of floats).
    Result setValue(EffectHandle parameter, const void* data, uint32_t bytes);
    // A null texture samples as transparent black.
    Result setTexture(EffectHandle parameter, BaseTexture* texture);

    // The values a parameter holds, as floats (tests and debugging).
    std::vector<float> parameterValues(EffectHandle parameter) const;

private:
    Effect() = default;
    ~Effect() override;

    struct Parameter {
        ParameterDecl decl;
        std::vector<float> values;
        BaseTexture* texture = nullptr;
        uint64_t version = 1;
    };
    struct ProgramParameter {
        int parameter;
        int location;
        int activeElements;
    };
    struct Pass {
        unsigned program = 0;
        int clipFixupLocation = -1;
        std::vector<ProgramParameter> uniforms;
        std::vector<uint64_t> uploaded; // version of each uniform last sent
        std::vector<int> samplers;      // samplers the program uses
        std::vector<std::pair<RenderState, uint32_t>> states;
    };
    struct Technique {
        std::string name;
        std::vector<Pass> passes;
    };

    Parameter* parameter(EffectHandle handle);
    const Parameter* parameter(EffectHandle handle) const;
    Result writeFloats(EffectHandle handle, const float* values, uint32_t count);
    static EffectHandle techniqueHandle(int index) { return index < 0 ? 0 : 0x10000u + uint32_t(index); }
    void upload(Pass& pass, bool all);
    void bindSamplers(const Pass& pass);

    Device* device_ = nullptr;
    std::vector<Parameter> parameters_;
    std::vector<SamplerDecl> samplers_;
    std::vector<Technique> techniques_;
    int current_ = 0;
    bool begun_ = false;
    int activePass_ = -1;
    uint32_t beginFlags_ = 0;
    std::vector<std::pair<RenderState, uint32_t>> savedRenderStates_;
    std::vector<std::tuple<uint32_t, SamplerState, uint32_t>> savedSamplerStates_;
};

// Both stages at once, on the render thread.
Result createEffectFromFile(Device* device, const std::string& path, const std::vector<EffectMacro>& macros,
                            Effect** out, std::string* errors);

} // namespace gfx
