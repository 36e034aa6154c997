#pragma once
// A render-object type's parameters declared once (name, kind, default): the same declaration adds
// a parameter on the update side, sets it and reads it on the render side, so a misspelt name is a
// compile error rather than a value that silently never arrives.
#include <string>
#include <type_traits>

#include "app/parameter_group_interface.h"
#include "app/simple_parameter_group.h"
#include "app/typed_parameters.h"

// One declared parameter of kind P (a typed parameter class such as FloatParameter).
template <class P>
struct DeclaredParameter {
    using Kind = P;
    const char* name;
    typename P::ValueType defaultValue;
};

namespace declared {

// Adds the parameter with its default (and its linked twin when the group has one).
template <class P>
P* add(ParameterGroupInterface& group, const DeclaredParameter<P>& parameter) {
    if constexpr (std::is_same_v<P, BoolParameter>) return group.addBool(parameter.name, parameter.defaultValue);
    else if constexpr (std::is_same_v<P, FloatParameter>) return group.addFloat(parameter.name, parameter.defaultValue);
    else if constexpr (std::is_same_v<P, IntParameter>) return group.addInt(parameter.name, parameter.defaultValue);
    else if constexpr (std::is_same_v<P, UnsignedIntParameter>)
        return group.addUnsignedInt(parameter.name, parameter.defaultValue);
    else if constexpr (std::is_same_v<P, MatrixParameter>) return group.addMatrix(parameter.name, parameter.defaultValue);
    else if constexpr (std::is_same_v<P, Vector4Parameter>)
        return group.addVector4(parameter.name, parameter.defaultValue);
    else if constexpr (std::is_same_v<P, Vector3Parameter>)
        return group.addVector3(parameter.name, parameter.defaultValue);
    else if constexpr (std::is_same_v<P, Vector2Parameter>)
        return group.addVector2(parameter.name, parameter.defaultValue);
    else if constexpr (std::is_same_v<P, StringParameter>) return group.addString(parameter.name, parameter.defaultValue);
    else static_assert(!sizeof(P), "no add slot for this kind");
}

// The group's parameter of that name and kind, or null.
template <class P>
P* find(const ParameterGroupInterface* group, const DeclaredParameter<P>& parameter) {
    BaseParameter* found = group ? group->getParameter(parameter.name) : nullptr;
    if (!found || found->kind() != P::staticKind) return nullptr;
    return static_cast<P*>(found);
}

// The value, or the declared default when the group lacks the parameter.
template <class P>
typename P::ValueType read(const ParameterGroupInterface* group, const DeclaredParameter<P>& parameter) {
    const P* found = find(group, parameter);
    return found ? found->value : parameter.defaultValue;
}

// Stores the value so that it reaches the render side at the next hand-off; false when the group
// lacks the parameter.
template <class P>
bool set(ParameterGroupInterface* group, const DeclaredParameter<P>& parameter, const typename P::ValueType& value) {
    P* found = find(group, parameter);
    if (!found) return false;
    found->setValue(value);
    return true;
}

} // namespace declared
