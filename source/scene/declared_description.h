#pragma once
// Builds a render-object type's parameter description from its declared parameters, so that the
// names and defaults a renderable registers are the ones its assets read.
#include <string>

#include "app/parameter_description.h"
#include "render/declared_parameter.h"

namespace declared {

template <class P>
void describe(ParameterDescription& description, ThreadResourcePool* pool, const DeclaredParameter<P>& parameter) {
    description.addParameter(new P(parameter.name, parameter.defaultValue, false, pool, nullptr),
                             static_cast<std::uint32_t>(P::staticKind));
}

// A description of the type with every given parameter, registered; false when the name was
// taken (the registry keeps the earlier one).
template <class... P>
bool registerDescription(ParameterDescriptionRegistry& registry, ThreadResourcePool* pool, const std::string& typeName,
                         const DeclaredParameter<P>&... parameters) {
    auto* description = new ParameterDescription(typeName, pool, true);
    (describe(*description, pool, parameters), ...);
    return registerParameterDescription(registry, description);
}

} // namespace declared
