#include "platform/gfx/effect.h"

#include <epoxy/gl.h>

#include <algorithm>
#include <cstring>
#include <regex>
#include <tuple>

#include "platform/gfx/device.h"
#include "platform/gfx/texture.h"

namespace gfx {
namespace {

// GL messages name lines as "0:12(5):" (Mesa) or "0(12) :" (others); the #line markers make
// those lines of the effect file.
std::string toFileLines(const std::string& log, const std::string& file) {
    static const std::regex kLine(R"(^\s*\d+[:(](\d+)\)?(\(\d+\))?\s*:\s*)");
    std::string out;
    size_t start = 0;
    while (start < log.size()) {
        size_t end = log.find('\n', start);
        if (end == std::string::npos) end = log.size();
        std::string line = log.substr(start, end - start);
        std::smatch match;
        if (std::regex_search(line, match, kLine))
            out += file + ":" + match[1].str() + ": " + line.substr(size_t(match.length(0))) + "\n";
        else if (!line.empty())
            out += file + ": " + line + "\n";
        start = end + 1;
    }
    return out;
}

unsigned compileStage(const EffectDescription& description, int stage, std::string& errors) {
    const std::string source = description.glslSource(stage);
    const GLuint shader = glCreateShader(description.stages[size_t(stage)].vertex ? GL_VERTEX_SHADER : GL_FRAGMENT_SHADER);
    const char* text = source.c_str();
    glShaderSource(shader, 1, &text, nullptr);
    glCompileShader(shader);
    GLint ok = 0;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
    if (!ok) {
        GLint length = 0;
        glGetShaderiv(shader, GL_INFO_LOG_LENGTH, &length);
        std::string log(size_t(std::max(length, 1)), '\0');
        glGetShaderInfoLog(shader, length, nullptr, log.data());
        log.resize(std::strlen(log.c_str()));
        errors += toFileLines(log, description.sourceName);
        glDeleteShader(shader);
        return 0;
    }
    return shader;
}

constexpr const char* kAttributeNames[] = {"inPosition", "inNormal",   "inTangent",   "inColour",
                                           "inTexCoord0", "inTexCoord1", "inTexCoord2", "inTexCoord3",
                                           "inBlendWeight", "inBlendIndices", "inColour1"};

} // namespace

Effect::~Effect() {
    for (Parameter& parameter : parameters_) safeRelease(parameter.texture);
    if (device_) {
        const bool drawingThread = device_->context()->onDrawingThread();
        for (Technique& technique : techniques_)
            for (Pass& pass : technique.passes) {
                if (drawingThread && device_->currentProgram() == pass.program) device_->useProgram(0, -1);
                device_->context()->deleteObject(GlObject::Program, pass.program);
            }
        device_->release();
    }
}

Result Effect::create(Device* device, const EffectDescription* description, Effect** out, std::string* errors) {
    if (errors) errors->clear();
    if (!out) return Result::InvalidCall;
    *out = nullptr;
    if (!device || !description || !device->context()->onDrawingThread()) return Result::InvalidCall;
    auto* effect = new Effect();
    effect->device_ = device;
    device->addRef();
    for (const ParameterDecl& decl : description->parameters) {
        Parameter parameter;
        parameter.decl = decl;
        parameter.values = decl.defaults;
        effect->parameters_.push_back(std::move(parameter));
    }
    effect->samplers_ = description->samplers;

    std::string messages;
    std::vector<unsigned> shaders(description->stages.size(), 0);
    std::vector<bool> tried(description->stages.size(), false);
    auto shaderOf = [&](int stage) {
        if (!tried[size_t(stage)]) {
            tried[size_t(stage)] = true;
            shaders[size_t(stage)] = compileStage(*description, stage, messages);
        }
        return shaders[size_t(stage)];
    };
    bool ok = true;
    for (const TechniqueDecl& techniqueDecl : description->techniques) {
        Technique technique;
        technique.name = techniqueDecl.name;
        for (const PassDecl& passDecl : techniqueDecl.passes) {
            Pass pass;
            pass.states = passDecl.states;
            const unsigned vertex = shaderOf(passDecl.vertexStage);
            const unsigned fragment = shaderOf(passDecl.fragmentStage);
            if (!vertex || !fragment) {
                ok = false;
                technique.passes.push_back(std::move(pass));
                continue;
            }
            const GLuint program = glCreateProgram();
            glAttachShader(program, vertex);
            glAttachShader(program, fragment);
            for (GLuint location = 0; location < std::size(kAttributeNames); ++location)
                glBindAttribLocation(program, location, kAttributeNames[location]);
            glLinkProgram(program);
            glDetachShader(program, vertex);
            glDetachShader(program, fragment);
            GLint linked = 0;
            glGetProgramiv(program, GL_LINK_STATUS, &linked);
            if (!linked) {
                GLint length = 0;
                glGetProgramiv(program, GL_INFO_LOG_LENGTH, &length);
                std::string log(size_t(std::max(length, 1)), '\0');
                glGetProgramInfoLog(program, length, nullptr, log.data());
                log.resize(std::strlen(log.c_str()));
                messages += description->sourceName + ":" + std::to_string(passDecl.line) + ": error: pass '" +
                            passDecl.name + "' of technique '" + techniqueDecl.name + "' does not link: " + log + "\n";
                glDeleteProgram(program);
                ok = false;
                technique.passes.push_back(std::move(pass));
                continue;
            }
            pass.program = program;
            pass.clipFixupLocation = glGetUniformLocation(program, "gfx_ClipFixup");
            glUseProgram(program);
            for (size_t i = 0; i < effect->parameters_.size(); ++i) {
                const ParameterDecl& decl = effect->parameters_[i].decl;
                if (componentCount(decl.type) == 0) continue;
                const GLint location = glGetUniformLocation(program, decl.name.c_str());
                if (location < 0) continue; // unused by this pass, or optimised away
                GLint active = GLint(decl.elementCount());
                if (decl.arraySize) {
                    // Trailing elements the compiler found unused are not there to be set.
                    const GLuint index = [&] {
                        std::string name = decl.name + "[0]";
                        const char* names[] = {name.c_str()};
                        GLuint found = GL_INVALID_INDEX;
                        glGetUniformIndices(program, 1, names, &found);
                        return found;
                    }();
                    if (index != GL_INVALID_INDEX) glGetActiveUniformsiv(program, 1, &index, GL_UNIFORM_SIZE, &active);
                }
                pass.uniforms.push_back(ProgramParameter{int(i), location, std::min(active, GLint(decl.elementCount()))});
            }
            pass.uploaded.assign(pass.uniforms.size(), 0);
            for (size_t i = 0; i < effect->samplers_.size(); ++i) {
                const GLint location = glGetUniformLocation(program, effect->samplers_[i].name.c_str());
                if (location < 0) continue;
                glUniform1i(location, GLint(i));
                pass.samplers.push_back(int(i));
            }
            technique.passes.push_back(std::move(pass));
        }
        effect->techniques_.push_back(std::move(technique));
    }
    for (unsigned shader : shaders)
        if (shader) glDeleteShader(shader);
    glUseProgram(device->currentProgram());
    if (errors) *errors = messages;
    if (!ok) {
        effect->release();
        return Result::Fail;
    }
    *out = effect;
    return Result::Ok;
}

EffectHandle Effect::getParameterByName(const std::string& name) const {
    for (size_t i = 0; i < parameters_.size(); ++i)
        if (parameters_[i].decl.name == name) return EffectHandle(i + 1);
    return 0;
}

EffectHandle Effect::getParameterBySemantic(const std::string& semantic) const {
    for (size_t i = 0; i < parameters_.size(); ++i)
        if (!semantic.empty() && parameters_[i].decl.semantic.size() == semantic.size() &&
            std::equal(semantic.begin(), semantic.end(), parameters_[i].decl.semantic.begin(),
                       [](char a, char b) { return std::tolower((unsigned char)a) == std::tolower((unsigned char)b); }))
            return EffectHandle(i + 1);
    return 0;
}

EffectHandle Effect::getTechniqueByName(const std::string& name) const {
    for (size_t i = 0; i < techniques_.size(); ++i)
        if (techniques_[i].name == name) return techniqueHandle(int(i));
    return 0;
}

EffectHandle Effect::getTechnique(uint32_t index) const {
    return index < techniques_.size() ? techniqueHandle(int(index)) : 0;
}

Result Effect::setTechnique(EffectHandle technique) {
    if (technique < 0x10000u || technique - 0x10000u >= techniques_.size()) return Result::InvalidCall;
    current_ = int(technique - 0x10000u);
    return Result::Ok;
}

Result Effect::begin(uint32_t* passes, uint32_t flags) {
    if (begun_) return Result::InvalidCall;
    Technique& technique = techniques_[size_t(current_)];
    if (passes) *passes = uint32_t(technique.passes.size());
    begun_ = true;
    beginFlags_ = flags;
    savedRenderStates_.clear();
    savedSamplerStates_.clear();
    if (!(flags & EffectBegin::DoNotSaveState)) {
        for (const Pass& pass : technique.passes) {
            for (const auto& [state, value] : pass.states) {
                (void)value;
                if (std::none_of(savedRenderStates_.begin(), savedRenderStates_.end(),
                                 [&](const auto& saved) { return saved.first == state; })) {
                    uint32_t current = 0;
                    device_->getRenderState(state, current);
                    savedRenderStates_.emplace_back(state, current);
                }
            }
            for (int sampler : pass.samplers)
                for (const auto& [state, value] : samplers_[size_t(sampler)].states) {
                    (void)value;
                    const uint32_t unit = uint32_t(sampler);
                    if (std::none_of(savedSamplerStates_.begin(), savedSamplerStates_.end(), [&](const auto& saved) {
                            return std::get<0>(saved) == unit && std::get<1>(saved) == state;
                        })) {
                        uint32_t current = 0;
                        device_->getSamplerState(unit, state, current);
                        savedSamplerStates_.emplace_back(unit, state, current);
                    }
                }
        }
    }
    return Result::Ok;
}

void Effect::bindSamplers(const Pass& pass) {
    for (int index : pass.samplers) {
        const SamplerDecl& sampler = samplers_[size_t(index)];
        device_->setTexture(uint32_t(index), parameters_[size_t(sampler.textureParameter)].texture);
        for (const auto& [state, value] : sampler.states) device_->setSamplerState(uint32_t(index), state, value);
    }
}

void Effect::upload(Pass& pass, bool all) {
    for (size_t i = 0; i < pass.uniforms.size(); ++i) {
        const ProgramParameter& uniform = pass.uniforms[i];
        const Parameter& parameter = parameters_[size_t(uniform.parameter)];
        if (!all && pass.uploaded[i] == parameter.version) continue;
        pass.uploaded[i] = parameter.version;
        const GLsizei count = uniform.activeElements;
        const float* v = parameter.values.data();
        switch (parameter.decl.type) {
        case ParameterType::Bool:
        case ParameterType::Int: {
            std::vector<GLint> ints(parameter.values.begin(), parameter.values.begin() + count);
            glUniform1iv(uniform.location, count, ints.data());
            break;
        }
        case ParameterType::Float: glUniform1fv(uniform.location, count, v); break;
        case ParameterType::Vec2: glUniform2fv(uniform.location, count, v); break;
        case ParameterType::Vec3: glUniform3fv(uniform.location, count, v); break;
        case ParameterType::Vec4: glUniform4fv(uniform.location, count, v); break;
        // Rows as given: GLSL then reads the transpose, so M * v there is v * M here.
        case ParameterType::Mat4: glUniformMatrix4fv(uniform.location, count, GL_FALSE, v); break;
        default: break;
        }
    }
}

Result Effect::beginPass(uint32_t index) {
    Technique& technique = techniques_[size_t(current_)];
    if (!begun_ || activePass_ >= 0 || index >= technique.passes.size()) return Result::InvalidCall;
    Pass& pass = technique.passes[index];
    if (!pass.program) return Result::InvalidCall;
    activePass_ = int(index);
    device_->useProgram(pass.program, pass.clipFixupLocation);
    for (const auto& [state, value] : pass.states) device_->setRenderState(state, value);
    bindSamplers(pass);
    upload(pass, false);
    return Result::Ok;
}

Result Effect::commitChanges() {
    if (activePass_ < 0) return Result::InvalidCall;
    Pass& pass = techniques_[size_t(current_)].passes[size_t(activePass_)];
    if (device_->currentProgram() != pass.program) device_->useProgram(pass.program, pass.clipFixupLocation);
    bindSamplers(pass);
    upload(pass, false);
    return Result::Ok;
}

Result Effect::endPass() {
    if (activePass_ < 0) return Result::InvalidCall;
    activePass_ = -1;
    return Result::Ok;
}

Result Effect::end() {
    if (!begun_) return Result::InvalidCall;
    activePass_ = -1;
    begun_ = false;
    for (const auto& [state, value] : savedRenderStates_) device_->setRenderState(state, value);
    for (const auto& [unit, state, value] : savedSamplerStates_) device_->setSamplerState(unit, state, value);
    savedRenderStates_.clear();
    savedSamplerStates_.clear();
    return Result::Ok;
}

Effect::Parameter* Effect::parameter(EffectHandle handle) {
    return handle >= 1 && handle <= parameters_.size() ? &parameters_[handle - 1] : nullptr;
}

const Effect::Parameter* Effect::parameter(EffectHandle handle) const {
    return handle >= 1 && handle <= parameters_.size() ? &parameters_[handle - 1] : nullptr;
}

Result Effect::writeFloats(EffectHandle handle, const float* values, uint32_t count) {
    Parameter* target = parameter(handle);
    if (!target || !values || target->values.empty()) return Result::InvalidCall;
    const size_t n = std::min<size_t>(count, target->values.size());
    if (!std::equal(values, values + n, target->values.begin())) {
        std::copy(values, values + n, target->values.begin());
        ++target->version;
    }
    return Result::Ok;
}

Result Effect::setBool(EffectHandle handle, bool value) {
    const float f = value ? 1.0f : 0.0f;
    return writeFloats(handle, &f, 1);
}

Result Effect::setBoolArray(EffectHandle handle, const bool* values, uint32_t count) {
    if (!values) return Result::InvalidCall;
    std::vector<float> floats(values, values + count);
    return writeFloats(handle, floats.data(), count);
}

Result Effect::setInt(EffectHandle handle, int32_t value) {
    const float f = float(value);
    return writeFloats(handle, &f, 1);
}

Result Effect::setIntArray(EffectHandle handle, const int32_t* values, uint32_t count) {
    if (!values) return Result::InvalidCall;
    std::vector<float> floats(values, values + count);
    return writeFloats(handle, floats.data(), count);
}

Result Effect::setFloat(EffectHandle handle, float value) { return writeFloats(handle, &value, 1); }

Result Effect::setFloatArray(EffectHandle handle, const float* values, uint32_t count) {
    return writeFloats(handle, values, count);
}

Result Effect::setVector(EffectHandle handle, const float* vector4) { return setVectorArray(handle, vector4, 1); }

Result Effect::setVectorArray(EffectHandle handle, const float* vectors4, uint32_t count) {
    Parameter* target = parameter(handle);
    if (!target || !vectors4 || target->values.empty()) return Result::InvalidCall;
    const uint32_t components = std::min(4u, componentCount(target->decl.type));
    const uint32_t elements = std::min(count, target->decl.elementCount());
    std::vector<float> packed(target->values);
    for (uint32_t e = 0; e < elements; ++e)
        for (uint32_t c = 0; c < components; ++c) packed[size_t(e) * components + c] = vectors4[size_t(e) * 4 + c];
    return writeFloats(handle, packed.data(), uint32_t(packed.size()));
}

Result Effect::setMatrix(EffectHandle handle, const float* matrix16) { return writeFloats(handle, matrix16, 16); }

Result Effect::setMatrixArray(EffectHandle handle, const float* matrices16, uint32_t count) {
    return writeFloats(handle, matrices16, count * 16);
}

Result Effect::setValue(EffectHandle handle, const void* data, uint32_t bytes) {
    Parameter* target = parameter(handle);
    if (!target || !data) return Result::InvalidCall;
    const uint32_t count = bytes / 4;
    std::vector<float> floats(count);
    if (target->decl.type == ParameterType::Bool || target->decl.type == ParameterType::Int) {
        std::vector<int32_t> ints(count);
        std::memcpy(ints.data(), data, size_t(count) * 4);
        std::copy(ints.begin(), ints.end(), floats.begin());
    } else {
        std::memcpy(floats.data(), data, size_t(count) * 4);
    }
    return writeFloats(handle, floats.data(), count);
}

Result Effect::setTexture(EffectHandle handle, BaseTexture* texture) {
    Parameter* target = parameter(handle);
    if (!target || componentCount(target->decl.type) != 0) return Result::InvalidCall;
    if (texture && (texture->type() == ResourceType::CubeTexture) != (target->decl.type == ParameterType::TextureCube))
        return Result::InvalidCall;
    if (texture) texture->addRef();
    safeRelease(target->texture);
    target->texture = texture;
    return Result::Ok;
}

std::vector<float> Effect::parameterValues(EffectHandle handle) const {
    const Parameter* target = parameter(handle);
    return target ? target->values : std::vector<float>{};
}

Result createEffectFromFile(Device* device, const std::string& path, const std::vector<EffectMacro>& macros,
                            Effect** out, std::string* errors) {
    if (out) *out = nullptr;
    EffectDescription* description = nullptr;
    Result result = compileEffectFromFile(path, macros, &description, errors);
    if (failed(result)) return result;
    result = Effect::create(device, description, out, errors);
    description->release();
    return result;
}

} // namespace gfx
