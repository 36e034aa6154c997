#pragma once
// A UI object type's parameters declared once: each one's name, kind and default, used both to
// build the type's description and to read an object's values on the render side.
#include <string>

#include "app/parameter_description.h"
#include "ui_render/ui_parameters.h"

// One declared parameter of kind P (a typed parameter class such as FloatParameter).
template <class P>
struct UIParameter {
    using Kind = P;
    const char* name;
    typename P::ValueType defaultValue;
};

namespace uiparam {

// The object's value, or the declared default when its group lacks the parameter.
template <class P>
typename P::ValueType read(const SimpleParameterGroup* group, const UIParameter<P>& parameter) {
    return read<P>(group, parameter.name, parameter.defaultValue);
}

// A description named typeName holding the parameters in the order given.
template <class... P>
ParameterDescription* describe(const std::string& typeName, ThreadResourcePool* pool,
                               const UIParameter<P>&... parameters) {
    auto* description = new ParameterDescription(typeName, pool, true);
    (add<P>(*description, pool, parameters.name, parameters.defaultValue), ...);
    return description;
}

} // namespace uiparam
