#pragma once
// Entities made by type name: one factory per entity class, entered in a process-wide registry by
// its constructor (static factory objects register before the program's entry runs).
#include <string>
#include <unordered_map>

class BaseEntity;
struct EntityContext;

class IEntityFactory {
public:
    // A new entity of the factory's class, named after its type; the caller owns it.
    virtual BaseEntity* create(EntityContext* owner) = 0;

protected:
    // Factories live for the whole run and are never deleted through this interface.
    ~IEntityFactory() = default;
};

// Type name to factory, exact and case-sensitive; it does not own the factories.
using EntityFactoryRegistry = std::unordered_map<std::string, IEntityFactory*>;
// Made on first use, so factories of any translation unit may register during static start-up.
EntityFactoryRegistry& entityFactoryRegistry();
// The factory registered under the name, or null.
IEntityFactory* findEntityFactory(const std::string& typeName);

template <class T>
class EntityFactory final : public IEntityFactory {
public:
    // A later factory under the same name replaces the earlier one.
    explicit EntityFactory(std::string typeName) : typeName_(std::move(typeName)) {
        entityFactoryRegistry()[typeName_] = this;
    }

    BaseEntity* create(EntityContext* owner) override { return new T(owner, typeName_); }
    const std::string& typeName() const { return typeName_; }

private:
    std::string typeName_;
};
