#pragma once
// The thirteen parameter kinds: one template over the value type, named per kind.
#include "app/base_parameter.h"

namespace tinyxml2 {
class XMLElement;
}

template <class T, ParameterKind K>
class TypedParameter final : public BaseParameter {
public:
    using ValueType = T;
    static constexpr ParameterKind staticKind = K;

    TypedParameter(const std::string& name, const T& value, bool paired, ThreadResourcePool* pool,
                   ParameterGroupInterface* group)
        : BaseParameter(name, paired, pool, group), value(value) {}

    // Stores the value and reports the change, even when the value is the same as before:
    // callers rely on a set always reaching the render side.
    void setValue(const T& newValue) {
        value = newValue;
        reportChange();
    }
    const T& getValue() const { return value; }

    bool copyValueFrom(const BaseParameter& other) override {
        if (other.kind() != K) return false;
        const T& taken = static_cast<const TypedParameter&>(other).value;
        const bool differs = !(value == taken);
        if (differs) value = taken;
        flagChanged();
        return differs;
    }
    void writeXml(tinyxml2::XMLNode* parent) const override;
    ParameterKind kind() const override { return K; }

    // Reads a parameter element's "name" and value attributes, in document order; attributes
    // of other names are ignored, missing ones leave name and value as they were.
    static void readXml(const tinyxml2::XMLElement& element, std::string& name, T& value);

    // Read in place by the drawing code; written through setValue.
    T value;
};

using BoolParameter = TypedParameter<bool, ParameterKind::Bool>;
using FloatParameter = TypedParameter<float, ParameterKind::Float>;
using IntParameter = TypedParameter<std::int32_t, ParameterKind::Int>;
using UnsignedIntParameter = TypedParameter<std::uint32_t, ParameterKind::UnsignedInt>;
using MatrixParameter = TypedParameter<MatrixValue, ParameterKind::Matrix>;
using Vector4Parameter = TypedParameter<Vector4Value, ParameterKind::Vector4>;
using Vector3Parameter = TypedParameter<Vector3Value, ParameterKind::Vector3>;
using Vector2Parameter = TypedParameter<Vector2Value, ParameterKind::Vector2>;
using StringParameter = TypedParameter<std::string, ParameterKind::String>;
using PointPathParameter = TypedParameter<PointPathValue, ParameterKind::PointPath>;
using IntVecArrayParameter = TypedParameter<IntVecArrayValue, ParameterKind::IntVecArray>;
using PointPathAndColourParameter = TypedParameter<PointPathAndColourValue, ParameterKind::PointPathAndColour>;
using MatrixVectorParameter = TypedParameter<MatrixVectorValue, ParameterKind::MatrixVector>;

extern template class TypedParameter<bool, ParameterKind::Bool>;
extern template class TypedParameter<float, ParameterKind::Float>;
extern template class TypedParameter<std::int32_t, ParameterKind::Int>;
extern template class TypedParameter<std::uint32_t, ParameterKind::UnsignedInt>;
extern template class TypedParameter<MatrixValue, ParameterKind::Matrix>;
extern template class TypedParameter<Vector4Value, ParameterKind::Vector4>;
extern template class TypedParameter<Vector3Value, ParameterKind::Vector3>;
extern template class TypedParameter<Vector2Value, ParameterKind::Vector2>;
extern template class TypedParameter<std::string, ParameterKind::String>;
extern template class TypedParameter<PointPathValue, ParameterKind::PointPath>;
extern template class TypedParameter<IntVecArrayValue, ParameterKind::IntVecArray>;
extern template class TypedParameter<PointPathAndColourValue, ParameterKind::PointPathAndColour>;
extern template class TypedParameter<MatrixVectorValue, ParameterKind::MatrixVector>;
