#pragma once
// Reading UI object parameters by name on the render side, and making description prototypes.
#include <cstdint>
#include <string>

#include "app/parameter_description.h"
#include "app/parameter_faults.h"
#include "app/simple_parameter_group.h"
#include "app/typed_parameters.h"

namespace uiparam {

// The value of the named parameter when the group has one of that kind, else null (and a group
// that lacks it is a parameter fault: the name is misspelt or the type's declaration lacks it).
template <class P>
const typename P::ValueType* find(const SimpleParameterGroup* group, const char* name) {
    if (!group) return nullptr;
    BaseParameter* parameter = group->getParameter(name);
    if (!parameter || parameter->kind() != P::staticKind) {
        parameterfaults::report(group->getName(), name, "reading",
                                parameter ? parameterfaults::otherKind : parameterfaults::missing);
        return nullptr;
    }
    return &static_cast<P*>(parameter)->value;
}

template <class P>
typename P::ValueType read(const SimpleParameterGroup* group, const char* name, const typename P::ValueType& fallback) {
    const typename P::ValueType* value = find<P>(group, name);
    return value ? *value : fallback;
}

template <class P>
void add(ParameterDescription& description, ThreadResourcePool* pool, const std::string& name,
         const typename P::ValueType& value) {
    description.addParameter(new P(name, value, false, pool, nullptr), static_cast<std::uint32_t>(P::staticKind));
}

} // namespace uiparam
