#include "app/parameter_kind.h"

#include <cstring>

namespace {

constexpr const char* elementNames[parameterKindCount] = {
    "BoolParameter",    "FloatParameter",      "UnsignedIntParameter", "IntParameter",
    "Vector4Parameter", "Vector3Parameter",    "Vector2Parameter",     "MatrixParameter",
    "StringParameter",  "PointPathParameter",  "IntVecArrayParameter", "PointPathAndColourParameter",
    "MatrixVectorParameter",
};

} // namespace

const char* parameterKindElementName(ParameterKind kind) {
    const auto code = static_cast<std::uint32_t>(kind);
    return code < parameterKindCount ? elementNames[code] : "";
}

bool parameterKindFromElementName(const char* name, ParameterKind& kind) {
    if (!name) return false;
    for (std::uint32_t code = 0; code < parameterKindCount; ++code) {
        if (std::strcmp(name, elementNames[code]) == 0) {
            kind = static_cast<ParameterKind>(code);
            return true;
        }
    }
    return false;
}

bool parameterKindIsWritten(ParameterKind kind) {
    return static_cast<std::uint32_t>(kind) <= static_cast<std::uint32_t>(ParameterKind::String);
}
