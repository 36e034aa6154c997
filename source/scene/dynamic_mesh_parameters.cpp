#include "scene/dynamic_mesh_parameters.h"

#include "app/parameter_description.h"
#include "app/parameter_kind.h"

bool registerDynamicMeshDescription(ParameterDescriptionRegistry& registry, ThreadResourcePool* pool,
                                    const std::string& typeName) {
    auto* description = new ParameterDescription(typeName, pool, true);
    const auto& highlight = DynamicMeshParameters::highlightColour;
    const auto& shouldRender = DynamicMeshParameters::shouldRender;
    description->addParameter(new Vector4Parameter(highlight.name, highlight.defaultValue, false, pool, nullptr),
                              static_cast<std::uint32_t>(ParameterKind::Vector4));
    description->addParameter(new BoolParameter(shouldRender.name, shouldRender.defaultValue, false, pool, nullptr),
                              static_cast<std::uint32_t>(ParameterKind::Bool));
    return registerParameterDescription(registry, description);
}
