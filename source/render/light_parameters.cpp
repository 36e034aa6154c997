#include "render/light_parameters.h"

#include "app/parameter_description.h"

bool isLightType(const std::string& typeName) {
    return typeName == kDirectionalLightType || typeName == kPointLightType;
}

void registerLightParameterDescriptions(ParameterDescriptionRegistry& registry, ThreadResourcePool* pool) {
    registerParameterDescription(registry, new ParameterDescription(kDirectionalLightType, pool, true));
    registerParameterDescription(registry, new ParameterDescription(kPointLightType, pool, true));
}
