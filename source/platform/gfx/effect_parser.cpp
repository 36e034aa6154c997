#include <cctype>
#include <cstdlib>
#include <cstring>
#include <optional>

#include "platform/file_io.h"
#include "platform/gfx/effect_description.h"
#include "platform/paths.h"

namespace gfx {
namespace {

// Far above what any stage can hold as uniforms, far below what would exhaust memory.
constexpr uint32_t kMaxArraySize = 4096;

bool equalsNoCase(const std::string& a, const char* b) {
    if (a.size() != std::strlen(b)) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

struct Token {
    enum Kind { End, Word, Number, Symbol } kind = End;
    std::string text;
    int line = 0;
};

class Parser {
public:
    Parser(const std::string& text, EffectDescription& out) : text_(text), out_(out) {}

    bool run() {
        for (;;) {
            Token token = next();
            if (token.kind == Token::End) return errors_.empty();
            if (token.kind != Token::Word) {
                fail(token.line, "expected a declaration, found '" + token.text + "'");
                return false;
            }
            bool ok = false;
            if (token.text == "parameter") ok = parseParameter();
            else if (token.text == "sampler2D" || token.text == "samplerCube") ok = parseSampler(token);
            else if (token.text == "common") ok = parseCommon(token);
            else if (token.text == "vertex" || token.text == "fragment") ok = parseStage(token);
            else if (token.text == "technique") ok = parseTechnique();
            else fail(token.line, "unknown declaration '" + token.text + "'");
            if (!ok) return false;
        }
    }

    const std::string& errors() const { return errors_; }

private:
    void fail(int line, const std::string& message) {
        errors_ += out_.sourceName + ":" + std::to_string(line) + ": error: " + message + "\n";
    }

    void skipSpaceAndComments() {
        while (pos_ < text_.size()) {
            char c = text_[pos_];
            if (c == '\n') {
                ++line_;
                ++pos_;
            } else if (std::isspace(static_cast<unsigned char>(c))) {
                ++pos_;
            } else if (text_.compare(pos_, 2, "//") == 0) {
                while (pos_ < text_.size() && text_[pos_] != '\n') ++pos_;
            } else if (text_.compare(pos_, 2, "/*") == 0) {
                size_t end = text_.find("*/", pos_ + 2);
                end = end == std::string::npos ? text_.size() : end + 2;
                for (size_t i = pos_; i < end; ++i)
                    if (text_[i] == '\n') ++line_;
                pos_ = end;
            } else {
                return;
            }
        }
    }

    Token next() {
        skipSpaceAndComments();
        Token token;
        token.line = line_;
        if (pos_ >= text_.size()) return token;
        char c = text_[pos_];
        size_t start = pos_;
        if (std::isalpha(static_cast<unsigned char>(c)) || c == '_') {
            while (pos_ < text_.size() &&
                   (std::isalnum(static_cast<unsigned char>(text_[pos_])) || text_[pos_] == '_'))
                ++pos_;
            token.kind = Token::Word;
        } else if (std::isdigit(static_cast<unsigned char>(c)) || c == '-' || c == '+' || c == '.') {
            ++pos_;
            while (pos_ < text_.size() && (std::isalnum(static_cast<unsigned char>(text_[pos_])) ||
                                           text_[pos_] == '.' ||
                                           ((text_[pos_] == '-' || text_[pos_] == '+') &&
                                            (text_[pos_ - 1] == 'e' || text_[pos_ - 1] == 'E'))))
                ++pos_;
            token.kind = Token::Number;
        } else {
            ++pos_;
            token.kind = Token::Symbol;
        }
        token.text = text_.substr(start, pos_ - start);
        return token;
    }

    Token peek() {
        size_t pos = pos_;
        int line = line_;
        Token token = next();
        pos_ = pos;
        line_ = line;
        return token;
    }

    bool expect(const char* symbol) {
        Token token = next();
        if (token.text != symbol) {
            fail(token.line, std::string("expected '") + symbol + "', found '" +
                                 (token.kind == Token::End ? std::string("end of file") : token.text) + "'");
            return false;
        }
        return true;
    }

    bool word(std::string& out, const char* what) {
        Token token = next();
        if (token.kind != Token::Word) {
            fail(token.line, std::string("expected ") + what);
            return false;
        }
        out = token.text;
        return true;
    }

    bool parseParameter() {
        ParameterDecl decl;
        std::string type;
        Token typeToken = peek();
        decl.line = typeToken.line;
        if (!word(type, "a parameter type")) return false;
        static const std::pair<const char*, ParameterType> kTypes[] = {
            {"bool", ParameterType::Bool}, {"int", ParameterType::Int},         {"float", ParameterType::Float},
            {"vec2", ParameterType::Vec2}, {"vec3", ParameterType::Vec3},       {"vec4", ParameterType::Vec4},
            {"mat4", ParameterType::Mat4}, {"texture", ParameterType::Texture}, {"textureCube", ParameterType::TextureCube},
        };
        bool known = false;
        for (const auto& [name, value] : kTypes)
            if (type == name) {
                decl.type = value;
                known = true;
            }
        if (!known) {
            fail(decl.line, "unknown parameter type '" + type + "'");
            return false;
        }
        if (!word(decl.name, "a parameter name")) return false;
        for (const ParameterDecl& other : out_.parameters)
            if (other.name == decl.name) {
                fail(decl.line, "parameter '" + decl.name + "' declared twice");
                return false;
            }
        Token token = next();
        if (token.text == "[") {
            Token size = next();
            std::optional<uint32_t> count = arraySizeOf(size);
            if (!count) {
                fail(size.line, "array size '" + (size.kind == Token::End ? std::string("end of file") : size.text) +
                                    "' is not a whole number from 1 to " + std::to_string(kMaxArraySize));
                return false;
            }
            decl.arraySize = *count;
            if (decl.type == ParameterType::Texture || decl.type == ParameterType::TextureCube) {
                fail(size.line, "texture parameters can't be arrays");
                return false;
            }
            if (!expect("]")) return false;
            token = next();
        }
        if (token.text == ":") {
            if (!word(decl.semantic, "a semantic")) return false;
            token = next();
        }
        decl.defaults.assign(size_t(componentCount(decl.type)) * decl.elementCount(), 0.0f);
        if (token.text == "=") {
            std::vector<float> values;
            Token value = next();
            if (value.text == "{") {
                for (;;) {
                    Token item = next();
                    if (item.text == "}") break;
                    if (item.text == ",") continue;
                    std::optional<float> number = numberOf(item);
                    if (!number) {
                        fail(item.line, "expected a number in the default value");
                        return false;
                    }
                    values.push_back(*number);
                }
            } else {
                std::optional<float> number = numberOf(value);
                if (!number) {
                    fail(value.line, "expected a default value");
                    return false;
                }
                values.push_back(*number);
            }
            if (values.size() > decl.defaults.size()) {
                fail(value.line, "too many values for '" + decl.name + "'");
                return false;
            }
            std::copy(values.begin(), values.end(), decl.defaults.begin());
            token = next();
        }
        if (token.text != ";") {
            fail(token.line, "expected ';' after parameter '" + decl.name + "'");
            return false;
        }
        out_.parameters.push_back(std::move(decl));
        return true;
    }

    // Digits only: a sign, a fraction or a hex prefix is a typo, and a size read leniently
    // (wrapped, or cut at the first non-digit) would size the defaults and the uniform wrongly.
    static std::optional<uint32_t> arraySizeOf(const Token& token) {
        if (token.kind != Token::Number || token.text.empty() || token.text.size() > 4) return std::nullopt;
        uint32_t value = 0;
        for (char c : token.text) {
            if (c < '0' || c > '9') return std::nullopt;
            value = value * 10 + uint32_t(c - '0');
        }
        if (value < 1 || value > kMaxArraySize) return std::nullopt;
        return value;
    }

    static std::optional<float> numberOf(const Token& token) {
        if (token.kind == Token::Word) {
            if (token.text == "true") return 1.0f;
            if (token.text == "false") return 0.0f;
            return std::nullopt;
        }
        if (token.kind != Token::Number) return std::nullopt;
        char* end = nullptr;
        float value = std::strtof(token.text.c_str(), &end);
        if (end == token.text.c_str()) return std::nullopt;
        return value;
    }

    std::optional<uint32_t> stateValue(const Token& token, const std::pair<const char*, uint32_t>* names, size_t count) {
        if (token.kind == Token::Number) {
            return uint32_t(std::strtoul(token.text.c_str(), nullptr, 0));
        }
        if (token.text == "true" || equalsNoCase(token.text, "true")) return 1u;
        if (equalsNoCase(token.text, "false")) return 0u;
        for (size_t i = 0; i < count; ++i)
            if (equalsNoCase(token.text, names[i].first)) return names[i].second;
        return std::nullopt;
    }

    bool parseSampler(const Token& kind) {
        SamplerDecl decl;
        decl.cube = kind.text == "samplerCube";
        decl.line = kind.line;
        if (!word(decl.name, "a sampler name")) return false;
        if (!expect("{")) return false;
        static const std::pair<const char*, uint32_t> kFilters[] = {
            {"None", 0}, {"Point", 1}, {"Linear", 2}, {"Anisotropic", 3}};
        static const std::pair<const char*, uint32_t> kAddresses[] = {
            {"Wrap", 1}, {"Mirror", 2}, {"Clamp", 3}, {"Border", 4}};
        static const std::pair<const char*, SamplerState> kStates[] = {
            {"MinFilter", SamplerState::MinFilter}, {"MagFilter", SamplerState::MagFilter},
            {"MipFilter", SamplerState::MipFilter}, {"AddressU", SamplerState::AddressU},
            {"AddressV", SamplerState::AddressV},   {"AddressW", SamplerState::AddressW},
            {"BorderColor", SamplerState::BorderColor}, {"MaxAnisotropy", SamplerState::MaxAnisotropy}};
        for (;;) {
            Token key = next();
            if (key.text == "}") break;
            if (key.kind != Token::Word) {
                fail(key.line, "expected a sampler state, found '" + key.text + "'");
                return false;
            }
            if (!expect("=")) return false;
            Token value = next();
            if (equalsNoCase(key.text, "texture")) {
                decl.textureParameter = -1;
                for (size_t i = 0; i < out_.parameters.size(); ++i)
                    if (out_.parameters[i].name == value.text) decl.textureParameter = int(i);
                if (decl.textureParameter < 0 ||
                    (out_.parameters[size_t(decl.textureParameter)].type == ParameterType::TextureCube) != decl.cube ||
                    componentCount(out_.parameters[size_t(decl.textureParameter)].type) != 0) {
                    fail(value.line, "'" + value.text + "' is not a texture parameter of the sampler's kind");
                    return false;
                }
            } else {
                std::optional<SamplerState> state;
                for (const auto& [name, s] : kStates)
                    if (equalsNoCase(key.text, name)) state = s;
                if (!state) {
                    fail(key.line, "unknown sampler state '" + key.text + "'");
                    return false;
                }
                const bool filter = *state == SamplerState::MinFilter || *state == SamplerState::MagFilter ||
                                    *state == SamplerState::MipFilter;
                const bool address = *state == SamplerState::AddressU || *state == SamplerState::AddressV ||
                                     *state == SamplerState::AddressW;
                std::optional<uint32_t> number = filter ? stateValue(value, kFilters, std::size(kFilters))
                                                 : address ? stateValue(value, kAddresses, std::size(kAddresses))
                                                           : stateValue(value, nullptr, 0);
                if (!number) {
                    fail(value.line, "bad value '" + value.text + "' for " + key.text);
                    return false;
                }
                decl.states.emplace_back(*state, *number);
            }
            if (!expect(";")) return false;
        }
        if (decl.textureParameter < 0) {
            fail(decl.line, "sampler '" + decl.name + "' names no texture");
            return false;
        }
        out_.samplers.push_back(std::move(decl));
        return true;
    }

    // The GLSL between a '{' and its matching '}', comments skipped when counting braces.
    bool rawBlock(std::string& code, int& firstLine) {
        if (!expect("{")) return false;
        firstLine = line_;
        size_t start = pos_;
        int depth = 1;
        while (pos_ < text_.size()) {
            char c = text_[pos_];
            if (text_.compare(pos_, 2, "//") == 0) {
                while (pos_ < text_.size() && text_[pos_] != '\n') ++pos_;
                continue;
            }
            if (text_.compare(pos_, 2, "/*") == 0) {
                size_t end = text_.find("*/", pos_ + 2);
                end = end == std::string::npos ? text_.size() : end + 2;
                for (size_t i = pos_; i < end; ++i)
                    if (text_[i] == '\n') ++line_;
                pos_ = end;
                continue;
            }
            if (c == '\n') ++line_;
            if (c == '{') ++depth;
            if (c == '}' && --depth == 0) {
                code = text_.substr(start, pos_ - start);
                ++pos_;
                return true;
            }
            ++pos_;
        }
        fail(firstLine, "block is not closed");
        return false;
    }

    bool parseCommon(const Token& keyword) {
        if (!out_.common.empty()) {
            fail(keyword.line, "only one common block is allowed");
            return false;
        }
        return rawBlock(out_.common, out_.commonLine);
    }

    bool parseStage(const Token& kind) {
        StageDecl decl;
        decl.vertex = kind.text == "vertex";
        if (!word(decl.name, "a stage name")) return false;
        for (const StageDecl& other : out_.stages)
            if (other.name == decl.name) {
                fail(kind.line, "stage '" + decl.name + "' declared twice");
                return false;
            }
        if (!rawBlock(decl.code, decl.line)) return false;
        out_.stages.push_back(std::move(decl));
        return true;
    }

    int findStage(const std::string& name, bool vertex) const {
        for (size_t i = 0; i < out_.stages.size(); ++i)
            if (out_.stages[i].name == name && out_.stages[i].vertex == vertex) return int(i);
        return -1;
    }

    bool parseTechnique() {
        TechniqueDecl technique;
        if (!word(technique.name, "a technique name")) return false;
        if (!expect("{")) return false;
        for (;;) {
            Token token = next();
            if (token.text == "}") break;
            if (token.text != "pass") {
                fail(token.line, "expected 'pass' or '}', found '" + token.text + "'");
                return false;
            }
            PassDecl pass;
            pass.line = token.line;
            if (!word(pass.name, "a pass name")) return false;
            if (!expect("{")) return false;
            if (!parsePassBody(pass)) return false;
            if (pass.vertexStage < 0 || pass.fragmentStage < 0) {
                fail(pass.line, "pass '" + pass.name + "' needs a vertex and a fragment stage");
                return false;
            }
            technique.passes.push_back(std::move(pass));
        }
        if (technique.passes.empty()) {
            fail(line_, "technique '" + technique.name + "' has no pass");
            return false;
        }
        out_.techniques.push_back(std::move(technique));
        return true;
    }

    bool parsePassBody(PassDecl& pass) {
        static const std::pair<const char*, uint32_t> kBlends[] = {
            {"Zero", 1}, {"One", 2}, {"SrcColor", 3}, {"InvSrcColor", 4}, {"SrcAlpha", 5}, {"InvSrcAlpha", 6},
            {"DestAlpha", 7}, {"InvDestAlpha", 8}, {"DestColor", 9}, {"InvDestColor", 10}};
        static const std::pair<const char*, uint32_t> kOps[] = {
            {"Add", 1}, {"Subtract", 2}, {"RevSubtract", 3}, {"Min", 4}, {"Max", 5}};
        static const std::pair<const char*, uint32_t> kCulls[] = {{"None", 1}, {"CW", 2}, {"CCW", 3}};
        static const std::pair<const char*, uint32_t> kCompares[] = {
            {"Never", 1}, {"Less", 2}, {"Equal", 3}, {"LessEqual", 4}, {"Greater", 5}, {"NotEqual", 6},
            {"GreaterEqual", 7}, {"Always", 8}};
        struct StateName {
            const char* name;
            RenderState state;
            const std::pair<const char*, uint32_t>* values;
            size_t count;
        };
        static const StateName kStates[] = {
            {"ZEnable", RenderState::ZEnable, nullptr, 0},
            {"ZWriteEnable", RenderState::ZWriteEnable, nullptr, 0},
            {"ZFunc", RenderState::ZFunc, kCompares, std::size(kCompares)},
            {"AlphaBlendEnable", RenderState::AlphaBlendEnable, nullptr, 0},
            {"SrcBlend", RenderState::SrcBlend, kBlends, std::size(kBlends)},
            {"DestBlend", RenderState::DestBlend, kBlends, std::size(kBlends)},
            {"BlendOp", RenderState::BlendOp, kOps, std::size(kOps)},
            {"SeparateAlphaBlendEnable", RenderState::SeparateAlphaBlendEnable, nullptr, 0},
            {"SrcBlendAlpha", RenderState::SrcBlendAlpha, kBlends, std::size(kBlends)},
            {"DestBlendAlpha", RenderState::DestBlendAlpha, kBlends, std::size(kBlends)},
            {"BlendOpAlpha", RenderState::BlendOpAlpha, kOps, std::size(kOps)},
            {"CullMode", RenderState::CullMode, kCulls, std::size(kCulls)},
            {"ScissorTestEnable", RenderState::ScissorTestEnable, nullptr, 0},
            {"MultisampleAntialias", RenderState::MultisampleAntialias, nullptr, 0},
        };
        for (;;) {
            Token key = next();
            if (key.text == "}") return true;
            if (key.kind != Token::Word) {
                fail(key.line, "expected a pass state, found '" + key.text + "'");
                return false;
            }
            if (!expect("=")) return false;
            Token value = next();
            if (key.text == "vertex" || key.text == "fragment") {
                const bool vertex = key.text == "vertex";
                int stage = findStage(value.text, vertex);
                if (stage < 0) {
                    fail(value.line, "no " + key.text + " stage named '" + value.text + "'");
                    return false;
                }
                (vertex ? pass.vertexStage : pass.fragmentStage) = stage;
            } else {
                const StateName* found = nullptr;
                for (const StateName& s : kStates)
                    if (equalsNoCase(key.text, s.name)) found = &s;
                if (!found) {
                    fail(key.line, "unknown render state '" + key.text + "'");
                    return false;
                }
                std::optional<uint32_t> number = stateValue(value, found->values, found->count);
                if (!number) {
                    fail(value.line, "bad value '" + value.text + "' for " + key.text);
                    return false;
                }
                pass.states.emplace_back(found->state, *number);
            }
            if (!expect(";")) return false;
        }
    }

    const std::string& text_;
    EffectDescription& out_;
    size_t pos_ = 0;
    int line_ = 1;
    std::string errors_;
};

const char* glslType(ParameterType type) {
    switch (type) {
    case ParameterType::Bool: return "bool";
    case ParameterType::Int: return "int";
    case ParameterType::Float: return "float";
    case ParameterType::Vec2: return "vec2";
    case ParameterType::Vec3: return "vec3";
    case ParameterType::Vec4: return "vec4";
    case ParameterType::Mat4: return "mat4";
    default: return nullptr;
    }
}

} // namespace

uint32_t componentCount(ParameterType type) {
    switch (type) {
    case ParameterType::Bool:
    case ParameterType::Int:
    case ParameterType::Float: return 1;
    case ParameterType::Vec2: return 2;
    case ParameterType::Vec3: return 3;
    case ParameterType::Vec4: return 4;
    case ParameterType::Mat4: return 16;
    default: return 0;
    }
}

std::string EffectDescription::glslSource(int stage) const {
    const StageDecl& decl = stages[size_t(stage)];
    std::string s = "#version 330 core\n";
    for (const EffectMacro& macro : macros) s += "#define " + macro.name + " " + macro.value + "\n";
    s += decl.vertex ? "#define GFX_VERTEX_STAGE 1\n" : "#define GFX_FRAGMENT_STAGE 1\n";
    for (const ParameterDecl& parameter : parameters) {
        const char* type = glslType(parameter.type);
        if (!type) continue;
        s += std::string("uniform ") + type + " " + parameter.name;
        if (parameter.arraySize) {
            s += "[";
            s += std::to_string(parameter.arraySize);
            s += "]";
        }
        s += ";\n";
    }
    for (const SamplerDecl& sampler : samplers)
        s += std::string("uniform ") + (sampler.cube ? "samplerCube " : "sampler2D ") + sampler.name + ";\n";
    if (decl.vertex) {
        s += "uniform vec4 gfx_ClipFixup;\n";
    } else {
        s += "layout(location = 0) out vec4 outColour;\nlayout(location = 1) out vec4 outColour1;\n";
    }
    // Appended piece by piece: GCC 12 warns falsely about "literal" + std::string temporaries.
    if (!common.empty()) {
        s += "#line ";
        s += std::to_string(commonLine);
        s += "\n";
        s += common;
        s += "\n";
    }
    if (decl.vertex) s += "#define main gfx_stage_main\n";
    s += "#line ";
    s += std::to_string(decl.line);
    s += "\n";
    s += decl.code;
    s += "\n";
    if (decl.vertex) {
        // The conventions of the original device, applied once for every effect: its pixel
        // centres (half a pixel up and left of GL's), row 0 at the top of every target, and
        // clip depth from 0 to w.
        s += "#undef main\n"
             "void main() {\n"
             "    gfx_stage_main();\n"
             "    gl_Position.xy += gfx_ClipFixup.xy * gl_Position.w;\n"
             "    gl_Position.y = -gl_Position.y;\n"
             "    gl_Position.z = 2.0 * gl_Position.z - gl_Position.w;\n"
             "}\n";
    }
    return s;
}

Result compileEffectFromText(const std::string& text, const std::string& sourceName,
                             const std::vector<EffectMacro>& macros, EffectDescription** out, std::string* errors) {
    if (errors) errors->clear();
    if (!out) return Result::InvalidCall;
    *out = nullptr;
    auto* description = new EffectDescription();
    description->sourceName = sourceName;
    for (const EffectMacro& macro : macros)
        if (!macro.name.empty()) description->macros.push_back(macro);
    Parser parser(text, *description);
    if (!parser.run()) {
        if (errors) *errors = parser.errors();
        description->release();
        return Result::Fail;
    }
    if (description->techniques.empty()) {
        if (errors) *errors = sourceName + ":1: error: the effect has no technique\n";
        description->release();
        return Result::Fail;
    }
    *out = description;
    return Result::Ok;
}

Result compileEffectFromFile(const std::string& path, const std::vector<EffectMacro>& macros, EffectDescription** out,
                             std::string* errors) {
    if (out) *out = nullptr;
    std::string text;
    if (!platform::readWholeFile(platform::resolvePath(path), text)) {
        if (errors) *errors = path + ": error: can't read the effect file\n";
        return Result::Fail;
    }
    return compileEffectFromText(text, path, macros, out, errors);
}

} // namespace gfx
