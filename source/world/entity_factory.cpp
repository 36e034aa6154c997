// The registry of entity factories.
#include "world/entity_factory.h"

EntityFactoryRegistry& entityFactoryRegistry() {
    static EntityFactoryRegistry registry;
    return registry;
}

IEntityFactory* findEntityFactory(const std::string& typeName) {
    const EntityFactoryRegistry& registry = entityFactoryRegistry();
    auto found = registry.find(typeName);
    return found == registry.end() ? nullptr : found->second;
}
